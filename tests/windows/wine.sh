# Wine for the Windows stories, sourced after ../desktop/desktop.sh, which gives
# the story's folder ($WORK), its processes, fail, log and wait_until. From ctest:
#   RZM_WINEPREFIX   the build's prefix (the test windows_prefix makes it)
#   RZM_WIN_DEPLOY   the installed Windows programs (scripts/windows-build)
#   RZM_LINUX_CLI    the Linux rzm417-cli, whose bytes are the reference
#   RZM_KEEP         where screenshots and figures stay after the story
export WINEPREFIX=$RZM_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEQT_FORCE_STDERR_LOGGING=1
WIN_BIN=$RZM_WIN_DEPLOY/bin
mkdir -p "$RZM_KEEP"
[ -x "$WIN_BIN/rzm417-cli.exe" ] || fail "no Windows programs in $RZM_WIN_DEPLOY (scripts/windows-build installs them)"
[ -x "$RZM_LINUX_CLI" ] && [ -x "$SIM_BIN" ] || fail "no Linux build beside: $RZM_LINUX_CLI, $SIM_BIN (scripts/build)"

# "Z:\work\..." for a path here: how a Windows program under Wine names it.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

# The lines an exchange leaves in a simulator's log, without the time stamps and
# without what depends on timing alone.
sim_lines() { sed -e 's/^[0-9:.]* //' "$1" | grep -v -e 'ran ahead of the line' -e '^ready (' -e '^RZM-417 simulator on' \
    -e '^stored configuration:' -e '^press Ctrl+C'; }
# The exchanges a simulator has finished, by the line each one ends with.
sim_finished() {
    grep -c -E 'download (request left unanswered|refused with garbage|abandoned after|stored, acknowledged)|read-out (request left unanswered|answered with garbage|sent:)|line hung up' "$1"
}

# A simulator on a pseudo-terminal that both worlds reach as COMn: the Linux tools
# through the link comN of the port folder, the Windows ones through the prefix's
# dosdevices/comN. Its log is $WORK/sim<n>.log; SIM_PID is its process.
start_sim_as() {
    local n=$1
    shift
    SIM_LOG="$WORK/sim$n.log"
    "$SIM_BIN" --com "$n" --store "$WORK/module$n.txt" "$@" >"$SIM_LOG" 2>&1 &
    SIM_PID=$!
    pids+=("$SIM_PID")
    wait_until 10 test -L "$XDG_DATA_HOME/rzm417/ports/com$n" || fail "the simulator did not register COM$n"
    ln -sfn "$(readlink "$XDG_DATA_HOME/rzm417/ports/com$n")" "$WINEPREFIX/dosdevices/com$n"
}
stop_sim() {
    kill "$SIM_PID" 2>/dev/null
    wait "$SIM_PID" 2>/dev/null
    return 0
}

win_cli() { wine "$WIN_BIN/rzm417-cli.exe" "$@"; }

