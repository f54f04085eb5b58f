# Shared steps of the desktop stories: a private X display with a window manager,
# the real program on it, and a person's input through XTEST (xdotool) and the
# clipboard (xclip). Sourced by each story; the story's arguments are
#   $1 the rzm417 binary   $2 the rzm417-sim binary
# A story exits 0 when it passed, 77 when no display could be started (ctest
# reports it as skipped), anything else when it failed.
set -uo pipefail

RZM_BIN=$1
SIM_BIN=$2
STORY=$(basename "$0" .sh)
MAIN_TITLE="RZM-417 letöltő szoftver"
# The central widget starts below the 21-pixel menu bar; the form's fields sit at
# fixed positions on it, so their centres are known in window coordinates.
FORM_TOP=21

WORK=$(mktemp -d "${TMPDIR:-/tmp}/rzm-desktop-$STORY.XXXXXX")
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The program's output as a user's terminal shows it: no logging rules or pattern.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_LOGGING_RULES QT_LOGGING_CONF QT_MESSAGE_PATTERN

pids=()
APP_PID=
SIM_LOG="$WORK/sim.log"
FAILED=0

log() { echo "[$STORY $(date +%T.%N | cut -c1-12)] $*"; }

# Ends what the story started, newest first, by pid; keeps the work folder of a
# failed story for a look at its logs and screenshot.
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
    done
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        for _ in $(seq 50); do kill -0 "${pids[i]}" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "${pids[i]}" 2>/dev/null
        wait "${pids[i]}" 2>/dev/null
    done
    if [ "$FAILED" = 0 ]; then rm -rf "$WORK"; else echo "kept for inspection: $WORK"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    FAILED=1
    echo "FAIL: $*" >&2
    echo "visible windows: $(visible_windows | tr '\n' ',')" >&2
    [ -n "${DISPLAY:-}" ] && timeout 20 import -window root "$WORK/failure.png" 2>/dev/null \
        && echo "screenshot: $WORK/failure.png" >&2
    [ -f "$WORK/app.log" ] && { echo "--- program output" >&2; tail -20 "$WORK/app.log" >&2; }
    [ -f "$SIM_LOG" ] && { echo "--- simulator output" >&2; tail -20 "$SIM_LOG" >&2; }
    exit 1
}

# Polls the command that follows every 50 ms for up to $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    while ! "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

xvfb_settled() { [ -s "$WORK/display" ] || ! kill -0 "$1" 2>/dev/null; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# Starts Xvfb on a display it picks itself, then openbox; without a window
# manager nobody gives the focus back after a box closes.
start_desktop() {
    for tool in xdotool xclip openbox import; do
        command -v "$tool" >/dev/null || fail "$tool is missing; scripts/bootstrap installs it"
    done
    if ! command -v Xvfb >/dev/null; then
        echo "SKIP: Xvfb is not installed, so no display can be started"
        exit 77
    fi
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    local xvfb=$!
    pids+=($xvfb)
    # Xvfb writes its display number once it takes clients; it may also give up.
    wait_until 15 xvfb_settled "$xvfb"
    if ! [ -s "$WORK/display" ]; then
        echo "SKIP: Xvfb could not start: $(tail -3 "$WORK/xvfb.log" | tr '\n' ' ')"
        exit 77
    fi
    export DISPLAY=":$(cat "$WORK/display")"
    openbox >"$WORK/openbox.log" 2>&1 &
    pids+=($!)
    wait_until 15 wm_running || fail "openbox did not start on $DISPLAY"
    log "display $DISPLAY with openbox"
}

# The simulated module as COM1 in this story's port folder, answering at once.
start_sim() {
    "$SIM_BIN" --com 1 --unpaced --store "$WORK/module.txt" "$@" >"$SIM_LOG" 2>&1 &
    pids+=($!)
    wait_until 10 test -L "$XDG_DATA_HOME/rzm417/ports/com1" || fail "the simulator did not register COM1"
}

# Starts the program in the work folder (it reads its help and default file
# from there), with the story's arguments, and waits for its window to be shown
# and focused; a file given at start has its message box take the focus first.
start_app() {
    ln -sf "$(dirname "$RZM_BIN")/rzm_17.hlp" "$(dirname "$RZM_BIN")/default17.ui" "$WORK/"
    (cd "$WORK" && exec "$RZM_BIN" "$@") >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    pids+=($APP_PID)
    if [ $# -gt 0 ]; then
        wait_until 20 find_windows "$MAIN_TITLE" || fail "the main window did not appear"
        MAIN=$(find_windows "$MAIN_TITLE" | tail -1)
        return
    fi
    MAIN=$(wait_window "$MAIN_TITLE\\*?") || fail "the main window did not appear"
    wait_until 10 is_active "$MAIN" || fail "the main window did not get the focus"
}

# Ends the program the story started last, if it still runs, and starts it afresh.
restart_app() {
    if [ -n "$APP_PID" ] && app_running; then
        kill "$APP_PID"
        wait_until 10 app_ended || fail "the program did not end"
    fi
    start_app "$@"
}

# An ended program stays a zombie until reaped, and kill -0 still reaches a zombie.
app_running() { kill -0 "$APP_PID" 2>/dev/null && [[ "$(ps -o stat= -p "$APP_PID")" != Z* ]]; }
app_ended() { ! app_running; }

# The ids of the shown windows whose title matches the pattern exactly.
find_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Waits for a window titled by the pattern, prints its id and waits until the
# window manager has given it the focus.
wait_window() {
    local id end=$((SECONDS + 20))
    while :; do
        id=$(find_windows "$1" | tail -1)
        [ -n "$id" ] && break
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
    wait_until 10 is_active "$id"
    echo "$id"
}

wait_gone() { wait_until "${2:-20}" bash -c "! xdotool search --onlyvisible --name '^$1\$'"; }

# Titles of the shown, named top-level windows (the window manager's own left
# out); the main window's modified mark is left out too, main_title() reads it.
visible_windows() {
    local id name
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null)
        case $name in Openbox | rzm417 | '') ;; "$MAIN_TITLE*") echo "$MAIN_TITLE" ;; *) echo "$name" ;; esac
    done | sort
}

main_title() { xdotool getwindowname "$MAIN"; }
title_is() { [ "$(main_title)" = "$1" ]; }
expect_title() { wait_until 5 title_is "$1" || fail "the title is \"$(main_title)\", not \"$1\" (step: $STEP)"; }

# Expects exactly the named windows to be shown (one title a line, sorted).
expect_windows() {
    local want got
    want=$(printf '%s\n' "$@" | sort)
    got=$(visible_windows)
    [ "$got" = "$want" ] || fail "expected windows [$(echo $want)], got [$(echo $got)]"
}

# Expects a box or dialog with this title, and closes it with the given keys.
expect_box() {
    local title=$1 keys=${2:-Return} id
    id=$(wait_window "$title") || fail "no window \"$title\" appeared (step: $STEP)"
    # shellcheck disable=SC2086 # one key name a word
    xdotool key --clearmodifiers $keys
    wait_gone "$title" || fail "\"$title\" did not close on $keys (step: $STEP)"
}

key() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 15 -- "$1"; }
clipboard_get() { timeout 5 xclip -o -selection clipboard; }
clipboard_is() { [ "$(clipboard_get)" = "$(printf "$1")" ]; }
# xclip serves the text until another program takes the clipboard; kept in the
# foreground, it is one of the story's processes and ends with it.
clipboard_put() {
    printf "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    pids+=($!)
    wait_until 5 clipboard_is "$1" || fail "the clipboard does not hold the text (step: $STEP)"
}

# Clicks at a point of the main window, in its own coordinates.
click_at() { xdotool mousemove --window "$MAIN" "$1" "$2" click 1; sleep 0.15; }

# Centre of a form field in window coordinates, from its geometry on the form.
field_point() {
    local x y w h
    case $1 in
    m_pin) x=130 y=35 w=35 h=20 ;;
    m_nev) x=130 y=85 w=120 h=20 ;;
    be1_nev) x=130 y=135 w=120 h=20 ;;
    smskp_combo) x=80 y=10 w=71 h=22 ;;
    tc1_1) x=10 y=255 w=16 h=18 ;;
    t1) x=120 y=255 w=105 h=20 ;;
    *) fail "no position known for $1" ;;
    esac
    echo "$((x + w / 2)) $((FORM_TOP + y + h / 2))"
}
click_field() { click_at $(field_point "$1"); }

# Opens a menu of the menu bar by a click on its title, and clicks one of its
# entries; the menu opens right below its title. Positions are in window
# coordinates; the menu counts as open once the program shows a second window.
popup_shown() { [ "$(xdotool search --onlyvisible --classname rzm417 | wc -l)" -gt 1 ]; }
menu_click() {
    local title_x=$1 entry_y=$2
    click_at "$title_x" 10
    wait_until 10 popup_shown || fail "the menu did not open (step: $STEP)"
    click_at $((title_x + 40)) "$entry_y"
}
MENU_FILE=20 MENU_SETTINGS=78 MENU_DEVICE=145
ENTRY_OPEN=30 ENTRY_SAVE=52 ENTRY_PRINT=76 ENTRY_EXPORT=98 ENTRY_IMPORT_PHONES=122 ENTRY_EXPORT_PHONES=144
ENTRY_READUP=30 ENTRY_DOWNLOAD=54 ENTRY_VERIFY=76
ENTRY_PORT=30

# Answers the open or save file dialog with a path typed into its name field.
choose_file() {
    local title=$1 path=$2 id
    id=$(wait_window "$title") || fail "no \"$title\" dialog (step: $STEP)"
    xdotool windowactivate --sync "$id" 2>/dev/null
    key ctrl+a
    type_text "$path"
    key Return
    wait_gone "$title" || fail "\"$title\" stayed open (step: $STEP)"
}

# Line n (from 1) of a file, without its line end.
file_line() { sed -n "${2}p" "$1" | tr -d '\r'; }

# A configuration file of 348 CR LF lines: the given text lines (field order),
# the rest of the 92 texts empty, and no box checked.
write_config() {
    local path=$1
    shift
    {
        local i
        for ((i = 1; i <= 92; i++)); do
            if [ $# -gt 0 ]; then printf '%s\r\n' "$1"; shift; else printf '\r\n'; fi
        done
        for ((i = 1; i <= 256; i++)); do printf '0\r\n'; done
    } >"$path"
}
