#!/usr/bin/env bash
# An installer works through the form with the keyboard: every command's shortcut
# runs it whether a text field, a check box or the combo box has the focus, a
# disabled command's shortcut does nothing, and the text field keeps its own
# editing keys and the clipboard.
source "$(dirname "$0")/desktop.sh"

start_desktop
# The module holds a configuration without a PIN, so a download is refused at once,
# and with the first operator's SMS centre, so a read-out moves no focus.
{
    printf '36309888000\n\n0001\nModul\n'
    for ((i = 5; i <= 28; i++)); do echo; done
    for ((i = 1; i <= 64; i++)); do echo 00; done
} >"$WORK/module.txt"
start_sim
start_app

requests() { grep -c 'read-out sent' "$SIM_LOG"; }
more_requests_than() { [ "$(requests)" -gt "$1" ]; }

# Each command's shortcut, pressed while $1 has the focus. The read-out comes
# first: over edits ($2 = edited) it asks first, and Discard lets them go; it
# leaves nothing unsaved, so Megnyitás asks no question afterwards.
commands_from() {
    STEP="Ctrl+R from $1"
    local before
    before=$(requests)
    key ctrl+r
    [ "${2:-}" = edited ] && expect_box "Unsaved changes" "Tab space"
    wait_until 10 more_requests_than "$before" || fail "Ctrl+R from $1 asked the module nothing"
    # The read-out ends after 1.5 s of silence and shows nothing when it succeeds.
    sleep 1.7
    expect_windows "$MAIN_TITLE"
    STEP="Ctrl+E from $1"
    before=$(requests)
    key ctrl+e
    expect_box "Ellenőrzés"
    more_requests_than "$before" || fail "Ctrl+E from $1 asked the module nothing"
    STEP="Ctrl+O from $1"
    key ctrl+o
    expect_box "Open File" Escape
    STEP="Ctrl+S from $1"
    key ctrl+s
    expect_box "Save File" Escape
    STEP="Ctrl+D from $1"
    key ctrl+d
    expect_box "Betöltés hiba."
    STEP="F1 from $1"
    key F1
    expect_box "Help" Escape
    STEP="Ctrl+N from $1"
    key ctrl+n
    sleep 0.4
    expect_windows "$MAIN_TITLE"
}

click_field be1_nev
type_text "abc"
commands_from "a text field" edited

click_field tc1_1 # checks the box
click_field tc1_1 # and clears it again; the box keeps the focus
commands_from "a check box"

click_field smskp_combo # opens the list; Escape closes it, the combo keeps the focus
key Escape
commands_from "the combo box"

# The text field's own editing keys, which no command claims.
STEP="editing keys"
click_field be1_nev
key ctrl+a BackSpace
type_text "bcdef"
key Home
type_text "a"
key End
type_text "g"
key Left Left
type_text "X"
# The field holds "abcdeXfg"; copy it, cut it, and paste it twice.
key ctrl+a ctrl+c
[ "$(clipboard_get)" = "abcdeXfg" ] || fail "Ctrl+C copied \"$(clipboard_get)\""
key ctrl+a ctrl+x
[ "$(clipboard_get)" = "abcdeXfg" ] || fail "Ctrl+X cut \"$(clipboard_get)\""
key ctrl+v ctrl+v
# The field's 16 characters take both pastes; Ctrl+Z takes the second one back.
key ctrl+z
clipboard_put "Kapu"
click_field m_nev
key ctrl+a ctrl+v
key ctrl+s
choose_file "Save File" "$WORK/keys.k83"
expect_box "Save"
[ "$(file_line "$WORK/keys.k83" 4)" = "Kapu" ] || fail "m_nev holds \"$(file_line "$WORK/keys.k83" 4)\""
[ "$(file_line "$WORK/keys.k83" 6)" = "abcdeXfg" ] || fail "be1_nev holds \"$(file_line "$WORK/keys.k83" 6)\""

# The help window's text keeps its own keys too.
STEP="Ctrl+A, Ctrl+C in the help window"
key F1
wait_window "Help" >/dev/null || fail "no help window"
key ctrl+a ctrl+c
[ "$(clipboard_get | head -1)" = "$(head -1 "$WORK/rzm_17.hlp")" ] || fail "the help window copied \"$(clipboard_get | head -1)\""
expect_box "Help" Escape

# Ctrl+Q from a text field ends the program; the form was just saved.
STEP="Ctrl+Q"
click_field be1_nev
key ctrl+q
wait_until 10 app_ended || fail "Ctrl+Q from a text field did not end the program"
log "passed"
