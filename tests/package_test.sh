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

if ! log=$("$cpack" --config "$build/CPackConfig.cmake" -B "$out" 2>&1); then
  printf '%s\n' "$log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
shopt -s nullglob
debs=("$out"/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
  echo "FAIL: expected one .deb from cpack, found ${#debs[@]}" >&2
  exit 1
fi
deb=${debs[0]}
echo "package: $(basename "$deb")"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "Section is '$(dpkg-deb -f "$deb" Section)', not games"
[[ "$(dpkg-deb -f "$deb" Depends)" == *libqt6widgets6* ]] ||
  fail "Depends '$(dpkg-deb -f "$deb" Depends)' lacks the Qt libraries"
contents=$(dpkg-deb -c "$deb")
grep -q ' \./usr/games/tavelquin$' <<<"$contents" || fail "the package does not hold /usr/games/tavelquin"

# Lintian refuses nothing as root but says so on stderr; keep only its tags.
if ! tags=$(lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)); then
  fail "lintian found errors or warnings"
fi
[ -z "$tags" ] || printf '%s\n' "$tags"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "lintian accepts the package"
