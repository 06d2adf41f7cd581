# SPDX-License-Identifier: GPL-3.0-or-later
# "Envoi" under a virtual X server hands the orders to the mail program registered for
# mailto: URLs (a recording handler in a private XDG data directory), through xdg-open.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
check_locale
start_x

# The recording mail program.
register_mail_recorder "$XDG_DATA_HOME/applications"
copies="$XDG_STATE_HOME/wavepost"

# What the handler receives is the order with the transport encoding of the blanks.
decoded() { sed -n "${1}p" "$received" | sed 's/%20/ /g'; }

# First send: a bulletin is ticked, so the bulletin order comes first, then the order.
work="$(seed first)"
sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;METAREA1;\1;1/' "$work/ini/bulletins.txt"
send_once "$work" "received_lines 2"
bulletin='mailto:grib@example.org?body=@mto@reqt@bull@%0AMETAREA1%0A@mto@reqt@fin@&subject=Bulletin'
grib='mailto:grib@example.org?subject=Grib&body=@mto@reqt@grib@%0AA 1%0AZ -30.0 40.0 40.0 30.0%0AM 1.0%0AD Monde%0AP WIND PRMSL HTSGW%0AE 0 12 24 48 72 96 120%0AC zip%0AS WAVEPOST1.0%0A@mto@reqt@fin@'
[ "$(decoded 1)" = "$bulletin" ] || fail "bulletin order: $(decoded 1)"
[ "$(decoded 2)" = "$grib" ] || fail "order: $(decoded 2)"
[ "$(cat "$copies/WavepostBulletin.txt")" = "$bulletin" ] || fail "bulletin copy"
[ "$(cat "$copies/WavepostGrib.txt")" = "$grib" ] || fail "order copy"
[ "$(tail -c 1 "$copies/WavepostGrib.txt")" = "@" ] || fail "the copy has a line end added"
# The order saved the choices: the tables are written anew, with their numbers as they were.
grep -q $'^X1;-30.0;-30.0;Monde\r$' "$work/ini/options.txt" || fail "choices not saved"
grep -q $'^DOLLARS;0.92;0.92;Monde\r$' "$work/ini/options.txt" || fail "dollar rate saved wrong"

# Planted codes reach the service as the texts they are (so one recipient, the fields the
# program put in, the whole order up to its end marker); an old installation's byte as the
# character it stands for.
work="$(seed planted)"
sed -i 's/^Monde;METAREA1;\(.*\);0$/Monde;X\&bcc=someone@elsewhere\&x=;\1;1/' "$work/ini/bulletins.txt"
sed -i 's/^Monde;HTSGW;/Monde;HT#SG%0AA X;/' "$work/ini/parametres.txt"
printf 'Logiciel\r\nWAVEPOST1.0\351\r\n' > "$work/ini/soft.txt"
send_once "$work" "received_lines 4"
planted_bulletin='mailto:grib@example.org?body=@mto@reqt@bull@%0AX%26bcc=someone@elsewhere%26x=%0A@mto@reqt@fin@&subject=Bulletin'
planted_grib="${grib/HTSGW/HT%23SG%250AA X}"
planted_grib="${planted_grib/WAVEPOST1.0/WAVEPOST1.0é}"
[ "$(decoded 3)" = "$planted_bulletin" ] || fail "planted bulletin order: $(decoded 3)"
[ "$(decoded 4)" = "$planted_grib" ] || fail "planted order: $(decoded 4)"
# The copies hold the URLs exactly as they were handed over.
[ "$(cat "$copies/WavepostBulletin.txt")" = "$planted_bulletin" ] || fail "planted bulletin copy"
[ "$(cat "$copies/WavepostGrib.txt")" = "$planted_grib" ] || fail "planted order copy"

# Without a mail program the user is told, and the copy is still written.
rm -f "$XDG_CONFIG_HOME/mimeapps.list" "$XDG_DATA_HOME/applications/"*
[ -z "$(xdg-mime query default x-scheme-handler/mailto)" ] || fail "handler still registered"
rm -f "$copies/WavepostGrib.txt"
send_once "$(seed third)" '[ -f "$copies/WavepostGrib.txt" ]' 1
[ "$(cat "$copies/WavepostGrib.txt")" = "$grib" ] || fail "no copy without a mail program"
[ "$(wc -l < "$received")" -eq 4 ] || fail "something reached the old handler"
echo "1 passed, 0 failed"
