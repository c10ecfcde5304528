#!/usr/bin/env bash
# The reminder service as the desktop starts it: the installed autostart entry run by
# dex in a private session, with dunst as the notification server.
#
#   autostart_with_dex.sh BUILD
#
# 1. A user installation puts the entry in the user's autostart folder, and it passes
#    desktop-file-validate; `dex -a` starts the service from it, which tells the crying
#    baby at once ("a need already there at login").
# 2. "Ne plus me prévenir", chosen in dunst's menu of the notice, writes Hidden=true
#    into the user's entry and ends the service; dex then leaves it alone.
# 3. The system's entry ($XDG_CONFIG_DIRS/autostart) is started by dex, and a Hidden=true
#    copy in the user's folder keeps it from starting.
set -uo pipefail

build=$1
command -v dex >/dev/null || { echo "skipped: dex is not installed"; exit 77; }
command -v desktop-file-validate >/dev/null || { echo "skipped: desktop-file-validate is not installed"; exit 77; }
source "$(dirname "$0")/desktop_session.sh"
start_dunst "Ne plus me prévenir"

entry=io.github.gribo.Gribo.Reminders.desktop
mine=$XDG_CONFIG_HOME/autostart/$entry
cmake --install "$build" --prefix "$HOME/.local" >"$tmp/install.log" 2>&1 || fail "cmake --install"
[ -f "$mine" ] || fail "a user installation put no entry in $XDG_CONFIG_HOME/autostart"
grep -qx "Exec=$HOME/.local/libexec/gribo/gribo-reminders" "$mine" || fail "the entry's Exec: $(grep Exec "$mine")"
out=$(desktop-file-validate "$mine" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"

baby_in_store 600  # it cries already
dex -a -s "$XDG_CONFIG_HOME/autostart" >"$tmp/dex.log" 2>&1 || fail "dex -a"
wait_for "the service started by dex" 'owner_of io.github.gribo.Gribo.Reminders'
service=$(pid_of io.github.gribo.Gribo.Reminders)
pids+=($service)
wait_for "the crying told at login" 'test "$(dunstctl count displayed)" = 1'
echo "1. installed for the user, valid; dex starts the service, which tells the crying at once"

dunstctl context
wait_for "Hidden=true in the user's entry" 'grep -qx Hidden=true "$mine"'
wait_for "the service's end" '! kill -0 $service'
wait_for "the notice withdrawn" 'test "$(dunstctl count displayed)" = 0'
dex -a -v -s "$XDG_CONFIG_HOME/autostart" >"$tmp/dex.log" 2>&1
! grep -q "Executing" "$tmp/dex.log" || fail "dex starts a hidden entry: $(cat "$tmp/dex.log")"
echo "2. 'Ne plus me prévenir' writes Hidden=true, the service ends, and dex no longer starts it"

# The system's entry, with the user's Hidden=true copy, then without it.
mkdir -p "$tmp/xdg/autostart"
grep -vx Hidden=true "$mine" >"$tmp/xdg/autostart/$entry"
export XDG_CONFIG_DIRS=$tmp/xdg
dex -a -v >"$tmp/dex.log" 2>&1
! grep -q "Executing.*gribo-reminders" "$tmp/dex.log" || fail "dex starts the system's entry despite Hidden=true"
rm "$mine"
dex -a -v >"$tmp/dex.log" 2>&1
grep -q "Executing.*gribo-reminders" "$tmp/dex.log" || fail "dex does not start the system's entry: $(cat "$tmp/dex.log")"
wait_for "the service started from the system's entry" 'owner_of io.github.gribo.Gribo.Reminders'
pids+=($(pid_of io.github.gribo.Gribo.Reminders))
echo "3. the system's entry starts the service; a Hidden=true copy in the user's folder keeps it from starting"
echo "all autostart checks passed with dex $(dex --version 2>/dev/null | grep -o '[0-9][0-9.]*' | head -n 1)"
