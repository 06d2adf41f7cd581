#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything and runs every test headless: the logic, the Qt front end and the real
# program once normally; then all of them again built with AddressSanitizer and
# UndefinedBehaviorSanitizer; then the fuzz targets for a short while. A run that finds
# no test fails.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$src/tools/install-deps.sh"
# The window tests and one order end to end run again on a French desktop, whose locale
# writes a decimal comma: make the locale when the machine has none.
if ! locale -a 2>/dev/null | grep -qix 'fr_FR.utf8'; then
    if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
    "${SUDO[@]}" localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
fi
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

# Every source file as clang-format writes it.
find "$src/app" "$src/base" "$src/catalogue" "$src/platform" "$src/request" "$src/zone" "$src/tests" \
     \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

# Warnings fail the build.
cmake -S "$src" -B "$src/build" -DWAVEPOST_BUILD_TESTS=ON -DWAVEPOST_BUILD_QT=ON \
      -DWAVEPOST_SANITIZE=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$src/build" -j"$jobs"
(cd "$src/build" && ctest --output-on-failure --no-tests=error -j"$jobs")

# Every report ends the process with a failure. The libraries below the front end (fonts,
# the display server's client library) keep memory to the end on purpose: their leaks
# are not reported.
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$src/tests/sanitizer-leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cmake -S "$src" -B "$src/build-sanitize" -DWAVEPOST_BUILD_TESTS=ON -DWAVEPOST_SANITIZE=ON \
      -DWAVEPOST_BUILD_QT=ON -DWAVEPOST_BUILD_BENCHMARKS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
      >/dev/null
cmake --build "$src/build-sanitize" -j"$jobs"
# The package test packs the normal build; it is not repeated here.
(cd "$src/build-sanitize" && ctest --output-on-failure --no-tests=error -j"$jobs" \
     -E '^system_package$')

cmake -S "$src" -B "$src/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DWAVEPOST_FUZZ=ON \
      -DWAVEPOST_BUILD_TESTS=OFF -DWAVEPOST_BUILD_QT=OFF -DWAVEPOST_BUILD_BENCHMARKS=OFF \
      -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$src/build-fuzz" -j"$jobs"
(cd "$src/build-fuzz" && ctest --output-on-failure --no-tests=error -j"$jobs" -L fuzz)
