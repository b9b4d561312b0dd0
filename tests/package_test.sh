#!/usr/bin/env bash
# Packages the game as a packager would, from a plain CMake build of the
# source tree without the presets, in a scratch directory, and has lintian
# judge the Debian package: any error or warning fails. Also checks the
# control fields lintian leaves alone: the section (with it, lintian wants the
# program in /usr/games), the shared-library dependencies and Qt's Wayland
# platform recommended. Only what the package needs is built (no tests); Ninja stands
# in for make, which the build machine may lack.
#
# usage: package_test.sh CMAKE CPACK SOURCE_DIR
set -euo pipefail

cmake=$1 cpack=$2 source=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

log=$work/build.log
{ "$cmake" -S "$source" -B "$work/build" -G Ninja -DBUILD_TESTING=OFF &&
  "$cmake" --build "$work/build" &&
  (cd "$work/build" && "$cpack" -G DEB); } >"$log" 2>&1 || { cat "$log" >&2; fail "the plain build or cpack failed"; }
shopt -s nullglob
debs=("$work"/build/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one .deb from cpack, found ${#debs[@]}"
[ "$failures" -eq 0 ] || exit 1
deb=${debs[0]}
echo "package: $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[[ "$(field Depends)" == *libqt6widgets6* ]] || fail "Depends '$(field Depends)' lacks the Qt libraries"
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)', not qt6-wayland"

# Lintian refuses nothing as root but says so on stderr; keep only its tags.
tags=$(lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)) ||
  fail "lintian found errors or warnings"
[ -z "$tags" ] || printf '%s\n' "$tags"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "lintian accepts the package"
