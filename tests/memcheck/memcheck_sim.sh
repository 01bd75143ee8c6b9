#!/usr/bin/env bash
# Plays one driver script under valgrind's memcheck. Passes when memcheck
# found no error and no definite or indirect leak, and the driver ended with
# the status its transcript expects (2 for a script with an .err golden).
set -uo pipefail
valgrind=$1 sim=$2 script=$3
expected=0
[ -e "${script%.sim}.err" ] && expected=2
"$valgrind" -q --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite,indirect "$sim" "$script" >/dev/null
status=$?
if [ "$status" -eq 99 ]; then
  echo "memcheck found errors in $(basename "$script")"
  exit 1
fi
if [ "$status" -ne "$expected" ]; then
  echo "rallo2-sim ended with status $status, expected $expected"
  exit 1
fi
echo "memcheck clean: $(basename "$script")"
