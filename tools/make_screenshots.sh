#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rewrites the README's screenshots in docs/: the zone page on the world map and on the
# Europe map, and the "Paramètres", "Options" and "Commande" pages, as a new user first
# sees them; then the zone page on a dark desktop.
#
#   tools/make_screenshots.sh
#
# It installs what is missing, builds and stages the program like tools/run.sh, and starts
# it through its launcher on a scratch HOME under a private virtual X server, so neither
# the user's display nor the user's working folder is touched.
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$src/docs"
"$src/tools/install-deps.sh"
build="$src/build-run"
cmake -S "$src" -B "$build" -DWAVEPOST_BUILD_TESTS=OFF -DWAVEPOST_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target wavepost
cmake --install "$build" --prefix "$build/stage" >/dev/null

scratch="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "make_screenshots: $*" >&2; exit 1; }
# open_window: waits (at most 30 s) for the main window and sets window.
open_window() {
    window=""
    for _ in $(seq 300); do
        window="$(xdotool search --onlyvisible --name '^WAVEPOST$' 2>/dev/null | head -n1 || true)"
        [ -n "$window" ] && return
        sleep 0.1
    done
}


export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_STATE_HOME="$scratch/home/.local/state" XDG_CONFIG_HOME="$scratch/home/.config"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "no X server"
export DISPLAY=":$(head -n1 "$scratch/display")"

# The pictures show orders as they leave: the addresses set, as the sailor would.
mkdir -p "$XDG_DATA_HOME/wavepost"
sed -e 's/commandes@a-regler\.invalid/grib@example.org/' \
    -e 's/questions@a-regler\.invalid/support@example.org/' \
    "$build/stage/share/wavepost/init.cnf" >"$XDG_DATA_HOME/wavepost/init.cnf"
"$build/stage/bin/wavepost-start" &
pids+=($!)
open_window
[ -n "$window" ] || fail "the window did not open"

# shot FILE: the window as it is once its painting has settled.
shot() {
    local previous="" current
    for _ in $(seq 20); do
        sleep 0.3
        import -window "$window" "$scratch/shot.png"
        current="$(md5sum <"$scratch/shot.png")"
        [ "$current" = "$previous" ] && break
        previous="$current"
    done
    convert "$scratch/shot.png" -strip "$1"
    echo "written: ${1#"$src/"}"
}

# The tabs' centres, left to right, found in the window's top rows right of the map list
# (which ends before a seventh of the window's width): the tab frames are the columns that
# stay dark over much of the tab height, which no letter does.
tab_centres() {
    import -window "$window" "$scratch/tabs.png"
    local width
    width="$(identify -format %w "$scratch/tabs.png")"
    convert "$scratch/tabs.png" -crop "${width}x48+0+0" +repage -colorspace Gray -depth 8 \
        gray:"$scratch/tabs.gray"
    python3 - "$scratch/tabs.gray" "$width" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
w = int(sys.argv[2]); h = len(data) // w
dark = [sum(1 for y in range(h) if data[y * w + x] < 200) for x in range(w)]
edges = [x for x in range(w) if dark[x] >= 16 and x >= w // 7]
lines = [x for i, x in enumerate(edges) if i == 0 or x - edges[i - 1] > 3]
ys = [y for y in range(h) if any(data[y * w + x] < 200 for x in lines)]
y = (min(ys) + max(ys)) // 2 if ys else h // 2
for a, b in zip(lines, lines[1:]):
    if b - a > 12:
        print((a + b) // 2, y)
PY
}

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
shot "$out/zone-world.png"
mapfile -t tabs < <(tab_centres)
[ ${#tabs[@]} -ge 3 ] || fail "found ${#tabs[@]} tabs"

# The map list has the keyboard focus at start: Down moves to Europe, Up back to the world.
xdotool key --clearmodifiers Down
shot "$out/zone-europe.png"
cmp -s "$out/zone-world.png" "$out/zone-europe.png" && fail "the map did not change"
xdotool key --clearmodifiers Up

read -r x y <<<"${tabs[1]}"
click "$x" "$y"
shot "$out/parameters-page.png"
read -r x y <<<"${tabs[2]}"
click "$x" "$y"
shot "$out/options-page.png"
cmp -s "$out/parameters-page.png" "$out/options-page.png" && fail "the page did not change"
[ ${#tabs[@]} -ge 6 ] || fail "found ${#tabs[@]} tabs"
read -r x y <<<"${tabs[5]}"
click "$x" "$y"
shot "$out/order-page.png"

xdotool key --clearmodifiers Escape
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^WAVEPOST$' >/dev/null 2>&1 || break
    sleep 0.1
done

# A dark desktop: a KDE session whose colour scheme is dark, which Qt reads from kdeglobals.
mkdir -p "$XDG_CONFIG_HOME"
cat >"$XDG_CONFIG_HOME/kdeglobals" <<'KDE'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=239,240,241
[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
KDE
XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 "$build/stage/bin/wavepost-start" 2>/dev/null &
pids+=($!)
open_window
[ -n "$window" ] || fail "the window did not open on the dark desktop"
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
shot "$out/zone-world-dark.png"
xdotool key --clearmodifiers Escape
