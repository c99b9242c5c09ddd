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

# quorval_configure_fuzz <build folder> <seconds ctest runs each fuzz target>
# The fuzz build: clang, libFuzzer, the sanitizers, no tests of its own.
quorval_configure_fuzz() {
    CC=clang CXX=clang++ quorval_configure "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVAL_STRICT=ON \
        -DQUORVAL_SANITIZE=ON -DQUORVAL_FUZZ=ON -DQUORVAL_TESTS=OFF -DQUORVAL_FUZZ_SECONDS="$2"
}

# What the sanitizers do when the tests run; with "fuzz", when the fuzz
# targets run: they keep no stack of each allocation, which halves the time an
# execution takes. What a target finds is found all the same; for the stacks
# of its report, run the target again on the input with
# ASAN_OPTIONS=malloc_context_size=30.
quorval_sanitizer_options() {
    local stacks=":fast_unwind_on_malloc=0:malloc_context_size=30"
    [ "${1:-}" = fuzz ] && stacks=":malloc_context_size=0"
    export ASAN_OPTIONS="detect_leaks=1${stacks}"
    export LSAN_OPTIONS="suppressions=$QUORVAL_ROOT/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
}
