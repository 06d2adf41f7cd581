# SPDX-License-Identifier: GPL-3.0-or-later
# The boat's position from a real gpsd: gpsfake starts one on a scratch port and replays
# NMEA sentences written here (47°15'N 5°30'W, course 135°, 12 knots). "Position du
# bateau" (Alt+T) in the real window centres the zone there and sets heading and speed: the
# order's Z and V lines and the saved options say so, and the map shows the boat's mark. A
# fix an hour old, or no daemon, leaves everything as it was, with a message.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
command -v gpsfake >/dev/null || fail "gpsfake is missing (Debian package gpsd-clients)"
start_x

gpsfake_pid=""
stop_gpsfake() {
    # gpsfake runs gpsd as its child: both in a process group of their own.
    [ -n "$gpsfake_pid" ] && kill -- "-$gpsfake_pid" 2>/dev/null || true
    [ -n "$gpsfake_pid" ] && wait "$gpsfake_pid" 2>/dev/null || true
    gpsfake_pid=""
}
cleanup_more() {
    stop_gpsfake
    [ -z "${KEEP_SHOTS:-}" ] || cp "$SCRATCH"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true
}
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# nmea_log AGE_SECONDS > file: one RMC and one GGA sentence a second for two minutes, the
# first AGE_SECONDS before now, each with its checksum.
nmea_log() {
    python3 - "$1" <<'PY'
import datetime, sys
def sentence(body):
    check = 0
    for c in body:
        check ^= ord(c)
    return "$%s*%02X\r\n" % (body, check)
start = datetime.datetime.now(datetime.timezone.utc) - datetime.timedelta(seconds=float(sys.argv[1]))
# 47 15.0 N, 005 30.0 W; 12.0 knots over ground, course 135.0.
for i in range(120):
    t = start + datetime.timedelta(seconds=i)
    hms, dmy = t.strftime("%H%M%S.00"), t.strftime("%d%m%y")
    sys.stdout.write(sentence("GPRMC,%s,A,4715.000,N,00530.000,W,12.0,135.0,%s,,,A" % (hms, dmy)))
    sys.stdout.write(sentence("GPGGA,%s,4715.000,N,00530.000,W,1,08,0.9,10.0,M,47.0,M,," % hms))
PY
}

# start_gpsfake AGE PORT: gpsd on the port, fed the log at its own pace (a second per fix).
start_gpsfake() {
    nmea_log "$1" > "$SCRATCH/nmea.log"
    setsid gpsfake -q -n -c 0.5 -P "$2" "$SCRATCH/nmea.log" >"$SCRATCH/gpsfake.out" 2>&1 &
    gpsfake_pid=$!
    wait_for "python3 -c 'import socket; socket.create_connection((\"127.0.0.1\", $2), 1)' 2>/dev/null" ||
        fail "gpsd did not start: $(cat "$SCRATCH/gpsfake.out")"
}

settings_port() {
    mkdir -p "$(dirname "$settings")"
    printf 'gpsd-host=localhost\ngpsd-port=%s\n' "$1" > "$settings"
}
option() { grep "^$1;" "$2/ini/options.txt" | grep ';Monde' | cut -d';' -f2; }
zone_options() { for key in X1 Y1 X2 Y2 CAP VITESSE; do printf '%s=%s ' "$key" "$(option "$key" "$1")"; done; }
# Pixels of the boat's mark (magenta) in a screenshot of the window.
mark_pixels() {
    import -window "$window" "$SCRATCH/$1.png"
    convert "$SCRATCH/$1.png" -fuzz 6% -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
        -format '%[fx:round(mean*w*h)]' info:
}
# box_of COLOUR SHOT: "width height x y" of the box round the colour's pixels in the shot.
box_of() {
    convert "$SCRATCH/$2.png" -fuzz 6% -fill black +opaque "$1" -fill white -opaque "$1" \
        -fuzz 0 -format '%@' info: | tr 'x+' '  '
}
clipboard() { xclip -selection clipboard -o 2>/dev/null; }

# --- a fresh fix ---------------------------------------------------------------------------
port="$(free_port)"
start_gpsfake 0 "$port"
settings_port "$port"
work="$(seed fresh)"
open_window "$work" "$WAVEPOST"
# Until gpsd has its first fix, the action says so in a message and changes nothing.
for attempt in $(seq 20); do
    press "$window" alt+t
    sleep 1
    box="$(box_over "$window" || true)"
    [ -z "$box" ] && break
    press "$box" Return
    sleep 1
done
[ -z "$box" ] || fail "no usable fix from gpsd"
[ "$(mark_pixels fresh)" -ge 20 ] || fail "no boat mark on the map"
# The mark is where the boat is: at the centre of the zone (red) now centred on it.
read -r mark_w mark_h mark_x mark_y <<<"$(box_of '#ff00ff' fresh)"
read -r zone_w zone_h zone_x zone_y <<<"$(box_of '#ff0000' fresh)"
dx=$(((2 * mark_x + mark_w) - (2 * zone_x + zone_w)))
dy=$(((2 * mark_y + mark_h) - (2 * zone_y + zone_h)))
[ "$mark_w" -le 9 ] && [ "$dx" -ge -4 ] && [ "$dx" -le 4 ] && [ "$dy" -ge -4 ] && [ "$dy" -le 4 ] ||
    fail "mark ${mark_w}x$mark_h at $mark_x,$mark_y, zone ${zone_w}x$zone_h at $zone_x,$zone_y"
press "$window" alt+m
press "$window" alt+c
wait_for 'clipboard | grep -q "^Z "' || fail "nothing copied"
order="$(clipboard)"
grep -qx 'Z -5.5 47.2 40.0 30.0' <<<"$order" || fail "zone line: $(grep '^Z' <<<"$order")"
grep -qx 'V 135 12.0' <<<"$order" || fail "movement line: $(grep '^V' <<<"$order")"
press "$window" alt+q
wait_exit "$pid" || fail "the window did not close"
[ "$exit_status" = 0 ] || fail "exit status $exit_status"  # a sanitizer report, say
[ "$(zone_options "$work")" = "X1=-5.5 Y1=47.2 X2=40.0 Y2=30.0 CAP=135 VITESSE=12 " ] ||
    fail "saved: $(zone_options "$work")"
stop_gpsfake

# --- a fix an hour old, then no daemon: nothing changes ------------------------------------
for case in stale none; do
    port="$(free_port)"
    [ "$case" = stale ] && start_gpsfake 3600 "$port"
    settings_port "$port"
    work="$(seed "$case")"
    before="$(zone_options "$work")"
    open_window "$work" "$WAVEPOST"
    sleep 3
    press "$window" alt+t
    box="$(wait_box "$window")" || fail "$case: no message"
    press "$box" Return
    [ "$(mark_pixels "$case")" = 0 ] || fail "$case: a boat mark on the map"
    press "$window" alt+q
    wait_exit "$pid" || fail "$case: the window did not close"
    [ "$exit_status" = 0 ] || fail "$case: exit status $exit_status"
    [ "$(zone_options "$work")" = "$before" ] || fail "$case: saved $(zone_options "$work")"
    stop_gpsfake
done
echo "3 passed, 0 failed"
