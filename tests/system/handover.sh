# SPDX-License-Identifier: GPL-3.0-or-later
# "Envoi" with the other ways of handing orders over, as the settings file chooses them:
# to Pat (a recording stand-in first on the PATH) and as message files into an outbox
# folder. Each order handed over is added to the history in the state folder.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

# A mail program is registered, so that an order going there instead would be seen.
register_mail_recorder "$XDG_DATA_HOME/applications"
state="$XDG_STATE_HOME/wavepost"
settings="$XDG_CONFIG_HOME/wavepost/settings.txt"
mkdir -p "$(dirname "$settings")"

# The stand-in answers "pat version" as a Pat whose "compose" reads the body; it records
# each order as its argument vector (NUL-separated, itself first) and its standard input.
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

bulletin=$'@mto@reqt@bull@\nMETAREA1\n@mto@reqt@fin@'
grib=$'@mto@reqt@grib@\nA 1\nZ -30.0 40.0 40.0 30.0\nM 1.0\nD Monde\nP WIND PRMSL HTSGW\nE 0 12 24 48 72 96 120\nC zip\nS WAVEPOST1.0\n@mto@reqt@fin@'
grib_url='mailto:grib@example.org?subject=Grib&body=@mto@reqt@grib@%0AA 1%0AZ -30.0 40.0 40.0 30.0%0AM 1.0%0AD Monde%0AP WIND PRMSL HTSGW%0AE 0 12 24 48 72 96 120%0AC zip%0AS WAVEPOST1.0%0A@mto@reqt@fin@'

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
echo "1 passed, 0 failed"
