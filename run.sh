#!/usr/bin/env bash
# Installs what is missing, builds the program in the build folder and type the tests use (so after
# ./test.sh nothing is built again), creates the default database beside the program when there is
# none yet, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
orv_install_packages
orv_build --target orvanta orvanta-newdb
build/app/orvanta-newdb
exec build/app/orvanta "$@"
