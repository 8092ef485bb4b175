; The Halyard installer. cmake/package.cmake runs makensis on it with these symbols:
;   TARGET      amd64-unicode or x86-unicode        ARCH     win64 or win32
;   OUTFILE     the installer to write              FILES    the generated file lists (HalyardInstallFiles,
;   ICON        the application icon                         HalyardRemoveFiles, see cmake/nsis_files.cmake)
;   VERSION_SHORT  "6.0 Build 08.0117.3"            VERSION_DOTTED  "6.0.117.3"
;
; It installs for the current user only (no administrator rights), into
; %LOCALAPPDATA%\Programs\Halyard unless the user or /D= names another folder. Silent: /S.
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include ${FILES}

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Halyard"
!define INSTALLED_TIMES_KEY "${UNINSTALL_KEY}\InstalledFileTimes"
!define CLASSES "Software\Classes"
!define PROGID "Halyard.Document"
; The program keeps its installation folder, the current folder at start-up, in 128 bytes of the
; ANSI code page: at most 127 bytes and a terminating zero.
!define MAX_FOLDER_BYTES 127

Name "Halyard"
Caption "Halyard ${VERSION_SHORT} 安装"
UninstallCaption "Halyard ${VERSION_SHORT} 卸载"
BrandingText "Halyard ${VERSION_SHORT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Halyard"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION_DOTTED}"
VIFileVersion "${VERSION_DOTTED}"
VIAddVersionKey /LANG=2052 "ProductName" "Halyard"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION_SHORT}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION_SHORT}"
VIAddVersionKey /LANG=2052 "FileDescription" "Halyard ${VERSION_SHORT} 安装程序 (${ARCH})"
VIAddVersionKey /LANG=2052 "CompanyName" "Halyard"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (C) Halyard 的开发者"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "现在启动 Halyard"
!define MUI_FINISHPAGE_RUN_FUNCTION StartHalyard

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveDirectoryPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; ---- Files -------------------------------------------------------------------------------------
!macro HalyardInstallFile dir path
  SetOutPath "$INSTDIR\${dir}"
  File "${path}"
!macroend

; A snippet is written only where there is none: one that is there may be the student's text. The
; time the new file got is noted, for the uninstaller.
!macro HalyardInstallKeptFile dir name path
  ${IfNot} ${FileExists} "$INSTDIR\${dir}\${name}"
    SetOutPath "$INSTDIR\${dir}"
    File "${path}"
    GetFileTime "$INSTDIR\${dir}\${name}" $0 $1
    WriteRegStr HKCU "${INSTALLED_TIMES_KEY}" "${dir}\${name}" "$0 $1"
  ${EndIf}
!macroend

; Removed only while it has the time it was installed with: a snippet the student changed stays.
!macro HalyardRemoveKeptFile rel
  ClearErrors
  ReadRegStr $2 HKCU "${INSTALLED_TIMES_KEY}" "${rel}"
  GetFileTime "$INSTDIR\${rel}" $0 $1
  ${IfNot} ${Errors}
  ${AndIf} "$0 $1" == "$2"
    Delete "$INSTDIR\${rel}"
  ${EndIf}
!macroend

; ---- The installation folder --------------------------------------------------------------------
; $R9 = why the program cannot live in $INSTDIR, or "" when it can: the folder must fit the
; program's 127 bytes in the ANSI code page, and every character must have a form there.
Function CheckInstallFolder
  ; WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, ...) counts the bytes with the zero.
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w "$INSTDIR", i -1, p 0, i 0, p 0, *i 0 r1) i .r0'
  IntOp $0 $0 - 1
  ${If} $1 <> 0
    StrCpy $R9 "文件夹 $INSTDIR 中有本机代码页不能表示的字符，Halyard 在那里找不到自己的文件。请换一个文件夹。"
  ${ElseIf} $0 > ${MAX_FOLDER_BYTES}
    StrCpy $R9 "文件夹 $INSTDIR 的路径有 $0 字节，太长了：Halyard 只能使用不超过 ${MAX_FOLDER_BYTES} 字节的路径（一个汉字占 2 字节）。请换一个路径更短的文件夹。"
  ${Else}
    StrCpy $R9 ""
  ${EndIf}
FunctionEnd

Function LeaveDirectoryPage
  Call CheckInstallFolder
  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONSTOP "$R9"
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
  ; A silent installation shows no folder page: refuse a folder named by /D= here.
  ${If} ${Silent}
    Call CheckInstallFolder
    ${If} $R9 != ""
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; The program takes its installation folder from the current folder: start it there.
Function StartHalyard
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Halyard.exe"'
FunctionEnd

; ---- Sections ----------------------------------------------------------------------------------
Section "Halyard" SecMain
  SectionIn RO
  !insertmacro HalyardInstallFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; A shortcut's working folder is the output folder of the moment.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Halyard.lnk" "$INSTDIR\Halyard.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Halyard ${VERSION_SHORT} (${ARCH})"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_SHORT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Halyard.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Halyard"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\Halyard.lnk" "$INSTDIR\Halyard.exe"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "DesktopShortcut" 1
SectionEnd

; Explorer starts an associated program in the document's folder, but Halyard finds its files in
; the folder it starts in: the command starts it in the installation folder.
Section /o "用 Halyard 打开 .asm 文件" SecAssociation
  ReadRegStr $0 HKCU "${CLASSES}\.asm" ""
  ${If} $0 != "${PROGID}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousAsmClass" "$0"
  ${EndIf}
  WriteRegStr HKCU "${CLASSES}\.asm" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Halyard 汇编源文件"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\Halyard.exe,1"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" \
    '"$SYSDIR\cmd.exe" /d /c start "" /d "$INSTDIR" "$INSTDIR\Halyard.exe" "%1"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "AsmAssociation" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; ---- Uninstaller -------------------------------------------------------------------------------
Function un.onInit
  SetShellVarContext current
FunctionEnd

; Removes what the installer put there and nothing else: config.ini and the student's snippets
; stay, and so does the folder that holds them.
Section "Uninstall"
  !insertmacro HalyardRemoveFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Halyard.lnk"

  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "DesktopShortcut"
  ${If} $0 = 1
    Delete "$DESKTOP\Halyard.lnk"
  ${EndIf}
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "AsmAssociation"
  ${If} $0 = 1
    ReadRegStr $1 HKCU "${CLASSES}\.asm" ""
    ${If} $1 == "${PROGID}"
      ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousAsmClass"
      ${If} $2 == ""
        DeleteRegValue HKCU "${CLASSES}\.asm" ""
        DeleteRegKey /ifempty HKCU "${CLASSES}\.asm"
      ${Else}
        WriteRegStr HKCU "${CLASSES}\.asm" "" "$2"
      ${EndIf}
    ${EndIf}
    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
