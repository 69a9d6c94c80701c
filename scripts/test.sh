#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest.
# Usage: test.sh [--sanitize] [ctest options...]
# --sanitize builds ./build-sanitize with AddressSanitizer and UBSan and runs the tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [ "${1:-}" != --sanitize ]; then
    scripts/build.sh
    cd build
    exec ctest --output-on-failure --parallel "$(nproc)" "$@"
fi
shift
# -O1 keeps the instrumented build and its runs affordable; benchmarks are not needed. Debug
# information names the checkout's folder: mapped away, the compiler cache serves other checkouts.
scripts/build.sh build-sanitize -DNC_SANITIZE=ON -DNC_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -fdebug-prefix-map=$PWD=."
# ASan and LSan reports go to files, so a finding in a program a test starts is not lost in the
# test's output. UBSan ignores log_path beside ASan: it aborts, so that program visibly crashes.
reports="$PWD/build-sanitize/sanitizer-reports"
rm -rf "$reports" && mkdir -p "$reports"
# OpenCV has no frame pointers: only the slow unwinder gives leak stacks the suppressions match.
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0"
export ASAN_OPTIONS="$ASAN_OPTIONS:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:abort_on_error=1"
status=0
(cd build-sanitize && ctest --output-on-failure --parallel "$(nproc)" "$@") || status=$?
if [ -n "$(ls -A "$reports")" ]; then
    cat "$reports"/*
    status=1
fi
exit "$status"
