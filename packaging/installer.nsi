; The setup program: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs, where the program may write its settings and
; playlists beside itself.
;
; makensis -DVERSION=2.1.0 -DVERSION4=2.1.0.0 -DSTAGE=<folder> -DFILES=<files.nsh> -DICON=<app.ico>
;          -DSIDE=<side.bmp> -DOUTFILE=<setup.exe> installer.nsi
; (packaging/make-packages.sh passes them)
;   STAGE holds the files of the portable zip; the setup installs exactly those,
;   and FILES lists them: what to install and, for the uninstaller, what to
;   remove (macros INSTALL_FILES and UNINSTALL_FILES).
;
; It needs Windows 10 version 1903 or later, like the program, and refuses an
; older Windows.
;
; Switches (besides NSIS's /S and /D=folder, which must come last):
;   /RUNATSTARTUP=1|0   "Start with Windows" on or off
;   /QVL=1|0            open .qvl playlists with the program, or not
; Without them an upgrade keeps what the user had, a first install has both off.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef VERSION | VERSION4 | STAGE | FILES | ICON | OUTFILE
  !error "VERSION, VERSION4, STAGE, FILES, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Pellimox Free Wallpaper Changer"
!define PUBLISHER "Pellimox"
!define EXE "WallpaperChanger.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PellimoxFreeWallpaperChanger"
; What the program itself writes: its "Start with Windows" value and its
; playlist file type (src/app/panel/main_form.cpp, src/settings/file_type.cpp).
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Wallpaper Manager"
!define QVL_TYPE "Drapenix PlayList"
!define QVL_DESCRIPTION "Pellimox Free Wallpaper Changer Playlist"
; The program's converted wallpaper bitmaps, per user (src/wallpaper/wp_changer.h):
; WPCWallpaper.bmp and WPCWallpaper-<n>.bmp.
!define USER_DATA "$LOCALAPPDATA\${PRODUCT}"
; The first build of Windows 10 version 1903: the first to give the program
; the UTF-8 code page its manifest asks for.
!define MIN_BUILD 18362

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinVer.nsh
!include "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION4}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Var RunAtStartup
Var Qvl
Var RunCheck
Var QvlCheck

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE}"
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---- the running program ---------------------------------------------------
; Asks a copy of the program that runs from $INSTDIR to end the way its own
; "Exit" does: WM_CLOSE to its control panel, which saves the playlist and the
; settings and ends (a shown panel first goes to the tray, so the message is
; repeated). Waits for the process to end; never terminates it, so no save is
; cut short. Leaves $0 = "ok" or "running".
!macro CLOSE_PROGRAM un
Function ${un}CloseProgram
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $0 "ok"
  StrCpy $1 0 ; the window found last
  ${Do}
    FindWindow $1 "WcForm" "" 0 $1
    ${If} $1 == 0
      ${Break}
    ${EndIf}
    ; The control panel is the form with a taskbar button (WS_EX_APPWINDOW).
    System::Call 'user32::GetWindowLongPtrW(p r1, i -20) p .r2'
    IntOp $2 $2 & 0x40000
    ${If} $2 == 0
      ${Continue}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i 0 r3)'
    ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r3) p .r4'
    ${If} $4 == 0
      ${Continue}
    ${EndIf}
    System::Call 'kernel32::QueryFullProcessImageNameW(p r4, i 0, w .r5, *i ${NSIS_MAX_STRLEN})'
    ${If} $5 != "$INSTDIR\${EXE}"
      System::Call 'kernel32::CloseHandle(p r4)'
      ${Continue}
    ${EndIf}
    DetailPrint "Asking the running ${PRODUCT} to close"
    StrCpy $6 0
    ${Do}
      System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
      System::Call 'kernel32::WaitForSingleObject(p r4, i 1000) i .r2'
      ${If} $2 == 0 ; WAIT_OBJECT_0: it has ended
        ${Break}
      ${EndIf}
      IntOp $6 $6 + 1
      ${If} $6 >= 60
        StrCpy $0 "running"
        ${Break}
      ${EndIf}
    ${Loop}
    System::Call 'kernel32::CloseHandle(p r4)'
    ${If} $0 != "ok"
      ${Break}
    ${EndIf}
    StrCpy $1 0 ; windows change as the program ends: look again from the start
  ${Loop}
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro CLOSE_PROGRAM ""
!insertmacro CLOSE_PROGRAM "un."

!macro ENSURE_CLOSED un
  ${Do}
    Call ${un}CloseProgram
    ${If} $0 == "ok"
      ${Break}
    ${EndIf}
    IfSilent 0 +3
      SetErrorLevel 2
      Quit
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running and did not close. Close it, then choose Retry." IDRETRY +2
      Quit
  ${Loop}
!macroend

; ---- what the program registers --------------------------------------------
; The Run value and the playlist type count as ours when they name our program.
Function RunValueIsOurs
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $0 $0 "" 1 ; past the opening quote
  StrLen $1 "$INSTDIR\${EXE}"
  StrCpy $0 $0 $1
  ${If} $0 == "$INSTDIR\${EXE}"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

Function QvlIsOurs
  ReadRegStr $0 HKCU "Software\Classes\${QVL_TYPE}\Shell\Open\Command" ""
  ${If} $0 == '"$INSTDIR\${EXE}" "%1"'
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
FunctionEnd

; Only a registration that opens this copy goes: another copy of the program
; (a portable one, registered through its own settings) keeps its own.
!macro REMOVE_QVL_TYPE ROOT PREFIX
  ReadRegStr $1 ${ROOT} "${PREFIX}${QVL_TYPE}\Shell\Open\Command" ""
  ${If} $1 == '"$INSTDIR\${EXE}" "%1"'
    ReadRegStr $0 ${ROOT} "${PREFIX}.qvl" ""
    ${If} $0 == "${QVL_TYPE}"
      DeleteRegKey ${ROOT} "${PREFIX}.qvl"
    ${EndIf}
    DeleteRegKey ${ROOT} "${PREFIX}${QVL_TYPE}"
  ${EndIf}
!macroend

; ---- install ---------------------------------------------------------------
Function .onInit
  ${IfNot} ${AtLeastBuild} ${MIN_BUILD}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs Windows 10 version 1903 or later." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; Without a choice on the command line an upgrade keeps what is set now.
  Call RunValueIsOurs
  StrCpy $RunAtStartup $0
  Call QvlIsOurs
  StrCpy $Qvl $0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/RUNATSTARTUP=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == 1
      StrCpy $RunAtStartup 1
    ${Else}
      StrCpy $RunAtStartup 0
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/QVL=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == 1
      StrCpy $Qvl 1
    ${Else}
      StrCpy $Qvl 0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Options" "Choose how ${PRODUCT} fits into Windows."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 12u "&Start with Windows"
  Pop $RunCheck
  ${If} $RunAtStartup == 1
    ${NSD_Check} $RunCheck
  ${EndIf}
  ${NSD_CreateCheckbox} 0 20u 100% 12u "&Open .qvl playlists with ${PRODUCT}"
  Pop $QvlCheck
  ${If} $Qvl == 1
    ${NSD_Check} $QvlCheck
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $RunCheck $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $RunAtStartup 1
  ${Else}
    StrCpy $RunAtStartup 0
  ${EndIf}
  ${NSD_GetState} $QvlCheck $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Qvl 1
  ${Else}
    StrCpy $Qvl 0
  ${EndIf}
FunctionEnd

Section "Program" SecProgram
  SectionIn RO
  !insertmacro ENSURE_CLOSED ""
  ; Only the program's own files: settings.ini, playlists and sound lists are
  ; the user's and an upgrade leaves them as they are.
  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ${If} $RunAtStartup == 1
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE}" -startup'
  ${Else}
    Call RunValueIsOurs
    ${If} $0 == 1
      DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
  ; The same rows the program's settings write, in the user's own classes.
  ${If} $Qvl == 1
    WriteRegStr HKCU "Software\Classes\.qvl" "" "${QVL_TYPE}"
    WriteRegStr HKCU "Software\Classes\${QVL_TYPE}" "" "${QVL_DESCRIPTION}"
    WriteRegStr HKCU "Software\Classes\${QVL_TYPE}\DefaultIcon" "" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "Software\Classes\${QVL_TYPE}\Shell\Open" "" "&Open"
    WriteRegStr HKCU "Software\Classes\${QVL_TYPE}\Shell\Open\Command" "" '"$INSTDIR\${EXE}" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ${Else}
    Call QvlIsOurs
    ${If} $0 == 1
      !insertmacro REMOVE_QVL_TYPE HKCU "Software\Classes\"
      System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    ${EndIf}
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; ---- uninstall -------------------------------------------------------------
; The uninstaller runs from a copy in %TEMP%; $INSTDIR is the folder it was in.

Section "Uninstall"
  !insertmacro ENSURE_CLOSED "un."

  ; What the program or the setup wrote into the system.
  Call un.RunValueIsOursU
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro REMOVE_QVL_TYPE HKCU "Software\Classes\"
  ; The program registers through HKEY_CLASSES_ROOT, which lands in the
  ; machine's classes where it may write there.
  !insertmacro REMOVE_QVL_TYPE HKLM "Software\Classes\"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ; Exactly the files the setup installed (a language file the user made, or
  ; another program's files when the folder is shared, stay), with their
  ; folders when that leaves them empty; then those the program writes beside
  ; itself as it works.
  !insertmacro UNINSTALL_FILES
  Delete "$INSTDIR\wallpaper.bmp"
  Delete "$INSTDIR\movie.html"
  Call un.RemoveConvertedWallpapers

  ; The user's own files: asked about, kept when silent.
  IfSilent keep
  IfFileExists "$INSTDIR\settings.ini" ask
  IfFileExists "$INSTDIR\*.qvl" ask
  IfFileExists "$INSTDIR\*.krs" ask keep
  ask:
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Delete your settings, playlists (*.qvl) and sound lists (*.krs) in $INSTDIR as well?" IDNO keep
  Delete "$INSTDIR\settings.ini"
  Delete "$INSTDIR\*.qvl"
  Delete "$INSTDIR\*.krs"
  keep:

  ; Last, so that its absence says the uninstall is over.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

; The program's converted wallpapers in the user's own folder, and the folder
; when nothing else is in it.
Function un.RemoveConvertedWallpapers
  Delete "${USER_DATA}\WPCWallpaper.bmp"
  FindFirst $0 $1 "${USER_DATA}\WPCWallpaper-*.bmp"
  ${DoWhile} $1 != ""
    ; Only WPCWallpaper-<n>.bmp, n = 1, 2, ...: the part between the dash and
    ; the extension is a whole number above 0 written plainly.
    StrCpy $2 $1 -4 13
    IntOp $3 $2 + 0
    ${If} "$3" == "$2"
    ${AndIf} $3 > 0
      Delete "${USER_DATA}\$1"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  RMDir "${USER_DATA}"
FunctionEnd

Function un.RunValueIsOursU
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $0 $0 "" 1
  StrLen $1 "$INSTDIR\${EXE}"
  StrCpy $0 $0 $1
  ${If} $0 == "$INSTDIR\${EXE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
FunctionEnd
