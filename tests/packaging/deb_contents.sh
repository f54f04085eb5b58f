#!/usr/bin/env bash
# The Debian package built from the current build (CPack's DEB generator, as
# scripts/package builds it) and unpacked with dpkg-deb: the same files as the
# install rules give, under /usr, with stripped programs, the project's version,
# and dependencies found by dpkg-shlibdeps.
#   deb_contents.sh BUILD_DIR VERSION
source "$(dirname "$0")/common.sh"
version=$2
arch=$(dpkg --print-architecture)
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$tmp/out/rzm417_${version}_$arch.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack wrote: $(ls "$tmp/out")"

dpkg-deb -x "$deb" "$tmp/root"
diff -u <(sed 's|^|usr/|' "$here/installed-files.txt") <(file_list "$tmp/root") ||
    fail "the package's files differ from the install rules'"
for program in rzm417 rzm417-cli rzm417-sim; do
    file "$tmp/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libc6; do
    grep -q "\b$library (>= " <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes, Depends: $depends"
