#!/usr/bin/env bash
# The keyboard alone does the work:
# - Tab follows the screen: from the SMS-centre combo, where the window starts,
#   through both columns to the telephone slots, each slot's four boxes left to
#   right, then its number; slot 17's rights and number are filled and saved;
# - Alt and a menu's underlined letter open the menu, and type nothing into the field;
# - Return closes the download's outcome, as it closes every box; Escape too;
# - the program prints the developer's lines as they are, each a line of its own.
# PARTS names the parts to run (all by default), one at a time when looking into one.
source "$(dirname "$0")/desktop.sh"

BOX_ORDER="$(dirname "$0")/../data/boxorder.txt"
CLI_BIN="$(dirname "$RZM_BIN")/rzm417-cli"

# The line of the configuration file that holds box `name`: the 92 texts come
# first, then the boxes in their enumeration order.
box_line() { echo $((92 + $(grep -n "^$1 " "$BOX_ORDER" | cut -d: -f1))); }

part_tab() {
    STEP="slot 17 by keyboard"
    restart_app
    # From the combo: 7 fields of the left column (the SMS centre's own field is
    # disabled), 8 of the right one, 16 slots of five stops each.
    xdotool key --delay 20 --repeat 95 Tab
    key Tab space Tab space Tab Tab space Tab
    type_text "36301234567"
    key ctrl+s
    choose_file "Save File" "$WORK/slot17.k83"
    expect_box "Save"
    local file=$WORK/slot17.k83
    [ "$(file_line "$file" $((28 + 17)))" = "36301234567" ] || fail "slot 17 holds \"$(file_line "$file" 45)\""
    local name want
    for name in tc1_24 tc2_31 tc3_18 tc4_23; do
        want=1
        [ "$name" = tc3_18 ] && want=0
        [ "$(file_line "$file" "$(box_line $name)")" = "$want" ] || fail "$name is not $want"
    done
    [ "$(grep -c '^1' <(sed -n '93,348p' "$file" | tr -d '\r'))" = 3 ] || fail "other boxes are checked"
    [ "$(sed -n '1,92p' "$file" | tr -d '\r' | grep -vc '^$')" = 2 ] || fail "other fields hold text"
}

part_menus() {
    STEP="Alt+letter in a field"
    restart_app
    click_field m_nev
    local letter
    for letter in f b e h; do
        key "alt+$letter"
        wait_until 5 popup_shown || fail "alt+$letter opened no menu"
        key Escape Escape
        wait_until 5 bash -c '! popup_shown' 2>/dev/null
    done
    sleep 0.3
    expect_title "$MAIN_TITLE" # nothing was typed into the field
}

part_outcome() {
    STEP="Return on the download's outcome"
    restart_app
    # A fresh form lacks its PIN: refused before any port is opened.
    key ctrl+d
    expect_box "Betöltés hiba."
    write_config "$WORK/full.k83" 36309888000 1234 0007 Modul 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
    key ctrl+o
    choose_file "Open File" "$WORK/full.k83"
    expect_box "File opened."
    # The module never answers "R": the outcome shows after the download's 5 s,
    # long after the dialog took the focus. A person reads it, then presses Return.
    key ctrl+d
    wait_window "Download" >/dev/null || fail "no download dialog"
    sleep 6
    expect_box "Download" Return

    STEP="Escape on the download's outcome"
    # Another program holds the module's port (for the 5 s it waits for "R"):
    # the download fails at once.
    "$CLI_BIN" download "$WORK/full.k83" --port COM1 >"$WORK/cli.log" 2>&1 &
    pids+=($!)
    wait_until 5 bash -c "[ \$(grep -c 'request: download' '$SIM_LOG') = 2 ]" || fail "the tool did not reach COM1"
    key ctrl+d
    wait_window "Download" >/dev/null || fail "no download dialog"
    sleep 0.5
    [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/download-busy.png"
    expect_box "Download" Escape
    # The developer's lines, exactly: the empty mandatory field in double quotes,
    # then the port that another program holds.
    for line in '"m_pin"' 'unable to open comport'; do
        grep -qxF "$line" "$WORK/app.log" || fail "the program did not print the line $line"
    done
}

start_desktop
start_sim --fault no-r
for part in ${PARTS:-tab menus outcome}; do
    "part_$part"
    log "$part passed"
done
log "passed"
