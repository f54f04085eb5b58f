#!/usr/bin/env bash
# The Windows rzm417-cli.exe over its own serial layer (kernel32), under Wine,
# against the Linux simulator on a pseudo-terminal that the prefix sees as COM7.
# Every exchange is made by the Linux rzm417-cli and then by the Windows one, and
# both must leave the same: what the module received and answered (the
# simulator's trace), the bytes each tool saw (its --trace), the file written,
# the report, the error line and the exit code.
# - download, read-out and verify of a whole configuration at 1200 baud; the
#   read-out's wall time on both sides is kept as a figure;
# - the safe write (a backup, the write, a read-back) of another configuration
#   over it: the same exchanges, and a backup that is the module's earlier
#   configuration byte for byte;
# - a read-out into an accented file name in a subfolder, given with "/": the
#   file is there under that name and the report names it with "\";
# - the faults: a module that stays silent, one that never says "R", a wrong
#   acknowledge, and a read-out answer and a download cut off by a line that
#   vanishes;
# - ports: COM7 free, with no adapter (Wine lists no device for a port that is
#   a link in dosdevices); with a USB adapter entered in the registry as Windows
#   enters one, its name, maker, serial number and ids; then in use while the
#   Linux tool reads the module out, and a read-out refused with that reason;
#   then free again.
source "$(dirname "$0")/../desktop/desktop.sh"
source "$(dirname "$0")/wine.sh"

SAMPLE=$RZM_EXAMPLE # a whole configuration, as the download checks want it
FIGURES=$RZM_KEEP/serial-figures.txt
: >"$FIGURES"
SIM_ARGS=()
RESTART_EACH=0

sim_done_beyond() { [ "$(sim_finished "$SIM_LOG")" -gt "$1" ]; }

# What may differ between two runs of the same exchange: the times.
timeless() { sed -E -e 's/[0-9]+\.[0-9]+ s\)/N s)/g' -e 's/^ *[0-9]+\.[0-9]{3} //' -e '/^# rzm417-cli trace, /d' "$@"; }

# One run of a tool, in the side's own folder, which holds a copy of the
# configuration: the arguments, and so every path in the tools' output, are
# the same on both sides.
run_side() {
    local side=$1 name=$2 finished lines start code
    shift 2
    if [ "$RESTART_EACH" = 1 ]; then
        stop_sim
        start_sim_as 7 "${SIM_ARGS[@]}"
    fi
    finished=$(sim_finished "$SIM_LOG")
    lines=$(wc -l <"$SIM_LOG")
    start=$(date +%s%N)
    if [ "$side" = linux ]; then
        (cd "$WORK/linux" && exec "$RZM_LINUX_CLI" "$@" --trace "$name.trace")
    else
        (cd "$WORK/windows" && win_cli "$@" --trace "$name.trace")
    fi >"$WORK/$side/$name.out" 2>"$WORK/$side/$name.err"
    code=$?
    echo "$code" >"$WORK/$side/$name.code"
    echo $((($(date +%s%N) - start) / 1000000)) >"$WORK/$side/$name.ms"
    wait_until 20 sim_done_beyond "$finished" ||
        fail "$name ($side): the simulator did not finish the exchange"
    tail -n +$((lines + 1)) "$SIM_LOG" | sim_lines /dev/stdin >"$WORK/$side/$name.sim"
}

# The same exchange with both tools; they must agree on everything.
exchange() {
    local name=$1 want=$2 f
    shift 2
    run_side linux "$name" "$@"
    run_side windows "$name" "$@"
    log "$name: exit $(cat "$WORK/linux/$name.code") on Linux in $(cat "$WORK/linux/$name.ms") ms," \
        "$(cat "$WORK/windows/$name.code") under Wine in $(cat "$WORK/windows/$name.ms") ms"
    [ "$(cat "$WORK/linux/$name.code")" = "$want" ] || fail "$name: the Linux tool ended with $(cat "$WORK/linux/$name.code"), not $want: $(cat "$WORK/linux/$name.err")"
    [ -s "$WORK/linux/$name.trace" ] || fail "$name: the Linux tool wrote no trace"
    for f in code out err sim trace; do
        diff <(timeless "$WORK/linux/$name.$f") <(timeless "$WORK/windows/$name.$f") >"$WORK/$name.$f.diff" ||
            fail "$name: the $f differs between Linux and Windows: $(head -20 "$WORK/$name.$f.diff")"
    done
}

mkdir -p "$WORK/linux" "$WORK/windows"
cp "$SAMPLE" "$WORK/linux/example.k83"
cp "$SAMPLE" "$WORK/windows/example.k83"

STEP="download, read-out and verify at 1200 baud"
start_sim_as 7
exchange download 0 download example.k83 --port COM7
grep -q '^line 92/92 ' "$WORK/windows/download.sim" || fail "the simulator did not get 92 lines from Windows"
exchange readout 0 readout --port COM7 -o back.k83
cmp -s "$WORK/linux/back.k83" "$WORK/windows/back.k83" || fail "the read-out files differ"
[ "$(wc -l <"$WORK/windows/back.k83")" = 348 ] || fail "the Windows read-out is not a whole configuration"
echo "read-out at 1200 baud: Linux $(cat "$WORK/linux/readout.ms") ms, Windows under Wine $(cat "$WORK/windows/readout.ms") ms" >>"$FIGURES"
echo "download at 1200 baud: Linux $(cat "$WORK/linux/download.ms") ms, Windows under Wine $(cat "$WORK/windows/download.ms") ms" >>"$FIGURES"
exchange verify 0 verify example.k83 --port COM7
grep -qx 'COM7: match' "$WORK/windows/verify.out" || fail "verify did not match: $(cat "$WORK/windows/verify.out")"

STEP="the safe write: a backup, the write, a read-back"
# The module holds example.k83; each tool writes other.k83 over it with a backup
# first and a read-back after, and the module is put back between the two runs.
# (Without --trace: the Windows tool given --trace with --backup does not end,
# see the README.)
write_config "$WORK/linux/other.k83" 36709996500 2222 0002 Uj 1 Kapu Garazs 7 U3be U4be U3ki U4ki U1be U1ki U2be U2ki
cp "$WORK/linux/other.k83" "$WORK/windows/other.k83"
stop_sim
start_sim_as 7 --unpaced
for side in linux windows; do
    finished=$(sim_finished "$SIM_LOG")
    lines=$(wc -l <"$SIM_LOG")
    if [ "$side" = linux ]; then
        (cd "$WORK/linux" && timeout 60 "$RZM_LINUX_CLI" download other.k83 --port COM7 --backup backups --verify)
    else
        (cd "$WORK/windows" && timeout 60 wine "$WIN_BIN/rzm417-cli.exe" download other.k83 --port COM7 --backup backups --verify)
    fi >"$WORK/$side/safe.out" 2>"$WORK/$side/safe.err" || fail "the safe write ($side) failed: $(cat "$WORK/$side/safe.err")"
    wait_until 20 sim_done_beyond $((finished + 2)) || fail "the safe write ($side): the simulator did not finish three exchanges"
    tail -n +$((lines + 1)) "$SIM_LOG" | sim_lines /dev/stdin >"$WORK/$side/safe.sim"
    backup=$(ls "$WORK/$side"/backups/*.k83)
    [ "$(wc -w <<<"$backup")" = 1 ] || fail "$side kept $(wc -w <<<"$backup") backups"
    cmp -s "$backup" "$WORK/linux/back.k83" || fail "the $side backup is not the module's earlier configuration"
    grep -qx 'COM7: verify: match' "$WORK/$side/safe.out" || fail "no matching read-back ($side): $(cat "$WORK/$side/safe.out")"
    "$RZM_LINUX_CLI" download "$WORK/linux/example.k83" --port COM7 >/dev/null 2>&1 || fail "example.k83 could not be written back"
done
diff "$WORK/linux/safe.sim" "$WORK/windows/safe.sim" >"$WORK/safe.sim.diff" ||
    fail "safe write: the module saw other exchanges from Windows: $(head -20 "$WORK/safe.sim.diff")"
grep -q '^COM7: backup [A-Z]:\\.*\\backups\\[^\\/]*\.k83$' "$WORK/windows/safe.out" ||
    fail "the Windows report names no backup with the system's separators: $(cat "$WORK/windows/safe.out")"
stop_sim
start_sim_as 7

STEP="an accented file name"
# "ñ" is not in the prefix's ANSI code page (1250): only the command line as
# UTF-16 carries it to the program.
ACCENTED="kiolvasás őrző-ñ.k83"
mkdir -p "$WORK/windows/mentés"
(cd "$WORK/windows" && LC_ALL=hu_HU.UTF-8 win_cli readout --port COM7 -o "mentés/$ACCENTED") \
    >"$WORK/accented.out" 2>"$WORK/accented.err" || fail "the read-out into $ACCENTED: $(cat "$WORK/accented.err")"
cmp -s "$WORK/windows/mentés/$ACCENTED" "$WORK/windows/back.k83" ||
    fail "no read-out under the name $ACCENTED: $(ls "$WORK/windows/mentés")"
want="$(sed 's/written to .*$/written to /' "$WORK/windows/readout.out")mentés\\$ACCENTED"
[ "$(cat "$WORK/accented.out")" = "$want" ] || fail "the report says \"$(cat "$WORK/accented.out")\", not \"$want\""
(cd "$WORK/windows" && LC_ALL=hu_HU.UTF-8 win_cli check "nincs/$ACCENTED") >"$WORK/missing.out" 2>&1
grep -qxF "rzm417-cli: nincs\\$ACCENTED: no such file" "$WORK/missing.out" || fail "a missing file: $(cat "$WORK/missing.out")"
# On a terminal Wine gives the program a console: the text goes there as characters.
(cd "$WORK/windows" && LC_ALL=hu_HU.UTF-8 SHELL=/bin/bash script -qec "$(printf '%q ' wine "$WIN_BIN/rzm417-cli.exe" check "mentés/$ACCENTED")" /dev/null) |
    tr -d '\r' >"$WORK/console.out"
grep -qE "mentés\\\\$ACCENTED: (nothing|[0-9]+) refused$" "$WORK/console.out" || fail "on a console: $(cat "$WORK/console.out")"
stop_sim

STEP="faults"
start_sim_as 7 --unpaced --fault silence
exchange silent 4 readout --port COM7 -o silent.k83
[ ! -e "$WORK/windows/silent.k83" ] || fail "a silent module left a file"
stop_sim
start_sim_as 7 --unpaced --fault no-r
exchange nor 4 download example.k83 --port COM7
# A port above COM9 opens through the same device path ("\\.\COM12").
ln -sfn "$(readlink "$WINEPREFIX/dosdevices/com7")" "$WINEPREFIX/dosdevices/com12"
(cd "$WORK/windows" && win_cli verify example.k83 --port COM12) >"$WORK/com12.out" 2>&1 ||
    fail "verify through COM12: $(cat "$WORK/com12.out")"
grep -qx 'COM12: match' "$WORK/com12.out" || fail "verify through COM12: $(cat "$WORK/com12.out")"
rm "$WINEPREFIX/dosdevices/com12"
stop_sim
start_sim_as 7 --unpaced --ack XY
exchange wrongack 4 download example.k83 --port COM7
grep -q '^line 92/92 ' "$WORK/windows/wrongack.sim" || fail "the wrong acknowledge came before the whole download"
# The simulator drops the line after 100 bytes of the answer; each side gets a
# simulator of its own, since a dropped line is gone for good.
SIM_ARGS=(--unpaced --fault hangup --hangup-after 100)
RESTART_EACH=1
exchange cut 4 readout --port COM7 -o cut.k83
[ ! -e "$WORK/windows/cut.k83" ] || fail "a cut answer left a file"
exchange cutdownload 4 download example.k83 --port COM7
RESTART_EACH=0
stop_sim

STEP="ports: free, in use, free"
# Another program holds COM7 while the Linux tool reads the module out at 1200
# baud. (Wine does not keep a COM port to one of its own processes; a Linux
# program's hold it does refuse.)
start_sim_as 7
# The state ports --json gives COM7 (its keys come in alphabetical order).
com7_state() { win_cli ports --json | grep -A10 '"com": "COM7"' | sed -n 's/^ *"state": "\(.*\)",*$/\1/p' | head -1; }
com7_free() { [ "$(com7_state)" = free ]; }
win_cli ports >"$WORK/ports.txt" 2>&1 || fail "ports failed: $(cat "$WORK/ports.txt")"
grep -Eq '^COM7 +\\\\\.\\COM7 +system +- +free$' "$WORK/ports.txt" || fail "COM7 is not listed free: $(cat "$WORK/ports.txt")"
! grep -q -e '/dev/' -e 'links in' "$WORK/ports.txt" || fail "ports names Linux things on Windows: $(cat "$WORK/ports.txt")"
[ "$(com7_state)" = "free" ] || fail "ports --json says COM7 is \"$(com7_state)\""
# An FTDI adapter as its driver's installation records it: a device of the Ports
# class with its COM name in "Device Parameters".
ADAPTER='HKLM\System\CurrentControlSet\Enum\USB\VID_0403&PID_6001'
wine reg add "$ADAPTER\A50285BI" /v ClassGUID /d '{4D36E978-E325-11CE-BFC1-08002BE10318}' /f >/dev/null &&
    wine reg add "$ADAPTER\A50285BI" /v FriendlyName /d 'USB Serial Port (COM7)' /f >/dev/null &&
    wine reg add "$ADAPTER\A50285BI" /v Mfg /d FTDI /f >/dev/null &&
    wine reg add "$ADAPTER\A50285BI\Device Parameters" /v PortName /d COM7 /f >/dev/null || fail "the adapter's registry key"
win_cli ports >"$WORK/ports-adapter.txt" 2>&1
wine reg delete "$ADAPTER" /f >/dev/null
grep -Eq '^COM7 +\\\\\.\\COM7 +system +USB Serial Port, FTDI, serial A50285BI, USB 0403:6001 +free$' "$WORK/ports-adapter.txt" ||
    fail "COM7 does not name its adapter: $(cat "$WORK/ports-adapter.txt")"
"$RZM_LINUX_CLI" readout --port COM7 -o "$WORK/linux/held.k83" >"$WORK/holder.log" 2>&1 &
holder=$!
pids+=("$holder")
wait_until 10 grep -q 'request: read-out' "$SIM_LOG" || fail "the Linux read-out did not start"
[ "$(com7_state)" = "in use" ] || fail "COM7 held by another program is \"$(com7_state)\""
win_cli ports >"$WORK/ports-held.txt" 2>&1
grep -Eq '^COM7 .* in use by another program$' "$WORK/ports-held.txt" || fail "the table: $(cat "$WORK/ports-held.txt")"
win_cli readout --port COM7 -o "$(winpath "$WORK/windows/held.k83")" >"$WORK/held.out" 2>"$WORK/held.err"
code=$?
[ $code = 3 ] || fail "a read-out of a held port ended with $code: $(cat "$WORK/held.err")"
grep -qF 'rzm417-cli: COM7: \\.\COM7 cannot be opened: in use by another program' "$WORK/held.err" ||
    fail "the reason is: $(cat "$WORK/held.err")"
wait "$holder" || fail "the Linux read-out failed: $(cat "$WORK/holder.log")"
wait_until 20 com7_free || fail "COM7 stayed \"$(com7_state)\" after the holder let go"
log "passed; $(tr '\n' ';' <"$FIGURES")"
