#!/usr/bin/env bash
# The installed program started as a desktop launcher starts it: from a folder
# that holds no help file. F1 shows the help text installed in the data folder.
# With that copy gone too, F1 shows "ERROR: Canot open the help file.".
# A double-click on a .k83 file: the desktop entry's Exec line, with the file for
# %f, starts the program with that file open.
# A private Xvfb display with openbox; real key presses (xdotool); the text read
# back through the clipboard (Ctrl+A, Ctrl+C in the help window).
#   installed_help.sh BUILD_DIR
source "$(dirname "$0")/common.sh"
prefix=$tmp/prefix
install_into "$prefix"

export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$HOME" "$tmp/launch"
chmod 700 "$HOME"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
cleanups+=("kill $!")
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=:$(head -1 "$tmp/display")
openbox >/dev/null 2>&1 &
cleanups+=("kill $!")
# A window mapped while openbox is still starting may never be shown: wait until
# it has announced itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

# Starts the installed program in the empty folder, presses F1 in its window and
# leaves what the help window shows in $tmp/shown.
show_help() {
    (cd "$tmp/launch" && exec "$prefix/bin/rzm417") >"$tmp/program.log" 2>&1 &
    local program=$!
    cleanups+=("kill $program 2>/dev/null")
    local main help
    main=$(timeout 20 xdotool search --sync --onlyvisible --name '^RZM-417 let.* szoftver$' | head -1 || true)
    [ -n "$main" ] || fail "no main window: $(cat "$tmp/program.log")"
    timeout 10 xdotool windowactivate --sync "$main" key F1
    help=$(timeout 20 xdotool search --sync --onlyvisible --name '^Help$' | head -1 || true)
    [ -n "$help" ] || fail "no help window after F1"
    timeout 10 xdotool windowactivate --sync "$help" key ctrl+a ctrl+c
    : >"$tmp/shown"
    for _ in $(seq 50); do
        timeout 5 xclip -selection clipboard -o >"$tmp/shown" 2>/dev/null && [ -s "$tmp/shown" ] && break
        sleep 0.1
    done
    kill "$program"
    wait "$program" 2>/dev/null || true
}

installed=$prefix/share/rzm417/rzm_17.hlp
[ ! -e "$prefix/bin/rzm_17.hlp" ] || fail "a help file lies beside the installed program"
# The window shows the file up to and including its line "---".
sed '/^---$/q' "$installed" >"$tmp/expected"
show_help
diff "$tmp/shown" "$tmp/expected" >"$tmp/diff" ||
    fail "F1 did not show the installed help text:$(head -20 "$tmp/diff")"

# What a desktop runs for a double-click: the entry's Exec line, the file for %f.
desktop=$(ls "$prefix"/share/applications/*.desktop)
cp "$prefix/share/rzm417/default17.ui" "$tmp/launch/site.k83"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
# shellcheck disable=SC2086 # the Exec line's words
(cd "$tmp/launch" && PATH="$prefix/bin:$PATH" exec ${exec_line/\%f/$tmp/launch/site.k83}) >"$tmp/program.log" 2>&1 &
launched=$!
cleanups+=("kill $launched 2>/dev/null")
timeout 20 xdotool search --sync --onlyvisible --name '^File opened\.$' >/dev/null ||
    fail "'$exec_line' with a .k83 file showed no \"File opened.\": $(cat "$tmp/program.log")"
kill "$launched"
wait "$launched" 2>/dev/null || true

rm "$installed"
show_help
[ "$(cat "$tmp/shown")" = "ERROR: Canot open the help file." ] || fail "without any help file F1 showed: $(cat "$tmp/shown")"
echo "installed help ok: $(wc -l <"$tmp/expected") lines shown from the data folder; '$exec_line' opens a .k83 file"
