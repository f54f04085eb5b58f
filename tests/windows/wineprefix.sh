#!/usr/bin/env bash
# The Wine prefix that every test of the label "windows" runs in, private to the
# build folder:
#   wineprefix.sh setup PREFIX   made afresh, with a wineserver that stays until
#   wineprefix.sh end PREFIX     ends it after the last test.
# The programs run in Hungarian (hu_HU.UTF-8), where Wine's ANSI code page is
# 1250, the one a Hungarian Windows reads the help text and the files in.
set -euo pipefail
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all
# No download of Wine's Mono and Gecko: nothing here needs .NET or a browser. No
# menu entries or file types of the prefix in the tester's own desktop either.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
case $action in
setup)
    if ! locale -a | grep -qix 'hu_HU\.utf-\?8'; then
        echo "wineprefix: the locale hu_HU.UTF-8 is missing (scripts/windows-toolchain makes it)" >&2
        exit 1
    fi
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    start=$SECONDS
    log=$(dirname "$WINEPREFIX")/wineprefix.log
    LC_ALL=hu_HU.UTF-8 wineboot -i </dev/null >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    wineserver -w
    # One server for all the tests, and with it Wine's services and devices,
    # started here once: a program then starts in a fraction of a second. (Made
    # persistent only now: the first start of a new prefix restarts its services,
    # and a lasting server would keep both sets, which then block each other for
    # 10 s at a time.) They outlive this script, so they write into a log, never
    # into ctest's output, which would wait for them to end.
    # The server opens the devices. Root may open a serial line that another
    # program holds (TIOCEXCL), which no Windows user may: without CAP_SYS_ADMIN
    # a Linux program's hold refuses Wine's open, as Windows refuses a held port.
    if [ "$(id -u)" = 0 ]; then
        setpriv --bounding-set=-sys_admin wineserver -p </dev/null >>"$log" 2>&1
    else
        wineserver -p </dev/null >>"$log" 2>&1
    fi
    LC_ALL=hu_HU.UTF-8 wineboot </dev/null >>"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    echo "wineprefix: $WINEPREFIX ready in $((SECONDS - start)) s"
    ;;
end)
    wineserver -k 2>/dev/null || true
    ;;
*)
    echo "usage: wineprefix.sh setup|end PREFIX" >&2
    exit 2
    ;;
esac
