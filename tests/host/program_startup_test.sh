#!/usr/bin/env bash
# The real program's start-up, unattended: the boxes it reports about the key files and the options
# file, and the password switch, which ends at once with status 0, with or without a display.
set -u
aerolume=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0

check() {  # name expected actual
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failures=$((failures + 1)); printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"; fi
}

key() {  # folder dir
  mkdir -p "$1/Brightfold" && printf 'Dir=%s\n' "$2" > "$1/Brightfold/Aerolume.conf"
}

run() {  # name args... ; runs with a fresh log and the case's key folders, prints the log
  local log="$work/$1.log"; shift
  rm -f "$log"
  XDG_CONFIG_DIRS="$work/sys" XDG_CONFIG_HOME="$work/home" AEROLUME_MESSAGE_LOG="$log" \
    timeout 10 "$aerolume" "$@"
  local status=$?
  [ $status -eq 0 ] || echo "exit status $status"
  [ -f "$log" ] && cat "$log"
}

install=$work/install
mkdir -p "$install/data"
printf '<?xml version="1.0" ?>\n<OPTIONS>\n    <RunCount v="3" />\n</OPTIONS>\n' > "$install/data/options.xml"
machine_box=$'Error\tHKEY_LOCAL_MACHINE Registry not found! Please reinstall Aerolume Screen Saver'
both_box=$'Error\tRegistry not found! Please reinstall Aerolume Screen Saver'

check "no key anywhere" "$machine_box
$both_box
/options.xml	Error opening file for reading" "$(run none /a)"

key "$work/home" "$install"
check "user key only" "$machine_box" "$(run user /a)"

key "$work/sys" "$install"
check "both keys" "" "$(run both /a)"

rm "$install/data/options.xml"
check "missing options file" "$install/data//options.xml	Error opening file for reading" "$(run nooptions -A)"

# The password switch never needs the display, and beats full screen.
for args in "/a" "-A" "/a -s"; do
  # shellcheck disable=SC2086
  check "no display: $args" "$install/data//options.xml	Error opening file for reading" \
    "$(DISPLAY= run nodisplay $args)"
done

echo "program startup: $passed passed, $failures failed"
[ $failures -eq 0 ]
