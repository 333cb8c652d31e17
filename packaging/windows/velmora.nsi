; VelmoraSetup.exe: puts Korvel and KorvelAdmin in one program folder, on
; this PC or on the school's share, with the demo data where no data is yet.
; tools/make-windows-setup defines VERSION, DEMO (the demo data folder),
; FILES (the macros that install and remove each program file) and OUTFILE.

; A 64-bit setup for 64-bit programs: it writes to the 64-bit Program Files
; and registry, and a 32-bit Windows refuses it before it starts.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
!define UNINSTALLER "Verwijderen.exe"
!define MENU "$SMPROGRAMS\Velmora"

Name "Velmora"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
BrandingText "Velmora ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1043 ProductName "Velmora"
VIAddVersionKey /LANG=1043 FileDescription "Velmora installeren"
VIAddVersionKey /LANG=1043 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1043 LegalCopyright "Velmora"

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "Kies de programmamap: een map op deze computer, of een map op de share van de school (Bladeren, of typ bijvoorbeeld \\server\velmora), zodat alle computers dezelfde leerlingen, kaarten en resultaten gebruiken. Gegevens die al in de map staan, blijven zoals ze zijn."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Programmamap"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Velmora staat in $INSTDIR.$\r$\n$\r$\nIn het menu Start staan nu $\"Topografie oefenen$\" en $\"Topografie beheren$\". Stel in Topografie beheren meteen het wachtwoord van de leraar in."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Dutch"

; Makes file $0 in the program folder with the text $1, unless a file of
; that name is there already.
Function MakeMissing
    ${IfNot} ${FileExists} "$INSTDIR\$0"
        FileOpen $2 "$INSTDIR\$0" w
        FileWrite $2 $1
        FileClose $2
    ${EndIf}
FunctionEnd

Section "Velmora"
    SetShellVarContext all
    SetOverwrite on
    !insertmacro VELMORA_INSTALL_PROGRAM
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The demo data never replaces a file that is there: Windows matches
    ; names without regard to case, as the programs do. No data file belongs
    ; to the setup, so the uninstaller leaves them all.
    SetOverwrite off
    File "${DEMO}/*.*"
    SetOverwrite on
    ; As on Linux: empty results and answers, and a password file without a
    ; password, so that their rights can be set before the first pupil starts.
    StrCpy $0 "toets.res"
    StrCpy $1 ""
    Call MakeMissing
    StrCpy $0 "antwoorden.csv"
    Call MakeMissing
    StrCpy $0 "passwd"
    StrCpy $1 "$\r$\n"
    Call MakeMissing

    CreateDirectory "${MENU}"
    CreateShortcut "${MENU}\Topografie oefenen.lnk" "$INSTDIR\Korvel.exe" "" "$INSTDIR\Korvel.exe" 0 \
        "" "" "Topografie oefenen, overhoren en spelen"
    CreateShortcut "${MENU}\Topografie beheren.lnk" "$INSTDIR\KorvelAdmin.exe" "" "$INSTDIR\KorvelAdmin.exe" 0 \
        "" "" "Leerlingen, kaarten en resultaten beheren"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmora"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Korvel.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the program files one by one, never a whole folder: the program
; folder is also the data folder, and every data file (the demo's too) stays.
Section "Uninstall"
    SetShellVarContext all
    !insertmacro VELMORA_REMOVE_PROGRAM
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty, which it is not while data is there.
    RMDir "$INSTDIR"

    Delete "${MENU}\Topografie oefenen.lnk"
    Delete "${MENU}\Topografie beheren.lnk"
    RMDir "${MENU}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
