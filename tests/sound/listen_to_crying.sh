#!/usr/bin/env bash
# Listens to a crying baby on a real sound server. Starts a private server with a
# null sink in a folder of its own, runs the real game on a store that holds a crying
# baby, records the sink's monitor, and has cry_listener check that the cries are
# heard whole, one a second.
#
#   listen_to_crying.sh GRIBO CRY_LISTENER APP_ID [pulseaudio|pipewire] [SECONDS] [restart]
#
# With "restart", the server is stopped while the baby cries and started again, and
# the recording made on the new server is the one checked.
#
# Every wait is for a state (the server answers, the mixer lists the cry, the
# recording is long enough), with a generous deadline; only the recording's length,
# SECONDS of cries, is counted in time. The server, the game and the recorder are
# stopped and the folder removed on any exit. Exits 77 (skipped) when the server
# cannot run here.
set -uo pipefail

gribo=$1 listener=$2 app_id=$3 server=${4:-pulseaudio} seconds=${5:-10} restart=${6:-}
rate=22050
settle=2 # seconds of a new recording cry_listener leaves out (a new sink renders ahead)
# WirePlumber (which keeps PipeWire's default sink) needs a session bus: this runs
# again on a private one, which ends with it.
if [ "$server" = pipewire ] && [ -z "${GRIBO_PRIVATE_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  GRIBO_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
skip() {
  echo "skipped: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  [ -f "$tmp/server.log" ] && tail -n 20 "$tmp/server.log"
  [ -f "$tmp/game.log" ] && tail -n 20 "$tmp/game.log"
  exit 1
}

for tool in parec pactl; do command -v $tool >/dev/null || fail "$tool is missing (scripts/install-deps --test)"; done

here=$(dirname "$0")
source "$here/../support/private_session.sh"
source "$here/../support/sound_server.sh"

start_server() {
  start_sound_server "$server" "$tmp/server.log"
  case $? in
    0) pids+=("${server_pids[@]}") ;;
    77) [ "$server" = pipewire ] && skip "PipeWire does not run here: $(tail -n 3 "$tmp/server.log" | tr '\n' ' ')"
      fail "$server is missing (scripts/install-deps --test)" ;;
    *) fail "the $server server does not start" ;;
  esac
}

record() {
  # A short latency keeps the null sink rendering in small blocks from the start, so a
  # new stream is heard at once rather than after a long block of silence.
  parec --latency-msec=20 -d ecoute.monitor --raw --format=s16le --rate=$rate --channels=1 >"$tmp/heard.raw" 2>"$tmp/parec.log" &
  recorder=$!
  pids+=($recorder)
}

# Waits until "$@" holds, looking every 0.1 s for at most a minute; fails if the game stops.
until_true() {
  local tries
  for ((tries = 0; tries < 600; tries++)); do
    "$@" && return 0
    kill -0 "$game" 2>/dev/null || fail "the game stopped: $(cat "$tmp/game.log")"
    sleep 0.1
  done
  return 1
}
# The mixer lists a cry of the game's, with its name and icon.
gribo_cries() {
  local inputs
  inputs=$(pactl list sink-inputs 2>/dev/null)
  grep -q 'application.name = "Gribo"' <<<"$inputs" && grep -q "application.icon_name = \"$app_id\"" <<<"$inputs"
}
recorded() { stat -c %s "$tmp/heard.raw" 2>/dev/null || echo 0; }
long_enough() { [ "$(recorded)" -ge "$wanted" ]; }
heard_on_the_mixer() { until_true gribo_cries || fail "the mixer does not list the cry as Gribo's with its icon"; }
# Once the mixer lists the game's cry, the recording goes on until it holds SECONDS
# after the first cry past the settling, and a little more: the recording may run
# late of the mixer by as much as the settling.
record_the_cries() {
  heard_on_the_mixer
  local at=$(recorded) skipped=$((settle * 2 * rate))
  [ "$at" -ge "$skipped" ] || at=$skipped
  wanted=$((at + (seconds + settle + 1) * 2 * rate))
  until_true long_enough || fail "the recording stopped: $(cat "$tmp/parec.log")"
}

start_server
# A baby stored crying (a stage the game reloads as it is), so hungry that it goes on:
# it cries from its first second, every second.
baby_in_store 600 --stade nourrissonpleure

record
QT_QPA_PLATFORM=offscreen "$gribo" >"$tmp/game.log" 2>&1 &
game=$!
pids+=($game)

if [ "$restart" != restart ]; then
  record_the_cries
else
  # The server goes away while the baby cries, and a new one comes: the cry must come
  # back on it, whole every second, once the game has connected again (at a cry at
  # least 3 s after its last try). The pause leaves the game a cry or two with no
  # server at all; it decides nothing.
  heard_on_the_mixer
  stop_sound_server
  wait "$recorder" 2>/dev/null
  sleep 2
  start_server
  record
  record_the_cries
fi
kill -0 "$game" 2>/dev/null || fail "the game stopped: $(cat "$tmp/game.log")"
kill "${pids[@]}" 2>/dev/null
wait 2>/dev/null
pids=()

echo "on $server${restart:+, after a restart of the server}:"
"$listener" "$tmp/heard.raw" $rate "$seconds" $((seconds - 1)) $settle || fail "the crying baby was not heard whole every second"
echo "heard: a whole cry every second, listed as Gribo's"
