; The Tessaly installer: puts the tools into one folder beside which the Launcher runs them,
; registers the uninstaller, and takes them away again. Built by installer/CMakeLists.txt,
; which defines VERSION, STAGE (the folder holding the files to install), PRODUCT_ICON,
; WIZARD_BITMAP and OUTFILE, and writes installed-files.nsh (the File and Delete lines).
;
; Silent use:  TessalySetup-<version>.exe /S /D=C:\Folder\Tessaly
;              Uninstall.exe /S [/REMOVESETTINGS]
; The settings under HKEY_CURRENT_USER\Software\Quorlane\Tessaly stay unless the user ticks
; "Remove my settings" or gives /REMOVESETTINGS.

Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "LogicLib.nsh"
!include "${STAGE}\..\installed-files.nsh"

!define PRODUCT "Tessaly"
!define PUBLISHER "Quorlane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define SETTINGS_KEY "Software\Quorlane\Tessaly"
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The tools are 32-bit: on 64-bit Windows this is "Program Files (x86)".
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
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
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"
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
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.${PRODUCT}" SecUnProduct
  SectionIn RO
  ; Scrivel takes the Launcher's start at logon (the Run entry) away itself.
  ${If} ${FileExists} "$INSTDIR\Scrivel.exe"
    ExecWait '"$INSTDIR\Scrivel.exe" /uninstall'
  ${EndIf}
  !insertmacro RemoveFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: the Launcher or the user's own files may live here too.
  RMDir "$INSTDIR"
  IfRebootFlag 0 +2
  MessageBox MB_OK|MB_ICONINFORMATION "Some files were in use; they are removed when Windows restarts." /SD IDOK
SectionEnd

Section /o "un.Remove my settings" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
SectionEnd

; Last, so that an entry gone from the list means the work is done.
Section "-un.Unregister"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProduct} "Scrivel, Options, Brenlo, the editor component, the help file and the uninstaller."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} "Also delete your settings under HKEY_CURRENT_USER\${SETTINGS_KEY}."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
FunctionEnd
