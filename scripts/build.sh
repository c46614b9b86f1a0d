#!/usr/bin/env bash
# Configures and builds Plim in build/ (Release with debug info by default): the given targets,
# or everything.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${PLIM_BUILD_DIR:-$root/build}"
type="${PLIM_BUILD_TYPE:-RelWithDebInfo}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
    # PLIM_CMAKE_ARGS: further configure options, e.g. "-DPLIM_BUILD_BENCH=OFF".
    # shellcheck disable=SC2086
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" \
        ${PLIM_CMAKE_ARGS:-} >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" "${targets[@]}"
