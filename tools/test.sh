#!/usr/bin/env bash
# Builds everything and runs every test headless: once normally, then the logic tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer. A run that finds no test
# fails.
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
cmake -S "$src" -B "$src/build" -DWAVEPOST_BUILD_TESTS=ON -DWAVEPOST_BUILD_QT=ON \
      -DWAVEPOST_SANITIZE=OFF >/dev/null
cmake --build "$src/build" -j"$jobs"
(cd "$src/build" && ctest --output-on-failure --no-tests=error -j"$jobs")
cmake -S "$src" -B "$src/build-sanitize" -DWAVEPOST_BUILD_TESTS=ON -DWAVEPOST_SANITIZE=ON \
      -DWAVEPOST_BUILD_QT=OFF -DWAVEPOST_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$src/build-sanitize" -j"$jobs" --target core_tests
(cd "$src/build-sanitize" && ctest --output-on-failure --no-tests=error -j"$jobs" -L core)
