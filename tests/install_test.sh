#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# install_test.sh files CMAKE BUILD_DIR VERSION CONFIG
#   Installs the build under /usr in a scratch DESTDIR, as a package would, and
#   checks what a desktop and a Debian system expect to find there.
# install_test.sh package CMAKE CPACK SOURCE_DIR
#   Packages the source tree as a packager would, from a plain CMake build
#   without the presets (Ninja, no tests), and has lintian judge the .deb.
set -uo pipefail
mode=$1 cmake=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
# expect WHAT COMMAND...: runs COMMAND; if it fails, says what was expected and what it printed.
expect() {
  local what=$1 out
  shift
  out=$("$@" 2>&1) || { printf 'FAIL: %s\n%s\n' "$what" "$out" >&2; failures=$((failures + 1)); }
}

if [ "$mode" = package ]; then
  cpack=$3 source=$4
  expect "a plain build and cpack" bash -c "'$cmake' -S '$source' -B '$work' -G Ninja -DBUILD_TESTING=OFF &&
    '$cmake' --build '$work' && cd '$work' && '$cpack' -G DEB"
  deb=$(echo "$work"/*.deb)
  expect "Section games, Recommends qt6-wayland, Depends on the Qt libraries" bash -c "[ \"\$(dpkg-deb -f '$deb' Section)/\$(dpkg-deb -f '$deb' Recommends)\" = games/qt6-wayland ] && dpkg-deb -f '$deb' Depends | grep libqt6widgets6"
  # As root lintian says so on stderr; only its tags count.
  expect "lintian finds no error or warning" bash -c "lintian --fail-on error,warning '$deb' 2>/dev/null"
else
  build=$3 version=$4 config=$5
  DESTDIR=$work "$cmake" --install "$build" --prefix /usr >/dev/null || exit 1
  usr=$work/usr bin=$work/usr/games/tavelquin entry=$(echo "$work"/usr/share/applications/*.desktop)
  id=$(basename "$entry" .desktop)
  metainfo=$usr/share/metainfo/$id.metainfo.xml man=$usr/share/man/man6/tavelquin.6.gz
  # The program: in games/, no RUNPATH, hardened (fortified only when
  # optimised), naming its desktop id (as Qt keeps it, in UTF-16).
  expect "an executable games/tavelquin without RUNPATH, naming $id" bash -c "[ -x '$bin' ] && ! readelf -d '$bin' | grep -E 'R(UN)?PATH' && strings -el '$bin' | grep -xF '$id'"
  fortify=()
  [ "$config" != Debug ] || fortify=(--nofortify)
  expect "a hardened program" hardening-check --nocfprotection "${fortify[@]}" "$bin"
  # The desktop entry and the metainfo: valid, naming each other, the icon and this version.
  expect "a valid desktop entry that starts tavelquin with the icon, among games" bash -c "[ -z \"\$(desktop-file-validate '$entry' 2>&1)\" ] && grep -x Exec=tavelquin '$entry' && grep -x 'Icon=$id' '$entry' && grep '^Categories=Game;' '$entry'"
  # Its right-click actions: playing with the journal, and the journal's page.
  expect "the entry's actions: play with the journal, show its page" bash -c "grep -x 'Actions=play-with-journal;journal-page;' '$entry' && grep -A2 -x '\\[Desktop Action play-with-journal\\]' '$entry' | grep -x 'Exec=tavelquin --journal' && grep -A2 -x '\\[Desktop Action journal-page\\]' '$entry' | grep -x 'Exec=tavelquin --report --page'"
  expect "valid AppStream metainfo for $id.desktop, newest release $version, under the GPL" bash -c "appstreamcli validate --no-net --explain '$metainfo' && grep -F '<id>$id</id>' '$metainfo' && grep -F '<launchable type=\"desktop-id\">$id.desktop</launchable>' '$metainfo' && grep -m1 '<release ' '$metainfo' | grep -F 'version=\"$version\"' && grep -F '<project_license>GPL-3.0-or-later</project_license>' '$metainfo'"
  # The icons: a PNG header of each size, and a well-formed SVG.
  for size in 16 24 32 48 64 128 256; do
    expect "a $size x $size PNG icon" bash -c "od -An -tx1 -N24 '$usr/share/icons/hicolor/${size}x$size/apps/$id.png' | tr -d ' \n' | grep -x 89504e470d0a1a0a0000000d49484452$(printf '%08x%08x' "$size" "$size")"
  done
  expect "a well-formed SVG icon" /usr/bin/python3 -c 'import sys, xml.etree.ElementTree as x; x.parse(sys.argv[1])' "$usr/share/icons/hicolor/scalable/apps/$id.svg"
  # The manual page, free of roff warnings, and the changelog, for this version.
  expect "a manual page for $version, free of roff warnings" bash -c "zcat '$man' | grep '^\.TH TAVELQUIN 6 .*\"Tavelquin $version\"' && [ -z \"\$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z '$man' 2>&1 >/dev/null)\" ]"
  expect "a changelog for $version, and the copyright under the GPL" bash -c "zcat '$usr/share/doc/tavelquin/changelog.gz' | head -n1 | grep -F 'tavelquin ($version) ' && grep -x 'License: GPL-3+' '$usr/share/doc/tavelquin/copyright'"
fi
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "install_test.sh $mode: all checks passed"
