#!/usr/bin/env bash
# Installs the build under /usr in a scratch DESTDIR, as a package would, and
# checks what a desktop and a Debian system expect to find: the game in
# games/ without RUNPATH and hardened, a valid desktop entry and AppStream
# metainfo that name each other, the icon and the program consistently, the
# icon at every size and as an SVG, the manual page, the copyright file and
# the changelog.
#
# usage: install_test.sh CMAKE BUILD_DIR PROJECT_VERSION CONFIG
set -euo pipefail

cmake=$1 build=$2 version=$3 config=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# Runs a checker; when it fails, or when a silent one says anything, shows what it said.
check() { out=$("$@" 2>&1) || { fail "$1:"; printf '%s\n' "$out" >&2; }; }
silent() {
  out=$("$@" 2>&1) || true
  [ -z "$out" ] || { fail "$1 said:"; printf '%s\n' "$out" >&2; }
}

DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$stage/usr

# Every file where it belongs, named after the desktop id: the name of the one
# desktop entry.
shopt -s nullglob
entries=("$usr"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] ||
  fail "expected one desktop entry in usr/share/applications, found ${#entries[@]}"
entry=${entries[0]:-none}
id=$(basename "$entry" .desktop)
echo "desktop id: $id"
bin=$usr/games/tavelquin
metainfo=$usr/share/metainfo/$id.metainfo.xml
icons=$usr/share/icons/hicolor
man=$usr/share/man/man6/tavelquin.6.gz
doc=$usr/share/doc/tavelquin
for file in "$bin" "$metainfo" "$icons/scalable/apps/$id.svg" "$man" "$doc/copyright" \
  "$doc/changelog.gz"; do
  [ -f "$file" ] || fail "no ${file#"$stage"/}"
done
[ -x "$bin" ] || fail "usr/games/tavelquin is not executable"
[ "$failures" -eq 0 ] || exit 1

# The program. Fortified libc calls need optimisation, which Debug builds go
# without. Qt hands the desktop id to the window system (the Wayland app id):
# the program carries it as UTF-16, as Qt keeps it.
! readelf -d "$bin" | grep -E '\((RUNPATH|RPATH)\)' >&2 || fail "the program has a RUNPATH or RPATH"
hardening=(--nocfprotection)
[ "$config" != Debug ] || hardening+=(--nofortify)
check hardening-check "${hardening[@]}" "$bin"
strings -el "$bin" | grep -xF "$id" >/dev/null || fail "the program does not name its desktop id $id"

# The desktop entry starts the installed program and shows the icon.
silent desktop-file-validate "$entry"
key() { sed -n "s/^$1=//p" "$entry"; }
exec_line=$(key Exec)
[ "$(basename "${exec_line%% *}")" = tavelquin ] ||
  fail "Exec=$exec_line does not start the installed program"
[ "$(key Icon)" = "$id" ] || fail "Icon=$(key Icon), not the desktop id $id"
[[ ";$(key Categories)" == *";Game;"* ]] || fail "Categories=$(key Categories) lacks Game"

# The AppStream metainfo launches the entry and lists this version first.
check appstreamcli validate --no-net --explain "$metainfo"
grep -qF "<id>$id</id>" "$metainfo" || fail "the metainfo's <id> is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
newest=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not $version"

# The icons: at each size the PNG signature, then an IHDR chunk of that width
# and height; and a well-formed SVG.
for size in 16 24 32 48 64 128 256; do
  hex=$(printf '%08x' "$size")
  [ "$(od -An -tx1 -N24 "$icons/${size}x$size/apps/$id.png" 2>/dev/null | tr -d ' \n')" = \
    "89504e470d0a1a0a0000000d49484452$hex$hex" ] || fail "no $size x $size PNG icon $id.png"
done
/usr/bin/python3 -c 'import sys, xml.etree.ElementTree as x; x.parse(sys.argv[1])' \
  "$icons/scalable/apps/$id.svg" || fail "$id.svg is not well-formed XML"

# The manual page: compressed, for this version, and free of roff warnings
# (man -Z writes the formatted page to stdout and only warnings to stderr).
gzip -t "$man" || fail "tavelquin.6.gz is not a valid gzip file"
zcat "$man" | grep "^\.TH TAVELQUIN 6 .*\"Tavelquin $version\"" >/dev/null ||
  fail "the manual page is not for version $version"
out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)
[ -z "$out" ] || { fail "the manual page has roff warnings:"; printf '%s\n' "$out" >&2; }

# Debian's changelog names this version first.
head_line=$(zcat "$doc/changelog.gz" | head -n1)
[[ "$head_line" == "tavelquin ($version) "* ]] ||
  fail "the changelog starts with '$head_line', not version $version"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all install checks passed"
