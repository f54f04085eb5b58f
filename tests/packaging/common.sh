# Shared by the packaging checks: a private temp folder removed at the end, and
# the failure report. Sourced; $1 of the caller is the build folder.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d)
cleanups=()
cleanup() {
    local c
    for c in "${cleanups[@]}"; do eval "$c" || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The install rules into a fresh prefix, as an installer would run them.
install_into() {
    cmake --install "$build" --prefix "$1" > "$tmp/install.log" || { cat "$tmp/install.log"; fail "cmake --install"; }
}

# The regular files below a folder, relative to it, sorted.
file_list() {
    (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}
