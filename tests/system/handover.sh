# SPDX-License-Identifier: GPL-3.0-or-later
# "Envoi" with the other ways of handing orders over, as the settings file chooses them:
# to Pat (a recording stand-in first on the PATH) and as message files into an outbox
# folder. Each order handed over is added to the history in the state folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

# A mail program is registered, so that an order going there instead would be seen.
register_mail_recorder "$XDG_DATA_HOME/applications"
mkdir -p "$(dirname "$settings")"

install_pat_recorder

bulletin=$'@mto@reqt@bull@\nMETAREA1\n@mto@reqt@fin@'
grib=$'@mto@reqt@grib@\nA 1\nZ -30.0 40.0 40.0 30.0\nM 1.0\nD Monde\nP WIND PRMSL HTSGW\nE 0 12 24 48 72 96 120\nC zip\nS WAVEPOST1.0\n@mto@reqt@fin@'
grib_url='mailto:grib@example.org?subject=Grib&body=@mto@reqt@grib@%0AA%201%0AZ%20-30.0%2040.0%2040.0%2030.0%0AM%201.0%0AD%20Monde%0AP%20WIND%20PRMSL%20HTSGW%0AE%200%2012%2024%2048%2072%2096%20120%0AC%20zip%0AS%20WAVEPOST1.0%0A@mto@reqt@fin@'

# Each order on a fresh catalogue with a bulletin ticked.
runs=0
send() {
    local work
    runs=$((runs + 1))
    work="$(seed "run$runs")"
    sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;METAREA1;\1;1/' "$work/ini/bulletins.txt"
    send_once "$work" "$@"
}

# The body of history line N, unescaped, and its other fields.
history_body() { sed -n "${1}p" "$state/history.txt" | cut -f5 | sed 's/\\n/\n/g'; }
history_fields() { sed -n "${1}p" "$state/history.txt" | cut -f2-4; }

# --- Pat ---------------------------------------------------------------------------------
printf 'handover=pat\n' > "$settings"
send '[ -e "$calls/2.done" ]'
for n in 1 2; do
    subject=Bulletin body="$bulletin"
    [ "$n" = 2 ] && subject=Grib body="$grib"
    printf '%s\0' "$SCRATCH/bin/pat" compose -s "$subject" grib@example.org |
        cmp -s - "$calls/$n.argv" || fail "argument vector $n: $(tr '\0' ' ' < "$calls/$n.argv")"
    printf '%s' "$body" | cmp -s - "$calls/$n.stdin" || fail "body $n: $(cat "$calls/$n.stdin")"
    [ "$(history_fields "$n")" = "pat"$'\t'"grib@example.org"$'\t'"$subject" ] ||
        fail "history $n: $(history_fields "$n")"
    [ "$(history_body "$n")" = "$body" ] || fail "history body $n: $(history_body "$n")"
done
[ ! -e "$SCRATCH/received" ] || fail "an order reached the mail program"
[ "$(cat "$state/WavepostGrib.txt")" = "$grib_url" ] || fail "no order copy with Pat"

# --- Message files -----------------------------------------------------------------------
outbox="$SCRATCH/outbox dir"
mkdir -p "$outbox"
printf 'handover=file\noutbox=%s\nfuture=kept\n' "$outbox" > "$settings"
send '[ "$(ls "$outbox" | wc -l)" -ge 2 ]'
eml="$(grep -l '^Subject: Grib' "$outbox"/*.eml)" || fail "no Grib message file"
[ "$(sed '1,/^\r$/d' "$eml")" = "$(printf '%s\n' "$grib" | sed 's/$/\r/')" ] ||
    fail "message body: $(sed '1,/^\r$/d' "$eml")"
[ ! -e "$SCRATCH/received" ] || fail "an order reached the mail program"
[ "$(wc -l < "$state/history.txt")" -eq 4 ] || fail "history lines: $(wc -l < "$state/history.txt")"
[ "$(history_fields 4)" = "file"$'\t'"grib@example.org"$'\t'"Grib" ] || fail "history 4"
[ "$(history_body 4)" = "$grib" ] || fail "history body 4"
grep -q '^future=kept$' "$settings" || fail "the settings file was changed"
grep -q '^X-Unsent: 1'$'\r''$' "$eml" || fail "the message file is no draft to send"
[ "$(stat -c %a "$eml")" = 600 ] || fail "the message file is readable by others"

# --- No "meteo" address -------------------------------------------------------------------
# Pat, the outbox and "Enregistrer..." would take the error text for an address: each
# stops with a message instead, and nothing is added to the history.
history_lines="$(wc -l < "$state/history.txt")"
no_meteo() {
    local work
    work="$(seed "$1")"
    printf 'question=support@example.org\r\n' > "$work/init.cnf"
    echo "$work"
}
printf 'handover=pat\n' > "$settings"
pat_runs="$(ls "$calls" | wc -l)"
send_once "$(no_meteo pat-no-meteo)" true 1
[ "$(ls "$calls" | wc -l)" = "$pat_runs" ] || fail "Pat was run without an address"
printf 'handover=file\noutbox=%s\n' "$outbox" > "$settings"
emls="$(ls "$outbox" | wc -l)"
send_once "$(no_meteo file-no-meteo)" true 1
[ "$(ls "$outbox" | wc -l)" = "$emls" ] || fail "a message file was written without an address"
# "Enregistrer..." on the order page (the envelope tab): the message comes instead of the
# folder dialog. Positions are the layout's, in the test's fixed font.
open_window "$(no_meteo save-no-meteo)" "$WAVEPOST"
xdotool mousemove --window "$window" 545 20 click 1
sleep 0.5
xdotool mousemove --window "$window" 253 275 click 1
box="$(wait_box "$window")" || fail "no message from Enregistrer"
[ -z "$(window_named 'Dossier des commandes')" ] || fail "the folder dialog opened"
press "$box" Return
close_window
[ "$(wc -l < "$state/history.txt")" = "$history_lines" ] || fail "history lines were added"
[ ! -e "$SCRATCH/received" ] || fail "an order reached the mail program"
echo "1 passed, 0 failed"
