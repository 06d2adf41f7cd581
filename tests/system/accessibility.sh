# The accessible tree of the real window under a private session bus and its own
# accessibility bus, read through AT-SPI as a screen reader reads it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
start_x
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
bus_socket="$SCRATCH/bus"
session_bus_config "$bus_socket" >"$SCRATCH/bus.conf"
dbus-daemon --config-file="$SCRATCH/bus.conf" --nofork >/dev/null 2>&1 &
PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$bus_socket"
wait_for '[ -S "$bus_socket" ]' || fail "no session bus"
# The accessibility bus; it starts its registry itself. Both read their settings schemas
# from the system's data folders, which the tests otherwise keep out of reach.
XDG_DATA_DIRS=/usr/share /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
PIDS+=($!)
wait_for 'dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1' ||
    fail "no accessibility bus"

# Debian's python, which has the introspection bindings.
work="$(seed run)"
open_window "$work" "$WAVEPOST"
/usr/bin/python3 "$SOURCE_DIR/tests/system/accessibility.py" || fail "the accessible tree"
close_window
echo "1 passed, 0 failed"
