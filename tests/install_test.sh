#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the installed saver finds its data
# through the installed key file and starts without a single message box.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for f in bin/aerolume bin/aerolume-skygen bin/aerolume-snapshot etc/xdg/Brightfold/Aerolume.conf \
         share/aerolume/data/defaultScenario.xml share/aerolume/data/options.xml \
         share/aerolume/data/shaders/ripple.vsh share/aerolume/data/shaders/ripple.fsh; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
[ "$(cat "$prefix/etc/xdg/Brightfold/Aerolume.conf")" == "Dir=$prefix/share/aerolume" ] || fail "key file"
for sky in $(sed -n 's/.*<Scene path="\([^"]*\)".*/\1/p' "$prefix/share/aerolume/data/defaultScenario.xml"); do
  [ -f "$prefix/share/aerolume/data/$sky/scene.xml" ] || fail "sky $sky not installed"
done
leftovers=$(find "$prefix/share/aerolume/data" -name 'CMake*' -o -name Makefile -o -name '*.cmake')
[ -z "$leftovers" ] || fail "build files installed: $leftovers"

log=$prefix/messages.log
XDG_CONFIG_DIRS=$prefix/etc/xdg XDG_CONFIG_HOME=$prefix/no-user-key AEROLUME_MESSAGE_LOG=$log \
  timeout 10 "$prefix/bin/aerolume" /a || fail "aerolume /a exit status"
[ ! -s "$log" ] || fail "message boxes at start-up: $(cat "$log")"

# A reinstall keeps the options the user has chosen since.
sed -i 's/<RunCount v="0"/<RunCount v="7"/' "$prefix/share/aerolume/data/options.xml"
cmake --install "$build" --prefix "$prefix" >/dev/null
grep -q '<RunCount v="7"' "$prefix/share/aerolume/data/options.xml" || fail "reinstall reset the options"

echo "install: $([ $failures -eq 0 ] && echo passed || echo "$failures failed")"
[ $failures -eq 0 ]
