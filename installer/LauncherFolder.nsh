; The Launcher's folder, found from the Launcher's start at logon: the Run value
; "ApacheLauncher" holds the Launcher's program, quoted or not, usually followed by
; arguments (the Launcher writes "C:\Its Folder\Launcher.exe" /auto).

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "ApacheLauncher"

; Out: $R0 = the Launcher's folder, or "" when there is no such value or its folder is
; not an existing folder given with its drive or share.
Function FindLauncherFolder
  Push $R1
  Push $R2
  ReadRegStr $R0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ExpandEnvStrings $R0 $R0
  ${Do}
    StrCpy $R1 $R0 1
    ${IfThen} $R1 != " " ${|} ${ExitDo} ${|}
    StrCpy $R0 $R0 "" 1
  ${Loop}

  ${If} $R1 == '"'
    ; The program is what stands between the quotes.
    StrCpy $R0 $R0 "" 1
    StrCpy $R2 0
    ${Do}
      StrCpy $R1 $R0 1 $R2
      ${IfThen} $R1 == '"' ${|} ${ExitDo} ${|}
      ${IfThen} $R1 == "" ${|} ${ExitDo} ${|}
      IntOp $R2 $R2 + 1
    ${Loop}
    StrCpy $R0 $R0 $R2
  ${ElseIf} $R0 != ""
    ; Unquoted, read as Windows reads a command line: the first run of words that names an
    ; existing file ("C:\Program Files\Launcher\Launcher.exe /auto"); failing that, the
    ; first word.
    Push $R0
    Call ProgramOfUnquotedCommand
    Pop $R0
  ${EndIf}

  ${If} $R0 != ""
    ${GetParent} $R0 $R0
  ${EndIf}
  StrCpy $R1 $R0 2 1
  StrCpy $R2 $R0 2
  ${If} $R1 != ":\"
  ${AndIf} $R2 != "\\"
    StrCpy $R0 ""
  ${ElseIfNot} ${FileExists} "$R0\*.*"
    StrCpy $R0 ""
  ${EndIf}
  Pop $R2
  Pop $R1
FunctionEnd

; In: a command line without quotes on the stack. Out: its program on the stack.
Function ProgramOfUnquotedCommand
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $2 1
  StrCpy $3 ""
  ${Do}
    StrCpy $1 $0 1 $2
    ${If} $1 == " "
    ${OrIf} $1 == ""
      StrCpy $1 $0 $2
      ${IfThen} $3 == "" ${|} StrCpy $3 $1 ${|}
      ${If} ${FileExists} $1
      ${AndIfNot} ${FileExists} "$1\*.*"
        StrCpy $3 $1
        ${ExitDo}
      ${EndIf}
      StrCpy $1 $0 1 $2
      ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $0 $3
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
