# SPDX-License-Identifier: GPL-3.0-or-later
# The real window under a virtual X server: it opens titled WAVEPOST, Escape closes it
# without writing the catalogue; without init.cnf the start ends with status 1. On a small
# laptop screen with the desktop's scale at 2 the window still fits the screen.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
start_x 1366x768

work="$(seed run)"
cp -r "$work/ini" "$SCRATCH/ini-before"
open_window "$work" "$WAVEPOST"
close_window
diff -r "$SCRATCH/ini-before" "$work/ini" || fail "Escape wrote the catalogue"

QT_SCALE_FACTOR=2 open_window "$work" "$WAVEPOST"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$((X + WIDTH))" -le 1366 ] && [ "$((Y + HEIGHT))" -le 768 ] && [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] ||
    fail "at scale 2 the window is ${WIDTH}x$HEIGHT at $X,$Y on a 1366x768 screen"
close_window

nocnf="$(seed nocnf)"
rm "$nocnf/init.cnf"
cp -r "$nocnf/ini" "$SCRATCH/ini-nocnf"
launch "$nocnf" "$WAVEPOST"
box="$(wait_box none)" || fail "no message box without init.cnf"
press "$box" Return
wait_exit "$pid" || fail "the program went on without init.cnf"
[ "$exit_status" = 1 ] || fail "exit status $exit_status without init.cnf"
[ ! -e "$nocnf/init.cnf" ] || fail "init.cnf was created"
diff -r "$SCRATCH/ini-nocnf" "$nocnf/ini" || fail "the catalogue was written"
xdotool search --name WAVEPOST >/dev/null 2>&1 && fail "the main window was shown"
echo "1 passed, 0 failed"
