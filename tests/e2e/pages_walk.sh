#!/usr/bin/env bash
# Walks through the main page's buttons under Xvfb on the built medium: opens the mixer and
# time-stretch panels, the generator and effect pages, switches loop on and shows the info
# picture, with a screenshot after each step. Each step must light its button (or change
# the page) on screen; the walk ends with Escape and the quit question's default answer.
# Usage: pages_walk.sh <medium data folder holding the program file "zelo"> <output folder>
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
trap '[ -n "$zelo" ] && kill $zelo 2>/dev/null; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp SDL_AUDIODRIVER=dummy
# In the sanitizer build the X server's GL libraries keep memory to the end; the unit tests
# check the program's own code for leaks, this walk checks what the user sees.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TMPDIR"
. "$(dirname "$0")/session.sh"
installed_home

start_xvfb

click() {
  read -r x y w h < <(rect "$1")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  xdotool mousemove 5 1015  # away, so no button stays lit by hover
  sleep 1.2
}
shot() { import -window root "$out/$1.png"; }
# Pixels of an element's rectangle that differ between two screenshots.
changed() {
  read -r x y w h < <(rect "$3")
  compare -metric AE -crop "${w}x${h}+${x}+${y}" "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d" " -f1 || true
}
fail=0
expect_change() {  # before after element what
  local d
  d=$(changed "$1" "$2" "$3")
  read -r _ _ w h < <(rect "$3")
  if [ "${d%.*}" -lt $((w * h / 10)) ]; then
    echo "FAIL: $4 ($3 changed $d of $((w * h)) pixels)"
    fail=1
  else
    echo "ok: $4"
  fi
}

"$data/zelo" &
zelo=$!
for _ in $(seq 100); do xdotool search --name Zelo >/dev/null 2>&1 && break; sleep 0.1; done
# Wait until the main page is drawn: the play button's place is no longer black.
read -r x y w h < <(rect B_PLAY)
for _ in $(seq 60); do
  sleep 0.5
  shot main
  p=$(convert "$out/main.png" -format "%[pixel:p{$((x + 2)),$((y + 2))}]" info:)
  case "$p" in *"(0,0,0)"*|black) ;; *) break ;; esac
done
xdotool mousemove 5 1015
sleep 1.5
shot main

click B_MIXER;   shot mixer;   expect_change main mixer B_MIXER "the mixer button lights"
expect_change main mixer P_MIXERPANEL "the mixer panel replaces the sound groups"
click B_STRETCH; shot stretch; expect_change main stretch B_STRETCH "the stretch button lights"
expect_change mixer stretch B_MIXER "the mixer button goes out when the stretch panel opens"
click B_STRETCH; shot panels_closed
expect_change stretch panels_closed P_STRETCHPANEL "the sound groups come back"
click B_SYNTH;   shot synth;   expect_change main synth P_TRACKS "the generator page replaces the main page"
click B_SYNTH;   shot back;    expect_change synth back B_SYNTH "the main page comes back"
click B_EFFECTS; shot effects; expect_change main effects B_EFFECTS "the effects button lights on the effect page"
click B_EFFECTS; shot main2
click B_LOOP;    shot loop;    expect_change main2 loop B_LOOP "loop lights"
click B_INFO;    shot info
click B_INFO;    shot info_closed
expect_change info info_closed P_TRACKS "the info picture closes again"
# The disk menu opens at the pointer; a click beside it dismisses it.
read -r x y w h < <(rect B_DISK)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
sleep 1.5
shot disk_menu
expect_change main2 disk_menu B_NEW "the disk menu opens over the page"
xdotool mousemove 900 600 click 1
sleep 1
xdotool mousemove 5 1015
sleep 1
shot disk_closed
expect_change disk_menu disk_closed B_NEW "the disk menu closes"

# Quit: Escape asks the question, Return takes its default answer (Yes).
xdotool key Escape
sleep 1
xdotool key Return
expect_program_ends "the quit question"
exit $fail
