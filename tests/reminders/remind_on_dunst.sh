#!/usr/bin/env bash
# The reminder service on a real notification server: dunst on a private session bus
# and X server, the wall clock faked a few seconds before the hour at which the baby
# starts crying. Every step waits for a state, never for a time.
#
#   remind_on_dunst.sh GRIBO GRIBO-REMINDERS
#
# 1. No server at first: the service tries at the hour; once dunst starts, the
#    notification comes: from Gribo, in French, with the icon, the desktop-entry hint
#    and the default action. The store's bytes and time are as they were.
# 2. The game started by the player withdraws it.
# 3. With the game running across a later hour that matters, the service sends nothing.
# 4. The game feeds the baby (milk through the menus, under openbox) and closes: the
#    service tells nothing, and its timer is set for the new plan's hour, not the old.
# 5. A new service (a new login) before the next need: at the hour the notification
#    comes, and its default action, through dunst, starts the game, whose window maps.
set -uo pipefail

gribo=$1
reminders=$2
for tool in openbox xdotool; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/desktop_session.sh"

start_openbox

store=$store_file
stamp() { store_fixture hour-stamp "$1"; }
stored() { sed -n "s/^$1=//p" "$store"; }
fingerprint() { echo "$(sha256sum <"$store") $(stat -c %Y.%y "$store")"; }

baby_fed_at "2024-06-10 09" 500  # 600 at 10:00: it cries
set_clock "2024-06-10 09:59:57"
before=$(fingerprint)

# 1. No server yet: the service tries once the hour has come, then dunst starts.
faked "$reminders" >"$tmp/service.log" 2>&1 &
service=$!
pids+=($service)
wait_for "the service's name on the bus" 'owner_of io.github.gribo.Gribo.Reminders'
me=$(owner_of io.github.gribo.Gribo.Reminders)
wait_for "a try at the hour with no server" 'test "$(notify_calls_from "$me")" -ge 1'
[ "$(fingerprint)" = "$before" ] || fail "the service changed the store"
start_dunst
wait_for "the notification once dunst is there" 'test "$(dunstctl count displayed)" = 1'
for want in 'string "Gribo"' 'string "io.github.gribo.Gribo"' 'string "Gribo a faim"' \
  'string "Il pleure : donnez-lui du lait."' 'string "default"' 'string "desktop-entry"' \
  'string "Ne plus me prévenir"'; do
  awk -v who="$me" '$1 == "method" && $0 ~ "sender=" who " " && /member=Notify/ {on = 1; next} $1 == "method" || $1 == "signal" {on = 0} on' \
    "$tmp/calls.log" | grep -qF "$want" || fail "the notification lacks $want"
done
dunstctl history | grep -q '"Gribo a faim"' || dunstctl count displayed | grep -q 1 || fail "dunst does not hold it"
[ "$(fingerprint)" = "$before" ] || fail "the service changed the store"
echo "1. at 10:00 with no server, then dunst: one notification from Gribo, 'Gribo a faim', store untouched"

# 2. The player starts the game: the service withdraws its notification.
faked "$gribo" >"$tmp/game.log" 2>&1 &
game=$!
pids+=($game)
wait_for "the game on the bus" 'owner_of io.github.gribo.Gribo'
wait_for "the notification withdrawn" 'test "$(dunstctl count displayed)" = 0'
grep -A1 "sender=$me .*member=CloseNotification" "$tmp/calls.log" >/dev/null || fail "the service did not withdraw it"
echo "2. the game starts: the service withdraws its notification"

# 3. The clock moves past 13:00 (the old plan's last call) with the game open.
told=$(notify_calls_from "$me")
set_clock "2024-06-10 12:59:58"
wait_for "the game counting the hour of 13:00" 'test "$(stored datenourrit)" = "$(stamp "2024-06-10 13")"'
[ "$(notify_calls_from "$me")" = "$told" ] || fail "the service spoke while the game ran"
echo "3. 13:00 passes with the game open: the service sends nothing"

# 4. Milk through the menus until the baby is at 400, then the game closes.
window=$(xdotool search --sync --onlyvisible --name '^Gribo$' | head -n 1)
for want in 800 700 600 500 400; do
  xdotool windowactivate --sync "$window" key F10 Down Right Return
  wait_for "a meal ending at $want" 'test "$(stored faim)" = "$want"'
done
xdotool windowactivate --sync "$window" key alt+F4
wait_for "the game gone from the bus" '! owner_of io.github.gribo.Gribo >/dev/null'
wait_for "the game's end" '! kill -0 $game 2>/dev/null'
# The service has looked at the pet once the game closed: its timer is set anew, for
# 15:00 (hunger 600 then), in the wall clock's seconds.
timer_hour() {
  local fd info service
  service=$(pid_of io.github.gribo.Gribo.Reminders)
  for fd in /proc/$service/fd/*; do
    [ "$(readlink "$fd")" = "anon_inode:[timerfd]" ] || continue
    info=$(grep it_value "/proc/$service/fdinfo/${fd##*/}" | tr -dc '0-9,' | cut -d, -f1)
    date -d "@$(($(date +%s) + $(cat "$tmp/clock") + info + 1))" '+%H'
  done
}
wait_for "the service's timer set for 15:00" 'test "$(timer_hour)" = 15'
[ "$(notify_calls_from "$me")" = "$told" ] || fail "the service told something after the meal"
[ "$(dunstctl count displayed)" = 0 ] || fail "a notification is shown after the meal"
echo "4. fed to 400 and closed: nothing told, the next hour that matters is 15:00"

# 5. A new login a few seconds before 15:00: the crying is told, and the default action
#    starts the game.
kill $service
wait $service 2>/dev/null
set_clock "2024-06-10 14:59:57"
before=$(fingerprint)
faked "$reminders" >>"$tmp/service.log" 2>&1 &
service=$!
pids+=($service)
wait_for "the new service's name on the bus" 'owner_of io.github.gribo.Gribo.Reminders'
wait_for "the notification at 15:00" 'test "$(dunstctl count displayed)" = 1'
[ "$(fingerprint)" = "$before" ] || fail "the service changed the store"
dunstctl action 0
wait_for "the game started by the notification" 'owner_of io.github.gribo.Gribo'
wait_for "its window mapped" 'xdotool search --onlyvisible --name "^Gribo$"'
echo "5. a new service tells the crying at 15:00; its default action starts the game, whose window maps"
game=$(dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetConnectionUnixProcessID \
  string:io.github.gribo.Gribo | awk '/uint32/ {print $2}')
[ -n "$game" ] && pids+=($game)
echo "all reminder checks passed on dunst $(dunst -v 2>/dev/null | grep -o '[0-9][0-9.]*' | head -n 1)"
