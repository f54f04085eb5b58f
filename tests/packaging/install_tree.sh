#!/usr/bin/env bash
# The install rules into a temporary prefix: the expected files and nothing else,
# a desktop entry and metainfo the freedesktop validators pass, a file type that
# shared-mime-info maps *.k83 to, manual pages that render without a warning, and
# one version everywhere.
#   install_tree.sh BUILD_DIR VERSION
source "$(dirname "$0")/common.sh"
version=$2
prefix=$tmp/prefix
install_into "$prefix"

diff -u "$here/installed-files.txt" <(file_list "$prefix") || fail "the installed files differ from installed-files.txt"

desktop=$(ls "$prefix"/share/applications/*.desktop)
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

# The file type as a desktop sees it: the compiled mime database maps the glob to
# the type the installed mime package declares, and the desktop entry opens that
# type with the file as its argument (installed_help.sh starts it that way).
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix"/share/mime/packages/*.xml)
[ "$type" = application/x-rzm417-config ] || fail "the mime package declares '$type'"
cp -r "$prefix/share/mime" "$tmp/mime"
update-mime-database "$tmp/mime" 2>/dev/null
grep -qx "50:$type:\*.k83" "$tmp/mime/globs2" || fail "*.k83 is not mapped to $type"
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"
grep -qx 'Exec=rzm417 %f' "$desktop" || fail "the desktop entry does not pass the file"
grep -q "<mediatype>$type</mediatype>" "$prefix"/share/metainfo/*.xml || fail "metainfo does not name $type"

# One version: every command, without a display, and the metainfo and manual pages.
for program in rzm417 rzm417-cli rzm417-sim; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$out" = "$program $version" ] || fail "$program --version says '$out', not '$program $version'"
    page=$prefix/share/man/man1/$program.1.gz
    zcat "$page" | head -1 | grep -q "\"rzm417 $version\"" || fail "$page does not carry version $version"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/rzm417" --help | grep -q '^Usage: rzm417 \[FILE\]' ||
    fail "rzm417 --help does not name FILE"
grep -q "<release version=\"$version\"" "$prefix"/share/metainfo/*.xml || fail "metainfo does not carry $version"
echo "install tree ok: $(file_list "$prefix" | wc -l) files"
