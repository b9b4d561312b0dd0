#!/usr/bin/env bash
# serve_vnc.sh PATH-TO-tavelquin
#
# Runs scripts/serve-vnc with the real game, as ./play does on a machine with
# no display, three times:
#   1. checks that the VNC port listens on 127.0.0.1 alone and answers with an
#      RFB banner, then presses "Ctrl+C" (SIGINT to its process group);
#   2. sends SIGTERM to serve-vnc alone;
#   3. clicks the game's Exit button on the served display.
# Each time, every process serve-vnc started (Xvnc, the session bus, the game)
# must be gone within a deadline, with its display and temporary files.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-TO-tavelquin" >&2
  exit 2
fi
game=$1
serve=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/serve-vnc
[ -x "$serve" ] || {
  echo "serve_vnc: $serve is missing" >&2
  exit 1
}

unset DISPLAY WAYLAND_DISPLAY
work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-serve-vnc.XXXXXX")
server_pid=''
started=''
passed=no

# True while process $1 runs (a zombie counts as ended).
alive() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "$state" != Z ]
}

# A process's start time: with its pid, it names the process even after the
# pid is reused.
start_time() {
  sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $20 }'
}

# The inode of display $1's socket, if there is one.
socket_inode() {
  stat -c %i "/tmp/.X11-unix/X${1#:}" 2>/dev/null || true
}

# The pids of all descendants of process $1.
descendants() {
  ps -e -o pid=,ppid= | awk -v root="$1" '
    { parent[$1] = $2 }
    END {
      for (p in parent) {
        q = p
        while ((q in parent) && q != root && q > 1) q = parent[q]
        if (q == root && p != root) print p
      }
    }'
}

cleanup() {
  # serve-vnc runs in a session of its own; its Xvnc and game in theirs.
  # Asked first, serve-vnc stops what it started and removes its files.
  local pid deadline
  if [ -n "$server_pid" ]; then
    kill -TERM "$server_pid" 2>/dev/null || true
    deadline=$((SECONDS + 10))
    while alive "$server_pid" && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
    for pid in $(descendants "$server_pid"); do kill -KILL -- "-$pid" "$pid" 2>/dev/null || true; done
    kill -KILL -- "-$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  # Whatever a failed round left behind.
  local time name
  while read -r pid time name; do
    [ -n "$pid" ] || continue
    if alive "$pid" && [ "$(start_time "$pid")" = "$time" ]; then
      echo "serve_vnc: killing left-over $name (pid $pid)" >&2
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done <<<"$started"
  if [ "$passed" = yes ]; then
    rm -rf "$work"
  else
    echo "serve_vnc: logs kept in $work" >&2
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

round=''
fail() {
  {
    echo "FAIL ($round): $*"
    local f
    for f in "$work/$round".out "$work/$round".err; do
      [ -s "$f" ] || continue
      echo "  $(basename "$f"):"
      sed 's/^/    /' "$f"
    done
  } >&2
  exit 1
}

# Starts serve-vnc as a terminal would run it: in a process group of its own,
# SIGINT not ignored (a background job of a script would ignore it). Waits
# for it to print its port and for the game to run; sets port, display,
# game_pid and started (one "pid start-time name" a line).
start_server() {
  round=$1
  # Made here: the background job might open them only after we first look.
  : >"$work/$round.out"
  : >"$work/$round.err"
  setsid env --default-signal=INT "$serve" "$game" >"$work/$round.out" 2>"$work/$round.err" &
  server_pid=$!
  port=''
  game_pid=''
  local deadline=$((SECONDS + 30)) pid
  while [ -z "$port" ] || [ -z "$game_pid" ]; do
    alive "$server_pid" || fail "serve-vnc ended at start"
    [ "$SECONDS" -lt "$deadline" ] || fail "no port printed or no game running after 30 s"
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$work/$round.out")
    for pid in $(descendants "$server_pid"); do
      [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = tavelquin ] && game_pid=$pid
    done
    if [ -z "$port" ] || [ -z "$game_pid" ]; then sleep 0.05; fi
  done
  display=$(sed -n 's/.* on display \(:[0-9][0-9]*\),.*/\1/p' "$work/$round.out")
  [ -n "$display" ] || fail "serve-vnc did not say which display it serves"
  x_socket=$(socket_inode "$display")
  [ -n "$x_socket" ] || fail "display $display has no socket in /tmp/.X11-unix"
  # The game's session bus starts with it; give it a moment to appear.
  deadline=$((SECONDS + 10))
  while :; do
    started=''
    for pid in $(descendants "$server_pid"); do
      started+="$pid $(start_time "$pid") $(cat "/proc/$pid/comm" 2>/dev/null)"$'\n'
    done
    grep -q ' dbus-daemon$' <<<"$started" && break
    [ "$SECONDS" -lt "$deadline" ] || fail "no session bus among serve-vnc's processes: $started"
    sleep 0.05
  done
  local name
  # (/proc/PID/comm keeps 15 characters of a name)
  for name in Xvnc tavelquin dbus-run-sessio; do
    grep -q " $name\$" <<<"$started" || fail "no $name among serve-vnc's processes: $started"
  done
  # The game's private files (its X cookie) live in serve-vnc's temporary
  # directory; it must go when serve-vnc stops.
  xauthority=$(tr '\0' '\n' <"/proc/$game_pid/environ" | sed -n 's/^XAUTHORITY=//p')
  if [ -z "$xauthority" ] || [ ! -e "$xauthority" ]; then
    fail "the game has no X cookie file"
  fi
}

# Waits for serve-vnc to end; checks its status ($1) and that nothing it
# started is left.
expect_stopped() {
  local want=$1 deadline=$((SECONDS + 15)) status=0 pid time name
  while alive "$server_pid"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "serve-vnc still runs 15 s later"
    sleep 0.05
  done
  wait "$server_pid" || status=$?
  server_pid=''
  [ "$status" -eq "$want" ] || fail "serve-vnc exited with status $status, expected $want"
  # serve-vnc waits for what it stops, so all must be gone by now.
  while read -r pid time name; do
    [ -n "$pid" ] || continue
    if alive "$pid" && [ "$(start_time "$pid")" = "$time" ]; then
      fail "$name (pid $pid) survived serve-vnc"
    fi
  done <<<"$started"
  # An X server that had to be killed leaves its socket behind. Another
  # server may own the display number by now, with a socket of its own.
  if [ "$(socket_inode "$display")" = "$x_socket" ]; then
    fail "display $display's socket is left behind: Xvnc did not shut down cleanly"
  fi
  [ -e "$(dirname "$xauthority")" ] && fail "serve-vnc's temporary directory $(dirname "$xauthority") is left behind"
  return 0
}

# --- 1. listening address, banner, Ctrl+C -----------------------------------
start_server interrupt
listeners=$(ss -ltnH "sport = :$port" | awk '{ print $4 }')
[ "$listeners" = "127.0.0.1:$port" ] ||
  fail "port $port should listen on 127.0.0.1 only; listening: $(echo "$listeners" | tr '\n' ' ')"
# No other TCP listener of any process serve-vnc started (X11 over TCP, an
# IPv6 twin of the VNC port, ...); ss names the processes when we may see them.
if [ "$(id -u)" -eq 0 ]; then
  while read -r pid _ _; do
    [ -n "$pid" ] || continue
    others=$(ss -ltnpH | grep "pid=$pid," | awk '{ print $4 }' | grep -vx "127\.0\.0\.1:$port" || true)
    [ -z "$others" ] || fail "process $pid also listens on $others"
  done <<<"$started"
fi

exec {vnc}<>"/dev/tcp/127.0.0.1/$port"
banner=''
read -r -t 10 -u "$vnc" banner || true
exec {vnc}<&-
[[ $banner =~ ^RFB\ 003\.0[0-9][0-9]$ ]] || fail "port $port answered '$banner', not an RFB banner"

kill -INT -- "-$server_pid"
expect_stopped 130
echo "serve_vnc: Ctrl+C stopped everything (port $port, $banner)"

# --- 2. SIGTERM to serve-vnc alone ------------------------------------------
start_server terminate
kill -TERM "$server_pid"
expect_stopped 143
echo "serve_vnc: SIGTERM stopped everything"

# --- 3. the game's own Exit button -------------------------------------------
start_server exit
cookie=$xauthority
wid=''
deadline=$((SECONDS + 20))
while [ -z "$wid" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "no visible Tavelquin window on $display within 20 s"
  wid=$(DISPLAY=$display XAUTHORITY=$cookie \
    xdotool search --all --onlyvisible --pid "$game_pid" --name '^Tavelquin$' 2>/dev/null |
    head -n 1) || true
  [ -n "$wid" ] || sleep 0.05
done
# The game ends on this click and serve-vnc then stops the X server, which
# may close xdotool's connection under it: only the outcome counts.
DISPLAY=$display XAUTHORITY=$cookie xdotool mousemove --window "$wid" 156 120 click 1 2>/dev/null || true
expect_stopped 0
echo "serve_vnc: the Exit button stopped everything"

passed=yes
echo "serve_vnc: passed"
