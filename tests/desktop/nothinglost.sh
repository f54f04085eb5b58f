#!/usr/bin/env bash
# Nothing is lost or changed by accident:
# - a read-out over unsaved edits asks Save / Discard / Cancel before the port
#   opens, and Cancel leaves the form and the module alone; a verify asks nothing;
# - Tab and typing never reach the reserved fields, which the window does not show;
# - the port dialog keeps a chosen port that another program holds: OK without a
#   choice does not send the next command to another module;
# - a name typed without an ending is saved with .k83, and the next save proposes it.
# PARTS names the parts to run (all by default), one at a time when looking into one.
source "$(dirname "$0")/desktop.sh"

CLI_BIN="$(dirname "$RZM_BIN")/rzm417-cli"
COM3_LOG="$WORK/sim3.log"

# The module's store: 92 fields of 16 characters.
write_store() {
    {
        printf '%-16s\n' 36309888000 1234 0007 Modulbol 1 Be1 Be2 0005 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
        for ((i = 0; i < 12; i++)); do printf '%16s\n' ''; done
        for ((i = 0; i < 64; i++)); do printf '%-16s\n' 00; done
    } >"$1"
}

part_readout() {
    STEP="read-out over an edit: Cancel"
    restart_app
    click_field m_nev
    type_text "Kapu"
    expect_title "$MAIN_TITLE*"
    key ctrl+r
    expect_box "Unsaved changes" Escape
    # A read-out takes 1.5 s of silence at its end; none may have started.
    sleep 2
    expect_title "$MAIN_TITLE*"
    ! grep -q 'request: read-out' "$SIM_LOG" || fail "the read-out reached the module after Cancel"

    STEP="a verify asks nothing"
    key ctrl+e
    expect_box "Ellenőrzés"
    expect_title "$MAIN_TITLE*"

    STEP="read-out over an edit: Discard"
    key ctrl+r
    expect_box "Unsaved changes" "Tab space"
    expect_title "$MAIN_TITLE"
    key ctrl+s
    choose_file "Save File" "$WORK/readout.k83"
    expect_box "Save"
    [ "$(file_line "$WORK/readout.k83" 4)" = "Modulbol" ] || fail "the read-out gave \"$(file_line "$WORK/readout.k83" 4)\""
}

part_reserved() {
    STEP="Tab and typing after the last named field"
    restart_app
    click_at 600 $((FORM_TOP + 195)) # "2-es bemenet kikapcsoláskor"
    local i
    for ((i = 0; i < 12; i++)); do
        key Tab
        type_text "7"
    done
    key ctrl+s
    choose_file "Save File" "$WORK/reserved.k83"
    expect_box "Save"
    for ((i = 17; i <= 28; i++)); do
        [ -z "$(file_line "$WORK/reserved.k83" $i)" ] || fail "line $i holds \"$(file_line "$WORK/reserved.k83" $i)\""
    done
}

part_port() {
    STEP="COM3 chosen in the port dialog"
    "$SIM_BIN" --com 3 --unpaced --fault no-second --ack "" --store "$WORK/module3.txt" >"$COM3_LOG" 2>&1 &
    pids+=($!)
    wait_until 10 test -L "$XDG_DATA_HOME/rzm417/ports/com3" || fail "the simulator did not register COM3"
    restart_app
    menu_click $MENU_SETTINGS $ENTRY_PORT
    wait_window "Port options" >/dev/null || fail "no port dialog"
    key Down Return
    wait_gone "Port options" || fail "the port dialog stayed open"

    STEP="the port dialog while another program holds COM3"
    write_config "$WORK/cli.k83" 36309888000 1234 0007 Cli 1 Be1 Be2 5 K3be K4be K3ki K4ki B1be B1ki B2be B2ki
    # A module that sends no second byte and no acknowledge keeps the tool
    # waiting, and COM3 held, for some 15 s.
    "$CLI_BIN" download "$WORK/cli.k83" --port COM3 >"$WORK/cli.log" 2>&1 &
    pids+=($!)
    wait_until 10 grep -q 'request: download' "$COM3_LOG" || fail "the tool did not reach COM3"
    local seen
    seen=$(wc -l <"$SIM_LOG")
    menu_click $MENU_SETTINGS $ENTRY_PORT
    wait_window "Port options" >/dev/null || fail "no port dialog"
    [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/port-busy.png"
    key Return
    wait_gone "Port options" || fail "the port dialog stayed open"
    # The verify goes to the chosen port, which is still held: it cannot open it.
    key ctrl+e
    expect_box "Hiba"
    ! tail -n +$((seen + 1)) "$SIM_LOG" | grep -q 'request:' || fail "the verify went to COM1"
}

part_savename() {
    STEP="a name typed without an ending"
    restart_app
    key ctrl+s
    choose_file "Save File" "$WORK/ures"
    expect_box "Save"
    [ -f "$WORK/ures.k83" ] || fail "no ures.k83; files: $(ls "$WORK")"
    [ ! -e "$WORK/ures" ] || fail "the file was written as ures"

    STEP="the next save proposes the file's name"
    click_field m_nev
    type_text "Masodik"
    key ctrl+s
    wait_window "Save File" >/dev/null || fail "no save dialog"
    key Return
    # The dialog asks before it replaces the file: Yes.
    expect_box "Save File" alt+y
    expect_box "Save"
    [ "$(file_line "$WORK/ures.k83" 4)" = "Masodik" ] || fail "ures.k83 holds \"$(file_line "$WORK/ures.k83" 4)\""
    [ "$(ls "$WORK" | grep -c '^ures')" = 1 ] || fail "files written: $(ls "$WORK")"
}

start_desktop
write_store "$WORK/module.txt"
start_sim
for part in ${PARTS:-readout reserved port savename}; do
    "part_$part"
    log "$part passed"
done
log "passed"
