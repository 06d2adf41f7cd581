# Saildocs as the weather service (the order page's choice, kept in the settings file):
# "Envoi" hands one mail to Saildocs's request address with exactly its request, by the
# mail program, as a message file (read back with Python's email package) and to Pat.
# Before that, the shipped address file's placeholders stop the catalogue's order and
# offer the address dialog; nothing leaves.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

register_mail_recorder "$XDG_DATA_HOME/applications"
mkdir -p "$(dirname "$settings")"

install_pat_recorder

# The shipped Monde choices: centre 30W 40N, 40 by 30 degrees, spacing 1, steps 0 12 24 48
# 72 96 120, wind, pressure and waves.
order='send gfs:25N,55N,50W,10W|1,1|0,12,24,48..120|WIND,PRMSL,WAVES'
url="mailto:query@saildocs.com?subject=Grib&body=$order"
unquoted() { python3 -c 'import sys, urllib.parse; print(urllib.parse.unquote(sys.argv[1]))' "$1"; }

# --- the shipped placeholders ------------------------------------------------------------
work="$SCRATCH/placeholders"
mkdir -p "$work"
cp -r "$SOURCE_DIR/data/." "$work/"
: > "$settings"
open_window "$work" "$WAVEPOST"
press "$window" Return
box="$(wait_box "$window")" || fail "no question for the placeholder address"
press "$box" Escape
sleep 1
close_window
[ ! -e "$received" ] || fail "an order left for a placeholder address"
[ ! -e "$state/history.txt" ] || fail "a history line for a placeholder address"
cmp "$SOURCE_DIR/data/init.cnf" "$work/init.cnf" || fail "the address file was changed"

# --- by mail -----------------------------------------------------------------------------
printf 'service=saildocs\n' > "$settings"
send_once "$(seed mail)" "received_lines 1"
[ "$(unquoted "$(sed -n 1p "$received")")" = "$url" ] || fail "mail: $(sed -n 1p "$received")"
# The copy holds the very bytes the mail program received.
[ "$(cat "$state/WavepostGrib.txt")" = "$(sed -n 1p "$received")" ] ||
    fail "copy: $(cat "$state/WavepostGrib.txt")"

# --- as a message file -------------------------------------------------------------------
outbox="$SCRATCH/outbox"
mkdir -p "$outbox"
printf 'service=saildocs\nhandover=file\noutbox=%s\n' "$outbox" > "$settings"
send_once "$(seed file)" '[ "$(ls "$outbox" | wc -l)" -ge 1 ]'
[ "$(ls "$outbox" | wc -l)" -eq 1 ] || fail "message files: $(ls "$outbox")"
python3 - "$outbox"/*.eml "$order" <<'PY' || fail "message file"
import email, email.policy, sys
with open(sys.argv[1], "rb") as f:
    message = email.message_from_binary_file(f, policy=email.policy.default)
assert message["To"] == "query@saildocs.com", message["To"]
assert message["Subject"] == "Grib", message["Subject"]
body = message.get_content()
assert body.rstrip("\n") == sys.argv[2], repr(body)
PY

# --- to Pat ------------------------------------------------------------------------------
printf 'service=saildocs\nhandover=pat\n' > "$settings"
send_once "$(seed pat)" '[ -e "$calls/1.done" ]'
printf '%s\0' "$SCRATCH/bin/pat" compose -s Grib query@saildocs.com | cmp -s - "$calls/1.argv" ||
    fail "argument vector: $(tr '\0' ' ' < "$calls/1.argv")"
printf '%s' "$order" | cmp -s - "$calls/1.stdin" || fail "body: $(cat "$calls/1.stdin")"

[ "$(wc -l < "$received")" -eq 1 ] || fail "more than one mail reached the mail program"
[ "$(cut -f2-4 "$state/history.txt" | tr '\t' ' ')" = "mail query@saildocs.com Grib
file query@saildocs.com Grib
pat query@saildocs.com Grib" ] || fail "history: $(cat "$state/history.txt")"
echo "1 passed, 0 failed"
