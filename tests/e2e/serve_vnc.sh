#!/usr/bin/env bash
# serve_vnc.sh PATH-TO-tavelquin
#
# Runs scripts/serve-vnc with the real game twice, as ./play does with no
# display. Each time the desktop must be the game's window alone, at scale 2,
# and only its owner may reach it: a 0600 Unix socket that answers RFB, refuses
# another user id, and no TCP or UDP listener. SIGKILL of the first run must
# leave no process behind; the second must remove the first's directory, and
# end with status 0, leaving nothing, when Exit is clicked in the game.
set -euo pipefail
serve=$(dirname "$0")/../../scripts/serve-vnc
unset DISPLAY WAYLAND_DISPLAY QT_SCALE_FACTOR
out=$(mktemp "${TMPDIR:-/tmp}/tavelquin-serve-vnc.XXXXXX")
pid='' started=''

fail() {
  printf 'FAIL: %s\nwhat serve-vnc started that still runs:\n%s\nserve-vnc printed:\n' \
    "$*" "$(ps -o pid=,stat=,comm= -p "${started:-0}")"
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
# ended PID[,PID...]: true when none of them runs (a zombie counts as ended).
ended() { ! ps -o stat= -p "$1" | grep -q '^[^Z]'; }
# serve-vnc, asked to, stops what it started; whatever it left is killed.
trap '[ -z "$pid" ] || { kill -TERM "$pid"; wait "$pid"; } 2>/dev/null || true
  [ -z "$started" ] || ended "$started" || kill -KILL ${started//,/ } 2>/dev/null; rm -f "$out"' EXIT

# A VNC client: prints the server's RFB banner, or the error's last line.
client() {
  "$@" /usr/bin/python3 -c 'import socket, sys; s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1]); print(s.recv(12).decode().strip())' "$socket" 2>&1 | tail -n 1
}
ready() {
  ended "$pid" && fail "serve-vnc ended at start"
  socket=$(sed -n 's/.*vncviewer \(\/[^ ]*\).*/\1/p' "$out")
  display=$(sed -n 's/.* on display \(:[0-9]*\) .*/\1/p' "$out")
  started=$(pgrep -d , -P "$pid")
  [ -n "$socket" ] && [ "${started//[0-9]/}" = ,, ]
}
# Starts serve-vnc, waits for its instructions, and checks what it serves.
serve() {
  "$serve" "$1" >"$out" 2>&1 &
  pid=$!
  poll 30 "no instructions, or not Xvnc, the bus and the game running, within 30 s" ready
  export DISPLAY=$display XAUTHORITY=${socket%/*}/Xauthority
  wid=$(xdotool search --onlyvisible --name '^Tavelquin$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "$(xdotool getdisplaygeometry) $X $Y $WIDTH $HEIGHT" = "382 270 0 0 382 270" ] ||
    fail "the desktop is $(xdotool getdisplaygeometry), the window ${WIDTH}x$HEIGHT at $X,$Y; both should be 382x270"
  [ "$(stat -c %a "$socket")" = 600 ] || fail "$socket has mode $(stat -c %a "$socket"), not 600"
  tcp=$(ss -Htulnp | grep -E "pid=(${started//,/|}),") &&
    fail "serve-vnc's processes listen on TCP or UDP: $tcp"
  [[ $(client) =~ ^RFB\ 003\.0[0-9][0-9]$ ]] || fail "$socket answered '$(client)', not an RFB banner"
  [ "$(id -u)" != 0 ] || [[ $(client setpriv --reuid=65534 --regid=65534 --clear-groups) == PermissionError:* ]] ||
    fail "user 65534 on $socket: $(client setpriv --reuid=65534 --regid=65534 --clear-groups)"
}

serve "$1"
first=${socket%/*}
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=''
poll 5 "processes survived serve-vnc's SIGKILL for 5 s" ended "$started"
serve "$1"
[ ! -e "$first" ] || fail "the second run left the first's directory $first"
# Exit's centre, (156, 120) at scale 1. The display may end before xdotool does.
xdotool mousemove --window "$wid" 312 240 click 1 2>/dev/null || true
poll 15 "serve-vnc still runs 15 s after Exit" ended "$pid"
wait "$pid" || fail "serve-vnc exited with status $? after Exit"
pid=''
poll 5 "processes survived Exit for 5 s" ended "$started"
[ ! -e "${socket%/*}" ] || fail "serve-vnc left ${socket%/*} after Exit"
echo "serve_vnc: owner-only socket, no TCP; nothing left after SIGKILL or Exit"
