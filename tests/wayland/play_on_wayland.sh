#!/usr/bin/env bash
# The real game in a Wayland session, on a headless Weston of its own: it must choose
# Wayland by itself (no X display, no platform forced), map its window under its name,
# paint its resting baby at every step, and, when the compositor goes away (the session
# ends), stop with its store as it was and no temporary file left. Every wait is for a
# state, with a deadline of a minute.
#
#   play_on_wayland.sh GRIBO
#
# Weston, the game and the folder are removed on any exit. Exits 77 (skipped) when
# Weston is not installed.
set -uo pipefail

gribo=$1
skip() {
  echo "skipped: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  [ -f "$tmp/weston.log" ] && tail -n 15 "$tmp/weston.log"
  if [ -f "$tmp/game.log" ]; then
    grep -v '^\[' "$tmp/game.log" | tail -n 15
    grep -m 5 -E 'get_xdg_surface|set_title' "$tmp/game.log"
  fi
  exit 1
}
command -v weston >/dev/null || skip "weston is not installed (scripts/install-deps --test)"

source "$(dirname "$0")/../support/private_session.sh"

# Weston 10 (Debian 12) names its backends by file; later ones also by a short name.
socket=gribo-wayland
for backend in headless-backend.so headless; do
  weston --backend=$backend --socket=$socket --idle-time=0 --no-config --use-pixman >"$tmp/weston.log" 2>&1 &
  weston=$!
  for _ in $(seq 600); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 $weston 2>/dev/null || break # this backend's name is not known here
    sleep 0.1
  done
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill $weston 2>/dev/null
  wait $weston 2>/dev/null
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston does not start headless here"
pids+=($weston)

baby_in_store 0  # at rest: its picture changes about once a second
cp "$store_file" "$tmp/store.before"

XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=$socket WAYLAND_DEBUG=1 "$gribo" >"$tmp/game.log" 2>&1 &
game=$!
pids+=($game)

# The game's window: the surface it makes an xdg toplevel of, named "Gribo". (Objects
# are written interface@id by libwayland up to 1.22, interface#id from 1.23 on.)
surface=
for _ in $(seq 600); do
  surface=$(grep -o 'get_xdg_surface(new id xdg_surface[@#][0-9]*, wl_surface[@#][0-9]*)' "$tmp/game.log" |
    head -n 1 | grep -o 'wl_surface[@#][0-9]*')
  [ -n "$surface" ] && grep -q 'set_title("Gribo")' "$tmp/game.log" && break
  kill -0 $game 2>/dev/null || fail "the game stopped on Wayland"
  sleep 0.1
done
[ -n "$surface" ] || fail "the game made no Wayland window (did it fall back to X11?)"
grep -q 'set_title("Gribo")' "$tmp/game.log" || fail "the game's window is not named Gribo"

# Its pictures: a new buffer on the window at each step of the resting baby, which
# steps about once a second: four more after the first painting.
attached() { grep -c -- "-> $surface\.attach(wl_buffer[@#]" "$tmp/game.log"; }
# until_attached N: waits until the window has had N buffers, at most a minute.
until_attached() {
  for _ in $(seq 600); do
    [ "$(attached)" -ge "$1" ] && return 0
    kill -0 $game 2>/dev/null || fail "the game stopped on Wayland"
    sleep 0.1
  done
  return 1
}
until_attached 1 || fail "the window was never painted"
first=$(attached)
until_attached $((first + 4)) || fail "$(($(attached) - first)) new pictures on the window in a minute; the resting baby steps about once a second"
echo "on Wayland: window $surface named Gribo, painted again at each step"

# The session ends: the compositor goes, and the game with it, its pet kept.
kill $weston
wait $weston 2>/dev/null
for _ in $(seq 600); do
  kill -0 $game 2>/dev/null || break
  sleep 0.1
done
kill -0 $game 2>/dev/null && fail "the game still runs a minute after its compositor went away"
cmp -s "$tmp/store.before" "$store_file" || fail "the store changed: $(cat "$store_file")"
leftovers=$(ls "$(dirname "$store_file")" | grep -vx "$(basename "$store_file")")
[ -z "$leftovers" ] || fail "left beside the store: $leftovers"
echo "the compositor went away: the game stopped, its pet kept"
