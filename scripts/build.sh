#!/usr/bin/env bash
# Configures and builds a tree (tests and benchmarks included).
# Usage: build.sh [folder [cmake options...]]; by default the Release tree in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift $(($# > 0 ? 1 : 0))
generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
# CI treats every compiler warning as an error.
werror=OFF
if [ -n "${CI:-}" ]; then
    werror=ON
fi
# A compiler cache, when there is one, shares objects between checkouts of the project.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" "${generator[@]}" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DNC_WERROR="$werror" "$@"
cmake --build "$dir" --parallel "$(nproc)"
