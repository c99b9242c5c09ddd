#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are missing and
# configures a build folder. Sourced by scripts/run and scripts/test.
set -euo pipefail

QUORVAL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

quorval_install_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$QUORVAL_ROOT/scripts/packages.txt")
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo="sudo"
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# quorval_configure <build folder> <cmake options...>
quorval_configure() {
    local dir=$1; shift
    cmake -S "$QUORVAL_ROOT" -B "$dir" -G Ninja "$@"
}
