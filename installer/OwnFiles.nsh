; Which files in the folder are ours. The Launcher's folder may already hold files of the
; names the Launcher fixes (Scrivel.exe, Options.dll, Brenlo.dll, editor.dll): another
; maker's, or ones the user put there. The record ${RECORD} notes, for each file the
; installation put down, its size and last-write time, and the name under which it kept
; the file it replaced. A file is ours only while it is the one recorded; any other file
; is replaced only after it was kept under a name of ours, and the uninstaller deletes
; ours alone and puts the kept ones back.

!define RECORD "Uninstall-Tessaly.ini"
!define KEPT_SUFFIX ".before-Tessaly"

!macro OWN_FILE_FUNCTIONS UN
  ; In: a path on the stack. Out: "<size> <time high> <time low>", or "" when there is no
  ; such file.
  Function ${UN}FileStamp
    Exch $0
    Push $1
    Push $2
    ClearErrors
    FileOpen $1 $0 r
    ${If} ${Errors}
      StrCpy $0 ""
    ${Else}
      FileSeek $1 0 END $2
      FileClose $1
      GetFileTime $0 $0 $1
      StrCpy $0 "$2 $0 $1"
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; In: a file name on the stack. Out: 1 when the folder's file of that name is the one the
  ; record notes, else 0.
  Function ${UN}IsOurs
    Exch $0
    Push $1
    ReadINIStr $1 "$INSTDIR\${RECORD}" $0 "Stamp"
    Push "$INSTDIR\$0"
    Call ${UN}FileStamp
    Pop $0
    ${If} $1 != ""
    ${AndIf} $1 == $0
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Pop $1
    Exch $0
  FunctionEnd
!macroend

!insertmacro OWN_FILE_FUNCTIONS ""
!insertmacro OWN_FILE_FUNCTIONS "un."

; Adds the name to $Foreign when the folder holds a file of that name that is not ours.
!macro CollectForeign NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    Push "${NAME}"
    Call IsOurs
    Pop $0
    ${IfThen} $0 == 0 ${|} StrCpy $Foreign "$Foreign$\r$\n      ${NAME}" ${|}
  ${EndIf}
!macroend

; In: a file name on the stack. A file of that name that is not ours is renamed to the first
; free "<name>.before-Tessaly", "<name>.before-Tessaly-2", ..., and the record notes it.
Function KeepForeign
  Exch $0
  Push $1
  Push $2
  ${If} ${FileExists} "$INSTDIR\$0"
    Push $0
    Call IsOurs
    Pop $1
    ${If} $1 == 0
      StrCpy $1 "$0${KEPT_SUFFIX}"
      StrCpy $2 1
      ${While} ${FileExists} "$INSTDIR\$1"
        IntOp $2 $2 + 1
        StrCpy $1 "$0${KEPT_SUFFIX}-$2"
      ${EndWhile}
      ClearErrors
      Rename "$INSTDIR\$0" "$INSTDIR\$1"
      ${If} ${Errors}
        Abort "$0 could not be kept as $1: it stays as it was, and the installation stops."
      ${EndIf}
      WriteINIStr "$INSTDIR\${RECORD}" $0 "Kept" $1
      FlushINI "$INSTDIR\${RECORD}"
      DetailPrint "Kept the earlier $0 as $1"
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; In: a file name on the stack. Notes the file just put down as ours, and adds its size to
; $InstalledBytes.
Function RecordOurs
  Exch $0
  Push $1
  Push "$INSTDIR\$0"
  Call FileStamp
  Pop $1
  WriteINIStr "$INSTDIR\${RECORD}" $0 "Stamp" $1
  FlushINI "$INSTDIR\${RECORD}"
  ${WordFind} $1 " " "+1" $1
  IntOp $InstalledBytes $InstalledBytes + $1
  Pop $1
  Pop $0
FunctionEnd

!macro InstallFile NAME
  Push "${NAME}"
  Call KeepForeign
  File "${STAGE}\${NAME}"
  Push "${NAME}"
  Call RecordOurs
!macroend

; In: a file name on the stack. Deletes the file when it is ours, then puts back the file
; kept in its place. A file changed since the installation is no longer ours: it stays,
; and so does the kept one.
Function un.RemoveFile
  Exch $0
  Push $1
  Push $2
  Push $0
  Call un.IsOurs
  Pop $1
  ${If} $1 == 1
    Delete /REBOOTOK "$INSTDIR\$0"
  ${ElseIf} ${FileExists} "$INSTDIR\$0"
    DetailPrint "$0 stays: it is not the one Setup installed."
  ${EndIf}
  ReadINIStr $2 "$INSTDIR\${RECORD}" $0 "Kept"
  ${If} $2 != ""
  ${AndIf} ${FileExists} "$INSTDIR\$2"
    ; When ours could only be marked for deletion at restart, so is the return.
    ${If} $1 == 1
    ${OrIfNot} ${FileExists} "$INSTDIR\$0"
      Rename /REBOOTOK "$INSTDIR\$2" "$INSTDIR\$0"
      DetailPrint "Put back the earlier $0"
    ${Else}
      DetailPrint "$2 stays: $0 is in its place."
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!macro RemoveFile NAME
  Push "${NAME}"
  Call un.RemoveFile
!macroend
