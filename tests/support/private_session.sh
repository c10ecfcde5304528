# Sourced by the tests that run the real game beside real servers. Nothing of the
# session they run in is used: a folder of their own ($tmp) holds the runtime folder,
# home and store; no D-Bus but a private bus they start (GRIBO_PRIVATE_BUS), no X
# display, no Wayland display, no sound server of the machine's. Everything added to
# `pids` is stopped, and the folder removed, on any exit.

tmp=$(mktemp -d)
pids=()
private_session_end() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$tmp"
}
trap private_session_end EXIT

mkdir -p "$tmp/run" "$tmp/home" "$tmp/config"
chmod 700 "$tmp/run"
export XDG_RUNTIME_DIR=$tmp/run HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config
unset PULSE_SERVER PULSE_SINK PULSE_PROP PULSE_PROP_OVERRIDE DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
[ -n "${GRIBO_PRIVATE_BUS:-}" ] || export DBUS_SESSION_BUS_ADDRESS=disabled:

support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# store_fixture ARGS: the store's path, the hour stamp, a baby in the store
# (tests/support/store_fixture.py).
store_fixture() { /usr/bin/python3 "$support/store_fixture.py" "$@"; }
# The player's store, under this session's configuration folder.
store_file=$(store_fixture path "$XDG_CONFIG_HOME")

# baby_in_store FAIM [OPTIONS]: the store holds a baby fed at this very hour, with that
# hunger (0: at rest; 600: it cries from the first life-clock tick). OPTIONS are
# store_fixture.py's (--stade, --caca, --fed-hours-ago...).
baby_in_store() {
  store_fixture baby "$XDG_CONFIG_HOME" --faim "$@" >/dev/null
}
