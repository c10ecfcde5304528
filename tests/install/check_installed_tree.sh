#!/bin/sh
# The installed tree, as `make install` and the Debian package lay it out: installs
# into a temporary folder, validates the launcher and the metadata as a desktop would,
# checks that another user can read every file, and starts the installed game, which
# must find its pictures from its own place.
# usage: check_installed_tree.sh <build folder> <application id> "<icon sizes>"
set -u
build=$1
id=$2
icon_sizes=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
usr=$tmp/root/usr

for file in bin/gribo "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    share/man/man6/gribo.6.gz share/doc/gribo/copyright share/doc/gribo/changelog.gz; do
    [ -f "$usr/$file" ] || fail "$file is not installed"
done
for size in $icon_sizes; do
    [ -f "$usr/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no icon of $size pixels"
done
# The installed folder holds what the generator wrote into build/datas (every file of
# the catalogue, and nothing else: the generator's own tests hold it to that).
(cd "$build/datas" && find . -type f | sort) >"$tmp/built"
(cd "$usr/share/gribo/datas" && find . -type f | sort) >"$tmp/installed"
[ -s "$tmp/built" ] || fail "the build wrote no pictures"
cmp -s "$tmp/built" "$tmp/installed" || fail "share/gribo/datas differs from what was drawn: $(diff "$tmp/built" "$tmp/installed")"

out=$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1)
[ $? -eq 0 ] && ! printf '%s\n' "$out" | grep -q '^[EW]:' || fail "appstreamcli validate: $out"

# Every file 0644 but the program (0755), every folder 0755: nothing private, nothing
# anyone else may change.
odd=$(find "$tmp/root" -type f ! -perm 0644 ! -path "$usr/bin/gribo" ! -path "$usr/libexec/gribo/gribo-reminders")
[ -z "$odd" ] || fail "files that are not 0644: $odd"
[ "$(stat -c %a "$usr/bin/gribo")" = 755 ] || fail "bin/gribo is not 0755"
[ "$(stat -c %a "$usr/libexec/gribo/gribo-reminders")" = 755 ] || fail "libexec/gribo/gribo-reminders is not 0755"
# The reminder service's autostart entry, for every user of the system.
reminders_entry=$tmp/root/etc/xdg/autostart/$id.Reminders.desktop
[ -f "$reminders_entry" ] || fail "no autostart entry in /etc/xdg/autostart"
grep -qx "Exec=/usr/libexec/gribo/gribo-reminders" "$reminders_entry" || fail "the autostart entry's Exec"
out=$(desktop-file-validate "$reminders_entry" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate on the autostart entry: $out"
odd=$(find "$tmp/root" -mindepth 1 -type d ! -perm 0755)
[ -z "$odd" ] || fail "folders that are not 0755: $odd"

# The installed game, far from its build: its first run loads the room and the sky,
# then writes a new egg; no picture may be missing by then.
config=$tmp/config
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$config "$usr/bin/gribo" >"$tmp/log" 2>&1 &
game=$!
tries=0
while [ ! -s "$config/Gribo/Gribo.conf" ] && [ $tries -lt 200 ] && kill -0 $game 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
done
kill $game 2>/dev/null
wait $game 2>/dev/null
[ -s "$config/Gribo/Gribo.conf" ] || fail "the installed game wrote no pet: $(cat "$tmp/log")"
! grep -q 'cannot show' "$tmp/log" || fail "the installed game misses pictures: $(cat "$tmp/log")"

exit $status
