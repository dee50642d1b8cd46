#!/usr/bin/env bash
# ordalis-sort.exe meeting files another program holds, as a virus scanner or
# a sync client holds them on a Windows desktop (hold_file.exe plays that
# program): a hold of a moment is waited out, a lasting one fails within the
# wait with "in use", the old target unchanged and no temporary file left.
# Usage: held_files.sh ORDALIS-SORT.EXE HOLD_FILE.EXE
set -euo pipefail
sort_exe="$(winepath -w "$1")"
hold_exe="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# held file | sharing | for (ms) | exit status | what standard error holds
# ("all" is a reader that shares everything and asks for delete access: the
# in-use check lets it pass, and the move then fails with access denied, on
# Windows and under Wine alike, which is reported as in use after the wait.)
cases=(
  "target.dat|all|1500|0|"
  "target.dat|all|forever|1|cannot write \"target.dat\": it is in use by another program"
  "target.dat|read|1500|0|"
  "source.dat|none|1500|0|"
  "target.dat|read|forever|1|cannot write \"target.dat\": it is in use by another program"
  "source.dat|none|forever|1|cannot read \"source.dat\": it is in use by another program"
)
cd "$work"
for row in "${cases[@]}"; do
  IFS='|' read -r held sharing time expected_status expected_message <<<"$row"
  what="$held held ($sharing sharing) for $time ms"
  printf 'b 2\r\na 1\r\n' >source.dat
  printf 'the old target\r\n' >target.dat
  status=0
  wine "$hold_exe" "$held" "$sharing" "$time" "$sort_exe" --left-count 1 source.dat target.dat \
    >/dev/null 2>err.txt || status=$?
  [ "$status" = "$expected_status" ] || fail "$what: exit $status: $(cat err.txt)"
  ran_ms="$(sed -n 's/.*ran for \([0-9]*\) ms.*/\1/p' err.txt)"
  # The wait is 2.5 s a step; a run must end within 15 s.
  [ -n "$ran_ms" ] && [ "$ran_ms" -lt 15000 ] || fail "$what: ran for '${ran_ms}' ms"
  if [ "$expected_status" = 0 ]; then
    printf 'a 1\r\nb 2\r\n' | cmp -s - target.dat || fail "$what: the target is not the sorted source"
  else
    grep -qF "$expected_message" err.txt || fail "$what: standard error says: $(cat err.txt)"
    ! grep -q "Permission denied" err.txt || fail "$what: a hold reported as a missing permission"
    printf 'the old target\r\n' | cmp -s - target.dat || fail "$what: the old target changed"
  fi
  leftovers="$(ls -A | grep -v -x -e source.dat -e target.dat -e err.txt || true)"
  [ -z "$leftovers" ] || fail "$what: left behind: $leftovers"
done
echo "held sources and targets are waited for, and a lasting hold is reported as in use"

# A source its user may not read, as an access list denies it, fails at once
# with its permission: no hold is waited for. Permission bits stand in for
# the access list, so the run is an ordinary user's, with a Wine prefix of
# its own, when the tests run as root.
user_run=(env)
if [ "$(id -u)" = 0 ]; then
  mkdir -p "$work/home"
  chown nobody:nogroup "$work" "$work/home"
  user_run=(setpriv --reuid=nobody --regid=nogroup --clear-groups
            env HOME="$work/home" WINEPREFIX="$work/home/wine-prefix" WINEDLLOVERRIDES="mscoree,mshtml=")
  "${user_run[@]}" wineboot -i >/dev/null 2>&1 || fail "cannot make a Wine prefix for nobody"
fi
printf 'b 2\r\na 1\r\n' >source.dat
printf 'the old target\r\n' >target.dat
touch other.dat
chmod 222 source.dat
chown "$("${user_run[@]}" id -u)" source.dat target.dat other.dat
status=0
"${user_run[@]}" wine "$hold_exe" other.dat read forever "$sort_exe" --left-count 1 source.dat \
  target.dat >/dev/null 2>err.txt || status=$?
[ "$status" = 1 ] || fail "an unreadable source: exit $status: $(cat err.txt)"
grep -qF 'cannot read "source.dat": Permission denied' err.txt ||
  fail "an unreadable source: standard error says: $(cat err.txt)"
ran_ms="$(sed -n 's/.*ran for \([0-9]*\) ms.*/\1/p' err.txt)"
# Well under the wait of 2500 ms for a hold.
[ -n "$ran_ms" ] && [ "$ran_ms" -lt 1200 ] || fail "an unreadable source took '${ran_ms}' ms to fail"
echo "a source its user may not read fails at once, in ${ran_ms} ms"
