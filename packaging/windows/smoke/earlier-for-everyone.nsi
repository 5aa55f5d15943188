; What an earlier kvitok setup left on a machine: kvitok.exe and its uninstaller in Program Files,
; a Start-menu shortcut for everyone and the entry in HKLM, 64-bit view. scripts/windows.sh smoke
; lays this down silently and has the current setup update it in place:
;   makensis -DEXE=kvitok.exe -DOUTFILE=kvitok-earlier.exe earlier-for-everyone.nsi
Unicode true
Target amd64-unicode
SetCompressor zlib

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvitok"

Name "kvitok 2.3"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kvitok"
RequestExecutionLevel admin
SilentInstall silent

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "/oname=kvitok.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    StrCpy $OUTDIR "%USERPROFILE%\Documents"
    CreateShortCut "$SMPROGRAMS\kvitok.lnk" "$INSTDIR\kvitok.exe" "" "$INSTDIR\kvitok.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "kvitok"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "2.3"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kvitok.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\kvitok.lnk"
    Delete "$INSTDIR\kvitok.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
