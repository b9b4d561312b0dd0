#!/usr/bin/env bash
# end_to_end.sh PATH-TO-tavelquin
#
# Drives the real game from outside, as a player would: on a private Xvfb
# display (no window manager) it starts the program, photographs its window
# and checks pixels, clicks Start, a colour and Exit with xdotool, and watches
# the colour panel, the counts, the reveal's length and the exit status.
set -euo pipefail
game=$1
# Qt would autolaunch a session bus of its own (and leave it behind) without one.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- "$0" "$@"
# Only our own display counts, at scale 1, on X.
unset DISPLAY WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-e2e.XXXXXX")
export XDG_RUNTIME_DIR=$work
game_pid='' xvfb_pid='' shot='' seen=()
# Ends whatever of the game and Xvfb still runs, waits for them, removes the files.
trap 'kill $game_pid $xvfb_pid 2>/dev/null; wait; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "  last screenshot $shot (size, panel points, button centres, red in the counter row, count signatures): ${seen[*]}" >&2
  tail -n +1 "$work"/*.log >&2
  exit 1
}
# poll SECONDS MESSAGE COMMAND...: runs COMMAND every 50 ms until it succeeds;
# fails with MESSAGE after SECONDS.
poll() {
  local end=$((SECONDS + $1)) message=$2
  shift 2
  until "$@"; do [ "$SECONDS" -lt "$end" ] || fail "$message"; sleep 0.05; done
}
ended() { ! ps -o stat= -p "$1" | grep -q '^[^Z]'; }

# Xvfb picks a free display number itself and writes it once it is ready.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 640x480x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
poll 15 "Xvfb not ready within 15 s" grep -qs '^[0-9]' "$work/display"
DISPLAY=":$(head -n 1 "$work/display")" && export DISPLAY

"$game" >"$work/game.log" 2>&1 &
game_pid=$!
find_window() {
  wid=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^Tavelquin$' 2>/dev/null | head -n 1)
  [ -n "$wid" ]
}
poll 20 "no visible window titled Tavelquin within 20 s" find_window
size=$(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 191x135 ] || fail "window $wid is $size, not 191x135"

names=(red yellow green blue purple orange)
colours=(FF0000 FFFF00 00C000 0000FF 800080 FF8000)
# Centres of the 25x25 squares at (88,16) (120,16) (152,16) (88,48) (120,48) (152,48).
centres=("100,28" "132,28" "164,28" "100,60" "132,60" "164,60")
format='%wx%h'
# Corners and centre of the colour panel (16,16,57,57), then the centres.
for p in 19,19 69,19 44,44 19,69 69,69 "${centres[@]}"; do format+=" %[hex:p{$p}]"; done
# shoot NAME: photographs the window and sets seen to: its size, the five panel
# points, the six centres, 1 if the counter row (y 88..104) holds strong red
# text pixels else 0, and signatures of the Incorrect and Correct counts.
# The panel's colour goes in panel: its points' common colour, else "mixed".
shoot() {
  shot=$work/$1.png
  import -window "$wid" "$shot" || fail "import could not capture window $wid"
  read -ra seen < <(convert "$shot" -format "$format " -write info: \
    \( +clone -crop 175x17+16+88 +repage -fx 'r > 0.5 && g < 0.1 && b < 0.1' \
    -format '%[fx:maxima] ' -write info: +delete \) \
    \( -clone 0 -crop 24x17+64+88 +repage \) \( -clone 0 -crop 63x17+128+88 +repage \) \
    -delete 0 -format '%# ' info:; echo)
  panel=${seen[1]}
  for p in "${seen[@]:2:4}"; do [ "$p" = "$panel" ] || panel=mixed; done
}
# A window shows a moment before Qt paints it: wait for the red square.
painted() { shoot start && [ "${seen[6]}" != 000000 ]; }
poll 10 "the window stayed unpainted for 10 s" painted
[ "$panel" = 000000 ] || fail "the hidden panel should be black, saw $panel"
for i in "${!names[@]}"; do
  [ "${seen[i + 6]}" = "${colours[i]}" ] ||
    fail "the ${names[i]} button's centre ${centres[i]} is ${seen[i + 6]}, not ${colours[i]}"
done
[ "${seen[12]}" = 1 ] || fail "no red text in the counter row"
before=("${seen[@]}")

# Start fixes a secret. A pause before the guess: a reveal timed from the
# last tick before the guess, rather than from the guess, would end early.
click() { xdotool mousemove --window "$wid" "${1%,*}" "${1#*,}" click 1; }
click 36,120
sleep 1
guess=0
clicked_at=$(date +%s%3N)
click "${centres[guess]}"
revealed() { shoot reveal && [ "$panel" != 000000 ]; }
poll 3 "the panel stayed black after a guess" revealed
secret=''
for i in "${!colours[@]}"; do [ "$panel" = "${colours[i]}" ] && secret=$i; done
[ -n "$secret" ] || fail "the revealed panel is $panel, not one of ${colours[*]}"
# Exactly one count moved: Correct's when the secret was the guess.
if [ "$secret" = "$guess" ]; then
  [ "${seen[13]}" = "${before[13]}" ] && [ "${seen[14]}" != "${before[14]}" ]
else
  [ "${seen[13]}" != "${before[13]}" ] && [ "${seen[14]}" = "${before[14]}" ]
fi || fail "secret ${names[secret]}, guess ${names[guess]}: wrong count changed (Incorrect, Correct before: ${before[*]:13}; now: ${seen[*]:13})"

# The secret shows for 3000 ms from the guess, then the panel is black again.
hidden() {
  shoot after-reveal
  elapsed=$(($(date +%s%3N) - clicked_at))
  [ "$panel" = 000000 ] && return
  [ "$panel" = "${colours[secret]}" ] || fail "during the reveal of ${names[secret]} the panel turned $panel"
  [ "$elapsed" -lt 6000 ] || fail "the panel still shows ${names[secret]} $elapsed ms after the guess"
  return 1
}
poll 10 "the reveal never ended" hidden
[ "$elapsed" -ge 3000 ] || fail "the reveal ended after only $elapsed ms"

click 156,120
poll 10 "the game still runs 10 s after Exit" ended "$game_pid"
wait "$game_pid" || fail "the game exited with status $? after Exit"
game_pid=''
echo "end_to_end: passed (secret ${names[secret]}, guess ${names[guess]}, black again after $elapsed ms)"
