# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the system tests: a private X server, a scratch working directory, waits
# bounded in time, and cleanup of every process started.
set -euo pipefail
WAVEPOST="$(realpath "$1")"
SOURCE_DIR="$(realpath "$2")"
SCRATCH="$(mktemp -d)"
PIDS=()
# A script may stop processes of its own first by defining cleanup_more.
cleanup_more() { :; }
cleanup() {
    cleanup_more
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$SCRATCH"
}
trap cleanup EXIT
# KEEP_SHOTS=folder keeps the screenshots a run took there, to look at.
[ -n "${KEEP_SHOTS:-}" ] && cleanup_more() { cp "$SCRATCH"/*.png "$KEEP_SHOTS"/ 2>/dev/null || true; }
export HOME="$SCRATCH/home" XDG_DATA_HOME="$SCRATCH/home/.local/share"
export XDG_STATE_HOME="$SCRATCH/home/.local/state" XDG_CONFIG_HOME="$SCRATCH/home/.config"
export XDG_RUNTIME_DIR="$SCRATCH/runtime"
# The system-wide folders too: a mail program installed on the machine (its .desktop file
# under /usr/share/applications, a mimeapps.list under /etc/xdg) must change nothing.
export XDG_DATA_DIRS="$SCRATCH/share" XDG_CONFIG_DIRS="$SCRATCH/etc-xdg"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_DIRS" "$XDG_CONFIG_DIRS"
chmod 700 "$XDG_RUNTIME_DIR"
# The program's state folder (history, copies) and settings file under that HOME.
state="$XDG_STATE_HOME/wavepost"
settings="$XDG_CONFIG_HOME/wavepost/settings.txt"
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }

# The configuration of a private session bus listening on the socket $1, starting the
# services of the folder $2 when one is given.
session_bus_config() {
    cat <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$1</listen>
${2:+  <servicedir>$2</servicedir>
}  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
}

# start_x [WIDTHxHEIGHT]
start_x() {
    exec 3>"$SCRATCH/display"
    # -noreset: a server resetting after its last client refuses the next one for a moment.
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    PIDS+=($!)
    for _ in $(seq 100); do
        [ -s "$SCRATCH/display" ] && break
        sleep 0.1
    done
    [ -s "$SCRATCH/display" ] || fail "no X server"
    export DISPLAY=":$(head -n1 "$SCRATCH/display")"
}

# A working directory seeded with the shipped catalogue, its tables with LF line ends: the
# program writes CRLF, so any save shows as changed bytes. The address file's placeholders
# (under .invalid, which stop every order) become the addresses the tests order to.
seed() {
    local dir="$SCRATCH/$1"
    mkdir -p "$dir"
    cp -r "$SOURCE_DIR/data/." "$dir/"
    sed -i 's/\r$//' "$dir"/ini/*.txt
    sed -i 's/^meteo=commandes@a-regler\.invalid/meteo=grib@example.org/;
            s/^question=questions@a-regler\.invalid/question=support@example.org/' "$dir/init.cnf"
    echo "$dir"
}

# The tests that run under a desktop locale need it installed (tools/test.sh makes it).
check_locale() {
    [ -z "${LC_ALL:-}" ] && return 0
    locale -a | grep -qix "${LC_ALL/UTF-8/utf8}" || fail "locale $LC_ALL is not installed"
}

# Runs the command until it prints something (at most 60 s); prints that.
poll() {
    local out
    for _ in $(seq 600); do
        out="$("$@" 2>/dev/null || true)"
        [ -n "$out" ] && { echo "$out"; return 0; }
        sleep 0.1
    done
    return 1
}

# The id of a visible window with the name.
window_named() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }
wait_window() { poll window_named "$1"; }

# Waits for a process of this shell to end and sets exit_status to its exit status. Not
# in a command substitution: a subshell cannot wait for its parent's children.
exit_status=""
wait_exit() {
    local pid="$1"
    for _ in $(seq 600); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" && exit_status=0 || exit_status=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

press() {
    local window="$1"; shift
    [ -n "$window" ] || return 1
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key --clearmodifiers "$@"
}

# Waits until the shell command holds (at most 30 s).
wait_for() {
    for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done
    return 1
}

# Runs the command in the folder, in the background; sets pid.
launch() {
    local dir="$1"; shift
    (cd "$dir" && exec "$@") &
    pid=$!
    PIDS+=($pid)
}

# Launches the command and waits for its main window; sets pid and window.
open_window() {
    launch "$@"
    window="$(wait_window WAVEPOST)" || fail "the window did not open"
}

# Escape on the main window ends the program with status 0.
close_window() {
    press "$window" Escape
    wait_exit "$pid" || fail "the window did not close"
    [ "$exit_status" = 0 ] || fail "exit status $exit_status"  # a sanitizer report, say
}

# A message box over the main window (its title is the program's name; window names are
# matched without regard to case, so the main window is left out by id).
box_over() { xdotool search --onlyvisible --name '^wavepost$' | grep -vx "$1" | head -n1; }
wait_box() { poll box_over "$1"; }

# A recording mail program registered for mailto: URLs in the given applications folder:
# each URL it is handed becomes one line of $SCRATCH/received.
register_mail_recorder() {
    local applications="$1"
    received="$SCRATCH/received"
    mkdir -p "$applications" "$XDG_CONFIG_HOME"
    cat > "$SCRATCH/record-mail" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >> "$received"
SCRIPT
    chmod +x "$SCRATCH/record-mail"
    cat > "$applications/test-mail.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Test mail
Exec=$SCRATCH/record-mail %u
MimeType=x-scheme-handler/mailto;
NoDisplay=true
DESKTOP
    xdg-mime default test-mail.desktop x-scheme-handler/mailto
    [ "$(xdg-mime query default x-scheme-handler/mailto)" = test-mail.desktop ] ||
        fail "no mail handler registered"
}
received_lines() { [ -f "$received" ] && [ "$(wc -l < "$received")" -ge "$1" ]; }

# Starts the program in the folder, presses "Envoi", accepts the given number of message
# boxes, waits until the condition (a shell command) holds, and closes the window.
send_once() {
    local work="$1" condition="$2" boxes="${3:-0}" box
    open_window "$work" "$WAVEPOST"
    press "$window" Return
    for _ in $(seq "$boxes"); do
        box="$(wait_box "$window")" || fail "no message box"
        press "$box" Return
        sleep 0.5
    done
    wait_for "$condition" || fail "not met: $condition"
    close_window
}

# A stand-in for Pat first on the PATH: it answers "pat version" as a Pat whose "compose"
# reads the body, and records each other call in $calls as its argument vector
# (NUL-separated, itself first), its standard input and a ".done" mark.
install_pat_recorder() {
    calls="$SCRATCH/pat-calls"
    mkdir -p "$SCRATCH/bin" "$calls"
    cat > "$SCRATCH/bin/pat" <<SCRIPT
#!/bin/sh
[ "\$1" = version ] && { echo 'Pat v0.18.0 (0000000) linux/amd64 - go1.21'; exit 0; }
i=1
while [ -e "$calls/\$i.argv" ]; do i=\$((i + 1)); done
printf '%s\0' "\$0" "\$@" > "$calls/\$i.argv"
cat > "$calls/\$i.stdin"
touch "$calls/\$i.done"
SCRIPT
    chmod +x "$SCRATCH/bin/pat"
    export PATH="$SCRATCH/bin:$PATH"
}
