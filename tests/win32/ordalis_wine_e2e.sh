#!/usr/bin/env bash
# End-to-end test of the real Ordalis.exe under Wine in a real X server (Xvfb),
# driven with xdotool as a person would: the first start in an empty folder,
# a source typed into the real common dialog, "Middle" with new numbers, a
# target in a folder named with a space and letters beyond ASCII, both
# viewers, the same file as target, File > Exit, a restart that brings the
# state back (File > Exit waiting while another program holds Ordalis.ini
# for a moment), a UTF-8 source, the close box, which saves nothing, and a start
# with no mode remembered, where the keyboard must still reach the options.
#
# Usage: ordalis_wine_e2e.sh ORDALIS_EXE VIEWER_STAND_IN_EXE DPI_CHANGE_EXE OPTION_FOCUS_EXE HOLD_FILE_EXE
#          ACCESSIBLE_NAMES_EXE
# WINEPREFIX names the Wine prefix to use (created when missing). When
# ORDALIS_SCREENSHOTS names a folder, the first start's screenshot is copied
# there.
# Exit status: 0 passed, 1 failed, 77 skipped (Wine, Xvfb or xdotool cannot run).
set -u
. "$(dirname "$0")/../support/x11_session.sh"

ordalis_exe=$1
viewer_exe=$2
dpi_change_exe=$3
option_focus_exe=$4
hold_exe=$5
names_exe=$6

skip() {
  echo "SKIP: $*"
  exit 77
}

command -v wine >/dev/null 2>&1 || skip "Wine is not installed"
command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed"
command -v xdotool >/dev/null 2>&1 || skip "xdotool is not installed"
command -v convert >/dev/null 2>&1 || skip "ImageMagick is not installed"
command -v xclip >/dev/null 2>&1 || skip "xclip is not installed"

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-wine-e2e.XXXXXX")
app="$work/app"
data="$work/data"
out="$work/out/Données été" # A space, and letters of Windows-1252 beyond ASCII.
mkdir -p "$app" "$data" "$out"
export WINEPREFIX="${WINEPREFIX:-$work/wine-prefix}"
export WINEDEBUG=-all
xvfb_pid=""
ordalis_pid=""
failed=0

# Ends every process of the prefix too, so that nothing outlives the test.
trap 'wineserver -k 2>/dev/null; end_session' EXIT

# The Windows name of a file of this machine (Wine's drive Z: is /).
windows_name() { printf 'Z:%s' "$1" | tr / '\\'; }

# --- An X server of our own, and the Wine prefix ----------------------------
start_xvfb "$work" 1024x768x24
case $? in
  1) skip "Xvfb cannot run here" ;;
  2) skip "xdotool cannot reach Xvfb on $DISPLAY" ;;
esac

wineserver -k 2>/dev/null # A server left from earlier runs may know another display.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || skip "Wine cannot create its prefix"
fi
# With no window manager, Wine draws the frames itself: title, icon, close box.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

# --- The program beside its two viewers ------------------------------------
cp "$ordalis_exe" "$app/Ordalis.exe"
cp "$viewer_exe" "$app/NOTEPAD.exe"
cp "$viewer_exe" "$app/EDITPADPro.exe"
# Columns 5 to 7 hold the key of Middle with a start of 5 and a count of 3;
# the first seven characters (Left most with 7) would give another order.
printf 'xxxxCCC1\r\nyyyyAAA2\r\nzzzzBBB3\r\nwwwwDDD4\r\n' >"$data/in.dat"
cp "$data/in.dat" "$work/source-before"
printf 'yyyyAAA2\r\nzzzzBBB3\r\nxxxxCCC1\r\nwwwwDDD4\r\n' >"$work/expected-target"

# The client area is 5400 x 2136 twips; Wine's screen has 96 DPI, 15 twips a
# pixel. Wine's frame is around it, the menu bar right above it.
client_width=360
client_height=142

start_ordalis() {
  (cd "$app" && exec wine Ordalis.exe) >"$work/ordalis.log" 2>&1 &
  ordalis_pid=$!
  wait_until 60 window_shown Ordalis || fail "the Ordalis window did not appear"
  wid=$(find_window Ordalis)
  # Give the window the keyboard; there is no window manager to do it.
  xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  border=$(((WIDTH - client_width) / 2))
  client_top=$((HEIGHT - border - client_height))
  [ "$border" -ge 0 ] && [ "$client_top" -gt 20 ] || fail "unexpected window size ${WIDTH}x${HEIGHT}"
  # A slow start may map the window before it has painted it.
  wait_until 20 painted || fail "the window was not painted"
}
painted() {
  import -window "$wid" "$work/painted.png" 2>/dev/null &&
    [ "$(pixel "$work/painted.png" 1560 1152)" != "000000" ]
}

# Pixel position inside the window of a point given in twips of the form.
px_x() { echo $((border + $1 / 15)); }
px_y() { echo $((client_top + $1 / 15)); }

click_at_twips() { # left top
  xdotool mousemove --window "$wid" "$(px_x "$1")" "$(px_y "$2")" click 1
  sleep 0.3
}

# Replaces the text of the box whose centre is at the given twips.
set_box() { # left top text
  click_at_twips "$1" "$2"
  xdotool key --clearmodifiers End shift+Home
  xdotool type --delay 30 "$3"
}

screenshot() { # file
  import -window "$wid" "$1" 2>/dev/null || fail "could not take a screenshot of the window"
}
pixel() { # file left-twips top-twips
  convert "$1" -format "%[hex:p{$(px_x "$2"),$(px_y "$3")}]" info:
}
# True when the caption of the option at the given twips place has red in it.
caption_is_red() { # file left top width height
  convert "$1" -crop "$(($4 / 15 - 18))x$(($5 / 15))+$(($(px_x "$2") + 18))+$(px_y "$3")" \
    +repage -format %c histogram:info: | grep -qi '#FF0000'
}

# Answers the open-file dialog titled `title` by typing `name` into its name box.
answer_dialog() { # title name
  wait_until 15 window_shown "$1" || fail "the dialog \"$1\" did not open"
  local dialog
  dialog=$(find_window "$1")
  xdotool windowfocus "$dialog" 2>/dev/null
  sleep 0.5
  xdotool key --clearmodifiers End shift+Home
  xdotool type --delay 30 "$2"
  sleep 0.3
  xdotool key Return
  wait_until 10 window_gone "$1" || fail "the dialog \"$1\" did not take \"$2\""
  sleep 0.5
}

# File > Exit, by the mouse on " File" and the keyboard in the menu.
file_exit() {
  xdotool mousemove --window "$wid" $((border + 15)) $((client_top - 9)) click 1
  sleep 0.5
  xdotool key Down Return
  wait_until 15 process_gone "$ordalis_pid" || fail "File > Exit did not end the program"
  ordalis_pid=""
}


# --- First start in an empty folder ------------------------------------------
start_ordalis
echo "Window $wid on $DISPLAY: ${WIDTH}x${HEIGHT}, client area from y=$client_top"
[ -f "$app/Ordalis.ini" ] && [ ! -s "$app/Ordalis.ini" ] || fail "Ordalis.ini was not created empty"
screenshot "$work/first-start.png"
if [ -n "${ORDALIS_SCREENSHOTS:-}" ]; then cp "$work/first-start.png" "$ORDALIS_SCREENSHOTS/"; fi
[ "$(pixel "$work/first-start.png" 1560 1152)" = "C0FFC0" ] ||
  fail "Text1 is not light green at the first start: $(pixel "$work/first-start.png" 1560 1152)"
[ "$(pixel "$work/first-start.png" 1620 1488)" != "C0FFC0" ] || fail "Text2 is highlighted at the first start"
caption_is_red "$work/first-start.png" 3060 1008 1440 276 || fail "\"Left most\" is not red"
caption_is_red "$work/first-start.png" 3060 1344 1452 276 && fail "\"Middle\" is red at the first start"
echo "ok: the first start created Ordalis.ini empty, Text1 is light green and \"Left most\" red"

# A screen reader on Windows names each box by the label just before it in
# z-order; Tab walks the tab stops in that order, which stays the form's.
read_as_screen_reader=$(wine "$names_exe" 2>&1 | tr -d '\r')
expected_reading='z-order: Quit; Target File; Source File; # char left; [box]; # char in middle; [box]; Left most; Middle; Right most; Sort; start at column; [box]; [box];
tab: Quit; Target File; Source File; [box]; [box]; Left most; [box]; [box];
names: # char left; # char in middle; start at column; -;'
[ "$read_as_screen_reader" = "$expected_reading" ] ||
  fail "a screen reader reads the window otherwise: $read_as_screen_reader"
echo "ok: each number box is named by its label, and Tab keeps the form's order"

# The focus is on "Source File": Enter opens the source dialog.
xdotool key Return
answer_dialog "Select the text file to load..." "$(windows_name "$data/in.dat")"
echo "ok: Enter on the focused \"Source File\" opened its dialog, which took a typed path"

set_box $TEXT1 7 # Left most is selected, so Text1 takes input.
click_at_twips $OPTION2_INDICATOR
set_box $TEXT2 3
set_box $TEXT3 5

click_at_twips $TARGETFILE
answer_dialog "Set Target Filename..." "$(windows_name "$out/sorted.dat")"
wait_until 15 file_is "$out/sorted.dat" "$work/expected-target" ||
  fail "the target is not sorted by Middle 5/3: $(od -c "$out/sorted.dat" 2>&1 | head -n 5)"
echo "ok: the target in \"Données été\" holds the lines sorted by columns 5 to 7"

target_name=$(windows_name "$out/sorted.dat")
for viewer in NOTEPAD.exe EDITPADPro.exe; do
  wait_until 20 test -f "$app/$viewer.args" || fail "$viewer was not started"
  raw=$(head -n 1 "$app/$viewer.args")
  printf '1\n%s\n' "$target_name" >"$work/expected-args"
  tail -n +2 "$app/$viewer.args" | cmp -s - "$work/expected-args" ||
    fail "$viewer did not get the target as its one argument; its command line: $raw"
  echo "ok: $viewer got exactly one argument, the target's full name; command line: $raw"
done

# --- The same file as target: the warning, and nothing written ---------------
rm -f "$app"/*.args
(cd "$work" && find data out -exec ls -ld --time-style=+%s.%N {} +) >"$work/tree-before"
click_at_twips $TARGETFILE
answer_dialog "Set Target Filename..." "$(windows_name "$data/in.dat")"
sleep 1
warning_shown() {
  screenshot "$work/same-file.png" && [ "$(pixel "$work/same-file.png" 600 792)" = "FFC0C0" ]
}
wait_until 5 warning_shown ||
  fail "the light red warning is not showing: $(pixel "$work/same-file.png" 600 792)"
# An ordinary text box: typing goes on past its width, and the text scrolls.
click_at_twips 2900 792
xdotool key --clearmodifiers End
xdotool type --delay 20 " - typed on well past the right edge of the box"
xdotool key --clearmodifiers Home shift+End ctrl+c
sleep 0.5
typed=$(xclip -o -selection clipboard 2>/dev/null)
[ "$typed" = "Use a different output filename - typed on well past the right edge of the box" ] ||
  fail "SameFileTxt did not take text past its width: \"$typed\""
echo "ok: SameFileTxt takes text past its width"
file_is "$data/in.dat" "$work/source-before" || fail "the source was changed"
(cd "$work" && find data out -exec ls -ld --time-style=+%s.%N {} +) >"$work/tree-after"
cmp -s "$work/tree-before" "$work/tree-after" || fail "a file was written: $(diff "$work/tree-before" "$work/tree-after")"
[ ! -e "$app/NOTEPAD.exe.args" ] || fail "a viewer was started for the same file"
echo "ok: the source as target shows the light red warning and writes nothing"

# --- File > Exit writes the settings -----------------------------------------
# ... even while another program (a scanner, a sync client) holds the old
# Ordalis.ini for a moment, sharing nothing.
(cd "$app" && exec wine "$hold_exe" Ordalis.ini none 1500) >"$work/hold.log" 2>&1 &
wait_until 30 grep -q holding "$work/hold.log" || fail "hold_file did not take Ordalis.ini"
file_exit
printf '[Source path]\r\n%s\r\n[Target path]\r\n%s\r\n[Left most characters]\r\n7\r\n[Start at column]\r\n3\r\n[Right most start column]\r\n5\r\n[Option button]\r\n2\r\n' \
  "$(windows_name "$data")" "$(windows_name "$out")" >"$work/expected-ini"
# The file's code page is Windows-1252, which holds "Données été".
iconv -f UTF-8 -t WINDOWS-1252 "$work/expected-ini" >"$work/expected-ini-1252" ||
  fail "iconv cannot write Windows-1252"
file_is "$app/Ordalis.ini" "$work/expected-ini-1252" ||
  fail "Ordalis.ini is not as expected: $(od -c "$app/Ordalis.ini" | head -n 20)"
cp "$app/Ordalis.ini" "$work/written-ini"
echo "ok: File > Exit wrote Ordalis.ini, the target folder's name in Windows-1252"

# --- A restart brings the state back; the close box saves nothing ------------
start_ordalis
screenshot "$work/second-start.png"
[ "$(pixel "$work/second-start.png" 1560 1152)" != "C0FFC0" ] || fail "Text1 is highlighted after the restart"
[ "$(pixel "$work/second-start.png" 1620 1488)" = "C0FFC0" ] || fail "Text2 is not light green after the restart"
[ "$(pixel "$work/second-start.png" 1620 1812)" = "C0FFC0" ] || fail "Text3 is not light green after the restart"
caption_is_red "$work/second-start.png" 3060 1344 1452 276 || fail "\"Middle\" is not red after the restart"
echo "ok: Middle is selected again"

# Bare names: the dialogs open in the remembered folders, and the sort uses
# the remembered mode and numbers.
xdotool key Return
answer_dialog "Select the text file to load..." "in.dat"
click_at_twips $TARGETFILE
answer_dialog "Set Target Filename..." "again.dat"
wait_until 15 file_is "$out/again.dat" "$work/expected-target" ||
  fail "the second sort differs: $(od -c "$out/again.dat" 2>&1 | head -n 5)"
echo "ok: the restored folders, mode and numbers sorted again alike"

# A UTF-8 source: an accented letter or the euro sign is one column, as a
# person counts, so columns 5 to 7 are AAA, CCC and BBB. Read a byte a
# character they would be other bytes, and the line of x's would come first.
printf '\303\244\303\266\303\274\303\251AAA1\r\nxxxxCCC2\r\n\303\261\303\261\303\261\342\202\254BBB3\r\n' >"$data/utf8.dat"
printf '\303\244\303\266\303\274\303\251AAA1\r\n\303\261\303\261\303\261\342\202\254BBB3\r\nxxxxCCC2\r\n' >"$work/expected-utf8"
click_at_twips $GETFILE
answer_dialog "Select the text file to load..." "utf8.dat"
click_at_twips $TARGETFILE
answer_dialog "Set Target Filename..." "utf8-sorted.dat"
wait_until 15 file_is "$out/utf8-sorted.dat" "$work/expected-utf8" ||
  fail "the UTF-8 source was not sorted by its characters: $(od -c "$out/utf8-sorted.dat" 2>&1 | head -n 5)"
echo "ok: a UTF-8 source was sorted by the columns a person counts, its bytes unchanged"

click_at_twips $OPTION3_INDICATOR
set_box $TEXT3 9
# The close box Wine draws at the right end of the title bar: WM_CLOSE.
xdotool mousemove --window "$wid" $((WIDTH - border - 10)) $((border + 9)) click 1
wait_until 15 process_gone "$ordalis_pid" || fail "closing the window did not end the program"
ordalis_pid=""
file_is "$app/Ordalis.ini" "$work/written-ini" ||
  fail "closing the window changed Ordalis.ini: $(od -c "$app/Ordalis.ini" | head -n 20)"
echo "ok: closing the window ended the program and saved nothing"

# --- No mode remembered: Tab still reaches the options, Space picks one -------
printf '[Option button]\r\n4\r\n' >"$app/Ordalis.ini"
start_ordalis
screenshot "$work/no-mode.png"
[ "$(pixel "$work/no-mode.png" 1560 1152)" != "C0FFC0" ] || fail "Text1 is highlighted with no mode"
# On Windows the focus reaching the unchecked "Left most" sends BN_CLICKED:
# that is no click, and every box stays enabled with nothing highlighted.
boxes=$(wine "$option_focus_exe" 2>&1 | tr -d '\r')
[ "$boxes" = "1 1 1" ] || fail "BN_CLICKED from an unchecked option changed the boxes: $boxes"
screenshot "$work/focus-notice.png"
[ "$(pixel "$work/focus-notice.png" 1560 1152)" != "C0FFC0" ] ||
  fail "BN_CLICKED from an unchecked option highlighted Text1"
echo "ok: BN_CLICKED from an unchecked option, as Windows sends on focus, changes nothing"
# From "Source File": Text1, Text2, then the option group.
xdotool key Tab Tab Tab space
sleep 0.5
screenshot "$work/picked.png"
[ "$(pixel "$work/picked.png" 1560 1152)" = "C0FFC0" ] ||
  fail "Tab and Space did not select \"Left most\": Text1 is $(pixel "$work/picked.png" 1560 1152)"
caption_is_red "$work/picked.png" 3060 1008 1440 276 || fail "\"Left most\" is not red after Space"
# The arrow keys move within the group and run the click rule.
xdotool key Down
sleep 0.5
screenshot "$work/arrowed.png"
[ "$(pixel "$work/arrowed.png" 1620 1488)" = "C0FFC0" ] || fail "Down did not select \"Middle\""
echo "ok: with no mode remembered, Tab reaches the options, Space and the arrows pick one"

# Moved to a screen of 144 DPI: every control placed again from the form's
# twips (5400 x 2136 is 540 x 214 pixels there; "Source File" at 300 twips,
# 1332 wide, is at 30, 133 wide).
relaid=$(wine "$dpi_change_exe" 144 2>&1 | tr -d '\r')
[ "$relaid" = "client 540x214, Source File at 30 wide 133" ] ||
  fail "the window did not follow a change of DPI: $relaid"
echo "ok: a change of DPI places every control again: $relaid"
eval "$(xdotool getwindowgeometry --shell "$wid")"
border=$(((WIDTH - 540) / 2))
xdotool mousemove --window "$wid" $((WIDTH - border - 10)) $((border + 9)) click 1
wait_until 15 process_gone "$ordalis_pid" || fail "closing the window did not end the program"
ordalis_pid=""
echo "PASS: the Windows window works end to end under Wine"
