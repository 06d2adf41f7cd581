# A hand-over that fails is told and leaves no history line; one that takes long keeps the
# window painting behind a progress window whose "Annuler" stops it; two orders reach the
# mail program in their order, every time. Through the real opener (xdg-open) to a mail
# handler of the test's own, and to stand-ins for Pat.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

mkdir -p "$(dirname "$settings")"
register_mail_recorder "$XDG_DATA_HOME/applications"
# The recorder, made to wait and to fail as the files say; the bulletin order is the slower
# one, so that two openers racing would deliver it second.
cat > "$SCRATCH/record-mail" <<SCRIPT
#!/bin/sh
case "\$1" in *subject=Bulletin*) sleep 0.3 ;; esac
sleep "\$(cat "$SCRATCH/mail-sleep" 2>/dev/null || echo 0)"
printf '%s\n' "\$1" >> "$received"
exit "\$(cat "$SCRATCH/mail-status" 2>/dev/null || echo 0)"
SCRIPT

work="$(seed delivery)"
sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;METAREA1;\1;1/' "$work/ini/bulletins.txt"
history_lines() { [ -f "$state/history.txt" ] && wc -l < "$state/history.txt" || echo 0; }
clipboard() { xclip -selection clipboard -o 2>/dev/null; }
# The window's top left (the map list and the map), where no progress window comes, and
# how many colours it shows: a window that does not paint stays one colour.
# The message box over the window pressed away; $1 says which, should it not come or stay.
acknowledge() {
    box="$(wait_box "$window")" || fail "no message $1"
    press "$box" Return
    wait_for '[ "$(box_over "$window")" != "$box" ]' || fail "the message $1 stayed"
}
# The message of an order refused, once the order is on the clipboard: looked for earlier,
# on a loaded machine the box found could be the progress window, gone a moment later.
acknowledge_refused() {
    local marker
    marker="@mto@reqt@$( [ "$1" = Grib ] && echo grib || echo bull )@"
    # The clipboard is served by the program through the X server: asked too early, it
    # may still answer with what it held before.
    wait_for 'clipboard | grep -qx "$marker"' ||
        fail "the $1 order is not on the clipboard: $(clipboard)"
    acknowledge "for the $1 order"
}
# "Annuler" on the progress window of the $1 order, then the message it leaves.
cancel_handover() {
    progress="$(wait_box "$window")" || fail "no progress window for the $1 order"
    press "$progress" Return  # "Annuler"
    wait_for '[ "$(box_over "$window")" != "$progress" ]' || fail "Annuler did not stop $1"
    acknowledge "after Annuler ($1)"
}
corner() { import -window root -crop 300x150+"$1"+"$2" "$3"; }
colours() { convert "$1" -format %k info:; }

# --- two orders, in their order, twenty times over ----------------------------------------
open_window "$work" "$WAVEPOST"
for n in $(seq 20); do
    press "$window" Return
    wait_for "received_lines $((2 * n))" || fail "run $n: $(wc -l < "$received") orders arrived"
done
[ "$(sed -n 'p;n' "$received" | grep -c 'subject=Bulletin')" = 20 ] &&
    [ "$(sed -n 'n;p' "$received" | grep -c 'subject=Grib')" = 20 ] ||
    fail "orders swapped: $(grep -o 'subject=[A-Za-z]*' "$received" | tr '\n' ' ')"
[ "$(history_lines)" = 40 ] || fail "history lines: $(history_lines)"
[ "$(cut -f2 "$state/history.txt" | sort -u)" = mail ] || fail "history ways"

# --- a mail program that refuses the order ------------------------------------------------
echo 1 > "$SCRATCH/mail-status"
: > "$received"
press "$window" Return
for order in Bulletin Grib; do acknowledge_refused "$order"; done
[ "$(history_lines)" = 40 ] || fail "a refused order went into the history"
[ ! -e "$state/handover-pending.txt" ] || fail "the note of the hand-over stayed"
rm "$SCRATCH/mail-status"

# --- a mail program that takes 5 s: the window paints, "Annuler" stops it ------------------
eval "$(xdotool getwindowgeometry --shell "$window")"
echo 5 > "$SCRATCH/mail-sleep"
: > "$received"
press "$window" Return
progress="$(wait_box "$window")" || fail "no progress window"
sleep 0.3
import -window root "$SCRATCH/progress.png"
# Hidden and shown again, the window must paint itself anew while the opener runs.
xdotool windowunmap --sync "$window"
import -window root -crop 300x150+"$X"+"$Y" "$SCRATCH/hidden.png"
xdotool windowmap --sync "$window"
sleep 0.5
corner "$X" "$Y" "$SCRATCH/during.png"
[ "$(colours "$SCRATCH/hidden.png")" -le 2 ] || fail "the window was not hidden"
[ "$(colours "$SCRATCH/during.png")" -gt 20 ] || fail "the window did not repaint"
for order in Bulletin Grib; do cancel_handover "$order"; done
# Annuler was no pause: the orders never arrive.
sleep 6
[ ! -s "$received" ] || fail "the cancelled mail program went on: $(cat "$received")"
[ "$(history_lines)" = 40 ] || fail "a cancelled order went into the history"
rm "$SCRATCH/mail-sleep"
close_window

# --- Pat failing and hanging ---------------------------------------------------------------
mkdir -p "$SCRATCH/bin"
cat > "$SCRATCH/bin/pat" <<SCRIPT
#!/bin/sh
[ "\$1" = version ] && { echo 'Pat v0.18.0 (0000000) linux/amd64 - go1.21'; exit 0; }
cat > /dev/null
[ -e "$SCRATCH/pat-hangs" ] && sleep 600
echo "no mycall configured" >&2
exit 1
SCRIPT
chmod +x "$SCRATCH/bin/pat"
export PATH="$SCRATCH/bin:$PATH"
printf 'handover=pat\n' > "$settings"
lines="$(history_lines)"
open_window "$work" "$WAVEPOST"
xclip -selection clipboard -i /dev/null >/dev/null 2>&1  # the orders refused above prove nothing here
press "$window" Return
for order in Bulletin Grib; do acknowledge_refused "$order"; done
touch "$SCRATCH/pat-hangs"
press "$window" Return
for order in Bulletin Grib; do cancel_handover "$order"; done
pgrep -f "$SCRATCH/bin/pat" >/dev/null && fail "Pat still runs"
[ "$(history_lines)" = "$lines" ] || fail "a failed hand-over to Pat went into the history"
close_window
echo "1 passed, 0 failed"
