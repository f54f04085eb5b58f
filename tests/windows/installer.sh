#!/usr/bin/env bash
# The installer as a user runs it, under Wine:
# - installs silently (/S) into Program Files, with a Start-menu entry and .k83
#   files opening in the program; both programs answer --version with the one
#   version, which Windows' list of installed programs shows too;
# - the installed rzm417-cli draws the handover sheet with no display, with real
#   text in the PDF (its offscreen platform and fonts came along);
# - a .k83 file started through Windows' own file association opens in rzm417.exe;
# - the uninstaller leaves neither the folder, nor the Start-menu entry, nor the
#   file type behind.
source "$(dirname "$0")/../desktop/desktop.sh"
source "$(dirname "$0")/wine.sh"

[ -f "$RZM_SETUP" ] || fail "no installer $RZM_SETUP (scripts/windows-build makes it)"
DRIVE_C=$WINEPREFIX/drive_c
INSTALLED="$DRIVE_C/Program Files/rzm417"
MENU="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/RZM-417"
reg_value() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
reg_has() { wine reg query "$1" >/dev/null 2>&1; }
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\rzm417'

STEP="install silently"
wine "$RZM_SETUP" /S >"$WORK/setup.log" 2>&1 || fail "the installer failed: $(cat "$WORK/setup.log")"
[ -f "$INSTALLED/bin/rzm417.exe" ] || fail "nothing in $INSTALLED: $(ls "$DRIVE_C/Program Files")"
for program in rzm417 rzm417-cli; do
    out=$(wine "$INSTALLED/bin/$program.exe" --version 2>&1 | tr -d '\r')
    [ "$out" = "$program $RZM_VERSION" ] || fail "$program --version says \"$out\""
done
shown=$(wine reg query "$UNINSTALL_KEY" /v DisplayVersion 2>/dev/null | tr -d '\r' | sed -n 's/^ *DisplayVersion *REG_SZ *//p')
[ "$shown" = "$RZM_VERSION" ] || fail "the list of installed programs shows version \"$shown\""
ls "$MENU"/*.lnk >/dev/null 2>&1 || fail "no Start-menu entry in $MENU"
[ "$(reg_value 'HKCR\.k83')" = rzm417.k83 ] || fail ".k83 is \"$(reg_value 'HKCR\.k83')\""
command=$(reg_value 'HKCR\rzm417.k83\shell\open\command')
[ "$command" = "\"C:\\Program Files\\rzm417\\bin\\rzm417.exe\" \"%1\"" ] || fail ".k83 opens with: $command"

STEP="the sheet from the installed command, without a display"
(unset DISPLAY; cd "$WORK" && wine "$INSTALLED/bin/rzm417-cli.exe" sheet "$(winpath "$RZM_TEST_DATA/sample.k83")" -o sheet.pdf) \
    >"$WORK/sheet.log" 2>&1 || fail "sheet failed: $(cat "$WORK/sheet.log")"
pdftotext "$WORK/sheet.pdf" "$WORK/sheet.txt" || fail "sheet.pdf is no PDF"
grep -q 'Garage gate' "$WORK/sheet.txt" || fail "the sheet has no readable text: $(head -5 "$WORK/sheet.txt")"
grep -q 'Telefonszám' "$WORK/sheet.txt" || fail "the sheet lacks its Hungarian labels: $(head -5 "$WORK/sheet.txt")"

STEP="a .k83 file started through the association"
cp "$RZM_TEST_DATA/sample.k83" "$WORK/gate.k83"
wine start /unix "$WORK/gate.k83" >"$WORK/start.log" 2>&1 &
pids+=($!)
opened() { pgrep -af 'rzm417\.exe' | grep -q 'gate\.k83'; }
wait_until 30 opened || fail "rzm417.exe did not start with the file: $(pgrep -af 'rzm417' | head -3)"
app=$(pgrep -f 'rzm417\.exe.*gate\.k83' | head -1)
kill "$app"
wait_until 20 bash -c "! kill -0 $app 2>/dev/null" || fail "rzm417.exe did not end"

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
log "passed"
