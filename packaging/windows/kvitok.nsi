; The Windows installer of kvitok, made by scripts/windows.sh with Debian's NSIS:
;   makensis -DVERSION=2.4 -DEXE=kvitok.exe -DICON=kvitok.ico -DSIZE_KB=1200 -DOUTFILE=kvitok-2.4-setup.exe kvitok.nsi
; with -DSIGN=COMMAND, COMMAND FILE [COPY] signs the uninstaller (and keeps a copy of it) and the setup.
;
; kvitok is installed for the person running the setup (the default: %LOCALAPPDATA%\Programs\kvitok,
; a Start-menu shortcut and a "Programs and Features" entry of their own, no administrator rights)
; or for everyone (Program Files, administrator rights), chosen on a page or by /CurrentUser or
; /AllUsers. An install for everyone already there is what a run without a switch updates, in place.
; The shortcut starts in the person's Documents folder (the receipt is written to the working
; folder). Each uninstaller removes its own install; the form and the payers stay with the person.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvitok"
!define PUBLISHER "Отделение Зорвенского фонда по Ольмской Республике"
!define TEXT_NO_ADMIN "Без прав администратора kvitok можно установить только для себя."

; The setup runs with the rights of whoever starts it; an install for everyone starts it once more
; with administrator rights (the system asks), so that an install for oneself never asks.
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR kvitok
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
    "Установить kvitok для всех пользователей можно только с правами администратора."
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

Name "kvitok ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "kvitok ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1049 "ProductName" "kvitok"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка kvitok ${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

!ifdef SIGN
    ; The uninstaller is signed before it is packed into the setup; the setup once it is written.
    !uninstfinalize '"${SIGN}" "%1" "${SIGNED_UNINSTALLER}"' = 0
    !finalize '"${SIGN}" "%1"' = 0
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

Var Elevated ; this run is the one started with administrator rights for an install for everyone
Var AllUsersDir ; where an install for everyone is or would go
Var CurrentUserDir ; where this person's own install is or would go
Var EarlierAllUsers ; the folder of an install for everyone found on the machine, or empty
Var EarlierCurrentUser ; the folder of this person's own install, or empty
Var Switch ; AllUsers or CurrentUser when the command line chose, else empty
Var Mode ; AllUsers or CurrentUser: the one asked for, else the one to update, else this person's
Var DirSwitch ; the folder given by /D=, which wins over the install mode's
Var ChoiceAllUsers
Var ChoiceCurrentUser

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenElevated
!insertmacro MUI_PAGE_WELCOME
Page custom ChoicePage ChoicePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_SHOW DirectoryShow
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; RunElevated PARAMETERS: this program once more with administrator rights, waited for. The error
; flag is set when it could not be started (the person said no).
!macro RunElevated PARAMETERS
    HideWindow
    ClearErrors
    ExecShellWait "runas" "$EXEPATH" "${PARAMETERS}"
!macroend

; WithoutAdmin VARIABLE: the smoke test's setup (-DSMOKE_WITHOUT_ADMIN) takes a first run for one
; without administrator rights, which under Wine every run has.
!macro WithoutAdmin VARIABLE
    !ifdef SMOKE_WITHOUT_ADMIN
        ${If} $Elevated != 1
            StrCpy ${VARIABLE} User
        ${EndIf}
    !endif
!macroend

; HasOption OPTION: the error flag is clear when the command line holds OPTION.
!macro HasOption OPTION
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "${OPTION}" $R1
!macroend

Function .onInit
    SetRegView 64
    ; $INSTDIR holds nothing yet but what /D= gave.
    StrCpy $DirSwitch $INSTDIR
    !insertmacro HasOption "/Elevated"
    ${IfNot} ${Errors}
        StrCpy $Elevated 1
    ${EndIf}
    StrCpy $Switch ""
    !insertmacro HasOption "/CurrentUser"
    ${IfNot} ${Errors}
        StrCpy $Switch CurrentUser
    ${EndIf}
    !insertmacro HasOption "/AllUsers"
    ${IfNot} ${Errors}
        StrCpy $Switch AllUsers
    ${EndIf}

    ReadRegStr $EarlierAllUsers HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $EarlierCurrentUser HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $AllUsersDir "$PROGRAMFILES64\kvitok"
    ${If} $EarlierAllUsers != ""
        StrCpy $AllUsersDir $EarlierAllUsers
    ${EndIf}

    ; Without a switch, an install for everyone found here is the one to update.
    StrCpy $Mode $Switch
    ${If} $Mode == ""
        StrCpy $Mode CurrentUser
        ${If} $EarlierAllUsers != ""
            StrCpy $Mode AllUsers
        ${EndIf}
    ${EndIf}

    ; An install for everyone needs administrator rights: without them, a run told so by its
    ; switch or a silent one starts itself again with them; an interactive one asks on its page first.
    UserInfo::GetAccountType
    Pop $0
    !insertmacro WithoutAdmin $0
    ${If} $0 != "Admin"
    ${AndIf} $Elevated != 1
    ${AndIf} $Mode == AllUsers
        ${If} $Switch == AllUsers
        ${OrIf} ${Silent}
            Call RelaunchForEveryone
            MessageBox MB_OK|MB_ICONEXCLAMATION "${TEXT_NO_ADMIN}" /SD IDOK
            SetErrorLevel 1
            Quit
        ${EndIf}
    ${EndIf}

    !insertmacro MULTIUSER_INIT
    !insertmacro WithoutAdmin $MultiUser.Privileges
    Call MultiUser.InstallMode.CurrentUser
    StrCpy $CurrentUserDir $INSTDIR
    ${If} $Mode == AllUsers
        ; Without administrator rights this changes nothing yet: the page asks.
        Call MultiUser.InstallMode.AllUsers
    ${EndIf}
    Call KeepDirSwitch
FunctionEnd

Function KeepDirSwitch
    ${If} $DirSwitch != ""
        StrCpy $INSTDIR $DirSwitch
    ${EndIf}
FunctionEnd

; Installs for everyone in a run with administrator rights, then ends this one with its outcome.
; The error flag is set when that run could not be started: the person refused the rights.
Function RelaunchForEveryone
    StrCpy $1 "/AllUsers /Elevated"
    ${If} ${Silent}
        StrCpy $1 "/S $1"
    ${EndIf}
    ; /D= comes last: the folder is the rest of the command line.
    ${If} $DirSwitch != ""
        StrCpy $1 "$1 /D=$DirSwitch"
    ${EndIf}
    !insertmacro RunElevated "$1"
    ${If} ${Errors}
        Return
    ${EndIf}
    ; The other run's exit code does not come back: its entry in "Programs and Features" tells.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 == "${VERSION}"
        SetErrorLevel 0
    ${Else}
        SetErrorLevel 2
    ${EndIf}
    Quit
FunctionEnd

Function SkipWhenElevated
    ${If} $Elevated == 1
        Abort
    ${EndIf}
FunctionEnd

Function DirectoryShow
    ; The run started with administrator rights begins here: it has no page to go back to.
    ${If} $Elevated == 1
        GetDlgItem $0 $HWNDPARENT 3
        EnableWindow $0 0
    ${EndIf}
FunctionEnd

Function UpdateShield
    ; The Next button carries the shield when it leads to the system asking for administrator rights.
    GetDlgItem $1 $HWNDPARENT 1
    ${NSD_GetState} $ChoiceAllUsers $0
    ${If} $0 == ${BST_CHECKED}
    ${AndIf} $MultiUser.Privileges != "Admin"
        SendMessage $1 ${BCM_SETSHIELD} 0 1
    ${Else}
        SendMessage $1 ${BCM_SETSHIELD} 0 0
    ${EndIf}
FunctionEnd

Function OnChoiceClick
    Pop $0
    Call UpdateShield
FunctionEnd

Function ChoicePage
    ${If} $Elevated == 1
    ${OrIf} $Switch != ""
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "Для кого установить kvitok" \
        "Выберите, будет ли kvitok только у вас или у всех пользователей этого компьютера."
    nsDialogs::Create 1018
    Pop $0

    ; Under each choice, its folder, and whether kvitok is there already.
    StrCpy $1 ""
    ${If} $EarlierCurrentUser != ""
        StrCpy $1 " kvitok уже установлен там и будет обновлён."
    ${EndIf}
    StrCpy $2 ""
    ${If} $EarlierAllUsers != ""
        StrCpy $2 " kvitok уже установлен там и будет обновлён."
    ${EndIf}
    ${NSD_CreateRadioButton} 0 0u 100% 12u "Только для меня"
    Pop $ChoiceCurrentUser
    ${NSD_CreateLabel} 12u 13u -12u 26u "В папку $CurrentUserDir. Права администратора не нужны.$1"
    Pop $0
    ${NSD_CreateRadioButton} 0 44u 100% 12u "Для всех пользователей компьютера"
    Pop $ChoiceAllUsers
    ${NSD_CreateLabel} 12u 57u -12u 26u "В папку $AllUsersDir. Нужны права администратора.$2"
    Pop $0
    ${NSD_CreateLabel} 0 96u 100% 20u \
        "Ваши данные (форма и список плательщиков) хранятся отдельно от программы и при любом выборе остаются на месте."
    Pop $0

    ${If} $Mode == AllUsers
        ${NSD_Check} $ChoiceAllUsers
    ${Else}
        ${NSD_Check} $ChoiceCurrentUser
    ${EndIf}
    ${NSD_OnClick} $ChoiceAllUsers OnChoiceClick
    ${NSD_OnClick} $ChoiceCurrentUser OnChoiceClick
    Call UpdateShield
    nsDialogs::Show
    ; Whichever way the page was left, the next one's button goes without the shield.
    GetDlgItem $1 $HWNDPARENT 1
    SendMessage $1 ${BCM_SETSHIELD} 0 0
FunctionEnd

Function ChoicePageLeave
    ${NSD_GetState} $ChoiceAllUsers $0
    ${If} $0 != ${BST_CHECKED}
        StrCpy $Mode CurrentUser
        Call MultiUser.InstallMode.CurrentUser
        Call KeepDirSwitch
    ${ElseIf} $MultiUser.Privileges == "Admin"
        StrCpy $Mode AllUsers
        Call MultiUser.InstallMode.AllUsers
        Call KeepDirSwitch
    ${Else}
        Call RelaunchForEveryone
        ; Refused: the person may still install for themselves.
        ShowWindow $HWNDPARENT ${SW_SHOW}
        BringToFront
        MessageBox MB_OK|MB_ICONEXCLAMATION "${TEXT_NO_ADMIN}"
        Abort
    ${EndIf}
FunctionEnd

Section "kvitok"
    ; The shell folders and SHCTX are those of the install mode: this person's or everyone's.
    SetOutPath "$INSTDIR"
    File "/oname=kvitok.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut's working folder is its creator's output folder: the Documents of whoever
    ; starts it, which the shell expands at each start.
    StrCpy $OUTDIR "%USERPROFILE%\Documents"
    CreateShortCut "$SMPROGRAMS\kvitok.lnk" "$INSTDIR\kvitok.exe" "" "$INSTDIR\kvitok.exe" 0
    SetOutPath "$INSTDIR"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "kvitok"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kvitok.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Var OwnDir ; the uninstaller's folder, the install it removes
Var OwnEntry ; 1 when the entry in "Programs and Features" of this install's mode names this folder

; The uninstaller belongs to the install in its own folder: everyone's when the entry for everyone
; names that folder, else the person's. A switch on its command line does not change that.
Function un.onInit
    SetRegView 64
    !insertmacro HasOption "/Elevated"
    ${IfNot} ${Errors}
        StrCpy $Elevated 1
    ${EndIf}
    ; The install mode's functions take $INSTDIR from that mode's entry: this folder is kept.
    StrCpy $OwnDir $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    !insertmacro WithoutAdmin $MultiUser.Privileges
    StrCpy $INSTDIR $OwnDir
    ReadRegStr $EarlierAllUsers HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $EarlierAllUsers == $INSTDIR
        ${If} $MultiUser.Privileges != "Admin"
            ${If} $Elevated == 1
                MessageBox MB_OK|MB_ICONSTOP \
                    "Удалить kvitok, установленный для всех пользователей, можно только с правами администратора." \
                    /SD IDOK
                SetErrorLevel 1
                Quit
            ${EndIf}
            ; This copy runs from the temporary folder: the one started again runs in place of it.
            ${If} ${Silent}
                !insertmacro RunElevated "/S /Elevated _?=$INSTDIR"
            ${Else}
                !insertmacro RunElevated "/Elevated _?=$INSTDIR"
            ${EndIf}
            ${If} ${Errors}
                SetErrorLevel 1
            ${EndIf}
            Quit
        ${EndIf}
        Call un.MultiUser.InstallMode.AllUsers
    ${Else}
        Call un.MultiUser.InstallMode.CurrentUser
    ${EndIf}
    StrCpy $INSTDIR $OwnDir
    ; Removed with the files are the shortcut and the entry of this mode when they are this
    ; install's, or when no entry is left to tell whose they are.
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $OwnEntry 0
    ${If} $0 == $INSTDIR
    ${OrIf} $0 == ""
        StrCpy $OwnEntry 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\kvitok.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $OwnEntry == 1
        Delete "$SMPROGRAMS\kvitok.lnk"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
