#!/usr/bin/env bash
# Runs a GoogleTest executable's tests that need permission bits to stop
# something, as an ordinary user when the tests run as root (for whom they
# stop nothing), and fails when any of them is skipped or none ran.
# Usage: as_ordinary_user.sh TEST_EXECUTABLE GTEST_FILTER
set -euo pipefail
run=(env)
if [ "$(id -u)" = 0 ]; then
  run=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp)
fi
status=0
output="$("${run[@]}" "$1" --gtest_filter="$2" 2>&1)" || status=$?
printf '%s\n' "$output"
[ "$status" = 0 ] || exit "$status"
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
  echo "FAIL: a test that needs permission bits was skipped" >&2
  exit 1
fi
grep -q '^\[  PASSED  \] [1-9]' <<<"$output" || {
  echo "FAIL: no test matched $2" >&2
  exit 1
}
