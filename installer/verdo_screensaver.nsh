; Making Verdo the user's screen saver, and undoing it.
;
; Kept under ${VERDO_KEY}:
;   ScreenSaverPath           the SCRNSAVE.EXE text the installer wrote
;   PreviousScreenSaver       SCRNSAVE.EXE before that (only if it was set)
;   PreviousScreenSaveActive  ScreenSaveActive before that (only if it was set)

!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

; Tells running programs that the screen-saver setting changed; the registry
; values themselves are written by the caller.
!macro AnnounceScreenSaveActive ACTIVE
  System::Call 'user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i ${ACTIVE}, p 0, i ${SPIF_SENDCHANGE}) i .r9'
!macroend

; Leaves 1 in $R9 when the SCRNSAVE.EXE text in $R8 names this installation's
; verdo.scr, in any of the forms it may have been written in.
!macro DefineIsVerdoTheScreenSaver PREFIX
Function ${PREFIX}IsVerdoTheScreenSaver
  StrCpy $R9 0
  ${If} $R8 == ""
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${VERDO_KEY}" "ScreenSaverPath"
  GetFullPathName /SHORT $1 "$INSTDIR\verdo.scr"
  ; StrCmp, behind ==, ignores case, as Windows does for paths.
  ${If} $R8 == "$INSTDIR\verdo.scr"
  ${OrIf} $R8 == $0
  ${OrIf} $R8 == $1
    StrCpy $R9 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineIsVerdoTheScreenSaver ""
!insertmacro DefineIsVerdoTheScreenSaver "un."

Function MakeVerdoTheScreenSaver
  ; The short form has no blanks, which some screen-saver hosts choke on;
  ; where the system keeps no short names it is the full path.
  GetFullPathName /SHORT $R7 "$INSTDIR\verdo.scr"
  ${If} $R7 == ""
    StrCpy $R7 "$INSTDIR\verdo.scr"
  ${EndIf}

  ClearErrors
  ReadRegStr $R8 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} ${Errors}
    StrCpy $R8 ""
    StrCpy $R6 0
  ${Else}
    StrCpy $R6 1
  ${EndIf}
  Call IsVerdoTheScreenSaver

  ; Re-installing over ourselves must not forget what came before Verdo.
  ${If} $R9 == 0
    DeleteRegValue HKCU "${VERDO_KEY}" "PreviousScreenSaver"
    DeleteRegValue HKCU "${VERDO_KEY}" "PreviousScreenSaveActive"
    ${If} $R6 == 1
      WriteRegStr HKCU "${VERDO_KEY}" "PreviousScreenSaver" $R8
    ${EndIf}
    ClearErrors
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${IfNot} ${Errors}
      WriteRegStr HKCU "${VERDO_KEY}" "PreviousScreenSaveActive" $0
    ${EndIf}
  ${EndIf}

  WriteRegStr HKCU "${VERDO_KEY}" "ScreenSaverPath" $R7
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R7
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  !insertmacro AnnounceScreenSaveActive 1
  DetailPrint "Verdo is now the screen saver."
FunctionEnd

; Gives back the screen saver that was current before Verdo, but only while
; Verdo is still the current one: a later choice of the user stays.
Function un.RestoreScreenSaver
  ClearErrors
  ReadRegStr $R8 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} ${Errors}
    Return
  ${EndIf}
  Call un.IsVerdoTheScreenSaver
  ${If} $R9 == 0
    Return
  ${EndIf}

  ClearErrors
  ReadRegStr $0 HKCU "${VERDO_KEY}" "PreviousScreenSaver"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    DetailPrint "Verdo is no longer the screen saver."
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
    DetailPrint "The screen saver is again $0."
  ${EndIf}

  ClearErrors
  ReadRegStr $0 HKCU "${VERDO_KEY}" "PreviousScreenSaveActive"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    !insertmacro AnnounceScreenSaveActive 0
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $0
    ${If} $0 == "1"
      !insertmacro AnnounceScreenSaveActive 1
    ${Else}
      !insertmacro AnnounceScreenSaveActive 0
    ${EndIf}
  ${EndIf}
FunctionEnd
