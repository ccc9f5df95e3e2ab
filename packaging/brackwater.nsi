; The Brackwater setup program: installs for the current user only, without administrator rights.
;
; Made by scripts/release.sh:
;   makensis -DARCH=win64|win32 -DVERSION=x.y.z -DBIN=<build>/bin -DREADME=<readme.txt>
;            -DICON=<program icon> -DOUTFILE=<setup.exe> [-DSIGN=<scripts/sign.sh>]
;            packaging/brackwater.nsi
; With SIGN, the uninstaller is signed by that script as it is made, before it goes into the
; setup program (the release signs the setup program itself afterwards).
;
; Run by a user: the wizard (folder, progress, "Start Brackwater" at the end); or silently with /S,
; and /D=FOLDER (last on the command line, unquoted) for another folder than
; %LOCALAPPDATA%\Programs\Brackwater.
;
; A user has one installation, whichever of the two setup programs made it: a new run offers the
; folder of the existing one (its Uninstall entry names it) and replaces the files there. Given
; another folder, it removes the program files from the earlier folder first.
;
; Exit codes of a silent run: 0 installed; 3 Brackwater is still running (nothing is changed); 4
; the earlier installation could not be removed (nothing is installed, and the earlier one stays
; registered with its uninstaller).

!ifndef ARCH | VERSION | BIN | README | OUTFILE
  !error "ARCH, VERSION, BIN, README and OUTFILE must be defined"
!endif

!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH must be win64 or win32"
!endif

; The version comes from the program's own version resource; the file names carry the same one.
!getdllversion "${BIN}/Brackwater.exe" PROGRAM_VERSION_
!if "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}" != "${VERSION}"
  !error "Brackwater.exe is version ${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}, not ${VERSION}"
!endif

!define DISPLAY_NAME "Brackwater for Dynamics NAV"
!define PUBLISHER "Brackwater"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brackwater"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Brackwater"
!define LOCATION_KEY "Software\Brackwater\Config Location"
!define MAIN_WINDOW_CLASS "TfrmNavision"
!define SHORTCUT "$SMPROGRAMS\Brackwater.lnk"
; How long a running Brackwater gets to save its settings and end: 60 steps of 250 ms.
!define CLOSE_STEPS 60
; How long a file of the earlier installation may stay in use before the setup gives up on it:
; 8 steps of 250 ms.
!define REMOVE_STEPS 8
!define EXIT_STILL_RUNNING 3
!define EXIT_EARLIER_KEPT 4

Unicode true
SetCompressor /SOLID lzma
Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Brackwater"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show
BrandingText "${DISPLAY_NAME} ${VERSION}"

!ifdef SIGN
  !uninstfinalize 'bash "${SIGN}" --as Uninstall.exe "%1"' = 0
!endif

; The same company, product, version and copyright as the programs' version resources.
!define FILE_VERSION "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${DISPLAY_NAME} setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=1033 "InternalName" "Brackwater setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) The Brackwater developers"
VIAddVersionKey /LANG=1033 "OriginalFilename" "Brackwater-${VERSION}-${ARCH}-setup.exe"
VIAddVersionKey /LANG=1033 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ConfirmMove
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN ""
!define MUI_FINISHPAGE_RUN_TEXT "Start Brackwater now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartBrackwater
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Brackwater will be removed from the folder below. Your settings file is kept."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; CloseBrackwater / un.CloseBrackwater: asks every running Brackwater to end with the registered
; "CloseBrackwater" message, posted to its main window (it saves its settings on the way), and
; waits for the process to end, bounded. A Brackwater that stays (a dialog of its own still open,
; or one running as administrator, which a user's message does not reach) is left to the user:
; Retry after ending it, or Cancel, which stops the setup with nothing replaced. Silent runs cancel.
!macro CLOSE_BRACKWATER PREFIX
Function ${PREFIX}CloseBrackwater
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  System::Call 'user32::RegisterWindowMessage(t "CloseBrackwater") i .r1'
  next_window:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    StrCmp $0 0 all_ended
    DetailPrint "Asking the running Brackwater to save its settings and end..."
    StrCpy $2 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
    ; SYNCHRONIZE: enough to wait for the process.
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
    System::Call 'user32::PostMessage(p r0, i r1, p 0, p 0)'
    StrCpy $4 0
    wait_step:
      StrCmp $3 0 watch_window
        System::Call 'kernel32::WaitForSingleObject(p r3, i 250) i .r5'
        StrCmp $5 0 ended count_step
      watch_window:
        ; The process cannot be watched: its main window going away counts, after a moment for
        ; the process to let go of its files.
        Sleep 250
        IsWindow $0 count_step
        Sleep 1000
        Goto ended
      count_step:
      IntOp $4 $4 + 1
      IntCmp $4 ${CLOSE_STEPS} 0 wait_step
    StrCmp $3 0 +2
      System::Call 'kernel32::CloseHandle(p r3)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Brackwater is still running and did not end when asked.$\r$\n$\r$\nEnd it with Exit in its tray menu, then choose Retry." /SD IDCANCEL IDRETRY next_window
    DetailPrint "Brackwater is still running: nothing was changed."
    SetErrorLevel ${EXIT_STILL_RUNNING}
    Quit
  ended:
    StrCmp $3 0 +2
      System::Call 'kernel32::CloseHandle(p r3)'
    DetailPrint "Brackwater has ended."
    Goto next_window
  all_ended:
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro CLOSE_BRACKWATER ""
!insertmacro CLOSE_BRACKWATER "un."

; The files an installation puts into its folder, besides its uninstaller; a file that a later
; version no longer installs stays in this list. The watcher library comes first: it is the file
; most likely still in use (other programs may hold it for a moment after Brackwater ends), and a
; removal that stops at it has changed nothing.
!macro PROGRAM_FILES ACTION FOLDER
  !insertmacro ${ACTION} "${FOLDER}\BWMsgWatch.dll"
  !insertmacro ${ACTION} "${FOLDER}\Brackwater.exe"
  !insertmacro ${ACTION} "${FOLDER}\bwconfig.exe"
  !insertmacro ${ACTION} "${FOLDER}\README.txt"
!macroend
!macro DELETE_FILE FILE
  Delete "${FILE}"
!macroend
; (A file counts as removed when it is gone: Delete may report success for a file that stays.)
!macro DELETE_FILE_OR_STOP FILE
  Delete "${FILE}"
  IfFileExists "${FILE}" not_removed
!macroend

Var EarlierFolder

!macro FOLDER_FUNCTIONS PREFIX
; A folder as an absolute path without a trailing backslash, for comparing two of them.
Function ${PREFIX}FullFolder
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::GetFullPathName(t r0, i ${NSIS_MAX_STRLEN}, t .r1, p 0) i .r2'
  StrCmp $2 0 +2
    StrCpy $0 $1
  StrLen $2 $0
  IntCmp $2 3 done done
  StrCpy $1 $0 1 -1
  StrCmp $1 "\" 0 done
    StrCpy $0 $0 -1
  done:
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Sets $EarlierFolder to the folder of the registered installation when that is not $INSTDIR, and
; to "" otherwise. (Folders compare without regard to case.)
Function ${PREFIX}FindEarlierFolder
  Push $0
  ReadRegStr $EarlierFolder HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $EarlierFolder "" done
  Push $EarlierFolder
  Call ${PREFIX}FullFolder
  Pop $EarlierFolder
  Push $INSTDIR
  Call ${PREFIX}FullFolder
  Pop $0
  StrCmp $EarlierFolder $0 0 done
    StrCpy $EarlierFolder ""
  done:
  Pop $0
FunctionEnd
!macroend
!insertmacro FOLDER_FUNCTIONS ""
!insertmacro FOLDER_FUNCTIONS "un."

; Leaving the folder page: another folder than the existing installation's moves Brackwater.
Function ConfirmMove
  Call FindEarlierFolder
  StrCmp $EarlierFolder "" +3
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "Brackwater is installed in$\r$\n$EarlierFolder$\r$\n$\r$\nIt will be removed from there and installed in$\r$\n$INSTDIR$\r$\n$\r$\nYour settings file is kept." /SD IDOK IDOK +2
    Abort
FunctionEnd

; Removes the program files and the uninstaller of the earlier installation from $EarlierFolder,
; and the folder when nothing else is left in it (a settings file kept there keeps it). Its
; Uninstall entry is left to be replaced. A file that stays in use is retried for a moment, then
; left to the user: Retry, or Cancel, which stops the setup with nothing installed; the earlier
; installation then stays registered and its uninstaller stays in place. Silent runs cancel.
Function RemoveEarlierInstallation
  Push $0
  StrCpy $0 0
  DetailPrint "Removing the earlier installation from $EarlierFolder..."
  retry:
    !insertmacro PROGRAM_FILES DELETE_FILE_OR_STOP "$EarlierFolder"
    !insertmacro DELETE_FILE_OR_STOP "$EarlierFolder\Uninstall.exe"
    RMDir "$EarlierFolder"
    Pop $0
    Return
  not_removed:
    IntOp $0 $0 + 1
    Sleep 250
    IntCmp $0 ${REMOVE_STEPS} 0 retry
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "The earlier installation of Brackwater in$\r$\n$EarlierFolder$\r$\ncannot be removed: a file of it is in use or may not be deleted.$\r$\n$\r$\nEnd the program that uses it, then choose Retry." /SD IDCANCEL IDRETRY retry
    DetailPrint "The earlier installation in $EarlierFolder cannot be removed: nothing was installed."
    SetErrorLevel ${EXIT_EARLIER_KEPT}
    Quit
FunctionEnd

Function StartBrackwater
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Brackwater.exe"'
FunctionEnd

Section "Brackwater" SectionProgram
  SectionIn RO
  SetShellVarContext current
  Call CloseBrackwater
  Call FindEarlierFolder
  StrCmp $EarlierFolder "" +2
    Call RemoveEarlierInstallation

  SetOutPath "$INSTDIR"
  File "${BIN}/Brackwater.exe"
  File "${BIN}/BWMsgWatch.dll"
  File "${BIN}/bwconfig.exe"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\Brackwater.exe" "" "$INSTDIR\Brackwater.exe" 0 SW_SHOWNORMAL "" "${DISPLAY_NAME}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brackwater.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ; A start-with-Windows value that started the earlier copy starts this one now.
  ${If} $EarlierFolder != ""
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == "$EarlierFolder\Brackwater.exe"
    ${OrIf} $0 == '"$EarlierFolder\Brackwater.exe"'
      WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Brackwater.exe"'
    ${EndIf}
  ${EndIf}
SectionEnd

; The settings file the program uses: in the folder named under "Config Location", or in the
; user's application data folder.
Function un.SettingsFile
  Push $0
  Push $1
  ReadRegStr $0 HKCU "${LOCATION_KEY}" "Folder"
  StrCmp $0 "" 0 +2
    StrCpy $0 "$APPDATA\Brackwater"
  StrCpy $1 $0 1 -1
  StrCmp $1 "\" +2
    StrCpy $0 "$0\"
  StrCpy $0 "$0Brackwater.config"
  Pop $1
  Exch $0
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseBrackwater

  !insertmacro PROGRAM_FILES DELETE_FILE "$INSTDIR"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The Start menu shortcut and the Uninstall entry, unless they are another folder's: a copy left
  ; behind by an earlier setup program leaves the registered installation alone.
  Call un.FindEarlierFolder
  ${If} $EarlierFolder == ""
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ; The start-with-Windows value, when it starts this copy (Brackwater writes it quoted, earlier
  ; releases unquoted; the value of a copy elsewhere is that copy's own). Removed only now: Brackwater writes it again
  ; when it ends.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\Brackwater.exe"
  ${OrIf} $0 == '"$INSTDIR\Brackwater.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  Call un.SettingsFile
  Pop $0
  DetailPrint "Your settings file stays at $0"
  MessageBox MB_OK|MB_ICONINFORMATION "Brackwater is removed.$\r$\n$\r$\nYour settings file stays at$\r$\n$0$\r$\nA new installation uses it again; delete it yourself when you no longer need it." /SD IDOK
SectionEnd
