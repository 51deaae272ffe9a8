; The setup program of the Skelvane Server Browser: a per-machine install of the
; 32-bit program and its README, a Start-menu shortcut, an entry in the list of
; installed programs and an uninstaller. Built by installer/make-setup.sh:
;
;   makensis -DVERSION=1.0.0.11 -DPROGRAM_DIR=DIR -DICON=app.ico -DOUTFILE=setup.exe
;
; PROGRAM_DIR holds skelvane-browser.exe and README.txt, the same files as the
; archive.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written ends the install instead of being skipped, so
; that no run reports success with the old program still in place.
AllowSkipFiles off
ManifestSupportedOS all

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh
!include MUI2.nsh

!ifndef VERSION | PROGRAM_DIR | ICON | OUTFILE
  !error "VERSION, PROGRAM_DIR, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "Skelvane Server Browser"
!define PUBLISHER "Drenlix"
!define PROGRAM "skelvane-browser.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; 32-bit, so on 64-bit Windows the system keeps it in the 32-bit view.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The browser's own settings, below the current user's key, and the folder of
; what it keeps for that user, below the user's local application data.
!define SETTINGS_KEY "SOFTWARE\Drenlix\Skelvane Server Browser"
!define PUBLISHER_KEY "SOFTWARE\Drenlix"
!define KEPT_DATA_FOLDER "Drenlix\Skelvane Server Browser"
; The browser's main window: a dialog with the product's name as its caption.
!define BROWSER_WINDOW_CLASS "#32770"
; How long a silent install or uninstall waits for a browser it asked to close.
!define CLOSE_WAIT_TENTHS 100
; The exit status of a silent run that found the browser still running.
!define EXIT_BROWSER_RUNNING 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The folder of an installed version, where an upgrade goes; empty on a first install.
Var InstalledFolder
; BST_CHECKED when the user asked the uninstaller to remove the settings too.
Var RemoveUserData
Var RemoveUserDataBox

; What the folder page says: where the program goes, or which copy it replaces.
Var FolderPageText

!define MUI_DIRECTORYPAGE_TEXT_TOP "$FolderPageText"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW LockFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES

UninstPage custom un.ConfirmPage un.ConfirmPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Waits until no browser runs from the folder, so that no file is in use when it
; is replaced or removed. Interactively the user closes it and retries, or
; cancels; a silent run asks the window to close, as its close box would (the
; browser then saves its settings), and gives up with EXIT_BROWSER_RUNNING when
; it is still running after CLOSE_WAIT_TENTHS tenths of a second.
!macro DefineWaitForClosedBrowser PREFIX
  Function ${PREFIX}WaitForClosedBrowser
    StrCpy $R1 0
    ${Do}
      FindWindow $R0 "${BROWSER_WINDOW_CLASS}" "${PRODUCT}"
      ${If} $R0 == 0
        Call ${PREFIX}IsProgramFree
        Pop $R2
        ${IfThen} $R2 == 1 ${|} ${Break} ${|}
      ${EndIf}
      ${If} ${Silent}
        ${If} $R1 >= ${CLOSE_WAIT_TENTHS}
          DetailPrint "${PRODUCT} is still running."
          SetErrorLevel ${EXIT_BROWSER_RUNNING}
          Quit
        ${EndIf}
        ${If} $R0 != 0
          SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
        ${EndIf}
        Sleep 100
        IntOp $R1 $R1 + 1
      ${ElseIf} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "${PRODUCT} is running.$\r$\n$\r$\nClose it, then choose Retry." IDCANCEL`
        SetErrorLevel 1
        Quit
      ${EndIf}
    ${Loop}
  FunctionEnd

  ; Pushes 1 when the installed program can be opened for writing (or is not
  ; there), 0 when a running copy holds it.
  Function ${PREFIX}IsProgramFree
    ${IfNot} ${FileExists} "$INSTDIR\${PROGRAM}"
      Push 1
      Return
    ${EndIf}
    ClearErrors
    FileOpen $R3 "$INSTDIR\${PROGRAM}" a
    ${If} ${Errors}
      Push 0
      Return
    ${EndIf}
    FileClose $R3
    Push 1
  FunctionEnd
!macroend
!insertmacro DefineWaitForClosedBrowser ""
!insertmacro DefineWaitForClosedBrowser "un."

Function .onInit
  SetShellVarContext all
  ; An upgrade replaces the installed version where it is: moving it is an
  ; uninstall and a fresh install, so no copy is left behind unlisted.
  ReadRegStr $InstalledFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $InstalledFolder != ""
    StrCpy $INSTDIR $InstalledFolder
    StrCpy $FolderPageText "Setup will replace the installed ${PRODUCT} in the following \
      folder with version ${VERSION}. Your settings are kept. To install elsewhere, \
      uninstall it first. Click Install to start."
  ${Else}
    StrCpy $FolderPageText "Setup will install ${PRODUCT} ${VERSION} for every user of this \
      computer in the following folder. To install in a different folder, click Browse and \
      select another folder. Click Install to start."
  ${EndIf}
FunctionEnd

Function LockFolderOnUpgrade
  ${If} $InstalledFolder != ""
    EnableWindow $mui.DirectoryPage.Directory 0
    EnableWindow $mui.DirectoryPage.BrowseButton 0
  ${EndIf}
FunctionEnd

Section "Install"
  Call WaitForClosedBrowser
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}\${PROGRAM}"
  File "${PROGRAM_DIR}\README.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "Lists Skelvane game servers and joins them."

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetShellVarContext all
  StrCpy $RemoveUserData ${BST_UNCHECKED}
FunctionEnd

Function un.ConfirmPage
  !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT}" "Remove ${PRODUCT} from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 48u "The program, its README, its Start-menu shortcut and its entry in \
    the list of installed programs will be removed from $INSTDIR.$\r$\n$\r$\nYour settings stay \
    for a later install unless you tick the box below."
  Pop $0
  ${NSD_CreateCheckbox} 0 56u 100% 12u "&Remove my settings and the data the browser keeps for me"
  Pop $RemoveUserDataBox
  ${NSD_SetState} $RemoveUserDataBox $RemoveUserData
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:&Uninstall"
  nsDialogs::Show
FunctionEnd

Function un.ConfirmPageLeave
  ${NSD_GetState} $RemoveUserDataBox $RemoveUserData
FunctionEnd

; Removes only what the setup program put there: a folder that holds anything
; else stays, with those files.
Section "Uninstall"
  Call un.WaitForClosedBrowser
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${If} $RemoveUserData == ${BST_CHECKED}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${PUBLISHER_KEY}"
    SetShellVarContext current
    RMDir /r "$LOCALAPPDATA\${KEPT_DATA_FOLDER}"
    RMDir "$LOCALAPPDATA\Drenlix"
    SetShellVarContext all
  ${EndIf}
SectionEnd
