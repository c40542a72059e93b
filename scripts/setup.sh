#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are missing, then configures and
# builds the project. Sourced by run.sh and test.sh; quiet when everything is already there.
set -euo pipefail
ORV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

orv_install_packages() {
  local missing=() pkg
  while read -r pkg; do
    pkg="${pkg%%#*}"; pkg="${pkg//[[:space:]]/}"
    [ -z "$pkg" ] && continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done < "$ORV_ROOT/scripts/packages.txt"
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The one build folder and type of both commands: the tests' build holds the program too, so
# ./run.sh after ./test.sh builds nothing more. The program runs fast enough at -O2; debug
# information is kept small (see the top CMakeLists.txt).
ORV_BUILD_DIR="$ORV_ROOT/build"
ORV_BUILD_TYPE=RelWithDebInfo

# ccache rewrites paths under the checkout to relative ones, so a clone in any folder finds what
# another clone of the same sources compiled (unless the user chose a base folder).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ORV_ROOT}"

# orv_build [cmake --build options...]: configures the build folder when it is new or holds
# another build type, then builds (the default target: the program and every test).
orv_build() {
  local jobs; jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$ORV_BUILD_DIR/build.ninja" ] ||
     ! grep -qx "CMAKE_BUILD_TYPE:STRING=$ORV_BUILD_TYPE" "$ORV_BUILD_DIR/CMakeCache.txt"; then
    cmake -S "$ORV_ROOT" -B "$ORV_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$ORV_BUILD_TYPE" >/dev/null
  fi
  cmake --build "$ORV_BUILD_DIR" --parallel "$jobs" "$@"
}
