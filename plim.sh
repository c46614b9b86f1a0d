#!/usr/bin/env bash
# Builds Plim (installing what the machine lacks) and starts it with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/build.sh" plim >&2
exec "${PLIM_BUILD_DIR:-$root/build}/src/main/plim" "$@"
