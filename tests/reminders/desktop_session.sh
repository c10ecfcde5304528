# Sourced by the reminder tests: a private desktop session of their own, on top of
# tests/support/private_session.sh. An X server (Xvfb), a session bus whose only
# services are those the test starts (no activation: a notification server is there
# only when the test starts one), a monitor of the calls on that bus, and a wall clock
# that the test sets (libfaketime, through a file every faked program reads). Every
# server is stopped and the folder removed on any exit.
#
# Skips (exit 77) when a tool is missing.

skip() {
  echo "skipped: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  for log in "$tmp"/*.log; do
    [ -s "$log" ] || continue
    echo "--- ${log##*/}"
    tail -n 25 "$log"
  done
  exit 1
}

faketime_lib=
for f in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
  [ -f "$f" ] && faketime_lib=$f && break
done
[ -n "$faketime_lib" ] || skip "libfaketime is not installed (scripts/install-deps --test)"
for tool in Xvfb dbus-daemon dbus-monitor dbus-send dunst dunstctl; do
  command -v $tool >/dev/null || skip "$tool is not installed (scripts/install-deps --test)"
done

export GRIBO_PRIVATE_BUS=1
source "$(dirname "${BASH_SOURCE[0]}")/../support/private_session.sh"

# wait_for WHAT 'CONDITION': polls until the shell condition holds (it is evaluated
# afresh each time); the deadline only ends a test that is failing anyway.
wait_for() {
  local what=$1 i
  for i in $(seq 600); do
    eval "$2" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "no $what within a minute"
}

# The X server.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
wait_for "X display" 'test -s "$tmp/display"' 
export DISPLAY=:$(cat "$tmp/display")

# The session bus: only what the test starts owns a name on it.
cat >"$tmp/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$tmp/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$tmp/bus.conf" --nofork >"$tmp/bus.log" 2>&1 &
pids+=($!)
export DBUS_SESSION_BUS_ADDRESS=unix:path=$tmp/bus
wait_for "session bus" 'dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.ListNames' 

# Every call and signal of the notification interface, as the server gets them.
dbus-monitor "interface='org.freedesktop.Notifications'" >"$tmp/calls.log" 2>&1 &
pids+=($!)
wait_for "bus monitor" 'grep -q NameAcquired "$tmp/calls.log"' 

# start_openbox: a window manager on the private display, as a desktop has one.
# It claims the screen (_NET_SUPPORTING_WM_CHECK) before it looks at the windows
# already there: a window mapped in between is never managed. Its startup command
# runs only once it is ready for new windows.
start_openbox() {
  openbox --sm-disable --startup "touch $tmp/openbox-ready" >"$tmp/openbox.log" 2>&1 &
  pids+=($!)
  wait_for "openbox" 'test -e "$tmp/openbox-ready"'
}

# start_dunst [CHOICE]: the notification server, keeping every notice until it is
# closed. Its context menu (dunstctl context) picks the first entry that holds CHOICE.
start_dunst() {
  mkdir -p "$XDG_CONFIG_HOME/dunst"
  printf '#!/bin/sh\ngrep -m 1 -F -- "%s"\n' "${1:-default}" >"$tmp/pick"
  chmod +x "$tmp/pick"
  cat >"$XDG_CONFIG_HOME/dunst/dunstrc" <<RC
[global]
    timeout = 0
    icon_position = off
    dmenu = $tmp/pick
[urgency_low]
    timeout = 0
[urgency_normal]
    timeout = 0
[urgency_critical]
    timeout = 0
RC
  dunst -config "$XDG_CONFIG_HOME/dunst/dunstrc" >"$tmp/dunst.log" 2>&1 &
  dunst_pid=$!
  pids+=($dunst_pid)
  wait_for "dunst on the bus" 'owner_of org.freedesktop.Notifications' 
}

# owner_of NAME: prints the unique name that owns NAME on the bus; fails when none.
owner_of() {
  dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner "string:$1" 2>/dev/null |
    sed -n 's/^ *string "\(.*\)"/\1/p' | grep .
}

# The faked wall clock: set_clock "2024-06-10 09:59:50" moves it for every faked
# program at once (they read the file again every second). `faked PROGRAM... &` runs
# PROGRAM on it, as the background job itself (its pid is $!).
set_clock() {
  echo "$(($(date -d "$1" +%s) - $(date +%s)))" >"$tmp/clock"
}
# GRIBO_PRELOAD_FIRST: a library that must be loaded before libfaketime (the
# sanitizers' runtime, for a sanitized build).
faked() {
  LD_PRELOAD="${GRIBO_PRELOAD_FIRST:+$GRIBO_PRELOAD_FIRST }$faketime_lib" FAKETIME_TIMESTAMP_FILE=$tmp/clock FAKETIME_CACHE_DURATION=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 exec "$@"
}

# baby_fed_at "2024-06-10 09" FAIM: a baby at rest whose hunger was counted up to that
# hour, laid at 06:00 that day.
baby_fed_at() {
  store_fixture baby "$XDG_CONFIG_HOME" --faim "$2" --fed-at "$1" --laid-at "${1%% *} 06:00" >/dev/null
}

# The calls made by the program that owns NAME (its unique name), as "method member".
notify_calls_from() {
  awk -v who="$1" '$1 == "method" && $0 ~ "sender=" who " " && $0 ~ /member=Notify/' "$tmp/calls.log" | wc -l
}

# pid_of NAME: the process that owns NAME on the bus.
pid_of() {
  dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" \
    2>/dev/null | awk '/uint32/ {print $2}'
}
