; The Windows installer: per user, no administrator rights. The program goes
; to a folder of the user's own, the log and the settings to Documents\Vireok,
; which the uninstaller never removes. Made by makensis from the cross build:
;   makensis -DVERSION=x.y.z -DBUILD=<build-win> -DHOST=<Linux build> -DSOURCE=<tree> -DOUT=<setup.exe> vireok.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "x64.nsh"

Name "Vireok ${VERSION}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\Vireok"
BrandingText "Vireok ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vireok"
!define MUI_ICON "${HOST}\icons\vireok.ico"
!define MUI_UNICON "${HOST}\icons\vireok.ico"

; Where the user's files will be is said before anything is installed.
!define MUI_WELCOMEPAGE_TEXT "Будет установлена программа Vireok ${VERSION} для этого пользователя; права администратора не нужны.$\r$\n$\r$\nЖурнал (vireok.mdb), настройки (settings.ini) и отчёты будут храниться в папке «Документы\Vireok»:$\r$\n$DOCUMENTS\Vireok$\r$\n$\r$\nУдаление программы эту папку не затрагивает.$\r$\n$\r$\nНажмите «Далее», чтобы продолжить."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductName" "Vireok"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileDescription" "Установка Vireok"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "CompanyName" "Kalvex"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "LegalCopyright" "GNU GPL, версия 3"

Section "Vireok"
  SetOutPath "$INSTDIR"
  File "${BUILD}\vireok.exe"
  File "${HOST}\manual.pdf"
  File "/oname=LICENSE.txt" "${SOURCE}\LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The data folder stands in for the program's folder: the log, settings.ini
  ; and the reports live where the user finds them. The program asks Windows
  ; for Documents itself; the marker only says that this copy is installed.
  ; An earlier installer's data-folder.txt held the path in the ANSI code
  ; page, which lost a Cyrillic user name.
  CreateDirectory "$DOCUMENTS\Vireok"
  Delete "$INSTDIR\data-folder.txt"
  FileOpen $0 "$INSTDIR\installed.txt" w
  FileWrite $0 "Vireok was installed here; its data folder is Documents\Vireok.$\r$\n"
  FileClose $0

  SetOutPath "$DOCUMENTS\Vireok"
  CreateDirectory "$SMPROGRAMS\Vireok"
  CreateShortcut "$SMPROGRAMS\Vireok\Vireok.lnk" "$INSTDIR\vireok.exe" "" "$INSTDIR\vireok.exe" 0
  CreateShortcut "$SMPROGRAMS\Vireok\Руководство Vireok.lnk" "$INSTDIR\manual.pdf"
  CreateShortcut "$SMPROGRAMS\Vireok\Удалить Vireok.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vireok"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Kalvex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vireok.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The program and its menu entries go; Documents\Vireok, with the log,
; stays whatever it holds.
Section "Uninstall"
  Delete "$INSTDIR\vireok.exe"
  Delete "$INSTDIR\manual.pdf"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\data-folder.txt"
  Delete "$INSTDIR\installed.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Vireok\Vireok.lnk"
  Delete "$SMPROGRAMS\Vireok\Руководство Vireok.lnk"
  Delete "$SMPROGRAMS\Vireok\Удалить Vireok.lnk"
  RMDir "$SMPROGRAMS\Vireok"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
