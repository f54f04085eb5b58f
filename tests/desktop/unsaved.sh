#!/usr/bin/env bash
# Unsaved edits are not thrown away without a question: Exit (Ctrl+Q), the
# window manager's close and Megnyitás ask Save / Discard / Cancel while the
# title shows the modified mark; an untouched or saved form asks nothing.
source "$(dirname "$0")/desktop.sh"

start_desktop
write_config "$WORK/other.k83" 36209300099 1111 0002 Masik

expect_running() { sleep 0.3; app_running || fail "the program ended (step: $STEP)"; }
expect_ended() { wait_until 10 app_ended || fail "the program is still running (step: $STEP)"; }
edit_name() {
    click_field m_nev
    key ctrl+a
    type_text "$1"
}

STEP="an untouched form"
start_app
expect_title "$MAIN_TITLE"
key ctrl+q
expect_ended

start_app
STEP="an edit shows the mark"
edit_name "Kapu"
expect_title "$MAIN_TITLE*"
STEP="Cancel keeps the program"
key ctrl+q
expect_box "Unsaved changes" Escape
expect_running
key alt+F4
expect_box "Unsaved changes" Escape
expect_running
expect_title "$MAIN_TITLE*"

STEP="Megnyitás over the edits"
key ctrl+o
expect_box "Unsaved changes" Escape
sleep 0.3
expect_windows "$MAIN_TITLE"
key ctrl+o
expect_box "Unsaved changes" "Tab space" # Discard
choose_file "Open File" "$WORK/other.k83"
expect_box "File opened."
expect_title "$MAIN_TITLE"

STEP="Save, then cancel the file dialog"
edit_name "Garazs"
expect_title "$MAIN_TITLE*"
key ctrl+q
expect_box "Unsaved changes" Return # Save
expect_box "Save File" Escape
expect_running
expect_title "$MAIN_TITLE*"

STEP="Save before the program ends"
key ctrl+q
expect_box "Unsaved changes" Return
choose_file "Save File" "$WORK/kept.k83"
expect_box "Save"
expect_ended
[ "$(file_line "$WORK/kept.k83" 4)" = "Garazs" ] || fail "kept.k83 holds \"$(file_line "$WORK/kept.k83" 4)\""
[ "$(file_line "$WORK/kept.k83" 1)" = "36209300099" ] || fail "kept.k83 does not hold the opened form"

start_app
STEP="an edit undone by hand"
edit_name "x"
expect_title "$MAIN_TITLE*"
key BackSpace
expect_title "$MAIN_TITLE"
STEP="Discard on close"
edit_name "y"
key alt+F4
expect_box "Unsaved changes" "Tab space"
expect_ended
[ "$(ls "$WORK"/*.k83 | wc -l)" = 2 ] || fail "files written: $(ls "$WORK")"
log "passed"
