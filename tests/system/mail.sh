# SPDX-License-Identifier: GPL-3.0-or-later
# "Envoi" under a virtual X server hands the orders to the mail program registered for
# mailto: URLs (a recording handler in a private XDG data directory), through xdg-open.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

# The recording mail program.
register_mail_recorder "$XDG_DATA_HOME/applications"
copies="$XDG_STATE_HOME/wavepost"

# The URLs handed over are plain ASCII, blanks as %20: the orders are written below with
# their blanks. Line N of what the handler received, so, and the URL of an order as sent.
decoded() { sed -n "${1}p" "$received" | sed 's/%20/ /g'; }
encoded() { printf '%s' "$1" | sed 's/ /%20/g'; }
# The handler receives exactly the bytes the copy holds.
same_as_copy() {
    [ "$(sed -n "${1}p" "$received")" = "$(cat "$copies/$2")" ] || fail "line $1 is not $2"
    [ "$(tail -c 1 "$copies/$2" | od -An -tx1 | tr -d ' ')" != 0a ] || fail "$2 has a line end added"
}

# First send: a bulletin is ticked, so the bulletin order comes first, then the order.
work="$(seed first)"
sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;METAREA1;\1;1/' "$work/ini/bulletins.txt"
send_once "$work" "received_lines 2"
bulletin='mailto:grib@example.org?body=@mto@reqt@bull@%0AMETAREA1%0A@mto@reqt@fin@&subject=Bulletin'
grib='mailto:grib@example.org?subject=Grib&body=@mto@reqt@grib@%0AA 1%0AZ -30.0 40.0 40.0 30.0%0AM 1.0%0AD Monde%0AP WIND PRMSL HTSGW%0AE 0 12 24 48 72 96 120%0AC zip%0AS WAVEPOST1.0%0A@mto@reqt@fin@'
[ "$(decoded 1)" = "$bulletin" ] || fail "bulletin order: $(decoded 1)"
[ "$(decoded 2)" = "$grib" ] || fail "order: $(decoded 2)"
same_as_copy 1 WavepostBulletin.txt
same_as_copy 2 WavepostGrib.txt
# The order saved the choices: the tables are written anew, with their numbers as they were.
grep -q $'^X1;-30.0;-30.0;Monde\r$' "$work/ini/options.txt" || fail "choices not saved"
grep -q $'^DOLLARS;0.92;0.92;Monde\r$' "$work/ini/options.txt" || fail "dollar rate saved wrong"

# Planted codes reach the service as the texts they are (so one recipient, the fields the
# program put in, the whole order up to its end marker); an old installation's byte as the
# character it stands for. '=' and '<' included: a mail program cuts a field at a raw '='.
work="$(seed planted)"
sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;X\&bcc=someone@elsewhere\&x=<y@evil.example>;\1;1/' "$work/ini/bulletins.txt"
sed -i 's/^Monde;HTSGW;/Monde;HT#SG%0AA X;/; s/^Monde;WIND;/Monde;WIND=1;/' "$work/ini/parametres.txt"
printf 'Logiciel\r\nWAVEPOST1.0\351\r\n' > "$work/ini/soft.txt"
send_once "$work" "received_lines 4"
planted_bulletin='mailto:grib@example.org?body=@mto@reqt@bull@%0AX%26bcc%3Dsomeone@elsewhere%26x%3D%3Cy@evil.example%3E%0A@mto@reqt@fin@&subject=Bulletin'
planted_grib="${grib/HTSGW/HT%23SG%250AA X}"
planted_grib="${planted_grib/WIND/WIND%3D1}"
planted_grib="${planted_grib/WAVEPOST1.0/WAVEPOST1.0%C3%A9}"
[ "$(decoded 3)" = "$planted_bulletin" ] || fail "planted bulletin order: $(decoded 3)"
[ "$(decoded 4)" = "$planted_grib" ] || fail "planted order: $(decoded 4)"
same_as_copy 3 WavepostBulletin.txt
same_as_copy 4 WavepostGrib.txt
# Read by a mailto: parser of its own, each URL has one recipient, the program's two fields,
# and the codes as the catalogue holds them.
python3 - "$received" <<'PY' || fail "the orders do not read back"
import sys, urllib.parse
lines = open(sys.argv[1], encoding="ascii").read().splitlines()[2:4]
expected = [
    {"subject": ["Bulletin"],
     "body": ["@mto@reqt@bull@\nX&bcc=someone@elsewhere&x=<y@evil.example>\n@mto@reqt@fin@"]},
    {"subject": ["Grib"]},
]
for line, fields in zip(lines, expected):
    url = urllib.parse.urlsplit(line)
    assert url.scheme == "mailto" and urllib.parse.unquote(url.path) == "grib@example.org", line
    query = urllib.parse.parse_qs(url.query, keep_blank_values=True, strict_parsing=True)
    assert sorted(query) == ["body", "subject"] and all(len(v) == 1 for v in query.values()), query
    for name, value in fields.items():
        assert query[name] == value, (query[name], value)
grib = urllib.parse.parse_qs(urllib.parse.urlsplit(lines[1]).query)["body"][0].split("\n")
assert "P WIND=1 PRMSL HT#SG%0AA X" in grib and "S WAVEPOST1.0é" in grib, grib
PY

# An address holding a second one, or a route, is refused with a message: nothing reaches
# the mail program, and the copies stay as they were.
for address in 'grib@example.org<x@evil.example>' 'evil:x@evil.example'; do
    work="$(seed refused)"
    printf 'meteo=%s\r\nquestion=support@example.org\r\n' "$address" > "$work/init.cnf"
    send_once "$work" true 1
    [ "$(wc -l < "$received")" -eq 4 ] || fail "$address reached the mail program"
    same_as_copy 4 WavepostGrib.txt
    rm -rf "$work"
done

# Without a mail program the user is told, and the copy is still written.
rm -f "$XDG_CONFIG_HOME/mimeapps.list" "$XDG_DATA_HOME/applications/"*
[ -z "$(xdg-mime query default x-scheme-handler/mailto)" ] || fail "handler still registered"
rm -f "$copies/WavepostGrib.txt"
send_once "$(seed third)" '[ -f "$copies/WavepostGrib.txt" ]' 1
[ "$(cat "$copies/WavepostGrib.txt")" = "$(encoded "$grib")" ] || fail "no copy without a mail program"
[ "$(wc -l < "$received")" -eq 4 ] || fail "something reached the old handler"
echo "1 passed, 0 failed"
