; Names of the registry keys, Start-menu entries and limits the installer
; and the uninstaller share, and the Add/Remove Programs entry.

!define PUBLISHER "Corvane Labs"
!define PUBLISHER_KEY "Software\Corvane Labs"
; Verdo reads Install_Dir from here; the installer also keeps what it needs
; to undo the screen-saver choice.
!define VERDO_KEY "Software\Corvane Labs\Verdo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Verdo"
!define DESKTOP_KEY "Control Panel\Desktop"

!define START_MENU_FOLDER "Verdo"
!define SETTINGS_LINK "Verdo Settings.lnk"
!define PHRASES_LINK "Edit Verdo Phrases.lnk"
!define UNINSTALL_LINK "Uninstall Verdo.lnk"
; Windows lists only its own folders' savers and the chosen one, so once the
; user picks another, Verdo can come back only through this shortcut.
!define USE_AS_SAVER_NAME "Use Verdo as Screen Saver"
!define USE_AS_SAVER_LINK "${USE_AS_SAVER_NAME}.lnk"

; Verdo reads Install_Dir into 256 bytes, passing 255 as the size, so the
; path with its terminating zero must fit in 255 bytes.
!define VERDO_MAX_DIR_LENGTH 254

Function RegisterUninstaller
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Verdo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\verdo.scr,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; Kilobytes, as Add/Remove Programs expects.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd
