#!/usr/bin/env bash
# Installs what is missing, builds what the tests run, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
orv_install_packages
orv_build
# A unity batch must not change what its files mean: no two of its files share a file-local name.
python3 scripts/check-unity-names.py build
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --timeout 1200 -j "$(nproc 2>/dev/null || echo 2)"
