#!/usr/bin/env bash
# Builds Plim with its tests (installing what the machine lacks) and runs the whole suite.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "${PLIM_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)" "$@"
