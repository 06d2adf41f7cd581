#!/usr/bin/env bash
# Builds the program and starts it in the per-user working directory, which is seeded
# from data/ on first run (the program rewrites its catalogue, so never the source tree).
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$src/tools/install-deps.sh"
cmake -S "$src" -B "$src/build" -DWAVEPOST_BUILD_TESTS=OFF >/dev/null
cmake --build "$src/build" -j"$(nproc)" --target wavepost
work="${XDG_DATA_HOME:-$HOME/.local/share}/wavepost"
if [ ! -e "$work/init.cnf" ]; then
    mkdir -p "$work"
    cp -rn "$src/data/." "$work/"
    echo "Working directory seeded: $work"
fi
cd "$work"
exec "$src/build/wavepost" "$@"
