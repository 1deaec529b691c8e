; Verdo's per-user installer and uninstaller.
;
; Built by the win32 and win64 presets:
;   makensis -DVERSION=x.y.z -DTARGET=x86-unicode|amd64-unicode
;            -DVERDO_SCR=<verdo.scr> -DOUTFILE=<verdo-setup-x86.exe|-x64.exe>
;            [-DCOPYRIGHT=<line>] [-DSIGN_TOOL=<program that signs the file it is given>]
;            verdo.nsi
; TARGET amd64-unicode makes a 64-bit installer and uninstaller around the
; 64-bit verdo.scr; x86-unicode a 32-bit one, which runs on 64-bit Windows too.
;
; Command line of verdo-setup.exe:
;   /S           silent install
;   /SETSAVER    make Verdo the current screen saver (in silent mode it is
;                left alone unless this is given; the options page ticks it)
;   /D=<dir>     install directory; must come last and is never quoted
; Command line of uninstall.exe:
;   /S           silent uninstall; edited phrases and settings are kept

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include x64.nsh
!include verdo_registry.nsh
!include verdo_screensaver.nsh
!include verdo_files.nsh

!ifndef VERSION
  !error "define VERSION, e.g. -DVERSION=1.0.0"
!endif
!ifndef VERDO_SCR
  !error "define VERDO_SCR, the path of the built verdo.scr"
!endif
!ifndef VERDO_ICON
  !define VERDO_ICON "..\resources\verdo.ico"
!endif
!ifndef OUTFILE
  !define OUTFILE verdo-setup.exe
!endif
!ifndef COPYRIGHT
  !define COPYRIGHT "${PUBLISHER}"
!endif
; The uninstaller is signed before it goes into the installer, so that the
; one written at install time carries the signature.
!ifdef SIGN_TOOL
  !uninstfinalize '"${SIGN_TOOL}" "%1"' = 0
  !finalize '"${SIGN_TOOL}" "%1"' = 0
!endif

Name "Verdo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Verdo"
InstallDirRegKey HKCU "${VERDO_KEY}" "Install_Dir"
RequestExecutionLevel user
BrandingText "Verdo ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Verdo"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Verdo setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

Var SetSaver           ; 1: make Verdo the current screen saver
Var SetSaverCheckbox

; --- Pages ---------------------------------------------------------------

!define MUI_ICON "${VERDO_ICON}"
!define MUI_UNICON "${VERDO_ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "Welcome to Verdo ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Verdo is a screen saver that shows your own phrases one after another: each one slowly grows out of the dark in colours you choose, then withers away for the next.$\r$\n$\r$\nVerdo is installed for you alone and needs no administrator rights.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME

!define MUI_DIRECTORYPAGE_TEXT_TOP "Verdo keeps its program, its phrases (verdo.ini) and its settings (verdo.set) in this folder, so it must be a folder you can write to. The full path may be at most ${VERDO_MAX_DIR_LENGTH} characters long."
!insertmacro MUI_PAGE_DIRECTORY

Page custom OptionsPageShow OptionsPageLeave

!insertmacro MUI_PAGE_INSTFILES

!define MUI_FINISHPAGE_TEXT "Verdo is installed. Its Start menu folder holds its settings, its phrases and the uninstaller.$\r$\n$\r$\nWindows lists Verdo among its screen savers only while it is the one chosen; to choose it again later, use $\"${USE_AS_SAVER_NAME}$\" there."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\verdo.scr"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/c"
!define MUI_FINISHPAGE_RUN_TEXT "Open Verdo's settings now"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; --- Installer -----------------------------------------------------------

; 32-bit Windows refuses to start a 64-bit program at all, with a message of
; its own. Should the 64-bit installer start all the same on a system that
; reports itself as 32-bit, it stops here with a message of ours.
Function RefuseForeignArchitecture
!if ${TARGET} == amd64-unicode
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "This is the installer for 64-bit Windows, and this Windows is 32-bit.$\r$\nPlease install Verdo with verdo-setup-x86.exe instead." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!endif
FunctionEnd

Function .onInit
  Call RefuseForeignArchitecture
  ; Interactive installs offer the screen saver ticked; silent ones change
  ; the user's screen saver only when asked to.
  ${If} ${Silent}
    StrCpy $SetSaver 0
  ${Else}
    StrCpy $SetSaver 1
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SETSAVER" $1
  ${IfNot} ${Errors}
    StrCpy $SetSaver 1
  ${EndIf}
FunctionEnd

Function .onVerifyInstDir
  StrLen $0 $INSTDIR
  ${If} $0 > ${VERDO_MAX_DIR_LENGTH}
    Abort
  ${EndIf}
FunctionEnd

Function OptionsPageShow
  !insertmacro MUI_HEADER_TEXT "Options" "Choose whether Verdo becomes your screen saver."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateCheckbox} 0 0 100% 12u "&Make Verdo my screen saver"
  Pop $SetSaverCheckbox
  ${If} $SetSaver == 1
    ${NSD_Check} $SetSaverCheckbox
  ${EndIf}
  ${NSD_CreateLabel} 0 20u 100% 60u "Verdo then starts whenever Windows starts a screen saver. The screen saver you use now is remembered, and uninstalling Verdo brings it back.$\r$\n$\r$\nShould you choose another screen saver later, $\"${USE_AS_SAVER_NAME}$\" in the Start menu folder Verdo makes Verdo your screen saver again."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $SetSaverCheckbox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $SetSaver 1
  ${Else}
    StrCpy $SetSaver 0
  ${EndIf}
FunctionEnd

Section "Verdo" SecVerdo
  SectionIn RO
  SetShellVarContext current

  ; Silent installs skip the directory page and its length check.
  StrLen $0 $INSTDIR
  ${If} $0 > ${VERDO_MAX_DIR_LENGTH}
    MessageBox MB_OK|MB_ICONSTOP "The folder$\r$\n$INSTDIR$\r$\nis longer than ${VERDO_MAX_DIR_LENGTH} characters; Verdo could not find its files there. Please choose a shorter folder." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  Call EnsureVerdoClosed
  ClearErrors
  SetOutPath "$INSTDIR"
  SetOverwrite on
  ; A silent run answers a failed write with Ignore; it must not end as a
  ; success with the old program or none in place.
  File "/oname=verdo.scr" "${VERDO_SCR}"
  Call InstallDefaultPhrases
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Verdo could not be written into$\r$\n$INSTDIR$\r$\nPlease choose a folder you can write to." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  Call FindProgramDir
  ${If} $ProgramDir == ""
    MessageBox MB_OK|MB_ICONSTOP "Verdo cannot use the folder$\r$\n$INSTDIR$\r$\nbecause Verdo reads folder names in the system's code page, and this one has characters that the code page cannot hold, or grows longer than 254 bytes in it. Please choose another folder." /SD IDOK
    Delete "$INSTDIR\verdo.scr"
    Call RemoveUntouchedDefaultPhrases
    RMDir "$INSTDIR"
    SetErrorLevel 2
    Quit
  ${EndIf}
  WriteRegStr HKCU "${VERDO_KEY}" "Install_Dir" "$ProgramDir"

  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${START_MENU_FOLDER}"
  ; "/c" has neither S nor P, so Verdo opens its settings dialog.
  CreateShortcut "$SMPROGRAMS\${START_MENU_FOLDER}\${SETTINGS_LINK}" "$INSTDIR\verdo.scr" "/c" "$INSTDIR\verdo.scr" 0
  CreateShortcut "$SMPROGRAMS\${START_MENU_FOLDER}\${PHRASES_LINK}" "$WINDIR\notepad.exe" '"$INSTDIR\verdo.ini"' "$WINDIR\notepad.exe" 0
  CreateShortcut "$SMPROGRAMS\${START_MENU_FOLDER}\${UNINSTALL_LINK}" "$INSTDIR\uninstall.exe"
  ; What a .scr file's own Install verb runs: Verdo becomes the screen saver
  ; and Windows' screen saver settings open. The path stays unquoted, as the
  ; verb passes it.
  CreateShortcut "$SMPROGRAMS\${START_MENU_FOLDER}\${USE_AS_SAVER_LINK}" "$SYSDIR\rundll32.exe" \
                 "desk.cpl,InstallScreenSaver $INSTDIR\verdo.scr" "$INSTDIR\verdo.scr" 0

  Call RegisterUninstaller

  ${If} $SetSaver == 1
    Call MakeVerdoTheScreenSaver
  ${EndIf}
SectionEnd

; --- Uninstaller ---------------------------------------------------------

Section "Uninstall"
  SetShellVarContext current

  Call un.EnsureVerdoClosed
  Call un.RestoreScreenSaver

  Delete "$INSTDIR\verdo.scr"
  Delete "$INSTDIR\uninstall.exe"
  Call un.RemoveUserFiles
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${START_MENU_FOLDER}\${SETTINGS_LINK}"
  Delete "$SMPROGRAMS\${START_MENU_FOLDER}\${PHRASES_LINK}"
  Delete "$SMPROGRAMS\${START_MENU_FOLDER}\${UNINSTALL_LINK}"
  Delete "$SMPROGRAMS\${START_MENU_FOLDER}\${USE_AS_SAVER_LINK}"
  RMDir "$SMPROGRAMS\${START_MENU_FOLDER}"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${VERDO_KEY}"
  DeleteRegKey /ifempty HKCU "${PUBLISHER_KEY}"
SectionEnd
