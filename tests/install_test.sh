#!/usr/bin/env bash
# Installs the build under /usr in a scratch DESTDIR, as a package would, and
# checks what a desktop and a Debian system expect to find: the game in
# games/ without RUNPATH and hardened, a valid desktop entry and AppStream
# metainfo that name each other, the icon and the program consistently, a
# 32 x 32 PNG icon, the manual page, the copyright file and the changelog.
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
# Runs a checker that must print nothing; prints what it said on failure.
silent() {
  local out
  out=$("$@" 2>&1) || true
  [ -z "$out" ] || { fail "$* said:"; printf '%s\n' "$out" >&2; }
}

DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$stage/usr

# The program.
bin=$usr/games/tavelquin
if [ -x "$bin" ] && [ -f "$bin" ]; then
  if readelf -d "$bin" | grep -E '\((RUNPATH|RPATH)\)' >&2; then
    fail "the installed binary has a run-time search path"
  fi
  # Fortified libc calls need optimisation, which Debug builds go without.
  hardening=(--nocfprotection)
  [ "$config" != Debug ] || hardening+=(--nofortify)
  out=$(hardening-check "${hardening[@]}" "$bin" 2>&1) || { fail "hardening-check:"; printf '%s\n' "$out" >&2; }
else
  fail "no executable at usr/games/tavelquin"
fi

# The desktop entry: exactly one, whose name is the game's desktop id.
shopt -s nullglob
entries=("$usr"/share/applications/*.desktop)
if [ ${#entries[@]} -ne 1 ]; then
  fail "expected one desktop entry in usr/share/applications, found ${#entries[@]}"
  echo "$failures check(s) failed" >&2
  exit 1
fi
entry=${entries[0]}
id=$(basename "$entry" .desktop)
echo "desktop id: $id"
silent desktop-file-validate "$entry"
key() { sed -n "s/^$1=//p" "$entry"; }
exec_line=$(key Exec)
[ "$(basename "${exec_line%% *}")" = tavelquin ] || fail "Exec=$exec_line does not start the installed program"
[ "$(key Icon)" = "$id" ] || fail "Icon=$(key Icon), not the desktop id $id"
[[ ";$(key Categories)" == *";Game;"* ]] || fail "Categories=$(key Categories) lacks Game"

# Qt hands the desktop id to the window system (the Wayland app id): the
# program must carry the same string, which Qt keeps as UTF-16.
[ -f "$bin" ] && { strings -el "$bin" | grep -qxF "$id" || fail "the program does not name its desktop id $id"; }

# The AppStream metainfo, named after the same id and launching the entry.
metainfo=$usr/share/metainfo/$id.metainfo.xml
if [ -f "$metainfo" ]; then
  out=$(appstreamcli validate --no-net --explain "$metainfo" 2>&1) || { fail "appstreamcli validate:"; printf '%s\n' "$out" >&2; }
  grep -qF "<id>$id</id>" "$metainfo" || fail "the metainfo's <id> is not $id"
  grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
  newest=$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n1 | sed 's/.*version="//; s/"$//')
  [ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not $version"
else
  fail "no metainfo at usr/share/metainfo/$id.metainfo.xml"
fi

# The icon, under the name the entry asks for: a 32 x 32 PNG in hicolor.
png=$usr/share/icons/hicolor/32x32/apps/$id.png
if [ -f "$png" ]; then
  signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
  [ "$signature" = 89504e470d0a1a0a ] || fail "$id.png is not a PNG"
  # The IHDR chunk holds width and height as big-endian 32-bit numbers.
  read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3))
  height=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
  [ "$width x $height" = "32 x 32" ] || fail "$id.png is $width x $height, not 32 x 32"
else
  fail "no icon at usr/share/icons/hicolor/32x32/apps/$id.png"
fi
[ -f "$usr/share/pixmaps/$id.xpm" ] || fail "no icon at usr/share/pixmaps/$id.xpm"

# The manual page: compressed, for this version, and free of roff warnings.
man=$usr/share/man/man6/tavelquin.6.gz
if [ -f "$man" ]; then
  gzip -t "$man" || fail "tavelquin.6.gz is not a valid gzip file"
  zcat "$man" | grep -q "^\.TH TAVELQUIN 6 .*\"Tavelquin $version\"" || fail "the manual page is not for version $version"
  # man -Z writes the formatted page to stdout; only warnings reach stderr.
  out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)
  [ -z "$out" ] || { fail "the manual page has roff warnings:"; printf '%s\n' "$out" >&2; }
else
  fail "no manual page at usr/share/man/man6/tavelquin.6.gz"
fi

# Debian's documentation files.
doc=$usr/share/doc/tavelquin
[ -f "$doc/copyright" ] || fail "no usr/share/doc/tavelquin/copyright"
if [ -f "$doc/changelog.gz" ]; then
  head_line=$(zcat "$doc/changelog.gz" | head -n1)
  [[ "$head_line" == "tavelquin ($version) "* ]] || fail "the changelog starts with '$head_line', not version $version"
else
  fail "no usr/share/doc/tavelquin/changelog.gz"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all install checks passed"
