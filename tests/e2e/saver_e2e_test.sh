#!/usr/bin/env bash
# The real program in a real X server (run under tests/with-xvfb), driven by xdotool: full screen,
# the input that ends it, the run count, the closing prompts through the unattended message log,
# the preview inside another program's window, and the test preview window.
#
#   saver_e2e_test.sh AEROLUME X_WINDOW_HELPER DATA_FOLDER
#
# DATA_FOLDER is an installation's data folder (the build tree's data/ with its skies); each case
# runs on a fresh copy of it. Waits poll for a condition with a generous limit; nothing is timed.
set -u
aerolume=$1 helper=$2 data=$3
[ -n "${DISPLAY:-}" ] || { echo "saver e2e: needs a display (run under tests/with-xvfb)"; exit 1; }
[ -f "$data/defaultScenario.xml" ] || { echo "saver e2e: no skies in $data"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
failures=0 passed=0

fail() { failures=$((failures + 1)); echo "FAIL $case: $*"; }
pass() { passed=$((passed + 1)); }
check() {  # what expected actual
  if [ "$2" == "$3" ]; then pass; else fail "$1: expected [$2], got [$3]"; fi
}

# A fresh installation: the data copied, the machine-wide key file naming it, empty logs. Sky
# changes are off, so the first sky shows at once instead of fading in from black.
install_fresh() {  # runCount
  rm -rf "$work/install" "$work/keys" "$work/log" "$work/frames"
  mkdir -p "$work/install" "$work/keys/Brightfold"
  cp -r "$data" "$work/install/data"
  printf 'Dir=%s\n' "$work/install" >"$work/keys/Brightfold/Aerolume.conf"
  printf '<?xml version="1.0" ?>\n<OPTIONS>\n    <RunCount v="%s" />\n    <changeSkyDuring v="0" />\n</OPTIONS>\n' "$1" \
    >"$work/install/data/options.xml"
  : >"$work/frames"
}

run_count() { sed -n 's/.*<RunCount v="\([0-9-]*\)".*/\1/p' "$work/install/data/options.xml"; }
frames() { wc -l <"$work/frames"; }

start() {  # args... ; with dialogs=1, message boxes are real dialogs instead of log lines
  local log=(AEROLUME_MESSAGE_LOG="$work/log")
  [ "${dialogs:-0}" == 1 ] && log=(-u AEROLUME_MESSAGE_LOG)
  env "${log[@]}" XDG_CONFIG_DIRS="$work/keys" XDG_CONFIG_HOME="$work/home" AEROLUME_MESSAGE_ANSWER=no \
    AEROLUME_FRAME_LOG="$work/frames" "$aerolume" "$@" >"$work/stdout" 2>&1 &
  saver=$!
  pids+=("$saver")
}

wait_for() {  # command...: polls until it succeeds, up to 20 s
  for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done
  return 1
}
has_frames() { [ "$(frames)" -ge "$1" ]; }
gone() { ! kill -0 "$saver" 2>/dev/null; }

# Waits for the saver to end and checks its exit status: 0, not still running.
check_ends() {
  local status=running
  if wait_for gone; then wait "$saver"; status=$?; else kill "$saver"; wait "$saver" 2>/dev/null; fi
  check "exit status" 0 "$status"
}

# Frames keep coming after the last input: the loop has drained it, and the saver still runs.
still_running_after_input() {
  local seen
  seen=$(frames)
  wait_for has_frames $((seen + 15)) && kill -0 "$saver" 2>/dev/null
}

# Mean brightness (0..1) of a rectangle of the screen.
brightness() {  # WxH+X+Y
  import -window root -crop "$1" +repage "$work/shot.png" 2>/dev/null &&
    convert "$work/shot.png" -colorspace gray -format '%[fx:mean]' info:
}
not_black() { awk -v b="$1" 'BEGIN { exit !(b > 0.1) }'; }

vote_line=$'Thank you for using Aerolume\tSeems that you like Aerolume! \\nWould you be so kind to vote for it? This will help others to find it! '

case="full screen draws the sky; a key ends it"
install_fresh 5
xdotool mousemove 600 400
start /s
wait_for has_frames 5 || fail "no frames"
b=$(brightness 1280x800+0+0)
not_black "$b" && pass || fail "screen is black ($b)"
xdotool key x
check_ends
check "run count" 6 "$(run_count)"
check "no boxes" "" "$(cat "$work/log" 2>/dev/null)"

for input in "key alt+x" "click 1" "click 2" "click 3"; do
  case="full screen ends on $input"
  install_fresh 0
  start -S
  wait_for has_frames 3 || fail "no frames"
  # shellcheck disable=SC2086
  xdotool $input
  check_ends
  check "run count" 1 "$(run_count)"
done

case="mouse: 50 pixels on both axes do not end it, 51 on one does"
install_fresh 1
xdotool mousemove 600 400
start /s
wait_for has_frames 3 || fail "no frames"
xdotool mousemove 650 450
still_running_after_input || fail "ended by a 50-pixel move"
xdotool mousemove 550 350
still_running_after_input || fail "ended by a 50-pixel move back"
xdotool mousemove 600 451
check_ends
check "run count" 2 "$(run_count)"

case="the 33rd start asks for a vote"
install_fresh 32
start /s
wait_for has_frames 3 || fail "no frames"
xdotool key space
check_ends
check "run count" 33 "$(run_count)"
check "vote box" "$vote_line" "$(head -1 "$work/log" 2>/dev/null)"

case="a real prompt dialog comes above the saver and answering it ends the saver"
install_fresh 32
dialogs=1 start /s
wait_for has_frames 3 || fail "no frames"
xdotool key x
find_dialog() { dialog=$(xdotool search --name '^Thank you for using Aerolume$' 2>/dev/null | head -1); [ -n "$dialog" ]; }
if wait_for find_dialog; then
  # Top-level windows, topmost first: the dialog must come before the full-screen window.
  stacking=$(xwininfo -root -children | awk '/^ +0x/ { print NR, $1, $NF, $(NF-1) }')
  dialog_at=$(printf '%s\n' "$stacking" | awk -v id="$(printf '0x%x' "$dialog")" '$2 == id { print $1 }')
  saver_at=$(printf '%s\n' "$stacking" | awk '$4 == "1280x800+0+0" { print $1; exit }')
  [ -n "$dialog_at" ] && [ -n "$saver_at" ] && [ "$dialog_at" -lt "$saver_at" ] && pass ||
    fail "dialog not above the saver: $stacking"
  xdotool windowfocus --sync "$dialog" key Escape
else
  fail "no vote dialog"
fi
check_ends
check "run count" 33 "$(run_count)"

case="another window taking the focus ends it without prompts"
install_fresh 32
coproc OTHER { "$helper" 10 10 100 100; }
read -r _ <&"${OTHER[0]}"
start /s
wait_for has_frames 3 || fail "no frames"
echo focus >&"${OTHER[1]}" && read -r _ <&"${OTHER[0]}"
check_ends
check "run count" 33 "$(run_count)"
check "no boxes" "" "$(cat "$work/log" 2>/dev/null)"
eval "exec ${OTHER[1]}>&-"
wait "${OTHER_PID:-}" 2>/dev/null

case="preview draws inside its parent, ignores input, follows its size, ends with it"
install_fresh 7
coproc PARENT { "$helper" 100 100 320 200; }
read -r parent <&"${PARENT[0]}"
start /p "$parent"
wait_for has_frames 5 || fail "no frames"
b=$(brightness 320x200+100+100)
not_black "$b" && pass || fail "preview is black ($b)"
xdotool mousemove 150 150 click 1 key x mousemove 400 280
still_running_after_input || fail "ended by input"
child_size() { xwininfo -children -id "$parent" | awk '/^ +0x/ { print $(NF-1) }' | cut -d+ -f1; }
echo "resize 400 260" >&"${PARENT[1]}" && read -r _ <&"${PARENT[0]}"
child_is() { [ "$(child_size)" == "$1" ]; }
wait_for child_is 400x260 || fail "child is $(child_size) after the parent grew"
echo destroy >&"${PARENT[1]}" && read -r _ <&"${PARENT[0]}"
check_ends
check "previews are not counted" 7 "$(run_count)"
eval "exec ${PARENT[1]}>&-"
wait "${PARENT_PID:-}" 2>/dev/null

case="preview waits for a hidden parent and ends when it is hidden again"
install_fresh 7
coproc PARENT { "$helper" --hidden 100 100 320 200; }
read -r parent <&"${PARENT[0]}"
start /p "$parent"
sleep 1  # give it time to (wrongly) draw; the checks below cannot fail by being early
check "no frames while hidden" 0 "$(frames)"
check "no child while hidden" 0 "$(xwininfo -children -id "$parent" | awk '/children?[:.]/ { print $1 }')"
echo map >&"${PARENT[1]}" && read -r _ <&"${PARENT[0]}"
wait_for has_frames 3 || fail "no frames once shown"
echo unmap >&"${PARENT[1]}" && read -r _ <&"${PARENT[0]}"
check_ends
eval "exec ${PARENT[1]}>&-"
wait "${PARENT_PID:-}" 2>/dev/null

case="test preview: a titled quarter of the screen, centred, drawn in, ended by hiding it"
install_fresh 7
start /testpreview
find_test_window() { test_window=$(xdotool search --name '^Screensaver Preview Test$' 2>/dev/null | head -1); [ -n "$test_window" ]; }
wait_for find_test_window || fail "no window titled Screensaver Preview Test"
geometry=$(xwininfo -id "$test_window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} /Height/ {h=$NF} END {print w "x" h "+" x "+" y}')
check "geometry" "320x200+480+300" "$geometry"
wait_for has_frames 5 || fail "no frames"
b=$(brightness 320x200+480+300)
not_black "$b" && pass || fail "test preview is black ($b)"
xdotool windowunmap "$test_window"
check_ends

for id in 0 123456789; do
  case="preview of no window ($id) ends at once"
  install_fresh 7
  start /p "$id"
  check_ends
  check "no frames" 0 "$(frames)"
done

echo "saver e2e: $passed passed, $failures failed"
[ $failures -eq 0 ]
