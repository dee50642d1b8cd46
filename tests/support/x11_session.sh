# Helpers of the end-to-end tests that drive a real window in Xvfb with
# xdotool. Sourced by the test scripts; defines functions and the places of
# the form's controls.

# Ends what the test started: the program ($ordalis_pid), then the X server
# ($xvfb_pid), whose display is then free for the next run. The work folder
# ($work) goes when the test passed and stays for a look when it failed.
end_session() {
  [ -n "$ordalis_pid" ] && kill "$ordalis_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [ "$failed" = 0 ]; then
    rm -rf "$work"
  else
    echo "The test's files are kept in $work"
  fi
}

# Fails the test: says why, keeps a picture of the screen and shows what the
# program printed.
fail() {
  failed=1
  echo "FAIL: $*"
  if command -v import >/dev/null 2>&1; then
    import -window root "$work/failure.png" 2>/dev/null && echo "Screen at the failure: $work/failure.png"
  fi
  [ -f "$work/ordalis.log" ] && sed 's/^/ordalis: /' "$work/ordalis.log"
  exit 1
}

# Polls `command...` every 0.1 s until it succeeds; fails after `seconds`.
wait_until() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -le 0 ] && return 1
    sleep 0.1
  done
  return 0
}

# Starts an X server of our own and exports its DISPLAY; sets xvfb_pid.
# -displayfd lets Xvfb pick a free display and tell us which. -noreset: a
# server that resets when its last client leaves (xdotool, say) refuses
# connections while it does, and the program could start just then.
# Returns 1 when Xvfb cannot run (its log's end is shown), 2 when xdotool
# cannot reach it.
start_xvfb() { # work-folder screen-geometry
  Xvfb -displayfd 5 -screen 0 "$2" -nolisten tcp -noreset 5>"$1/display" >"$1/xvfb.log" 2>&1 &
  xvfb_pid=$!
  if ! wait_until 10 test -s "$1/display"; then
    sed 's/^/Xvfb: /' "$1/xvfb.log" | tail -n 5
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$1/display")"
  wait_until 10 xdotool getdisplaygeometry || return 2
}

# Prints the id of the visible window whose title is exactly `title`.
find_window() {
  local pattern
  pattern="^$(printf '%s' "$1" | sed 's/[].[^$*\\]/\\&/g')\$"
  xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1
}
window_shown() { [ -n "$(find_window "$1")" ]; }
window_gone() { [ -z "$(find_window "$1")" ]; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }
file_is() { [ -f "$1" ] && cmp -s "$1" "$2"; }

# Centres of the form's controls, in twips (left + width / 2, top + height / 2);
# the option indicators sit near the left end of their buttons.
GETFILE="966 366"
TARGETFILE="2706 366"
TEXT1="1374 1152"
TEXT2="1398 1488"
TEXT3="1398 1812"
OPTION2_INDICATOR="3150 1482"
OPTION3_INDICATOR="3150 1806"
