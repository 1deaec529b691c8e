; The phrases file, the settings file and the directory name Verdo reads.

!define WC_NO_BEST_FIT_CHARS 0x400
!define FILE_ATTRIBUTE_READONLY 1

Var WroteDefaultPhrases   ; 1 when this run put the default verdo.ini in place
Var ProgramDir            ; the folder as Verdo reads it from Install_Dir

; Verdo opens verdo.ini for reading and writing and refuses to start on an
; empty one. A phrases file the user already has is never replaced, except
; an empty one, which holds nothing to keep.
Function InstallDefaultPhrases
  StrCpy $WroteDefaultPhrases 0
  ${If} ${FileExists} "$INSTDIR\verdo.ini"
    System::Call 'kernel32::GetFileAttributes(t "$INSTDIR\verdo.ini") i .r0'
    IntOp $1 $0 & ${FILE_ATTRIBUTE_READONLY}
    ${If} $0 != -1
    ${AndIf} $1 != 0
      IntOp $0 $0 ^ ${FILE_ATTRIBUTE_READONLY}
      System::Call 'kernel32::SetFileAttributes(t "$INSTDIR\verdo.ini", i r0) i .r1'
      DetailPrint "verdo.ini was read-only; Verdo needs to open it for writing."
    ${EndIf}
    ${GetSize} "$INSTDIR" "/M=verdo.ini /S=0B /G=0" $0 $1 $2
    ${If} $0 != 0
      DetailPrint "Keeping your phrases in verdo.ini."
      Return
    ${EndIf}
  ${EndIf}
  File "verdo.ini"
  StrCpy $WroteDefaultPhrases 1
FunctionEnd

; Leaves 1 in $R0 when the ANSI form of the path in $R1 loses nothing and,
; with its terminating zero, fits the 255 bytes Verdo reads.
Function IsPathReadableByVerdo
  StrCpy $R0 0
  System::Call 'kernel32::WideCharToMultiByte(i 0, i ${WC_NO_BEST_FIT_CHARS}, w R1, i -1, m .r3, i ${NSIS_MAX_STRLEN}, p 0, *i 0 r2) i .r1'
  ${If} $1 > 0
  ${AndIf} $1 <= 255
  ${AndIf} $2 == 0
    StrCpy $R0 1
  ${EndIf}
FunctionEnd

; Sets $ProgramDir to the form of $INSTDIR that Verdo can read through its
; ANSI registry call: the path itself, or else its short form; empty when
; neither will do. $INSTDIR must exist.
Function FindProgramDir
  StrCpy $R1 $INSTDIR
  Call IsPathReadableByVerdo
  ${If} $R0 == 1
    StrCpy $ProgramDir $R1
    Return
  ${EndIf}
  GetFullPathName /SHORT $R1 $INSTDIR
  Call IsPathReadableByVerdo
  ${If} $R0 == 1
  ${AndIf} $R1 != ""
    DetailPrint "Verdo reads its folder under the short name $R1."
    StrCpy $ProgramDir $R1
    Return
  ${EndIf}
  StrCpy $ProgramDir ""
FunctionEnd

; Removes the default verdo.ini that this run wrote, for a failed install.
Function RemoveUntouchedDefaultPhrases
  ${If} $WroteDefaultPhrases == 1
    Delete "$INSTDIR\verdo.ini"
  ${EndIf}
FunctionEnd

; Leaves 1 in $R0 when the files $R1 and $R2 differ in size or in any byte,
; or either cannot be read.
Function un.FilesDiffer
  StrCpy $R0 1
  ClearErrors
  FileOpen $R3 $R1 r
  ${If} ${Errors}
    Return
  ${EndIf}
  FileOpen $R4 $R2 r
  ${If} ${Errors}
    FileClose $R3
    Return
  ${EndIf}
  FileSeek $R3 0 END $R5
  FileSeek $R4 0 END $R6
  ${If} $R5 == $R6
    FileSeek $R3 0 SET
    FileSeek $R4 0 SET
    ${Do}
      ClearErrors
      FileReadByte $R3 $R5
      ${If} ${Errors}
        StrCpy $R0 0
        ${Break}
      ${EndIf}
      FileReadByte $R4 $R6
      ${IfThen} $R5 != $R6 ${|} ${Break} ${|}
    ${Loop}
  ${EndIf}
  FileClose $R3
  FileClose $R4
FunctionEnd

; verdo.ini is the user's when it differs from the default this uninstaller
; carries; verdo.set always is (only Verdo's settings dialog writes it).
; Untouched defaults go; the user's own files stay if the user says so, and
; always in a silent uninstall.
Function un.RemoveUserFiles
  StrCpy $R7 0   ; phrases edited
  StrCpy $R8 0   ; settings present
  ${If} ${FileExists} "$INSTDIR\verdo.ini"
    InitPluginsDir
    SetOutPath "$PLUGINSDIR"
    File "/oname=default-verdo.ini" "verdo.ini"
    SetOutPath "$TEMP"
    StrCpy $R1 "$INSTDIR\verdo.ini"
    StrCpy $R2 "$PLUGINSDIR\default-verdo.ini"
    Call un.FilesDiffer
    StrCpy $R7 $R0
    ${If} $R7 == 0
      Delete "$INSTDIR\verdo.ini"
    ${EndIf}
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\verdo.set"
    StrCpy $R8 1
  ${EndIf}
  ${If} $R7$R8 == 00
    Return
  ${EndIf}

  MessageBox MB_YESNO|MB_ICONQUESTION "You have changed Verdo's phrases or settings.$\r$\n$\r$\nKeep them in $INSTDIR for a later installation?" /SD IDYES IDYES keep
  Delete "$INSTDIR\verdo.ini"
  Delete "$INSTDIR\verdo.set"
  Return
keep:
  DetailPrint "Kept your phrases and settings in $INSTDIR."
FunctionEnd

; A running verdo.scr (the screen saver, or its settings dialog) cannot be
; replaced or deleted. Rather than leave the old program behind and report
; success, ask the user to close it; a silent run ends with exit code 2.
!macro DefineEnsureVerdoClosed PREFIX
Function ${PREFIX}EnsureVerdoClosed
  ${IfNot} ${FileExists} "$INSTDIR\verdo.scr"
    Return
  ${EndIf}
retry:
  ClearErrors
  FileOpen $0 "$INSTDIR\verdo.scr" a
  ${IfNot} ${Errors}
    FileClose $0
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Verdo is running, so its program cannot be changed:$\r$\n$INSTDIR\verdo.scr$\r$\n$\r$\nPlease close Verdo's settings or screen saver and press Retry." /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro DefineEnsureVerdoClosed ""
!insertmacro DefineEnsureVerdoClosed "un."
