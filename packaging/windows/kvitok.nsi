; The Windows installer of kvitok, made by scripts/windows.sh with Debian's NSIS:
;   makensis -DVERSION=2.4 -DEXE=kvitok.exe -DICON=kvitok.ico -DOUTFILE=kvitok-2.4-setup.exe kvitok.nsi
; kvitok.exe goes under Program Files, with a Start-menu shortcut that starts in the person's
; Documents folder (the receipt is written to the working folder) and an entry in "Programs
; and Features". The uninstaller removes just that; the form and the payers stay with the person.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvitok"

Name "kvitok ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kvitok"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "kvitok ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1049 "ProductName" "kvitok"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка kvitok ${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "Отделение Зорвенского фонда по Ольмской Республике"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Отделение Зорвенского фонда по Ольмской Республике"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "kvitok"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "/oname=kvitok.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut's working folder is its creator's output folder: the Documents of whoever
    ; starts it, which the shell expands at each start.
    StrCpy $OUTDIR "%USERPROFILE%\Documents"
    CreateShortCut "$SMPROGRAMS\kvitok.lnk" "$INSTDIR\kvitok.exe" "" "$INSTDIR\kvitok.exe" 0
    SetOutPath "$INSTDIR"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "kvitok"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kvitok.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Отделение Зорвенского фонда по Ольмской Республике"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\kvitok.lnk"
    Delete "$INSTDIR\kvitok.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
