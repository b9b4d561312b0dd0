#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch directory and has
# lintian judge it: any error or warning fails. Also checks the control fields
# lintian leaves alone: the section, the shared-library dependencies and the
# program's place in /usr/games.
#
# usage: package_test.sh CPACK BUILD_DIR
set -euo pipefail

cpack=$1 build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

log=$("$cpack" --config "$build/CPackConfig.cmake" -B "$out" 2>&1) || fail "cpack could not build the package"
shopt -s nullglob
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one .deb from cpack, found ${#debs[@]}"
[ "$failures" -eq 0 ] || { printf '%s\n' "$log" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

section=$(dpkg-deb -f "$deb" Section) depends=$(dpkg-deb -f "$deb" Depends)
[ "$section" = games ] || fail "Section is '$section', not games"
[[ "$depends" == *libqt6widgets6* ]] || fail "Depends '$depends' lacks the Qt libraries"
dpkg-deb -c "$deb" | grep ' \./usr/games/tavelquin$' >/dev/null || fail "the package does not hold /usr/games/tavelquin"

# Lintian refuses nothing as root but says so on stderr; keep only its tags.
tags=$(lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)) ||
  fail "lintian found errors or warnings"
[ -z "$tags" ] || printf '%s\n' "$tags"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "lintian accepts the package"
