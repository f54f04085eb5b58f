#!/usr/bin/env bash
# What a file and the module get when an edit is unfinished or holds a line break:
# - Ctrl+S straight after typing a refused PIN stores what the input check left,
#   not the refused text;
# - a pasted line break is refused by Mentés and by the download, naming the
#   field, so no file that cannot be opened again is written and no broken line
#   reaches the module; once the field is mended the form saves as usual.
source "$(dirname "$0")/desktop.sh"

start_desktop
start_sim
start_app

STEP="Ctrl+S during a refused edit"
click_field m_pin
type_text "12a"
key ctrl+s
# The file dialog takes the focus from the field, which runs the input check.
expect_box "Input error"
choose_file "Save File" "$WORK/pin.k83"
expect_box "Save"
[ "$(wc -l <"$WORK/pin.k83")" = 348 ] || fail "pin.k83 has $(wc -l <"$WORK/pin.k83") lines"
[ "$(file_line "$WORK/pin.k83" 2)" = "" ] || fail "the file keeps the refused PIN \"$(file_line "$WORK/pin.k83" 2)\""

STEP="open a complete form"
write_config "$WORK/full.k83" 36309888000 1234 0007 Modul 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
key ctrl+o
choose_file "Open File" "$WORK/full.k83"
expect_box "File opened."

STEP="paste a line break"
clipboard_put 'Kapu\nGarazs'
click_field m_nev
key ctrl+a ctrl+v Tab
sleep 0.3
expect_windows "$MAIN_TITLE"
key ctrl+s
expect_box "Save"
expect_windows "$MAIN_TITLE"
[ -z "$(ls "$WORK"/*.k83 | grep -v -e pin.k83 -e full.k83)" ] || fail "a file was written: $(ls "$WORK")"

STEP="download a carriage return"
clipboard_put 'Kapu\rGarazs'
click_field m_nev
key ctrl+a ctrl+v ctrl+d
expect_box "Betöltés hiba."
sleep 0.3
expect_windows "$MAIN_TITLE"
! grep -q 'request: download' "$SIM_LOG" || fail "the download reached the module"

STEP="save the mended field"
click_field m_nev
key ctrl+a
type_text "Kapu"
key ctrl+s
choose_file "Save File" "$WORK/mended.k83"
expect_box "Save"
[ "$(wc -l <"$WORK/mended.k83")" = 348 ] || fail "mended.k83 has $(wc -l <"$WORK/mended.k83") lines"
[ "$(file_line "$WORK/mended.k83" 4)" = "Kapu" ] || fail "m_nev saved as \"$(file_line "$WORK/mended.k83" 4)\""
cmp -s <(sed 4d "$WORK/mended.k83") <(sed 4d "$WORK/full.k83") || fail "mended.k83 differs from full.k83 beyond m_nev"
log "passed"
