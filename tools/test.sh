#!/usr/bin/env bash
# Builds everything and runs every test headless: once normally, then the logic tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$src/tools/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
cmake -S "$src" -B "$src/build" >/dev/null
cmake --build "$src/build" -j"$jobs"
(cd "$src/build" && ctest --output-on-failure -j"$jobs")
cmake -S "$src" -B "$src/build-sanitize" -DWAVEPOST_SANITIZE=ON -DWAVEPOST_BUILD_QT=OFF \
      -DWAVEPOST_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$src/build-sanitize" -j"$jobs" --target core_tests
(cd "$src/build-sanitize" && ctest --output-on-failure -j"$jobs" -L core)
