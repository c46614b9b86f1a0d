#!/usr/bin/env bash
# Configures and builds Plim in build/ (Release with debug info by default): the given targets,
# or everything.
#   PLIM_BUILD_DIR    the build folder (default build/)
#   PLIM_BUILD_TYPE   the CMake build type (default RelWithDebInfo)
#   PLIM_CMAKE_ARGS   further configure options, e.g. "-DPLIM_BUILD_BENCH=OFF"
# A build folder that exists is configured again when PLIM_BUILD_TYPE or a "-DNAME=VALUE" of
# PLIM_CMAKE_ARGS asks for something other than its CMakeCache.txt holds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="${PLIM_BUILD_DIR:-$root/build}"
type="${PLIM_BUILD_TYPE:-RelWithDebInfo}"
# shellcheck disable=SC2206
extra=(${PLIM_CMAKE_ARGS:-})
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# The value the cache holds for a variable ("NAME:TYPE=value"), or nothing.
cached() {
    sed -n "s/^$1:[A-Za-z_]*=//p" "$build/CMakeCache.txt" | head -n 1
}

# Whether the folder's cache differs from what the environment asks for.
stale() {
    [ -f "$build/CMakeCache.txt" ] || return 0
    if [ -n "${PLIM_BUILD_TYPE:-}" ] && [ "$(cached CMAKE_BUILD_TYPE)" != "$PLIM_BUILD_TYPE" ]; then
        return 0
    fi
    local arg name value
    for arg in ${extra[@]+"${extra[@]}"}; do
        case "$arg" in
        -D*=*)
            name="${arg#-D}"
            value="${name#*=}"
            name="${name%%=*}"
            name="${name%%:*}"
            [ "$(cached "$name")" != "$value" ] && return 0
            ;;
        esac
    done
    return 1
}

if [ ! -f "$build/build.ninja" ] || stale; then
    if [ -f "$build/CMakeCache.txt" ] && [ -z "${PLIM_BUILD_TYPE:-}" ]; then
        # A folder configured before keeps its build type unless one is asked for.
        type="$(cached CMAKE_BUILD_TYPE)"
        type="${type:-RelWithDebInfo}"
    fi
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" \
        ${extra[@]+"${extra[@]}"} >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" "${targets[@]}"
