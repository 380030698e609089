# Sourced by the scenarios that start from an installed Zelo: writes the state file, working
# folder and cache of a finished installation into $HOME, so the program starts in normal work.
installed_home() {
  local working=$HOME/zelo/
  mkdir -p "$working" "$XDG_CONFIG_HOME/zelo"
  : > "$working/flint20"
  # An installation's state file is longer than 12,000 bytes; the start mix value (a path that
  # does not exist, so the default mix is taken) carries the length here.
  { printf '"%s"\r\n' "$working"; printf '"%12100s"\r\n' ""; } > "$XDG_CONFIG_HOME/zelo/g_zelo.inf"
}
