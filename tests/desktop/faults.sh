#!/usr/bin/env bash
# What a file and the module get when an edit is unfinished or holds a line break:
# - Ctrl+S, Ctrl+D or Ctrl+E pressed straight after typing a refused PIN, with the
#   text still in its field, shows the input check's message and stops: no file is
#   written, nothing reaches the module, nothing is compared; a valid edit in
#   progress goes out as typed;
# - a pasted line break is refused by Mentés and by the download, naming the
#   field, so no file that cannot be opened again is written and no broken line
#   reaches the module; once the field is mended the form saves as usual.
source "$(dirname "$0")/desktop.sh"

start_desktop
start_sim
start_app

# Types a refused PIN into the field, which keeps the focus, and presses the
# command's keys; the input check's own box must come, and nothing else.
refused_pin_then() {
    click_field m_pin
    key ctrl+a
    type_text "12ab"
    key "$1"
    expect_box "Input error"
    sleep 0.5
    expect_windows "$MAIN_TITLE"
}

STEP="Ctrl+S during a refused edit"
refused_pin_then ctrl+s
[ -z "$(ls "$WORK"/*.k83 2>/dev/null)" ] || fail "a file was written: $(ls "$WORK")"

STEP="open a complete form"
write_config "$WORK/full.k83" 36309888000 1234 0007 Modul 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
key ctrl+o
choose_file "Open File" "$WORK/full.k83"
expect_box "File opened."

module_untouched() { ! grep -q 'request:' "$SIM_LOG" || fail "the module was asked: $(grep 'request:' "$SIM_LOG") (step: $STEP)"; }
STEP="Ctrl+D during a refused edit"
refused_pin_then ctrl+d
module_untouched
STEP="Ctrl+E during a refused edit"
refused_pin_then ctrl+e
module_untouched

STEP="Ctrl+D during a valid edit"
click_field m_pin
type_text "4321"
key ctrl+d
wait_until 15 grep -q 'download stored' "$SIM_LOG" || fail "the module stored no download"
expect_box "Download"
[ "$(grep -c 'request: download' "$SIM_LOG")" = 1 ] || fail "the download did not reach the module once"
[ "$(sed -n 2p "$WORK/module.txt" | tr -d ' \r')" = 4321 ] || fail "the module holds the PIN \"$(sed -n 2p "$WORK/module.txt")\""

STEP="paste a line break"
clipboard_put 'Kapu\nGarazs'
click_field m_nev
key ctrl+a ctrl+v Tab
sleep 0.3
expect_windows "$MAIN_TITLE"
key ctrl+s
expect_box "Save"
expect_windows "$MAIN_TITLE"
[ -z "$(ls "$WORK"/*.k83 | grep -v -e full.k83)" ] || fail "a file was written: $(ls "$WORK")"

STEP="download a carriage return"
clipboard_put 'Kapu\rGarazs'
click_field m_nev
key ctrl+a ctrl+v ctrl+d
expect_box "Betöltés hiba."
sleep 0.3
expect_windows "$MAIN_TITLE"
[ "$(grep -c 'request: download' "$SIM_LOG")" = 1 ] || fail "the broken download reached the module"

STEP="save the mended field"
click_field m_nev
key ctrl+a
type_text "Kapu"
key ctrl+s
choose_file "Save File" "$WORK/mended.k83"
expect_box "Save"
[ "$(wc -l <"$WORK/mended.k83")" = 348 ] || fail "mended.k83 has $(wc -l <"$WORK/mended.k83") lines"
[ "$(file_line "$WORK/mended.k83" 4)" = "Kapu" ] || fail "m_nev saved as \"$(file_line "$WORK/mended.k83" 4)\""
[ "$(file_line "$WORK/mended.k83" 2)" = "4321" ] || fail "m_pin saved as \"$(file_line "$WORK/mended.k83" 2)\""
cmp -s <(sed '2d;4d' "$WORK/mended.k83") <(sed '2d;4d' "$WORK/full.k83") || fail "mended.k83 differs from full.k83 beyond m_pin and m_nev"
log "passed"
