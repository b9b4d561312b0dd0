#!/usr/bin/env bash
# serve_vnc.sh PATH-TO-tavelquin
#
# Runs scripts/serve-vnc with the real game, as ./play does on a machine with
# no display: the VNC port must listen on 127.0.0.1 alone and answer with an
# RFB banner, and Ctrl+C (SIGINT to its process group) must stop serve-vnc
# and every process it started (Xvnc, dbus-run-session, the bus, the game).
set -euo pipefail
serve=$(dirname "$0")/../../scripts/serve-vnc
unset DISPLAY WAYLAND_DISPLAY
out=$(mktemp "${TMPDIR:-/tmp}/tavelquin-serve-vnc.XXXXXX")
pid='' started=''

fail() {
  printf 'FAIL: %s\nserve-vnc started (pid name):\n%s\nof which still running:\n%s\nserve-vnc printed:\n' \
    "$*" "$started" "$(survivors)"
  cat "$out"
  exit 1
} >&2
# poll SECONDS MESSAGE COMMAND...: runs COMMAND every 50 ms until it succeeds;
# fails with MESSAGE after SECONDS.
poll() {
  local end=$((SECONDS + $1)) message=$2
  shift 2
  until "$@"; do [ "$SECONDS" -lt "$end" ] || fail "$message"; sleep 0.05; done
}
ended() { ! ps -o stat= -p "$1" | grep -q '^[^Z]'; }
# tree PID: "pid name" of every descendant of PID, one a line.
tree() {
  for child in $(pgrep -P "$1"); do echo "$child $(cat "/proc/$child/comm" 2>/dev/null)"; tree "$child"; done
}
# The lines of $started that still name a live (not zombie) process: the
# name guards against a pid reused since.
survivors() {
  local p n
  while read -r p n; do
    [ "$(cat "/proc/$p/comm" 2>/dev/null)" = "$n" ] && ! grep -qs '^State:.Z' "/proc/$p/status" && echo "$p $n"
  done <<<"$started"
  return 0
}
none_survive() { [ -z "$(survivors)" ]; }

# On failure serve-vnc may still run: asked to, it stops what it started;
# whatever it left, or is left after 5 s, is killed.
cleanup() {
  if [ -n "$pid" ] && ! ended "$pid"; then
    started+=$'\n'$(tree "$pid")
    kill -TERM "$pid"
    for _ in {1..50}; do ended "$pid" && break; sleep 0.1; done
    kill -KILL -- "-$pid" 2>/dev/null || true
  fi
  survivors | cut -d ' ' -f 1 | xargs -r kill -KILL 2>/dev/null || true
  rm -f "$out"
}
trap cleanup EXIT

# As a terminal runs it: a process group of its own, SIGINT not ignored (a
# background job of a script would ignore it).
setsid env --default-signal=INT "$serve" "$1" >"$out" 2>&1 &
pid=$!
ready() {
  ended "$pid" && fail "serve-vnc ended at start"
  port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$out")
  started=$(tree "$pid")
  [ -n "$port" ] && for n in Xvnc dbus-run-sessio dbus-daemon tavelquin; do grep -q " $n$" <<<"$started" || return 1; done
}
poll 30 "no port printed, or not all of Xvnc, the session bus and the game running, within 30 s" ready

listeners=$(ss -ltnH "sport = :$port" | awk '{ print $4 }' | tr '\n' ' ')
[ "$listeners" = "127.0.0.1:$port " ] || fail "port $port should listen on 127.0.0.1 only; listening: $listeners"
read -r -t 10 banner <"/dev/tcp/127.0.0.1/$port" || true
[[ ${banner:-} =~ ^RFB\ 003\.0[0-9][0-9]$ ]] || fail "port $port answered '${banner:-}', not an RFB banner"

kill -INT -- "-$pid"
poll 15 "serve-vnc still runs 15 s after Ctrl+C" ended "$pid"
status=0
wait "$pid" || status=$?
pid=''
[ "$status" -eq 130 ] || fail "serve-vnc exited with status $status after Ctrl+C, not 130"
poll 5 "processes survived serve-vnc" none_survive
echo "serve_vnc: Ctrl+C stopped everything (port $port, $banner)"
