#!/usr/bin/env bash
# An installer writes a site's form into a module that already holds another one,
# through Eszköz > Biztonságos betöltés (Ctrl+Shift+D):
# - the module's earlier configuration is kept as a backup in the per-user backups
#   folder, byte for byte the file a read-out gives; the module then holds the new
#   form, and the dialog says so with the backup's path;
# - a line pulled in the middle of the download offers "Visszatöltés a mentésből",
#   which puts the module back as it was;
# - a module that does not answer gets nothing: Return closes the dialog without a
#   write, and only "Betöltés mentés nélkül", chosen on purpose, writes it, once.
source "$(dirname "$0")/desktop.sh"

CLI_BIN=$(dirname "$RZM_BIN")/rzm417-cli
BACKUPS=$XDG_DATA_HOME/rzm417/backups
SAFE_TITLE="Biztonságos betöltés"

# The simulated module as COM1 with the story's store, started anew; its pid is kept
# so the story can pull the line (end it) and plug it in again.
SIM_PID=
plug_module() {
    [ -n "$SIM_PID" ] && unplug_module
    "$SIM_BIN" --com 1 --store "$WORK/module.txt" "$@" >>"$SIM_LOG" 2>&1 &
    SIM_PID=$!
    pids+=($SIM_PID)
    wait_until 10 test -L "$XDG_DATA_HOME/rzm417/ports/com1" || fail "the simulator did not register COM1"
}
unplug_module() {
    kill "$SIM_PID"
    wait "$SIM_PID" 2>/dev/null
    SIM_PID=
}
requests() { grep -c "request: $1" "$SIM_LOG"; }
backups() { ls "$BACKUPS" 2>/dev/null | wc -l; }

# The outcome text of the dialog, selected and copied as a person copies it.
outcome_text() {
    local dialog=$1
    # Its first line lies below the three steps and the bar, whatever its length.
    xdotool mousemove --window "$dialog" 30 122 click 1
    key ctrl+a ctrl+c
    sleep 0.2
    clipboard_get
}
outcome_has() { outcome_text "$1" | grep -q -- "$2"; }
# The offer stands at the bottom right, left of the default "Bezárás".
click_offer() {
    local dialog=$1 width height
    eval "$(xdotool getwindowgeometry --shell "$dialog" | grep -E '^(WIDTH|HEIGHT)=' | tr 'A-Z' 'a-z')"
    xdotool mousemove --window "$dialog" $((width - 130)) $((height - 23)) click 1
}

start_desktop
write_config "$WORK/old.k83" 36309888000 1111 0001 Regi 0 Ajto Ablak 3 R3be R4be R3ki R4ki R1be R1ki R2be R2ki
write_config "$WORK/new.k83" 36709996500 2222 0002 Uj 1 Kapu Garazs 7 U3be U4be U3ki U4ki U1be U1ki U2be U2ki
write_config "$WORK/third.k83" 36209300099 3333 0003 Harmadik 1 Be1 Be2 9 H3be H4be H3ki H4ki H1be H1ki H2be H2ki

STEP="a module that holds old.k83"
plug_module --unpaced
"$CLI_BIN" download "$WORK/old.k83" --port COM1 >>"$WORK/cli.log" 2>&1 || fail "old.k83 was not written into the module"
"$CLI_BIN" readout --port COM1 -o "$WORK/before.k83" >>"$WORK/cli.log" 2>&1 || fail "the module could not be read"

STEP="Ctrl+Shift+D with new.k83"
start_app "$WORK/new.k83"
expect_box "File opened."
key ctrl+shift+d
dialog=$(wait_window "$SAFE_TITLE") || fail "no \"$SAFE_TITLE\" dialog"
wait_until 20 outcome_has "$dialog" "Sikeres biztonságos betöltés" || fail "no success shown: $(outcome_text "$dialog")"
import -window root "$WORK/success.png" 2>/dev/null
shown=$(outcome_text "$dialog")
[ "$(backups)" = 1 ] || fail "$(backups) backups in $BACKUPS"
backup=$(ls "$BACKUPS"/*.k83)
cmp "$backup" "$WORK/before.k83" >&2 || fail "the backup differs from the module's earlier configuration"
grep -qF "$backup" <<<"$shown" || fail "the outcome does not name $backup: $shown"
grep -q "nyugtázta a betöltést" <<<"$shown" || fail "the outcome does not say the module acknowledged: $shown"
grep -q "konfiguráció egyezik" <<<"$shown" || fail "the outcome does not give the read-back's verdict: $shown"
key Return
wait_gone "$SAFE_TITLE" || fail "Return did not close the dialog"
"$CLI_BIN" verify "$WORK/new.k83" --port COM1 >>"$WORK/cli.log" 2>&1 || fail "the module does not hold new.k83"
log "backup $backup; the module holds new.k83"

STEP="a line pulled during the download"
cp "$WORK/module.txt" "$WORK/module-before.txt"
plug_module # at 1200 baud, so the download takes seconds
key ctrl+o
choose_file "Open File" "$WORK/third.k83"
expect_box "File opened."
downloads=$(requests download)
key ctrl+shift+d
dialog=$(wait_window "$SAFE_TITLE") || fail "no \"$SAFE_TITLE\" dialog"
wait_until 40 bash -c "[ \$(grep -c 'request: download' '$SIM_LOG') -gt $downloads ]" || fail "the download did not start"
sleep 1
unplug_module
wait_until 20 outcome_has "$dialog" "Betöltés hiba" || fail "no failure shown: $(outcome_text "$dialog")"
[ "$(backups)" = 2 ] || fail "no second backup"
cmp "$WORK/module.txt" "$WORK/module-before.txt" >&2 || fail "the half download changed the stored configuration"
plug_module --unpaced
import -window root "$WORK/pulled.png" 2>/dev/null
click_offer "$dialog"
wait_until 20 outcome_has "$dialog" "Sikeres visszatöltés" || fail "the restore did not succeed: $(outcome_text "$dialog")"
key Return
wait_gone "$SAFE_TITLE" || fail "Return did not close the dialog"
"$CLI_BIN" verify "$WORK/new.k83" --port COM1 >>"$WORK/cli.log" 2>&1 || fail "the restore did not put new.k83 back"
cmp "$WORK/module.txt" "$WORK/module-before.txt" >&2 || fail "the module is not as it was"

STEP="a silent module"
plug_module --unpaced --fault silence
downloads=$(requests download)
key ctrl+shift+d
dialog=$(wait_window "$SAFE_TITLE") || fail "no \"$SAFE_TITLE\" dialog"
wait_until 20 outcome_has "$dialog" "Nem készült mentés" || fail "no refusal shown: $(outcome_text "$dialog")"
key Return
wait_gone "$SAFE_TITLE" || fail "Return did not close the dialog"
sleep 0.5
[ "$(requests download)" = "$downloads" ] || fail "Return wrote to the module"
[ "$(backups)" = 2 ] || fail "a backup was kept of a silent module"
key ctrl+shift+d
dialog=$(wait_window "$SAFE_TITLE") || fail "no \"$SAFE_TITLE\" dialog"
wait_until 20 outcome_has "$dialog" "Nem készült mentés" || fail "no refusal shown"
import -window root "$WORK/silent.png" 2>/dev/null
click_offer "$dialog"
wait_until 20 outcome_has "$dialog" "Betöltés hiba" || fail "the write without backup did not end: $(outcome_text "$dialog")"
[ "$(requests download)" = $((downloads + 1)) ] || fail "the write without backup reached the module $(( $(requests download) - downloads )) times"
key Escape
wait_gone "$SAFE_TITLE" || fail "Escape did not close the dialog"
expect_windows "$MAIN_TITLE"
log "passed"
