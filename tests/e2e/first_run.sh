#!/usr/bin/env bash
# A new user's first session through the real window under Xvfb, on the built medium with a
# fresh home: the setup dialog appears, "start now" installs, the loop group opens, three
# loops are dragged onto tracks 1 to 3 (bars 1, 1 and 3), Space plays the song and Space stops
# it, and Escape with the default answers ends the program. Screenshots of the setup dialog,
# the sound-group panel and the playing arrangement go to the output folder.
# Usage: first_run.sh <medium data folder holding the program file "zelo"> <output folder>
set -euo pipefail
data=${1%/}
out=$2
mkdir -p "$out"
if [ ! -f "$data/seiten" ] || [ ! -x "$data/zelo" ]; then
  echo "SKIP: no content kit in $data"
  exit 77
fi
work=$(mktemp -d)
zelo=
xvfb=
trap '[ -n "$zelo" ] && kill $zelo 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TMPDIR"
state=$XDG_CONFIG_HOME/zelo/g_zelo.inf

. "$(dirname "$0")/session.sh"
start_xvfb

shot() { import -window root "$out/$1.png"; }
away() { xdotool mousemove 5 1015; }
changed() {  # before after element: pixels of the element's rectangle that differ
  read -r x y w h < <(rect "$3")
  compare -metric AE -crop "${w}x${h}+${x}+${y}" "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d" " -f1 || true
}
# Waits until the screen holds still (two pictures 0.4 s apart are equal), at most $1 seconds:
# a slow machine or a sanitizer build takes longer for the same step.
settle() {
  local end=$((SECONDS + ${1:-20}))
  import -window root "$work/still_a.png"
  while [ $SECONDS -lt $end ]; do
    sleep 0.4
    import -window root "$work/still_b.png"
    [ "$(compare -metric AE "$work/still_a.png" "$work/still_b.png" null: 2>&1 | cut -d" " -f1)" = "0" ] && return
    mv "$work/still_b.png" "$work/still_a.png"
  done
}
fail=0
check() {  # condition message
  if eval "$1"; then echo "ok: $2"; else echo "FAIL: $2"; fail=1; fi
}
expect_change() {  # before after element what [share of the rectangle, in percent]
  local d
  d=$(changed "$1" "$2" "$3")
  read -r _ _ w h < <(rect "$3")
  check "[ ${d%.*} -ge $((w * h * ${5:-10} / 100)) ]" "$4 ($3 changed $d of $((w * h)) pixels)"
}
# Drags with the left button held, in steps, as a hand would.
drag() {  # x0 y0 x1 y1
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + ($3 - $1) * i / 8)) $(($2 + ($4 - $2) * i / 8))
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}

"$data/zelo" &
zelo=$!

# 1. The setup dialog stands on its place (element P_SETUP); no state file exists yet.
read -r sx sy sw sh < <(rect P_SETUP)
for _ in $(seq 80); do
  sleep 0.25
  shot setup_dialog
  p=$(convert "$out/setup_dialog.png" -crop "${sw}x${sh}+${sx}+${sy}" -format "%[fx:mean]" info:)
  # The dialog is black with light text and buttons: its area darkens when it opens.
  awk -v m="$p" 'BEGIN { exit !(m < 0.12) }' && break
done
sleep 1
shot setup_dialog
check "[ ! -e '$state' ]" "no state file before the installation"
check "awk -v m=$(convert "$out/setup_dialog.png" -crop "${sw}x${sh}+${sx}+${sy}" -format '%[fx:mean]' info:) 'BEGIN { exit !(m > 0.01 && m < 0.12) }'" \
  "the setup dialog shows on its place"

# The "start now" button, where the dialog lays it out: the frame (8052 x 2964 twips) at 1.2
# times its pixel size, centred across the place and a third down; the button at
# (6420, 2304), 1512 x 528 twips.
read -r bx by < <(awk -v x=$sx -v y=$sy -v w=$sw -v h=$sh 'BEGIN {
  s = 0.96 * w / (8052 / 15); t = 0.96 * h / (2964 / 15); if (t < s) s = t; if (s < 1.2) s = 1.2; if (s > 2) s = 2
  px = s / 15; rx = (w - 8052 * px) / 2; ry = (h - 2964 * px) / 3
  printf "%d %d\n", x + rx + (6420 + 756) * px, y + ry + (2304 + 264) * px }')
xdotool mousemove "$bx" "$by" click 1
for _ in $(seq 300); do [ -e "$state" ] && break; sleep 0.2; done
check "[ -e '$state' ]" "start now writes the state file"
away
settle 40
shot main
expect_change setup_dialog main P_SETUP "the dialog gives way to the main page"

# 2. The loop group opens in the sound-group panel.
read -r x y w h < <(rect G_GROUP01)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
sleep 0.5
away
settle 30
shot sound_groups
expect_change main sound_groups P_LIST "the loop group's samples fill the list"

# 3. Three loops dragged onto the tracks. The list's first row is scanned for its blocks:
# runs of the loop group's blue along a line just below the row's top edge, above the names.
read -r lx ly lw lh < <(rect P_LIST)
row=$((ly + 16))
mapfile -t starts < <(convert "$out/sound_groups.png" -crop "${lw}x1+${lx}+$((ly + 1))" +repage txt:- |
  awk -F'[(),: ]+' 'NR > 1 {
      x = $1; r = $3; g = $4; b = $5; blue = (b > 170 && r < 140)
      if (blue && !inrun) print x; inrun = blue }' | head -3)
check "[ ${#starts[@]} -eq 3 ]" "three loop blocks in the list's first row"
read -r tx ty tw th < <(rect P_TRACKS)
pitch=$(((th + 3) / 17))
bar=50  # pixels per bar of the 1280 layout
targets=("0 0" "1 0" "2 2")
for i in 0 1 2; do
  read -r track takt <<<"${targets[$i]}"
  drag $((lx + ${starts[$i]:-0} + 4)) $((row)) $((tx + takt * bar + 4)) $((ty + track * pitch + 16))
done
away
settle 30
shot arranged
expect_change sound_groups arranged P_TRACKS "three blocks on the tracks" 1

# 4. Space plays: the play button lights and the playhead moves over the tracks.
xdotool key space
sleep 1.5
shot playing
sleep 0.7
shot playing2
expect_change arranged playing B_PLAY "the play button lights while the song plays" 20
d=$(changed playing playing2 P_TRACKS)
check "[ ${d%.*} -gt 0 ]" "the playhead moves ($d pixels)"
xdotool key space
sleep 1
shot stopped
expect_change playing stopped B_PLAY "Space stops the song" 20

# 5. Escape asks to quit and, the mix being new and changed, whether to drop it: Return
# takes the default answer of each.
xdotool key Escape
sleep 1
xdotool key Return
sleep 1
xdotool key Return
expect_program_ends "the quit questions"
exit $fail
