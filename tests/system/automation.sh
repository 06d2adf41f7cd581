#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The automation object on a private session bus: the real program under a virtual X
# server, started by the bus for clients that create, release or abandon the object.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
set +e  # a failed check is counted, and the script goes on
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
python=/usr/bin/python3  # Debian's, which has the GObject bindings
tmp="$SCRATCH"
# The working directory name needs the service file's quoting.
work="$(seed "work dir 'one' \\ two")"
services="$XDG_DATA_HOME/dbus-1/services"
service_file="$services/Marlock.Application.service"
bus_socket="$tmp/bus"
mkdir -p "$services"

passed=0
failed=0
check() {  # description command...
    local what="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}

# --- processes, all stopped on exit -------------------------------------------------
bus_pid=""
declare -A client_pid client_fd
started=()  # every program process seen

stop() {  # pid...: TERM, then KILL after a grace period
    local pid
    for pid in "$@"; do kill "$pid" 2>/dev/null; done
    for _ in $(seq 30); do
        local any=""
        for pid in "$@"; do alive "$pid" && any=1; done
        [ -z "$any" ] && return
        sleep 0.1
    done
    for pid in "$@"; do kill -9 "$pid" 2>/dev/null; done
}

# Processes the private bus started carry its address as their starter address.
bus_started() {
    local environ
    for environ in /proc/[0-9]*/environ; do
        tr '\0' '\n' <"$environ" 2>/dev/null | grep -qxF "DBUS_STARTER_ADDRESS=unix:path=$bus_socket" &&
            basename "$(dirname "$environ")"
    done
}

cleanup_more() {
    local name pids=()
    for name in "${!client_fd[@]}"; do exec {client_fd[$name]}>&- 2>/dev/null; done
    for name in "${!client_pid[@]}"; do pids+=("${client_pid[$name]}"); done
    pids+=("${started[@]}")
    [ -n "$bus_pid" ] && pids+=($(bus_started))
    [ ${#pids[@]} -gt 0 ] && stop "${pids[@]}"
    [ -n "$bus_pid" ] && stop "$bus_pid"
}

wait_until() {  # seconds command...: true once the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

alive() {  # a zombie has ended too
    local state
    state="$(ps -o stat= -p "$1" 2>/dev/null)" && [[ "$state" != Z* ]]
}
ended() { ! alive "$1"; }
not() { ! "$@"; }

# The first visible window of a process with exactly that title (xdotool's own matching
# ignores case, and the message boxes are titled "wavepost").
titled() {  # pid title
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$1" --name . 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$2" ] && { echo "$id"; return; }
    done
}
window_of() { titled "$1" WAVEPOST; }
has_window() { [ -n "$(window_of "$1")" ]; }
hidden() { alive "$1" && [ -z "$(window_of "$1")" ]; }
# The exit status of an ended child; 255 when it is still running.
exit_status() {
    ended "$1" || return 255
    wait "$1"
}

name_owned() {
    timeout 10 gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner Marlock.Application 2>/dev/null |
        grep -q true
}

catalogue_sum() { (cd "$work" && cat ini/* init.cnf | md5sum); }

# --- clients: each holds its own bus connection --------------------------------------
start_client() {  # name
    local name="$1"
    mkfifo "$tmp/$name.in"
    : >"$tmp/$name.out"
    "$python" "$here/automation_client.py" <"$tmp/$name.in" >"$tmp/$name.out" 2>"$tmp/$name.err" &
    client_pid[$name]=$!
    exec {client_fd[$name]}>"$tmp/$name.in"
}
more_lines() { test "$(wc -l <"$1")" -gt "$2"; }
ask() {  # name command: prints the client's answer (none after 40 s)
    local out="$tmp/$1.out" before
    before=$(wc -l <"$out")
    echo "$2" >&"${client_fd[$1]}"
    wait_until 40 more_lines "$out" "$before" || return 1
    tail -n 1 "$out"
}
# "created OWNER PATH PID": the PID goes to $created, and to the clean-up; the owner and
# path to $created_object.
created=""
created_object=""
create() {  # name
    local answer
    answer="$(ask "$1" create)"
    created=""
    case "$answer" in
        created*)
            set -- $answer
            created="$4"
            created_object="$2 $3"
            started+=("$created")
            ;;
        *) echo "create: $answer" >&2 ;;
    esac
}

# --- the virtual display and the private session bus ---------------------------------
start_x
export QT_QPA_PLATFORM=xcb
export DBUS_SESSION_BUS_ADDRESS="unix:path=$bus_socket"
session_bus_config "$bus_socket" "$services" >"$tmp/bus.conf"
# The programs the bus starts inherit this environment (display, data home).
dbus-daemon --config-file="$tmp/bus.conf" --nofork --print-address=3 3>"$tmp/bus.address" \
    2>"$tmp/bus.log" &
bus_pid=$!
wait_until 20 test -s "$tmp/bus.address" || { echo "dbus-daemon did not start"; exit 1; }

# --- a program the user starts: registers, serves nothing ----------------------------
echo "stale" >"$service_file"
(cd "$work" && exec "$WAVEPOST") &
user=$!
started+=("$user")
check "a user's program shows its window" wait_until 30 has_window "$user"
check "it rewrites the service file" grep -q '^Name=Marlock.Application$' "$service_file"
check "the service file starts this program with -Automation" \
    grep -qF "'$WAVEPOST' '-Automation'" "$service_file"
check "a user's program owns no bus name" not name_owned
press "$(window_of "$user")" Escape
check "Escape ends a user's program" wait_until 15 ended "$user"
exit_status "$user"
check "with exit status 0" test $? -eq 0

catalogue="$(catalogue_sum)"

# --- two clients, two processes ------------------------------------------------------
start_client a
create a
pa="$created"
object_a="$created_object"
check "a creation request starts a process" test -n "$pa"
check "which shows its window" wait_until 30 has_window "$pa"
check "in the working directory of the registering program" \
    test "$(readlink "/proc/$pa/cwd")" = "$work"
check "the process gave up the name after creating its object" not name_owned
again="$(ask a create-again)"
check "the same process refuses a second object" \
    test "${again#error Marlock.Application.Error.FactoryUsed}" != "$again"

start_client b
create b
pb="$created"
check "a second client gets a second process" test -n "$pb" -a "$pb" != "$pa"
check "with a window of its own" wait_until 30 has_window "$pb"
other="$(ask b "release-of $object_a")"
check "a client cannot release another client's object" \
    test "${other#error Marlock.Application.Error.NoReference}" != "$other"
sleep 0.5
check "whose process keeps running" alive "$pa"

# --- closing while attached only hides; releasing ends without saving -----------------
press "$(window_of "$pa")" Escape
check "Escape hides the window of an attached program" wait_until 10 hidden "$pa"
sleep 0.5
check "and the process keeps running" alive "$pa"
check "the client releases the object" test "$(ask a release)" = "released"
check "the release ends the process" wait_until 15 ended "$pa"
check "without writing the catalogue" test "$(catalogue_sum)" = "$catalogue"

"$python" "$here/x11_close.py" "$(window_of "$pb")"
check "the close button hides the window of an attached program" wait_until 10 hidden "$pb"
sleep 0.5
check "and the process keeps running" alive "$pb"
{
    kill -9 "${client_pid[b]}"
    wait "${client_pid[b]}"
} 2>/dev/null  # no job report
check "a client that leaves the bus without releasing ends the process" \
    wait_until 15 ended "$pb"
check "without writing the catalogue" test "$(catalogue_sum)" = "$catalogue"

# --- a release under the about box leaves the program to the user --------------------
start_client c
create c
pc="$created"
check "a third client gets a process" wait_until 30 has_window "$pc"
window="$(window_of "$pc")"
xdotool mousemove --window "$window" 4 4 click 3
sleep 0.5
xdotool key Down Return
about_box() { titled "$pc" "A propos de Wavepost"; }
about_open() { test -n "$(about_box)"; }
check "the window menu opens the about box" wait_until 10 about_open
check "the client releases the object" test "$(ask c release)" = "released"
sleep 1.5
check "a release under the about box leaves the process running" alive "$pc"
check "with its window shown" has_window "$pc"
press "$(about_box)" Return
check "the about box closes" wait_until 10 not about_open
press "$(window_of "$pc")" Escape
check "the user then closes the window normally" wait_until 15 ended "$pc"

# --- the exit status, seen from a process started here as the bus would start it -----
(cd "$work" && exec "$WAVEPOST" -Automation) &
direct=$!
started+=("$direct")
check "a program started for automation takes the name" wait_until 30 name_owned
start_client d
create d
check "and serves the creation request itself" test "$created" = "$direct"
exec {client_fd[d]}>&-  # the client reads the end of its input and leaves
check "the process ends" wait_until 15 ended "$direct"
exit_status "$direct"
check "cleanly, with exit status 0" test $? -eq 0
check "no process the bus started reported a fault" \
    not grep -qE 'AddressSanitizer|runtime error|QFATAL|terminate called' "$tmp/bus.log"

# --- no session bus ------------------------------------------------------------------
export DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-bus"
echo "stale" >"$service_file"
(cd "$work" && exec "$WAVEPOST") &
nobus=$!
started+=("$nobus")
check "without a bus a user's program still runs" wait_until 30 has_window "$nobus"
check "and still registers (a file, not the bus)" grep -qF "'-Automation'" "$service_file"
press "$(window_of "$nobus")" Escape
check "and ends on Escape" wait_until 15 ended "$nobus"
exit_status "$nobus"
check "with exit status 0" test $? -eq 0

echo "kept" >"$service_file"
(cd "$work" && exec "$WAVEPOST" -Automation) &
nobus=$!
started+=("$nobus")
message_box() { titled "$nobus" wavepost; }
message_open() { test -n "$(message_box)"; }
check "without a bus a program started for automation shows a message" \
    wait_until 30 message_open
check "and no main window" not has_window "$nobus"
press "$(message_box)" Return
check "then ends" wait_until 15 ended "$nobus"
exit_status "$nobus"
check "with exit status 1" test $? -eq 1
check "and leaves the registration alone" test "$(cat "$service_file")" = "kept"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
