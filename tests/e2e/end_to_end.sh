#!/usr/bin/env bash
# end_to_end.sh PATH-TO-tavelquin
#
# Drives the real game from outside, as a player would: on a private Xvfb
# display (no window manager) it starts the program, finds its window,
# photographs it and checks pixels, clicks Start, a colour and Exit with
# xdotool, and watches the colour panel, the counts and the exit status.
# On failure it says what it saw and keeps its screenshots.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-TO-tavelquin" >&2
  exit 2
fi
game=$1

# Qt would autolaunch a session bus of its own (and leave it behind) without one.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- "$0" "$@"
fi

# Only our own display counts, at scale 1, on X.
unset DISPLAY WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export QT_QPA_PLATFORM=xcb

readonly convert=/usr/bin/convert import=/usr/bin/import compare=/usr/bin/compare
for tool in Xvfb xdotool xwininfo "$convert" "$import" "$compare"; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "end_to_end: $tool is missing; run scripts/setup" >&2
    exit 1
  }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tavelquin-e2e.XXXXXX")
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=''
game_pid=''
passed=no
last_shot='(none yet)'

# True while process $1 runs (a zombie counts as ended).
alive() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "$state" != Z ]
}

# Ends what this test started, the game first, and waits for both.
cleanup() {
  local pid deadline
  for pid in "$game_pid" "$xvfb_pid"; do
    [ -n "$pid" ] || continue
    kill -TERM "$pid" 2>/dev/null || true
    deadline=$((SECONDS + 5))
    while alive "$pid" && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$passed" = yes ]; then
    rm -rf "$work"
  else
    echo "end_to_end: screenshots and logs kept in $work" >&2
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  {
    echo "FAIL: $*"
    echo "  last screenshot: $last_shot"
    if [ -s "$work/game.log" ]; then
      echo "  the game printed:"
      sed 's/^/    /' "$work/game.log"
    fi
  } >&2
  exit 1
}

now_ms() { date +%s%3N; }

# --- a private X display --------------------------------------------------
# Xvfb picks a free display number itself and writes it once it is ready.
: >"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 640x480x24 \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
deadline=$((SECONDS + 15))
until grep -q '^[0-9][0-9]*$' "$work/display"; do
  alive "$xvfb_pid" || fail "Xvfb ended at start: $(cat "$work/xvfb.log")"
  [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb not ready within 15 s"
  sleep 0.05
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

# --- the game and its window ----------------------------------------------
"$game" >"$work/game.log" 2>&1 &
game_pid=$!

wid=''
deadline=$((SECONDS + 20))
while [ -z "$wid" ]; do
  alive "$game_pid" || fail "the game ended before showing its window"
  [ "$SECONDS" -lt "$deadline" ] || fail "no visible window titled Tavelquin within 20 s"
  wid=$(xdotool search --all --onlyvisible --pid "$game_pid" --name '^Tavelquin$' 2>/dev/null |
    head -n 1) || true
  [ -n "$wid" ] || sleep 0.05
done

size=$(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 191x135 ] || fail "window $wid is $size, not 191x135"

shot_count=0
# Photographs the window into a new file, named in $last_shot.
shot() {
  shot_count=$((shot_count + 1))
  local file
  file=$work/$(printf '%02d' "$shot_count")-$1.png
  "$import" -window "$wid" "$file" || fail "import could not capture window $wid"
  last_shot=$file
}

# pixels FILE X,Y...: the hex colours (RRGGBB) at those points, one a line.
pixels() {
  local file=$1 format='' point
  shift
  for point in "$@"; do format+="%[hex:p{$point}]\n"; done
  "$convert" "$file" -format "$format" info:
}

# Points inside the colour panel (16,16,57,57): corners and centre.
panel_points=("19,19" "69,19" "44,44" "19,69" "69,69")

# The panel's colour when all its points agree, else "mixed".
panel_colour() {
  pixels "$1" "${panel_points[@]}" | sort -u |
    awk '{ n++; c = $0 } END { print (n == 1 ? c : "mixed") }'
}

# Counts strong red pixels (anti-aliased red text on black) in the region
# WxH+X+Y of FILE.
red_pixels() {
  "$convert" "$1" -crop "$2" +repage -depth 8 txt:- |
    awk 'NR > 1 && $3 ~ /^#[89A-F].0000$/ { n++ } END { print n + 0 }'
}

# How many pixels differ between two screenshots in region WxH+X+Y.
changed_pixels() {
  # compare exits 1 when the images differ; the count is on stderr.
  "$compare" -metric AE "$1[$3]" "$2[$3]" null: 2>&1 || true
}

# click X,Y: a left click at that point of the window.
click() {
  xdotool mousemove --window "$wid" "${1%,*}" "${1#*,}" click 1
}

# --- the window at rest ----------------------------------------------------
# A window is visible a moment before Qt has painted it: wait for the first
# colour square to be drawn at all, then check everything strictly.
deadline=$((SECONDS + 10))
while :; do
  shot start
  first=$last_shot
  [ "$(pixels "$first" 100,28)" = 000000 ] || break
  [ "$SECONDS" -lt "$deadline" ] || fail "the window stayed unpainted for 10 s"
  sleep 0.05
done
[ "$("$convert" "$first" -format '%wx%h' info:)" = 191x135 ] ||
  fail "screenshot $first is not 191x135"

colour=$(panel_colour "$first")
[ "$colour" = 000000 ] || fail "the hidden panel should be black, saw $colour"

names=(red yellow green blue purple orange)
expected=(FF0000 FFFF00 00C000 0000FF 800080 FF8000)
# Centres of the 25x25 squares at (88,16) (120,16) (152,16) (88,48) (120,48) (152,48).
centres=("100,28" "132,28" "164,28" "100,60" "132,60" "164,60")
mapfile -t seen < <(pixels "$first" "${centres[@]}")
for i in "${!names[@]}"; do
  [ "${seen[i]}" = "${expected[i]}" ] ||
    fail "the ${names[i]} button's centre ${centres[i]} is ${seen[i]}, expected ${expected[i]}"
done

# The counter row at y=88: "Incorrect:", its count, "Correct:", its count.
incorrect_count=24x17+64+88
correct_count=63x17+128+88
for region in 48x17+16+88 "$incorrect_count" 40x17+88+88 "$correct_count"; do
  n=$(red_pixels "$first" "$region")
  [ "$n" -gt 0 ] || fail "no red text in the counter row's region $region"
done

# --- a turn ---------------------------------------------------------------
# Start fixes a secret at once (before it, the first draw comes 200 ms after
# the window opens); then guess red right away.
before=$first
click 36,120
# A pause between Start and the guess: a reveal timed from the last tick
# before the guess, rather than from the guess, would end early.
sleep 1
clicked=0
clicked_at=$(now_ms)
click "${centres[clicked]}"
revealed=''
deadline=$((SECONDS + 3))
while :; do
  shot reveal
  during=$last_shot
  colour=$(panel_colour "$during")
  [ "$colour" = 000000 ] || break
  [ "$SECONDS" -lt "$deadline" ] || fail "the panel stayed black after a guess"
  sleep 0.05
done
for i in "${!expected[@]}"; do
  [ "$colour" = "${expected[i]}" ] && revealed=$i
done
[ -n "$revealed" ] ||
  fail "the revealed panel is $colour, not one of the six colours (${expected[*]})"

# Exactly one count moved: "Correct:"'s when the secret was the guess.
wrong=$(changed_pixels "$before" "$during" "$incorrect_count")
right=$(changed_pixels "$before" "$during" "$correct_count")
if [ "$revealed" = "$clicked" ]; then moved=$right still=$wrong; else moved=$wrong still=$right; fi
if [ "$moved" = 0 ] || [ "$still" != 0 ]; then
  fail "secret ${names[revealed]}, guess ${names[clicked]}: the Correct count changed in $right pixels, the Incorrect count in $wrong (compare $before with $during)"
fi

# The secret shows for 3000 ms from the guess, then the panel is black again.
while :; do
  shot after-reveal
  after=$last_shot
  colour=$(panel_colour "$after")
  elapsed=$(($(now_ms) - clicked_at))
  [ "$colour" = 000000 ] && break
  [ "$colour" = "${expected[revealed]}" ] ||
    fail "during the reveal of ${names[revealed]} the panel turned $colour"
  [ "$elapsed" -lt 6000 ] || fail "the panel still shows $colour ${elapsed} ms after the guess"
  sleep 0.05
done
[ "$elapsed" -ge 3000 ] || fail "the reveal ended after only ${elapsed} ms"

# --- Exit ------------------------------------------------------------------
click 156,120
deadline=$((SECONDS + 10))
while alive "$game_pid"; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the game still runs 10 s after Exit"
  sleep 0.05
done
status=0
wait "$game_pid" || status=$?
game_pid=''
[ "$status" -eq 0 ] || fail "the game exited with status $status after Exit"

passed=yes
echo "end_to_end: passed (revealed ${names[revealed]} for guess ${names[clicked]}, black again after ${elapsed} ms)"
