#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program in a build folder of its own (build-run), installs it into a staging
# folder there and starts it through the installed launcher, as the menu entry does: the
# working folder $XDG_DATA_HOME/wavepost (by default ~/.local/share/wavepost) is seeded
# from the default catalogue on first run, since the program rewrites its catalogue.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$src/tools/install-deps.sh"
build="$src/build-run"
cmake -S "$src" -B "$build" -DWAVEPOST_BUILD_TESTS=OFF -DWAVEPOST_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target wavepost
cmake --install "$build" --prefix "$build/stage" >/dev/null
exec "$build/stage/bin/wavepost-start" "$@"
