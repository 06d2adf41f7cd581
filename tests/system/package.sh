# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package made by CPack from the build folder: its file list and dependencies,
# lintian, its version, its menu entry and metainfo, then the package unpacked into a
# scratch root and started through its launcher on a scratch HOME. The first start seeds
# the working folder with the installed defaults and the window orders from them; a second
# start keeps the user's address and choices and puts back only a file that went missing;
# a third, after a newer catalogue was installed, brings its new rows in and keeps the
# user's choices.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"
BUILD_DIR="$(realpath "$3")"
[ -f "$BUILD_DIR/CPackConfig.cmake" ] || fail "no CPack configuration in $BUILD_DIR"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $BUILD_DIR/CMakeCache.txt"

# Packing builds the program alone, not the tests and benchmarks.
if [ -f "$BUILD_DIR/Makefile" ]; then
    make -C "$BUILD_DIR" -n preinstall 2>/dev/null | grep -E 'Makefile2 all$' \
        && fail "packing would build every target, the tests too"
fi

cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$SCRATCH/package" \
    >"$SCRATCH/cpack.log" 2>&1 || { cat "$SCRATCH/cpack.log" >&2; fail "cpack failed"; }
debs=("$SCRATCH/package"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages"
deb="${debs[0]}"

# --- contents -------------------------------------------------------------------------
{
    echo ./usr/bin/wavepost
    echo ./usr/bin/wavepost-start
    (cd "$SOURCE_DIR/data" && find . -type f) | sed 's|^\./|./usr/share/wavepost/|'
    echo ./usr/share/applications/org.wavepost.Wavepost.desktop
    echo ./usr/share/doc/wavepost/changelog.gz
    echo ./usr/share/doc/wavepost/copyright
    echo ./usr/share/man/man1/wavepost.1.gz
    echo ./usr/share/man/man1/wavepost-start.1.gz
    echo ./usr/share/metainfo/org.wavepost.Wavepost.metainfo.xml
    for size in 16 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/wavepost.png"
    done
} | sort >"$SCRATCH/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$SCRATCH/listed"
diff "$SCRATCH/expected" "$SCRATCH/listed" || fail "the package's file list"
dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/bin\/.*[^\/]$/ && ($1 != "-rwxr-xr-x" || $2 != "root/root")' \
    | grep . && fail "programs not executable or not root's"
dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/share\/.*[^\/]$/ && ($1 != "-rw-r--r--" || $2 != "root/root")' \
    | grep . && fail "data files not readable or not root's"

depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libqt6dbus6 libqt6network6 qt6-qpa-plugins qt6-translations-l10n xdg-utils; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
# Every dependency is satisfiable on this system (a simulation: nothing is installed).
apt-get install --simulate --no-install-recommends "$deb" >"$SCRATCH/apt.log" 2>&1 \
    || { cat "$SCRATCH/apt.log" >&2; fail "the package cannot be installed here"; }

# No error from lintian; its warnings are shown.
lintian --fail-on error "$deb" >"$SCRATCH/lintian.log" 2>&1 \
    || { cat "$SCRATCH/lintian.log" >&2; fail "lintian"; }
grep -v '^running with root privileges' "$SCRATCH/lintian.log" >&2 || true

# A root with a blank in its name: every path the launcher handles is quoted.
root="$SCRATCH/unpacked root"
dpkg-deb -x "$deb" "$root"

# --- one version everywhere, and the command line -------------------------------------
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
zcat "$root/usr/share/doc/wavepost/changelog.gz" | head -n1 | grep -q "^wavepost ($version) " \
    || fail "the changelog's first entry is not $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.wavepost.Wavepost.metainfo.xml" \
    || fail "the metainfo's release is not $version"
grep -q '<project_license>GPL-3.0-or-later</project_license>' \
    "$root/usr/share/metainfo/org.wavepost.Wavepost.metainfo.xml" || fail "no project_license"
grep -rq 'example\.org/' "$root/usr/share/metainfo" "$root/usr/share/applications" \
    && fail "a placeholder web address"
# Without a display: these never open a window.
[ "$(env -u DISPLAY "$root/usr/bin/wavepost" --version)" = "wavepost $version" ] \
    || fail "wavepost --version"
help="$(env -u DISPLAY "$root/usr/bin/wavepost" --help)" || fail "wavepost --help"
grep -q -- '--version' <<<"$help" && grep -q -- '--upgrade-catalogue' <<<"$help" \
    || fail "wavepost --help: $help"
grep -qi 'automation\|embedding' <<<"$help" && fail "--help shows the automation options"
status=0
env -u DISPLAY QT_QPA_PLATFORM=offscreen "$root/usr/bin/wavepost" --no-such-option 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "an unknown option is not refused (status $status)"
zcat "$root/usr/share/man/man1/wavepost.1.gz" | grep -q "wavepost $version" || fail "the man page's version"
entry="$root/usr/share/applications/org.wavepost.Wavepost.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.wavepost.Wavepost.metainfo.xml" \
    || fail "appstreamcli validate"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "the menu entry starts $exec_line, not in the package"
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no icon $icon"

# --- first start: a new user ------------------------------------------------------------
# A new home, and the launcher's default data folder.
export HOME="$SCRATCH/sailor"
unset XDG_DATA_HOME
mkdir -p "$HOME"
work="$HOME/.local/share/wavepost"
launcher="$root/usr/bin/wavepost-start"

register_mail_recorder "$HOME/.local/share/applications"

# order N: presses "Envoi" and prints the N-th order received.
order() {
    press "$window" Return
    wait_for "received_lines $1"
    sed -n "${1}p" "$received" | sed 's/%20/ /g'
}

start_x
open_window "$HOME" "$launcher"
diff -r "$root/usr/share/wavepost" "$work" || fail "the working folder is not the installed defaults"
[ "$(readlink "/proc/$pid/exe")" = "$root/usr/bin/wavepost" ] || fail "the launcher did not exec the program"
[ "$(readlink "/proc/$pid/cwd")" = "$work" ] || fail "the program runs in $(readlink "/proc/$pid/cwd")"
service="$work/../dbus-1/services/Marlock.Application.service"
grep -qF "'--chdir=$work' '$root/usr/bin/wavepost' '-Automation'" "$service" \
    || fail "the automation service: $(cat "$service")"
# The shipped addresses are placeholders: "Envoi" hands nothing over and offers the
# address dialog (declined here); the sailor then sets the service's address.
press "$window" Return
box="$(wait_box "$window")" || fail "no question for the placeholder address"
press "$box" Escape
sleep 1
[ ! -e "$received" ] || fail "an order left for a placeholder address"
close_window
sed -i 's/^meteo=commandes@a-regler\.invalid/meteo=grib@example.org/' "$work/init.cnf"
open_window "$HOME" "$launcher"
first="$(order 1)"
[[ "$first" == "mailto:grib@example.org?subject=Grib&body=@mto@reqt@grib@%0AA 1%0AZ -30.0 40.0 40.0 30.0%0A"* ]] \
    || fail "first order: $first"
close_window

# --- the user's changes, then a second start -------------------------------------------
sed -i 's/^meteo=grib@example.org/meteo=bord@voilier.example.net/' "$work/init.cnf"
sed -i 's/^X1;-30.0;-30.0;Monde/X1;-20.0;-20.0;Monde/' "$work/ini/options.txt"
cp "$work/init.cnf" "$SCRATCH/init.cnf.user"
rm "$work/aide.html"
open_window "$HOME" "$launcher"
second="$(order 2)"
[[ "$second" == "mailto:bord@voilier.example.net?subject=Grib&body=@mto@reqt@grib@%0AA 1%0AZ -20.0 "* ]] \
    || fail "second order: $second"
close_window
cmp "$SCRATCH/init.cnf.user" "$work/init.cnf" || fail "the user's init.cnf was changed"
grep -q '^X1;-20.0;-20.0;Monde' "$work/ini/options.txt" || fail "the user's zone was lost"
cmp "$root/usr/share/wavepost/aide.html" "$work/aide.html" || fail "the missing help page was not put back"
find "$work" -name '*.new-*' | grep . && fail "temporary files left"
[ "$(ls -d "$work"/ini-* 2>/dev/null)" = "" ] || fail "a backup of a catalogue that did not change"

# --- a newer catalogue installed, then a third start ---------------------------------------
shipped="$root/usr/share/wavepost/ini"
printf 'Version\r\n2\r\n' >"$shipped/version.txt"
printf 'Monde;METAREA9;METAREA IX : nouvelle zone;0\r\n' >>"$shipped/bulletins.txt"
sed -i 's/^GSM;0.00001;/GSM;0.00002;/' "$shipped/telecoms.txt"
launch "$HOME" "$launcher"
box="$(wait_box none)" || fail "no message about the catalogue's update"
press "$box" Return
window="$(wait_window WAVEPOST)" || fail "the window did not open after the update"
close_window
grep -q '^Monde;METAREA9;METAREA IX : nouvelle zone;0' "$work/ini/bulletins.txt" || fail "the new bulletin"
grep -q '^GSM;0.00002;' "$work/ini/telecoms.txt" || fail "the new price"
grep -q '^X1;-20.0;-30.0;Monde' "$work/ini/options.txt" || fail "the user's zone was lost in the update"
cmp "$SCRATCH/init.cnf.user" "$work/init.cnf" || fail "the update changed init.cnf"
grep -q '^2' "$work/ini/version.txt" || fail "the working folder's catalogue version"
backups=("$work"/ini-*)
[ ${#backups[@]} = 1 ] && grep -q '^X1;-20.0;-20.0;Monde' "${backups[0]}/options.txt" \
    || fail "the previous tables were not kept"
echo "1 passed, 0 failed"
