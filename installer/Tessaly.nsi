; The Tessaly installer: puts the tools into the Launcher's folder, which the Launcher runs
; them from, registers the uninstaller, and takes them away again. Built by
; installer/CMakeLists.txt, which defines VERSION, STAGE (the folder holding the files to
; install), PRODUCT_ICON, WIZARD_BITMAP and OUTFILE, and writes installed-files.nsh (the
; list of the files).
;
; Silent use:  TessalySetup-<version>.exe /S [/D=C:\Folder]
;              Uninstall-Tessaly.exe /S [/REMOVESETTINGS]
; Without /D= the folder is the Launcher's when its start at logon names it, else that of
; the Tessaly installed before, else "Tessaly" under Program Files. Files already in the
; folder that Setup did not put there are kept aside (silently: without asking).
; The settings under HKEY_CURRENT_USER\Software\Quorlane\Tessaly stay unless the user ticks
; "Remove my settings" or gives /REMOVESETTINGS.

Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"
!include "${STAGE}\..\installed-files.nsh"

!define PRODUCT "Tessaly"
!define PUBLISHER "Quorlane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define SETTINGS_KEY "Software\Quorlane\Tessaly"
!define UNINSTALLER "Uninstall-Tessaly.exe"

Var FolderNote
Var Foreign
Var InstalledBytes

!include "${__FILEDIR__}/LauncherFolder.nsh"
!include "${__FILEDIR__}/OwnFiles.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; No InstallDir: $INSTDIR is set before .onInit only by /D=, and .onInit chooses the rest.
RequestExecutionLevel admin
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${PRODUCT_ICON}"
!define MUI_UNICON "${PRODUCT_ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION}: Scrivel, the configuration editor, the Options dialog and the Brenlo log viewer.$\r$\n$\r$\nInstall them into the folder of the Launcher, which starts them.$\r$\n$\r$\nClick Next to continue."
!define MUI_DIRECTORYPAGE_TEXT_TOP "$FolderNote"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Tessaly-ReadMe.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the read-me"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "The program files are removed. Your settings (the files Scrivel opens, colours, hosts, browsers) stay for a later installation unless you tick the box below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "${PRODUCT}" SecProduct
  SectionIn RO
  StrCpy $Foreign ""
  !insertmacro CollectForeign "${UNINSTALLER}"
  !insertmacro ForEachInstalledFile CollectForeign
  ${If} $Foreign != ""
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Setup did not install these files in $INSTDIR:$Foreign$\r$\n$\r$\nSetup keeps each of them under its name followed by ${KEPT_SUFFIX}, puts its own in its place, and puts it back when Tessaly is uninstalled.$\r$\n$\r$\nReplace them? No stops the installation and changes nothing." /SD IDYES IDNO`
      Abort "Nothing was installed: the files in $INSTDIR stay as they are."
    ${EndIf}
  ${EndIf}

  SetOutPath "$INSTDIR"
  StrCpy $InstalledBytes 0
  ; The uninstaller first: should copying stop half-way, it still puts back what was kept.
  Push "${UNINSTALLER}"
  Call KeepForeign
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Push "${UNINSTALLER}"
  Call RecordOurs
  !insertmacro ForEachInstalledFile InstallFile

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, of our files only: the folder is the Launcher's too.
  IntOp $0 $InstalledBytes / 1024
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.${PRODUCT}" SecUnProduct
  SectionIn RO
  ; Scrivel takes the Launcher's start at logon (the Run entry) away itself; another
  ; maker's Scrivel.exe is not ours to run.
  Push "Scrivel.exe"
  Call un.IsOurs
  Pop $0
  ${If} $0 == 1
    ExecWait '"$INSTDIR\Scrivel.exe" /uninstall'
  ${EndIf}
  !insertmacro ForEachInstalledFile RemoveFile
  !insertmacro RemoveFile "${UNINSTALLER}"
  Delete "$INSTDIR\${RECORD}"
  ; Only when empty: the Launcher or the user's own files may live here too.
  RMDir "$INSTDIR"
  IfRebootFlag 0 +2
  MessageBox MB_OK|MB_ICONINFORMATION "Some files were in use; they are removed when Windows restarts." /SD IDOK
SectionEnd

Section /o "un.Remove my settings" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
SectionEnd

; Last, so that an entry gone from the list means the work is done. An entry that names
; another folder belongs to the installation there.
Section "-un.Unregister"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProduct} "Scrivel, Options, Brenlo, the editor component, the help file and the uninstaller; the files Setup kept aside go back in their place."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} "Also delete your settings under HKEY_CURRENT_USER\${SETTINGS_KEY}."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function .onInit
  !define ADVICE "The Launcher starts the tools from its own folder: install them there."
  ${If} $INSTDIR != ""
    StrCpy $FolderNote "Setup offers the folder given on its command line. ${ADVICE}"
    Return
  ${EndIf}
  Call FindLauncherFolder
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 != ""
    StrCpy $INSTDIR $R0
    StrCpy $FolderNote "Setup offers the Launcher's folder, found from the Launcher's start at logon: the Launcher starts the tools from beside itself."
  ${ElseIf} $0 != ""
  ${AndIf} ${FileExists} "$0\*.*"
    StrCpy $INSTDIR $0
    StrCpy $FolderNote "Setup did not find the Launcher (it looks for the Launcher's start at logon), so it offers the folder of the Tessaly installed before. ${ADVICE}"
  ${Else}
    ; The tools are 32-bit: on 64-bit Windows this is "Program Files (x86)".
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    StrCpy $FolderNote "Setup did not find the Launcher (it looks for the Launcher's start at logon), so it offers $\"${PRODUCT}$\" under Program Files. ${ADVICE}"
  ${EndIf}
FunctionEnd

Function un.onInit
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd
