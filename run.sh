#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
orv_install_packages
orv_build build-release Release
if [ -x build-release/app/orvanta ]; then
  exec build-release/app/orvanta "$@"
else
  echo "Orvanta is built; the application itself is not part of the build yet."
fi
