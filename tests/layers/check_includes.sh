#!/usr/bin/env bash
# The layers may only reach down: the core reaches no other library, the sheet
# only the core, the command line no widget, the simulator only the core, and no
# widget folder reaches up into the app. An include with a folder names its
# library's root (core/, gui/, sheet/, cli/), so it says which layer it reaches.
# Prints every include that breaks a rule and fails if there is one.
set -euo pipefail
src=${1:?usage: check_includes.sh SOURCE_DIR}
cd "$src"

# Every quoted include with a folder: "file:line:path".
includes() {
    { grep -rnoE '^#include "[^"]*/[^"]*"' "$@" --include='*.h' --include='*.cpp' --include='*.h.in' || true; } \
        | sed -E 's/#include "(.*)"$/\1/'
}

# Prints the includes on stdin under the heading $1, if there are any.
report() {
    local hits
    hits=$(cat)
    if [ -n "$hits" ]; then
        echo "$1:"
        sed 's/^/  /' <<<"$hits"
    fi
}
# $1: what is checked, $2: pattern of the includes it may not have, the rest: folders.
refuse() {
    local what=$1 pattern=$2
    shift 2
    includes "$@" | { grep -E ":[0-9]+:($pattern)" || true; } | report "$what"
}

broken=$(
    refuse "the core includes another library" 'gui/|sheet/|cli/' src/core
    refuse "the sheet includes the widgets or the command line" 'gui/|cli/' src/sheet
    refuse "the command line includes the widgets" 'gui/' src/cli
    refuse "the simulator includes more than the core" 'gui/|sheet/|cli/' sim
    widget_folders=$(find src/gui -mindepth 1 -maxdepth 1 -type d ! -name app | sort)
    # shellcheck disable=SC2086
    refuse "a widget folder includes the app" 'gui/app/' $widget_folders
    includes src sim | { grep -vE ":[0-9]+:(core|gui|sheet|cli)/" || true; } | report "an include with a folder that is no library's root"
)
if [ -n "$broken" ]; then
    echo "$broken"
    exit 1
fi
echo "layers: every include reaches down, from a library's root"
