#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test; any report fails it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="${FENWYX_ASAN_BUILD_DIR:-$root/build-asan}"
generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DFENWYX_SANITIZE=ON \
        -DFENWYX_SAMPLE_LIBRARY=OFF
fi
cmake --build "$build" -j"$(nproc)"
cd "$build"
# Leaks inside the system's font and GL libraries are not ours; the project's own are suppressed nowhere.
# Full stacks for every allocation, so that the suppressions see the system library that made it.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
