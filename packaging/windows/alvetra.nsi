; The installer of Alvetra for Windows, made on Linux with NSIS (packaging/windows/Windows.cmake):
;   makensis -DVERSION=1.61 -DDIST=<the program's folder> -DUNINSTALL_LIST=<its Delete lines>
;            -DOUTFILE=<alvetra-1.61-setup.exe> -DICON=<alvetra.ico> alvetra.nsi
; Installs for every user into Program Files (64-bit Windows), with a Start-menu entry, an entry in the system's
; list of installed programs and ".alm" and ".v14" opened with Alvetra, and offers to lower the
; FTDI adapters' latency timer to 1 ms. /S installs without a question (workshops that set up
; many laptops); the uninstaller takes /S as well.
Target amd64-unicode   ; a 64-bit installer for a 64-bit program: it runs where the program runs
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"

!define PRODUCT "Alvetra"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Alvetra"
!define FILE_TYPE "Alvetra.Ustawienia"
!define FTDI_BUS "SYSTEM\CurrentControlSet\Enum\FTDIBUS"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1045 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1045 "FileDescription" "Instalator programu ${PRODUCT}"
VIAddVersionKey /LANG=1045 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "LegalCopyright" "the Alvetra maintainers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\alvetra.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Alvetra"
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${DIST}\*.*"
  WriteUninstaller "$INSTDIR\Odinstaluj.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\alvetra.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Instrukcja.lnk" "$INSTDIR\Autoalrm Tervona CAN read.pdf"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Ćwiczenia na symulowanej centrali.lnk" "$INSTDIR\alvetra.exe" "--simulator"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "the Alvetra maintainers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\alvetra.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Odinstaluj.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Odinstaluj.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; Settings files open with Alvetra.
  WriteRegStr HKLM "Software\Classes\.alm" "" "${FILE_TYPE}"
  WriteRegStr HKLM "Software\Classes\.v14" "" "${FILE_TYPE}"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}" "" "Ustawienia centrali alarmowej"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\alvetra.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\alvetra.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; FTDI's driver holds received bytes 16 ms by default, which makes every reply of the unit come
; later (a full read some 0.6 s longer). Offered, and taken by /S: each FTDI adapter the system
; knows holds them 1 ms, as Device Manager's advanced port settings would set it. The driver
; takes it when the adapter is next plugged in.
Section "Przejściówki USB FTDI: opóźnienie odbioru 1 ms"
  StrCpy $0 0
  ftdi_devices:
    EnumRegKey $1 HKLM "${FTDI_BUS}" $0
    StrCmp $1 "" ftdi_done
    StrCpy $2 0
  ftdi_instances:
    EnumRegKey $3 HKLM "${FTDI_BUS}\$1" $2
    StrCmp $3 "" ftdi_next_device
    ReadRegStr $4 HKLM "${FTDI_BUS}\$1\$3\Device Parameters" "PortName"
    StrCmp $4 "" +2
      WriteRegDWORD HKLM "${FTDI_BUS}\$1\$3\Device Parameters" "LatencyTimer" 1
    IntOp $2 $2 + 1
    Goto ftdi_instances
  ftdi_next_device:
    IntOp $0 $0 + 1
    Goto ftdi_devices
  ftdi_done:
SectionEnd

; Removes what the installer put there and nothing else: the user's preferences and backups
; (in the user's application data, or "Serkano.ini" beside the program) stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Instrukcja.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Ćwiczenia na symulowanej centrali.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

!include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Odinstaluj.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ReadRegStr $0 HKLM "Software\Classes\.alm" ""
  StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.alm"
  ReadRegStr $0 HKLM "Software\Classes\.v14" ""
  StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.v14"
  DeleteRegKey HKLM "Software\Classes\${FILE_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
