#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Plim.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    libsqlite3-dev sqlite3
    libx11-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    binutils
    fonts-dejavu-core
    # The fuzz targets: clang, its libFuzzer and sanitizer runtimes, and its OpenMP.
    clang libclang-rt-dev libomp-dev
)

missing=()
for p in "${packages[@]}"; do
    # Compared whole rather than piped to grep, which under pipefail could fail a package that
    # is installed.
    if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
