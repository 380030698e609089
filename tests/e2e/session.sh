# Sourced by the Xvfb scenarios: the pieces every session with the real window needs.

# Writes the state file, working folder and cache of a finished installation into $HOME, so the
# program starts in normal work.
installed_home() {
  local working=$HOME/zelo/
  mkdir -p "$working" "$XDG_CONFIG_HOME/zelo"
  : > "$working/flint20"
  # An installation's state file is longer than 12,000 bytes; the start mix value (a path that
  # does not exist, so the default mix is taken) carries the length here.
  { printf '"%s"\r\n' "$working"; printf '"%12100s"\r\n' ""; } > "$XDG_CONFIG_HOME/zelo/g_zelo.inf"
}

# Starts an X server of 1280 x 1024 on a free display; sets xvfb (its pid) and DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 130); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}

# Rectangle of a named element from the 1280 layout's coordinate file in $data: "x y w h" on
# the screen, where the layout sits centred (32 pixels down) on the 1280 x 1024 screen.
versatz_y=32
rect() {
  awk -v name="$1" -v vy=$versatz_y '
    { sub(/\r$/, "") }
    blk == 0 { split($0, a, "("); gsub(/ /, "", a[1]); cur = a[1]; blk = 1; next }
    { v[blk++] = $0; if (blk == 11) { if (cur == name) { print v[1], v[2] + vy, v[9], v[10]; exit } blk = 0 } }
  ' "$data/k_1280"
}

# After the quit: the program ($zelo) must end within 5 s and without an error; sets fail=1
# otherwise and forgets the pid either way.
expect_program_ends() {  # what the program was answering
  for _ in $(seq 50); do kill -0 $zelo 2>/dev/null || break; sleep 0.1; done
  if kill -0 $zelo 2>/dev/null; then
    echo "FAIL: the program did not end after $1"
    fail=1
  else
    wait $zelo || { echo "FAIL: the program ended with an error"; fail=1; }
  fi
  zelo=
}
