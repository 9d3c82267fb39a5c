# The mechanisms' command-line names, one a line, in menu order, as `mechsim --help` lists them
# ("  2r  (…)": the command, then the title in brackets, in either language); fails when it lists none.
#   source scripts/mechanisms.sh; mechanism_commands path/to/mechsim
mechanism_commands() {
  local names
  names=$("$1" --help | sed -n 's/^  \([a-z0-9-]*\)  (.*/\1/p')
  if [[ -z $names ]]; then
    echo "$1 --help lists no mechanism" >&2
    return 1
  fi
  echo "$names"
}
