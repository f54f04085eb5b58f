#!/usr/bin/env bash
# The installer as a person runs it, under Wine, in Hungarian, on a private X
# display with openbox, in a prefix whose user's home (and so Documents folder)
# is the story's own:
# - installed by Return on each page: the welcome, the folder, the Start-menu
#   folder (whose default button installs; a licence page would take one of the
#   presses and nothing would be installed), then the finish page, whose ticked
#   box starts the program in the Documents folder; both programs answer
#   --version with the one version, which Windows' list of installed programs
#   shows too;
# - the Start-menu entry, started from the install folder, starts the program in
#   Documents: Ctrl+S and a bare name save the file there, nothing lands in the
#   install folder;
# - a .k83 file started through Windows' own file association opens in rzm417.exe,
#   which runs in that file's folder, even when started from the install folder;
# - the installed rzm417-cli draws the handover sheet with no display, with real
#   text in the PDF (its offscreen platform and fonts came along);
# - the uninstaller leaves neither the folder, nor the Start-menu entries, nor the
#   file type behind, and the person's saved file stays where it is.
# Screenshots of the installer's pages and of the save are kept.
source "$(dirname "$0")/../desktop/desktop.sh"
source "$(dirname "$0")/wine.sh"

[ -f "$RZM_SETUP" ] || fail "no installer $RZM_SETUP (scripts/windows-build makes it)"
start_desktop
# A prefix of its own, started on this display (Wine keeps the display driver its
# desktop was started with); Wine makes the user's Documents a link to $HOME.
export WINEPREFIX=$WORK/wine HOME=$WORK/home
mkdir -p "$HOME"
trap 'bash "$(dirname "$0")/wineprefix.sh" end "$WINEPREFIX"; cleanup' EXIT
bash "$(dirname "$0")/wineprefix.sh" setup "$WINEPREFIX" >"$WORK/wineprefix.out" 2>&1 ||
    fail "no Wine prefix: $(cat "$WORK/wineprefix.out")"

DRIVE_C=$WINEPREFIX/drive_c
INSTALLED="$DRIVE_C/Program Files/rzm417"
MENU="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/RZM-417"
DOCUMENTS=$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%' | tr -d '\r')\\Documents")
INSTALLER_TITLE="RZM-417 Telepítő"
reg_value() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
reg_has() { wine reg query "$1" >/dev/null 2>&1; }
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\rzm417'
shot() { import -window root "$RZM_KEEP/$1.png" || fail "no screenshot $1"; }
# The installed program's process (the window story runs another copy meanwhile).
installed_app() { pgrep -f 'Program Files.rzm417.bin.rzm417\.exe' | head -1; }
app_cwd() { readlink "/proc/$1/cwd"; }
# The main window of a program just started. X gives it the focus a moment before
# Wine sends it the keys: a key pressed at once may go nowhere.
wait_main() {
    MAIN=$(wait_window "$MAIN_TITLE") || fail "$1"
    sleep 1
}
quit_installed_app() {
    local app
    app=$(installed_app)
    wait_until 10 is_active "$MAIN" || fail "the main window did not get the focus back (step: $STEP)"
    key ctrl+q
    wait_until 20 bash -c "! kill -0 $app 2>/dev/null" || fail "rzm417.exe did not end on Ctrl+Q (step: $STEP)"
}

STEP="install page by page"
(LC_ALL=hu_HU.UTF-8 exec wine "$RZM_SETUP") >"$WORK/setup.log" 2>&1 &
pids+=($!)
wait_window "$INSTALLER_TITLE" >/dev/null || fail "no installer window"
sleep 1
shot installer-welcome
key Return
sleep 1
shot installer-folder
key Return
sleep 1
key Return
installed() { [ -f "$INSTALLED/Uninstall.exe" ] && [ "$(reg_value 'HKCR\.k83')" = rzm417.k83 ]; }
wait_until 60 installed || fail "nothing installed after the welcome, folder and Start-menu pages: $(ls "$DRIVE_C/Program Files")"
sleep 2
shot installer-finish
key Return
wait_gone "$INSTALLER_TITLE" || fail "the finish page stayed open"
wait_main "the finish page did not start the program"
[ "$(app_cwd "$(installed_app)")" = "$(realpath "$DOCUMENTS")" ] ||
    fail "the finish page started the program in $(app_cwd "$(installed_app)"), not in Documents"
quit_installed_app
for program in rzm417 rzm417-cli; do
    out=$(wine "$INSTALLED/bin/$program.exe" --version 2>&1 | tr -d '\r')
    [ "$out" = "$program $RZM_VERSION" ] || fail "$program --version says \"$out\""
done
shown=$(wine reg query "$UNINSTALL_KEY" /v DisplayVersion 2>/dev/null | tr -d '\r' | sed -n 's/^ *DisplayVersion *REG_SZ *//p')
[ "$shown" = "$RZM_VERSION" ] || fail "the list of installed programs shows version \"$shown\""
# reg query prints in the console's code page; an export is UTF-16.
wine reg export 'HKCR\rzm417.k83' "$WORK/type.reg" /y >/dev/null 2>&1 || fail "no file class rzm417.k83"
type_name=$(iconv -f UTF-16LE -t UTF-8 "$WORK/type.reg" | tr -d '\r' | sed -n 's/^@="\(.*\)"$/\1/p' | head -1)
[ "$type_name" = "RZM-417 konfigurációs fájl" ] || fail "the file type is named \"$type_name\""
command=$(reg_value 'HKCR\rzm417.k83\shell\open\command')
[ "$command" = "\"C:\\Program Files\\rzm417\\bin\\rzm417.exe\" \"%1\"" ] || fail ".k83 opens with: $command"
[ -z "$(find "$INSTALLED" -name '*.qm')" ] || fail "Qt translations installed: $(find "$INSTALLED" -name '*.qm')"

STEP="the Start-menu entry saves into Documents"
ENTRY="$MENU/RZM-417 letöltő szoftver.lnk"
[ -f "$ENTRY" ] && [ -f "$MENU/RZM-417 eltávolítása.lnk" ] || fail "the Start-menu entries are: $(ls "$MENU")"
# Started from the install folder: an entry without a working folder of its own
# would start the program there.
(cd "$INSTALLED" && LC_ALL=hu_HU.UTF-8 exec wine start /unix "$ENTRY") >"$WORK/startmenu.log" 2>&1 ||
    fail "the Start-menu entry did not start: $(cat "$WORK/startmenu.log")"
wait_main "the Start-menu entry showed no window"
key ctrl+s
wait_window "Save File" >/dev/null || fail "no save dialog"
sleep 1
shot startmenu-save
choose_file "Save File" "startmenu.k83"
expect_box "Save"
[ "$(wc -l <"$DOCUMENTS/startmenu.k83")" = 348 ] ||
    fail "not saved into Documents ($(ls "$DOCUMENTS")); in the install folder: $(find "$INSTALLED" -name '*.k83')"
quit_installed_app

STEP="a .k83 file started through the association"
mkdir -p "$WORK/files"
cp "$RZM_TEST_DATA/sample.k83" "$WORK/files/gate.k83"
(cd "$INSTALLED" && LC_ALL=hu_HU.UTF-8 exec wine start /unix "$WORK/files/gate.k83") >"$WORK/start.log" 2>&1 ||
    fail "the association did not start: $(cat "$WORK/start.log")"
opened() { pgrep -af 'rzm417\.exe' | grep -q 'gate\.k83'; }
wait_until 30 opened || fail "rzm417.exe did not start with the file"
[ "$(app_cwd "$(installed_app)")" = "$(realpath "$WORK/files")" ] || fail "the file's program runs in $(app_cwd "$(installed_app)")"
expect_box "File opened."
MAIN=$(wait_window "$MAIN_TITLE") || fail "the main window did not come back after the box"
quit_installed_app

STEP="the sheet from the installed command, without a display"
(unset DISPLAY; cd "$WORK" && wine "$INSTALLED/bin/rzm417-cli.exe" sheet "$(winpath "$RZM_TEST_DATA/sample.k83")" -o sheet.pdf) \
    >"$WORK/sheet.log" 2>&1 || fail "sheet failed: $(cat "$WORK/sheet.log")"
pdftotext "$WORK/sheet.pdf" "$WORK/sheet.txt" || fail "sheet.pdf is no PDF"
grep -q 'Garage gate' "$WORK/sheet.txt" || fail "the sheet has no readable text: $(head -5 "$WORK/sheet.txt")"
grep -q 'Telefonszám' "$WORK/sheet.txt" || fail "the sheet lacks its Hungarian labels: $(head -5 "$WORK/sheet.txt")"

STEP="uninstall"
wine "$INSTALLED/Uninstall.exe" /S >"$WORK/uninstall.log" 2>&1 || fail "the uninstaller failed: $(cat "$WORK/uninstall.log")"
# The uninstaller runs on from a copy of itself and returns at once; the
# Start-menu folder is the last thing it removes.
gone() { [ ! -e "$INSTALLED" ] && [ ! -e "$MENU" ]; }
wait_until 60 gone || fail "left behind: $(find "$INSTALLED" "$MENU" 2>/dev/null | head -10)"
wait_until 10 bash -c "! pgrep -f 'Au_\.exe' >/dev/null" || fail "the uninstaller did not end"
! reg_has 'HKCR\rzm417.k83' || fail "the file class rzm417.k83 is left in the registry"
! reg_has 'HKCR\.k83' || fail "the file type .k83 is left in the registry"
! reg_has "$UNINSTALL_KEY" || fail "the program is still in the list of installed programs"
! reg_has 'HKLM\Software\RZM-417 fejlesztők' || fail "the maker's key is left in the registry"
[ -f "$DOCUMENTS/startmenu.k83" ] && [ -f "$WORK/files/gate.k83" ] || fail "the uninstaller took a person's file"
log "passed; screenshots in $RZM_KEEP"
