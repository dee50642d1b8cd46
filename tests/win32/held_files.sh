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
cases=(
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
