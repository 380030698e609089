#!/usr/bin/env bash
# Starts the real program under Xvfb on a small medium made here, checks that the start
# picture is drawn centred, then quits with Escape and the default answer.
# Usage: start_picture.sh <program file> <output folder>
set -euo pipefail
program=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
zelo=
trap '{ [ -n "$zelo" ] && kill $zelo; kill ${xvfb:-}; } 2>/dev/null || true; rm -rf "$work"' EXIT

# The medium: <root>/zelo/zelo/ holds the program, the content marker and the start pictures.
data=$work/medium/zelo/zelo
mkdir -p "$data/grafikb" "$data/grafiki"
cp "$program" "$data/zelo"
convert -size 8x8 xc:gray PNG24:"$data/grafikb/zelo01b."
# Logo 200 x 100: orange on black, with a mask that is black where the logo stands.
convert -size 200x100 xc:'#ff8000' PNG24:"$data/grafiki/zelo34I."
convert -size 200x100 xc:black PNG24:"$data/grafiki/zelo35I."

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config TMPDIR=$work/tmp
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TMPDIR"
. "$(dirname "$0")/session.sh"
installed_home
export SDL_AUDIODRIVER=dummy
# In the sanitizer build the system's display and font libraries keep memory to the end; the
# unit tests check the program's own code for leaks, this scenario checks what the user sees.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

start_xvfb

"$data/zelo" &
zelo=$!
# Wait for the window, then for the first drawing.
for _ in $(seq 100); do xdotool search --name Zelo >/dev/null 2>&1 && break; sleep 0.1; done
sleep 2
timeout 20 import -window root "$out/start_picture.png"

pixel() { convert "$out/start_picture.png" -format "%[pixel:p{$1,$2}]" info:; }
centre=$(pixel 640 512)
left_of_logo=$(pixel 535 512)
logo_left_edge=$(pixel 541 463)
logo_right_edge=$(pixel 738 560)
corner=$(pixel 5 5)
echo "centre=$centre left_of_logo=$left_of_logo edges=$logo_left_edge,$logo_right_edge corner=$corner"
fail=0
case "$centre" in *255,128,0*) ;; *) echo "FAIL: the logo is not at the centre"; fail=1 ;; esac
case "$logo_left_edge$logo_right_edge" in *255,128,0*255,128,0*) ;; *) echo "FAIL: the logo is not 200 x 100 centred"; fail=1 ;; esac
case "$left_of_logo$corner" in *255,128,0*) echo "FAIL: the logo reaches beyond its place"; fail=1 ;; esac

# Quit: Escape asks the question, Return takes its default answer (Yes).
timeout 5 xdotool search --name Zelo windowactivate >/dev/null 2>&1 || true
xdotool key Escape
sleep 1
timeout 20 import -window root "$out/quit_question.png"
xdotool key Return
for _ in $(seq 50); do kill -0 $zelo 2>/dev/null || break; sleep 0.1; done
if kill -0 $zelo 2>/dev/null; then
  echo "FAIL: the program did not end after the quit question"
  kill $zelo
  fail=1
else
  wait $zelo || { echo "FAIL: the program ended with an error"; fail=1; }
fi
exit $fail
