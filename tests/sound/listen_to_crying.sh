#!/usr/bin/env bash
# Listens to a crying baby on a real sound server. Starts a private server with a
# null sink in a folder of its own, runs the real game on a store that holds a hungry
# baby (it cries from the first life-clock tick, 20 s after start), records the sink's
# monitor, and has cry_listener check that a whole cry is heard every second.
#
#   listen_to_crying.sh GRIBO CRY_LISTENER [pulseaudio|pipewire] [SECONDS] [restart]
#
# With "restart", the server is stopped while the baby cries and started again, and
# the recording made on the new server is the one checked.
#
# The server, the game and the recorder are stopped and the folder removed on any
# exit. Exits 77 (skipped) when the server cannot run here.
set -uo pipefail

gribo=$1 listener=$2 server=${3:-pulseaudio} seconds=${4:-10} restart=${5:-}
rate=22050
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
  exit 1
}

for tool in parec pactl; do command -v $tool >/dev/null || fail "$tool is missing (scripts/install-deps --test)"; done

source "$(dirname "$0")/../support/private_session.sh"

# Starts the server and makes the null sink its default; its processes join pids.
start_server() {
  case "$server" in
    pulseaudio)
      command -v pulseaudio >/dev/null || fail "pulseaudio is missing (scripts/install-deps --test)"
      pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
        -L "module-null-sink sink_name=ecoute" -L module-native-protocol-unix >>"$tmp/server.log" 2>&1 &
      server_pids=($!)
      ;;
    pipewire)
      for tool in pipewire pipewire-pulse wireplumber dbus-run-session; do
        command -v $tool >/dev/null || skip "$tool is not installed"
      done
      pipewire >>"$tmp/server.log" 2>&1 &
      server_pids=($!)
      sleep 0.5
      wireplumber >>"$tmp/server.log" 2>&1 &
      server_pids+=($!)
      pipewire-pulse >>"$tmp/server.log" 2>&1 &
      server_pids+=($!)
      ;;
    *) fail "unknown server $server" ;;
  esac
  pids+=("${server_pids[@]}")

  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  pactl info >/dev/null 2>&1 || {
    [ "$server" = pipewire ] && skip "pipewire-pulse does not answer here: $(tail -n 3 "$tmp/server.log" | tr '\n' ' ')"
    fail "the server does not answer"
  }
  if [ "$server" = pipewire ]; then
    pactl load-module module-null-sink sink_name=ecoute >/dev/null || skip "no null sink on pipewire"
  fi
  pactl set-default-sink ecoute || fail "no null sink"
}

record() {
  # A short latency keeps the null sink rendering in small blocks from the start, so a
  # new stream is heard at once rather than after a long block of silence.
  parec --latency-msec=20 -d ecoute.monitor --raw --format=s16le --rate=$rate --channels=1 >"$tmp/heard.raw" 2>"$tmp/parec.log" &
  pids+=($!)
}

start_server

baby_in_store 600  # so hungry that it cries

record
QT_QPA_PLATFORM=offscreen "$gribo" >"$tmp/game.log" 2>&1 &
game=$!
pids+=($game)

# The first cry comes 21 s after start; then the mixer must show the stream as the game's.
sleep 22
named=no
for _ in $(seq 20); do
  if pactl list sink-inputs | grep -q 'application.name = "Gribo"' &&
    pactl list sink-inputs | grep -q 'application.icon_name = "io.github.gribo.Gribo"'; then
    named=yes
    break
  fi
  sleep 0.1
done
if [ "$restart" = restart ]; then
  # The server goes away while the baby cries, and a new one comes: the cry must come
  # back on it, whole every second, once the game has connected again (a few seconds).
  sleep 2
  kill "${server_pids[@]}"
  wait "${server_pids[@]}" 2>/dev/null
  sleep 2
  start_server
  record
  sleep 5
fi
sleep $((seconds + 1))
if ! kill -0 "$game" 2>/dev/null; then
  wait "$game"
  fail "the game stopped (exit status $?): $(cat "$tmp/game.log")"
fi
kill "${pids[@]}" 2>/dev/null
wait 2>/dev/null
pids=()

echo "on $server${restart:+, after a restart of the server}:"
"$listener" "$tmp/heard.raw" $rate "$seconds" $((seconds - 1))
heard=$?
[ $named = yes ] || fail "the mixer does not list the cry as Gribo's with its icon"
[ $heard -eq 0 ] || fail "the crying baby was not heard whole every second"
echo "heard: a whole cry every second, listed as Gribo's"
