#!/usr/bin/env bash
# The Windows window under Wine, on a private X display with openbox, in
# Hungarian (Wine's ANSI code page 1250, as on a Hungarian Windows):
# - rzm417.exe opened with a file, as a double-click opens it; Ctrl+D pressed on
#   the keyboard downloads it over the kernel32 serial layer to the Linux
#   simulator on COM1 (the program's default port), which must receive exactly
#   what it receives from the Linux rzm417-cli for the same file;
# - Escape ends a download that waits for a silent module, and a read-out at
#   1200 baud, at once (the waits are cut into slices), and the read-out's
#   progress window is drawn meanwhile;
# - F1 shows the help text with its accents right: the text copied out of the
#   help window is the shipped help, up to its end marker.
# Screenshots of the download, the read-out and the help are kept.
source "$(dirname "$0")/../desktop/desktop.sh"
source "$(dirname "$0")/wine.sh"

SAMPLE=$RZM_EXAMPLE # a whole configuration, as the download checks want it

start_desktop
# A prefix of its own, started on this display: the build's prefix was started
# without one, and Wine keeps the display driver its desktop was started with.
export WINEPREFIX=$WORK/wine
trap 'bash "$(dirname "$0")/wineprefix.sh" end "$WINEPREFIX"; cleanup' EXIT
bash "$(dirname "$0")/wineprefix.sh" setup "$WINEPREFIX" >"$WORK/wineprefix.out" 2>&1 ||
    fail "no Wine prefix: $(cat "$WORK/wineprefix.out")"
start_sim_as 1 --unpaced

STEP="the Linux tool's download, for reference"
"$RZM_LINUX_CLI" download "$SAMPLE" --port COM1 >"$WORK/reference.out" 2>&1 ||
    fail "the Linux download failed: $(cat "$WORK/reference.out")"
wait_until 10 grep -q 'download stored' "$SIM_LOG" || fail "the reference download was not stored"
sim_lines "$SIM_LOG" >"$WORK/reference.sim"
cp "$WORK/module1.txt" "$WORK/reference-module.txt"
before=$(wc -l <"$SIM_LOG")

STEP="open the file at start"
# From a folder of its own, so the help text comes from the installed data folder.
mkdir -p "$WORK/cwd"
(cd "$WORK/cwd" && LC_ALL=hu_HU.UTF-8 exec wine "$WIN_BIN/rzm417.exe" "$(winpath "$SAMPLE")") >"$WORK/app.log" 2>&1 &
APP_PID=$!
pids+=("$APP_PID")
expect_box "File opened."
MAIN=$(wait_window "$MAIN_TITLE") || fail "the main window did not come back after the box"

STEP="Ctrl+D"
key ctrl+d
wait_window "Download" >/dev/null || fail "no download window"
window_stored() { tail -n +$((before + 1)) "$SIM_LOG" | grep -q 'download stored'; }
wait_until 60 window_stored || fail "the simulator did not store a download from the window"
sleep 1
import -window root "$RZM_KEEP/window-download.png" || fail "no screenshot"
tail -n +$((before + 1)) "$SIM_LOG" | sim_lines /dev/stdin >"$WORK/window.sim"
diff "$WORK/reference.sim" "$WORK/window.sim" >"$WORK/sim.diff" ||
    fail "the module received another download from the window: $(head -20 "$WORK/sim.diff")"
cmp -s "$WORK/reference-module.txt" "$WORK/module1.txt" || fail "the module stored another configuration"
key Escape
wait_gone "Download" || fail "the download window stayed open"

STEP="Escape while the module keeps silent"
# The download waits up to 5 s for the module's "R", in slices; Escape ends it at once.
stop_sim
start_sim_as 1 --unpaced --fault silence
wait_until 10 is_active "$MAIN" || fail "the main window did not get the focus back"
key ctrl+d
wait_window "Download" >/dev/null || fail "no download window"
wait_until 10 grep -q 'request: download' "$SIM_LOG" || fail "the download did not start"
pressed=$(date +%s%N)
key Escape
wait_gone "Download" 5 || fail "Escape did not end the download"
stopped_ms=$((($(date +%s%N) - pressed) / 1000000))
[ "$stopped_ms" -lt 2500 ] || fail "the download stopped $stopped_ms ms after Escape"
log "Escape ended the download in $stopped_ms ms"
echo "window: Escape during the wait for \"R\" ended the download in $stopped_ms ms" >"$RZM_KEEP/window-figures.txt"

STEP="a read-out at 1200 baud, cancelled"
# The read-out runs in the window's own thread: its progress window is drawn and
# its cancel taken between the waits for each byte.
stop_sim
start_sim_as 1
wait_until 10 is_active "$MAIN" || fail "the main window did not get the focus back"
key ctrl+r
wait_window rzm417 >/dev/null || fail "no progress window during the read-out"
sleep 1
import -window root "$RZM_KEEP/window-readout.png" || fail "no screenshot"
pressed=$(date +%s%N)
key Escape
wait_gone rzm417 5 || fail "the read-out did not stop on Escape"
stopped_ms=$((($(date +%s%N) - pressed) / 1000000))
[ "$stopped_ms" -lt 2500 ] || fail "the read-out stopped $stopped_ms ms after Escape"
sleep 1
expect_windows "$MAIN_TITLE"
echo "window: Escape during the read-out ended it in $stopped_ms ms" >>"$RZM_KEEP/window-figures.txt"

STEP="F1, the help text in Hungarian"
wait_until 10 is_active "$MAIN" || xdotool windowactivate --sync "$MAIN"
key F1
HELP=$(wait_window "Help") || fail "no help window"
sleep 1
import -window root "$RZM_KEEP/window-help.png" || fail "no screenshot"
# The viewer has the focus: select it all and copy it out through the clipboard.
xdotool mousemove --window "$HELP" 400 300 click 1
key ctrl+a ctrl+c
sed '/^---$/q' "$RZM_HELP_SOURCE" >"$WORK/help-expected.txt"
help_copied() { clipboard_get | tr -d '\r' | sed '$a\' >"$WORK/help-shown.txt" && cmp -s "$WORK/help-expected.txt" "$WORK/help-shown.txt"; }
wait_until 10 help_copied || fail "the help shown differs from the shipped text: $(diff "$WORK/help-expected.txt" "$WORK/help-shown.txt" | head -10)"
grep -q 'ellenőrzése' "$WORK/help-shown.txt" || fail "no ő in the help shown"
log "passed; screenshots in $RZM_KEEP"
