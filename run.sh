#!/usr/bin/env bash
# Installs what is missing, builds in Release, creates the default database beside the program
# when there is none yet, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
orv_install_packages
orv_build build-release Release --target orvanta orvanta-newdb
build-release/app/orvanta-newdb
exec build-release/app/orvanta "$@"
