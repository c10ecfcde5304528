#!/usr/bin/env bash
# The running game's own notification, under openbox with dunst on a private bus: a
# baby that starts crying (the first life-clock tick, 20 s after the start) while
# another application's window is active gives one notification from the game and the
# urgency hint on its main window; with the game's window active, none.
#
#   game_tells_itself.sh GRIBO
set -uo pipefail

gribo=$1
for tool in openbox xdotool xprop xmessage; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
source "$(dirname "$0")/desktop_session.sh"
start_openbox
start_dunst
set_clock "2024-06-10 10:30:00"
store=$store_file
stored() { sed -n "s/^$1=//p" "$store"; }

# play: starts the game on a baby at 500 counted up to 09:00, so that its first tick
# makes it 600 and crying; prints the game's window.
play() {
  baby_fed_at "2024-06-10 09" 500
  faked "$gribo" >>"$tmp/game.log" 2>&1 &
  pids+=($!)
  game_pid=$!
  wait_for "the game on the bus" 'owner_of io.github.gribo.Gribo'
  game_bus=$(owner_of io.github.gribo.Gribo)
  wait_for "the game's window" 'xdotool search --onlyvisible --name "^Gribo$"'
  game_window=$(xdotool search --onlyvisible --name '^Gribo$' | head -n 1)
}
# close: the game's window closed as the player would; its name leaves the bus after
# every call it made, so what it sent is all in the monitor's log by then.
close() {
  xdotool windowactivate --sync "$game_window" key alt+F4
  wait_for "the game's end" '! kill -0 $game_pid'
  local service
  service=$(pid_of io.github.gribo.Gribo.Reminders) && pids+=($service)
}

# Another application's window is active when the baby starts crying.
# Found by its resource name (WM_CLASS), which the program sets before it maps the
# window, so neither its title nor its fonts can hide it; a program that ended is told.
xmessage -name autre "Une autre application" >"$tmp/autre.log" 2>&1 &
other_pid=$!
pids+=($other_pid)
wait_for "the other window" '! kill -0 $other_pid || xdotool search --onlyvisible --classname "^autre$"'
kill -0 $other_pid || fail "the other application ended before its window was found"
other=$(xdotool search --onlyvisible --classname '^autre$' | head -n 1)
play
xdotool windowactivate --sync "$other"
wait_for "the other window active" 'test "$(xdotool getactivewindow)" = "$other"'
wait_for "the game's notification" 'test "$(notify_calls_from "$game_bus")" -ge 1'
[ "$(stored faim)" = 600 ] || fail "the notification came before the tick that made the baby cry"
wait_for "the urgency hint" 'xprop -id "$game_window" WM_HINTS _NET_WM_STATE | grep -qi "urgen\|DEMANDS_ATTENTION"'
awk -v who="$game_bus" '$1 == "method" && $0 ~ "sender=" who " " && /member=Notify/ {on = 1; next}
  $1 == "method" || $1 == "signal" {on = 0} on' "$tmp/calls.log" | grep -qF 'string "Gribo a faim"' ||
  fail "the game's notification is not the crying's"
close
[ "$(notify_calls_from "$game_bus")" = 1 ] || fail "$(notify_calls_from "$game_bus") notifications from the game"
echo "1. another window active: the crying gives one notification from the game and the urgency hint"
dunstctl close-all

# The game's own window active: nothing.
play
wait_for "the game's window active" 'test "$(xdotool getactivewindow)" = "$game_window"'
wait_for "the crying's tick" 'test "$(stored faim)" = 600'
close
[ "$(notify_calls_from "$game_bus")" = 0 ] || fail "the game sent a notification while its window was active"
[ "$(dunstctl count displayed)" = 0 ] || fail "the server holds a notification"
echo "2. the game's window active: the crying gives no notification, the server holds none"
echo "all checks of the game's own notifications passed"
