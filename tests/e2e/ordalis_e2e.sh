#!/usr/bin/env bash
# End-to-end test of the real Ordalis window in a real X server (Xvfb), driven
# with xdotool as a person would: pick a source by typing its path into Qt's
# file dialog, pick "Middle", change the numbers, pick a target, then leave
# through File > Exit; start again and check that the state came back.
#
# Usage: ordalis_e2e.sh ORDALIS_BINARY VIEWER_STAND_IN
# Exit status: 0 passed, 1 failed, 77 skipped (Xvfb or xdotool cannot run).
set -u
. "$(dirname "$0")/../support/x11_session.sh"

ordalis_binary=$1
viewer_binary=$2

skip() {
  echo "SKIP: $*"
  exit 77
}

command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed"
command -v xdotool >/dev/null 2>&1 || skip "xdotool is not installed"

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-e2e.XXXXXX")
app="$work/app"
data="$work/data"
out="$work/out"
mkdir -p "$app" "$data" "$out"
xvfb_pid=""
ordalis_pid=""
failed=0

trap end_session EXIT

# --- An X server of our own -------------------------------------------------
start_xvfb "$work" 1280x1024x24
case $? in
  1) skip "Xvfb cannot run here" ;;
  2) skip "xdotool cannot reach Xvfb on $DISPLAY" ;;
esac
# The X server under test, not a platform chosen for the tests.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME

# --- The program beside its two viewers ------------------------------------
cp "$ordalis_binary" "$app/Ordalis"
cp "$viewer_binary" "$app/NOTEPAD.exe"
cp "$viewer_binary" "$app/EDITPADPro.exe"
# Columns 5 to 7 hold the key of Middle with a start of 5 and a count of 3;
# the first seven characters (Left most with 7) would give another order.
printf 'xxxxCCC1\r\nyyyyAAA2\r\nzzzzBBB3\r\nwwwwDDD4\r\n' >"$data/in.dat"
printf 'yyyyAAA2\r\nzzzzBBB3\r\nxxxxCCC1\r\nwwwwDDD4\r\n' >"$work/expected-target"

start_ordalis() {
  (cd "$app" && exec ./Ordalis) >"$work/ordalis.log" 2>&1 &
  ordalis_pid=$!
  wait_until 15 window_shown Ordalis || fail "the Ordalis window did not appear"
  wid=$(find_window Ordalis)
  # Give the window the keyboard; there is no window manager to do it.
  xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # The client area is 5400 x 2136 twips below the menu bar; 15 twips make a
  # pixel at 96 DPI, and the window's width tells the actual scale.
  scale_num=$WIDTH
  scale_den=360
  client_height=$(((2136 * scale_num + 15 * scale_den / 2) / (15 * scale_den)))
  menu_height=$((HEIGHT - client_height))
  [ "$menu_height" -gt 5 ] || fail "unexpected window size ${WIDTH}x${HEIGHT}"
}

# Pixel position inside the window of a point given in twips of the form.
px_x() { echo $((($1 * scale_num) / (15 * scale_den))); }
px_y() { echo $((menu_height + ($1 * scale_num) / (15 * scale_den))); }

click_at_twips() { # left top
  xdotool mousemove --window "$wid" "$(px_x "$1")" "$(px_y "$2")" click 1
  sleep 0.2
}

# Replaces the text of the box whose centre is at the given twips.
set_box() { # left top text
  click_at_twips "$1" "$2"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$3"
}

# Answers the open file dialog titled `title` by typing `name` into it.
answer_dialog() { # title name
  wait_until 10 window_shown "$1" || fail "the dialog \"$1\" did not open"
  sleep 0.3
  local dialog
  dialog=$(find_window "$1")
  xdotool windowfocus "$dialog" 2>/dev/null
  sleep 0.3
  xdotool type --delay 20 "$2"
  sleep 0.3
  xdotool key Return
  # A completion list that was open takes the first Return.
  if ! wait_until 2 window_gone "$1"; then
    xdotool key Return
    wait_until 5 window_gone "$1" || fail "the dialog \"$1\" did not take \"$2\""
  fi
  # The main window takes input again once the modal loop has unwound.
  sleep 0.5
}

# File > Exit, by the mouse on " File" and the keyboard in the menu.
file_exit() {
  xdotool mousemove --window "$wid" 20 $((menu_height / 2)) click 1
  sleep 0.5
  xdotool key Down Return
  wait_until 10 process_gone "$ordalis_pid" || fail "File > Exit did not end the program"
  ordalis_pid=""
}


# --- First use: sort with Middle, then leave through File > Exit -------------
start_ordalis
echo "Window $wid on $DISPLAY: ${WIDTH}x${HEIGHT}, menu bar $menu_height px"

set_box $TEXT1 7 # Left most is selected, so Text1 takes input.
click_at_twips $OPTION2_INDICATOR
set_box $TEXT2 3
set_box $TEXT3 5

click_at_twips $GETFILE
answer_dialog "Select the text file to load..." "$data/in.dat"
click_at_twips $TARGETFILE
answer_dialog "Set Target Filename..." "$out/sorted.dat"

wait_until 10 file_is "$out/sorted.dat" "$work/expected-target" ||
  fail "the target is not sorted by Middle 5/3: $(od -c "$out/sorted.dat" 2>&1 | head -n 5)"
echo "ok: the target holds the lines sorted by columns 5 to 7"

printf '1\n%s\n' "$out/sorted.dat" >"$work/expected-args"
wait_until 10 file_is "$app/NOTEPAD.exe.args" "$work/expected-args" ||
  fail "NOTEPAD.exe was not started with the target alone: $(cat "$app/NOTEPAD.exe.args" 2>&1)"
wait_until 10 file_is "$app/EDITPADPro.exe.args" "$work/expected-args" ||
  fail "EDITPADPro.exe was not started with the target alone"
echo "ok: both viewers were started with the target as their one argument"

file_exit
printf '[Source path]\r\n%s\r\n[Target path]\r\n%s\r\n[Left most characters]\r\n7\r\n[Start at column]\r\n3\r\n[Right most start column]\r\n5\r\n[Option button]\r\n2\r\n' \
  "$data" "$out" >"$work/expected-ini"
file_is "$app/Ordalis.ini" "$work/expected-ini" ||
  fail "Ordalis.ini is not as expected: $(od -c "$app/Ordalis.ini" | head -n 20)"
echo "ok: File > Exit wrote Ordalis.ini"

# --- Second use: the remembered state comes back -----------------------------
rm -f "$app/NOTEPAD.exe.args" "$app/EDITPADPro.exe.args"
start_ordalis

if command -v import >/dev/null 2>&1 && command -v convert >/dev/null 2>&1; then
  # Middle's boxes are light green, Left most's is not. A slow build may map
  # the window before it has painted it, so look until it shows something.
  pixel() { convert "$work/second-start.png" -format "%[hex:p{$(px_x "$1"),$(px_y "$2")}]" info:; }
  painted() {
    import -window "$wid" "$work/second-start.png" 2>/dev/null && [ "$(pixel 1620 1488)" != "000000" ]
  }
  wait_until 10 painted || fail "the window was not painted: $(pixel 1620 1488)"
  # Just inside the right edge of each box, away from its text.
  [ "$(pixel 1570 1152)" != "C0FFC0" ] || fail "Text1 is highlighted after the restart"
  [ "$(pixel 1620 1488)" = "C0FFC0" ] || fail "Text2 is not light green after the restart: $(pixel 1620 1488)"
  [ "$(pixel 1620 1812)" = "C0FFC0" ] || fail "Text3 is not light green after the restart: $(pixel 1620 1812)"
  echo "ok: Middle's boxes are light green again"
else
  echo "note: ImageMagick is missing, so the colours are not checked"
fi

# Bare names: the dialogs must open in the remembered directories, and the
# sort must use the remembered mode and numbers. This time the keyboard
# presses the buttons: keypad Enter the focused "Source File" at start, Return
# the "Target File" that a source choice focuses.
xdotool key KP_Enter
answer_dialog "Select the text file to load..." "in.dat"
xdotool key Return
answer_dialog "Set Target Filename..." "again.dat"
wait_until 10 file_is "$out/again.dat" "$work/expected-target" ||
  fail "the second sort differs: $(od -c "$out/again.dat" 2>&1 | head -n 5)"
printf '1\n%s\n' "$out/again.dat" >"$work/expected-args"
wait_until 10 file_is "$app/NOTEPAD.exe.args" "$work/expected-args" ||
  fail "NOTEPAD.exe was not started with the second target"
echo "ok: the restored directories, mode and numbers sorted again alike"

file_exit
file_is "$app/Ordalis.ini" "$work/expected-ini" ||
  fail "Ordalis.ini changed although nothing did: $(od -c "$app/Ordalis.ini" | head -n 20)"
echo "ok: leaving again wrote the same settings"
echo "PASS: the window works end to end"
