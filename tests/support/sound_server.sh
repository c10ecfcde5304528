#!/usr/bin/env bash
# A private sound server for the tests and the bench: PulseAudio, or PipeWire with its
# pulse server, in the runtime folder $XDG_RUNTIME_DIR, with one null sink, "ecoute",
# as its default. It counts as started once it answers a client and has that sink, not
# when its socket appears. It runs on the machine's own clock (no faked time), as the
# desktop's server would.
#
# Sourced (the scripts that also run the game):
#   start_sound_server [pulseaudio|pipewire] LOG   0: up; 77: cannot run here; 1: failed
#   stop_sound_server                              the server gone, its socket with it
# The server's processes are in `server_pids`. PipeWire's session manager needs a
# session bus: run the caller on a private one (dbus-run-session).
#
# As a command (the C++ tests and the bench):
#   sound_server.sh RUNTIME_DIR [pulseaudio]
# starts the server in RUNTIME_DIR, prints "ready" once it answers, and stops it when
# it is terminated (SIGTERM) or its standard input closes. Exits 77 when it cannot run here.

# pactl never starts a server of its own (as libpulse would for a user other than root).
sound_server_client_conf() {
  local conf=$XDG_RUNTIME_DIR/gribo-client.conf
  [ -f "$conf" ] || echo "autospawn = no" >"$conf"
  export PULSE_CLIENTCONFIG=$conf
}

# Waits until `$@` succeeds, trying every 50 ms, or 60 s have passed.
sound_server_until() {
  local tries
  for ((tries = 0; tries < 1200; tries++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

sound_server_has_sink() { pactl list short sinks 2>/dev/null | cut -f2 | grep -qx ecoute; }
sound_server_sink_is_default() { [ "$(pactl get-default-sink 2>/dev/null)" = ecoute ]; }
sound_server_alive() {
  local pid
  for pid in "${server_pids[@]}"; do kill -0 "$pid" 2>/dev/null || return 1; done
}
sound_server_answers() { sound_server_alive && pactl info; }

start_sound_server() {
  local kind=${1:-pulseaudio} log=${2:-/dev/null}
  sound_server_client_conf
  unset PULSE_SERVER PULSE_SINK LD_PRELOAD FAKETIME FAKETIME_DONT_FAKE_MONOTONIC
  server_pids=()
  case "$kind" in
    pulseaudio)
      command -v pulseaudio >/dev/null || return 77
      pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
        -L "module-null-sink sink_name=ecoute" -L module-native-protocol-unix >>"$log" 2>&1 &
      server_pids=($!)
      ;;
    pipewire)
      local tool
      for tool in pipewire pipewire-pulse wireplumber; do command -v $tool >/dev/null || return 77; done
      pipewire >>"$log" 2>&1 &
      server_pids=($!)
      sound_server_until test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 77
      wireplumber >>"$log" 2>&1 &
      server_pids+=($!)
      pipewire-pulse >>"$log" 2>&1 &
      server_pids+=($!)
      ;;
    *) return 1 ;;
  esac
  if ! sound_server_until sound_server_answers; then
    [ "$kind" = pipewire ] && return 77  # PipeWire does not run here (no session, say)
    return 1
  fi
  if [ "$kind" = pipewire ]; then
    # PipeWire makes the sink it is asked for a moment after it answers the request.
    pactl load-module module-null-sink sink_name=ecoute >/dev/null || return 77
  fi
  sound_server_until sound_server_has_sink || return 1
  pactl set-default-sink ecoute && sound_server_until sound_server_sink_is_default
}

stop_sound_server() {
  local pid
  for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${server_pids[@]}"; do wait "$pid" 2>/dev/null; done
  server_pids=()
  rm -f "$XDG_RUNTIME_DIR/pulse/native"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  [ $# -ge 1 ] || {
    echo "usage: sound_server.sh RUNTIME_DIR [pulseaudio]" >&2
    exit 2
  }
  export XDG_RUNTIME_DIR=$1
  trap 'stop_sound_server; exit 0' TERM INT HUP
  start_sound_server "${2:-pulseaudio}" "$XDG_RUNTIME_DIR/sound_server.log"
  status=$?
  if [ $status -ne 0 ]; then
    tail -n 5 "$XDG_RUNTIME_DIR/sound_server.log" >&2
    stop_sound_server
    exit $status
  fi
  echo ready
  # Until told to stop, or until whoever started it goes away.
  read -r _ || true
  stop_sound_server
fi
