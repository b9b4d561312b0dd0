#!/usr/bin/env bash
# command_line.sh PATH-TO-tavelquin
#
# The program's answers to its command line and to a missing display, from
# outside: for each row, the exact exit status (a signal would show as 128 +
# its number, an abort as 134), the one line on stdout or stderr, and silence
# on the other stream.
set -euo pipefail
game=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

no_display="^tavelquin: cannot open a display: .*DISPLAY.*WAYLAND_DISPLAY.*\./play"
# environment (VAR=value ...) | arguments | status | stdout (regex, its first
# line) | stderr (regex, the whole of it: one line)
rows=(
  "|--version|0|^Tavelquin 1\.00$|"
  "|-h|0|^Usage: .*tavelquin \[options\]$|"
  "|--help|0|^Usage: .*tavelquin \[options\]$|"
  "|-platform offscreen -style fusion --version|0|^Tavelquin 1\.00$|"
  "|--bogus|2||^tavelquin: Unknown option 'bogus'\. Try 'tavelquin --help'\.$"
  "|stray|2||^tavelquin: Unexpected argument 'stray'\. Try 'tavelquin --help'\.$"
  "|--version -platform|2||^tavelquin: Missing value after '-platform'\. .*--help"
  "||1||$no_display"
  "DISPLAY=:unreachable||1||$no_display"
  "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=none||1||$no_display"
)
for row in "${rows[@]}"; do
  IFS='|' read -r vars args want out_re err_re <<<"$row"
  status=0
  # shellcheck disable=SC2086 # the row's words split on purpose
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" $vars \
    timeout 20 "$game" $args >"$work/out" 2>"$work/err" || status=$?
  out=$(head -n 1 "$work/out") err=$(cat "$work/err")
  if [ "$status" != "$want" ] || ! [[ "$out" =~ $out_re && "$err" =~ $err_re ]] ||
    { [ -z "$out_re" ] && [ -s "$work/out" ]; } || { [ -z "$err_re" ] && [ -s "$work/err" ]; } ||
    [ "$(wc -l <"$work/err")" -gt 1 ]; then
    echo "FAIL: '$vars tavelquin $args' exited $status (want $want); stdout, stderr:" >&2
    cat "$work/out" "$work/err" >&2
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
echo "command_line: all ${#rows[@]} rows passed"
