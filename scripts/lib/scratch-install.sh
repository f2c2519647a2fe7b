# Sourced by scripts that run the saver from a build tree: builds what is missing and makes a
# scratch installation around the build's data folder, found through a temporary key file, so that
# an installed saver's key file and options are neither used nor changed.
#
# Needs: root, build; AEROLUME_DATA_DIR names another data folder to run on (default: the build's). Sets: scratch (removed on exit), aerolume; exports XDG_CONFIG_DIRS and
# XDG_CONFIG_HOME.

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j2 --target aerolume aerolume_data

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/install/data" "$scratch/keys/Brightfold" "$scratch/home"
for entry in "${AEROLUME_DATA_DIR:-$build/data}"/*; do
  case $(basename "$entry") in
    CMakeFiles | Makefile | cmake_install.cmake | options.xml) ;;
    *) ln -s "$entry" "$scratch/install/data/" ;;
  esac
done
# The saver's defaults, in a file of the scratch installation's own.
printf '<?xml version="1.0" ?>\n<OPTIONS />\n' >"$scratch/install/data/options.xml"
printf 'Dir=%s\n' "$scratch/install" >"$scratch/keys/Brightfold/Aerolume.conf"
export XDG_CONFIG_DIRS="$scratch/keys" XDG_CONFIG_HOME="$scratch/home"
aerolume=$build/host/aerolume
