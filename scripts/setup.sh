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

# orv_build <build-dir> <build-type> [targets...]
orv_build() {
  local dir="$1" type="$2"; shift 2
  local jobs; jobs="$(nproc 2>/dev/null || echo 2)"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ORV_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
  fi
  cmake --build "$dir" --parallel "$jobs" "$@"
}
