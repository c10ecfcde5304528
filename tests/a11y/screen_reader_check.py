#!/usr/bin/python3
"""The game under a real screen reader, on a private desktop of its own.

Starts an X server (Xvfb), a window manager (openbox), a D-Bus session bus, the
accessibility bus and Orca writing what it speaks to its debug log, then runs the game
on them with a crying-hungry baby (faim 600, 2 droppings) and plays it by the keyboard
alone (keys through the X server, xdotool):
  - the scene has the keyboard;
  - its name changes exactly once when the crying starts (the first tick of the life
    clock), once when the bath begins and once when it ends;
  - Orca speaks "pleure" after the crying starts, and the bath after it begins (in the
    order of its own log);
  - Space on the scene tells the whole scene again, and Orca speaks it (Qt 6.8 sends it
    as an announcement, Qt 6.4 as a description change);
  - the statistics and the vet's answer, opened by the keyboard, are spoken when they
    open: the stage and the hunger, the answer's text.
Every step waits for the state it needs; how long Orca takes is the bench's business.
Exits 77 (skipped) where Orca cannot run. Every server is stopped, and the folder
removed, whatever happens.

usage: screen_reader_check.py path/to/gribo     (about 40 seconds)
needs: xvfb, openbox, xdotool, dbus, at-spi2-core, python3-pyatspi, orca.
"""
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_desktop import (SKIP, Accessible, Timeout, XDesktop, baby_in_store, read_store, skip_unless,  # noqa: E402
                       wait_until)

GRIBO = os.path.abspath(sys.argv[1])
CRIES = "Gribo pleure, avec 2 crottes par terre"
BATH = "Gribo prend son bain"
RESTS = "Gribo se prom\u00e8ne"

# Orca's debug log: each thing spoken is one entry, whose text may hold line breaks.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?=\{|\n|$)", re.S)
# Orca is listening once it has said so.
ORCA_READY = ("Screen reader on", "ORCA: Initialized", "EVENT MANAGER: Activated")


class Orca:
    def __init__(self, log):
        self.log = log

    def text(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def mark(self):
        """Where the log is now: what is spoken from here on comes later."""
        return len(self.text())

    def spoken(self, since=0):
        return [s.strip() for s in SPOKEN.findall(self.text()[since:])]

    def said(self, words, since=0):
        return any(all(w in s for w in words) for s in self.spoken(since))

    def event_about(self, name):
        """Where Orca's log first has the change of the scene's name to `name`."""
        text = self.text()
        for m in re.finditer(r"[^\n]*accessible-name[^\n]*", text):
            if name in m.group(0):
                return m.start()
        return None


def alone():
    """Orca waits until no other Orca of the same user runs (and --replace kills
    them): in a process namespace of its own, where it can have one, it sees none."""
    try:
        wrap = ["unshare", "--pid", "--fork", "--mount-proc", "--kill-child"]
        if subprocess.run(wrap + ["true"], capture_output=True, timeout=30).returncode == 0:
            return wrap
    except (OSError, subprocess.SubprocessError):
        pass
    return []


def main():
    skip_unless(["Xvfb", "openbox", "xdotool", "dbus-daemon", "/usr/libexec/at-spi-bus-launcher", "orca"],
                ["pyatspi"])
    failures = []

    def check(ok, what):
        print(("ok: " if ok else "FAILED: ") + what)
        if not ok:
            failures.append(what)

    with XDesktop() as d:
        orca_log = os.path.join(d.run, "orca.log")
        orca = d.start(alone() + ["orca", "--replace", "--debug-file=" + orca_log])
        heard = Orca(orca_log)
        try:
            wait_until(lambda: orca.poll() is not None or any(m in heard.text() for m in ORCA_READY),
                       "Orca to listen", 60)
        except Timeout:
            pass
        if orca.poll() is not None or not any(m in heard.text() for m in ORCA_READY):
            print("skipped: Orca does not start here")
            return SKIP

        store = baby_in_store(d.env["XDG_CONFIG_HOME"], 600, caca=2)
        a = Accessible(d)
        d.start([GRIBO], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        keys = lambda *k: d.xdotool("key", *k)  # noqa: E731
        names = lambda: [text for kind, text in a.heard if kind == "name"]  # noqa: E731

        def room():
            a.wait(lambda: d.active_window_name() == "Gribo" and a.scene_has_keyboard(), "the room's keyboard")

        def spoken_window(entry_keys, caption, what):
            """Opens a window by keys; Orca must speak its label's text. Closes it by
            the window manager's key."""
            since = heard.mark()
            keys(*entry_keys)
            a.wait(lambda: a.window(caption) and d.active_window_name() == caption, caption)
            label = [t for t in a.texts(a.window(caption)) if t.strip()][0]
            lines = [line.strip() for line in label.splitlines() if line.strip()]
            try:
                a.wait(lambda: all(heard.said([line], since) for line in what(lines)), f"Orca speaking {caption}",
                       30)
                check(True, f"Orca speaks {caption} as it opens: {label!r}")
            except Timeout:
                check(False, f"Orca did not speak {caption}'s {what(lines)}; it spoke {heard.spoken(since)}")
            keys("alt+F4")
            a.wait(lambda: a.window(caption) is None, f"{caption} closed")
            room()

        try:
            room()
            check(True, "the scene holds the keyboard")

            # The crying, at the first tick of the life clock.
            a.wait(lambda: CRIES in names(), "the crying")
            at = heard.event_about(CRIES)
            try:
                a.wait(lambda: heard.event_about(CRIES) is not None and heard.said(["pleure"], heard.event_about(CRIES)),
                       "Orca speaking the crying", 30)
                check(True, "Orca speaks the crying after it starts")
            except Timeout:
                check(False, f"Orca did not speak the crying after it started ({at}): {heard.spoken()}")

            # Space tells the whole scene.
            since = heard.mark()
            keys("space")
            a.wait(lambda: any(kind == "told" for kind, _ in a.heard), "the scene told again")
            try:
                a.wait(lambda: heard.said([CRIES + ". Par la fen"], since), "Orca speaking the scene", 30)
                check(True, "Space tells the whole scene and Orca speaks it")
            except Timeout:
                check(False, f"Orca did not speak the whole scene after Space: {heard.spoken(since)}")

            # The bath, by the keyboard.
            keys("F10", "Down", "Down", "Right", "Return")
            a.wait(lambda: BATH in names(), "the bath")
            try:
                a.wait(lambda: heard.event_about(BATH) is not None and heard.said(["bain"], heard.event_about(BATH)),
                       "Orca speaking the bath", 30)
                check(True, "Orca speaks the bath after it begins")
            except Timeout:
                check(False, f"Orca did not speak the bath after it began: {heard.spoken()}")
            a.wait(lambda: RESTS in names(), "the bath's end")
            told = names()[: names().index(RESTS) + 1]
            check(told == [CRIES, BATH, RESTS], f"one name for each change: {told}")

            # Two meals, so that the baby rests even if the hour changes meanwhile.
            for _ in range(2):
                room()
                a.wait(lambda: (a.scene_name() or "").startswith(("Gribo se prom", "Gribo pleure")), "rest or tears")
                keys("F10", "Down", "Right", "Return")
                a.wait(lambda: (a.scene_name() or "").startswith("Gribo boit"), "the meal")
                a.wait(lambda: (a.scene_name() or "").startswith(RESTS), "the meal's end")

            # The statistics and the vet, opened by the keyboard, spoken as they open.
            faim = read_store(store)["stats/faim"]  # 400, or 500 past a new hour
            spoken_window(["F10", "Right", "Return"], "Form2", lambda lines: ["Stade :nourrisson", "Faim : " + faim])
            spoken_window(["F10", "Down", "Down", "Right", "Down", "Return"], "Form4", lambda lines: lines[:1])
        except Timeout as e:
            check(False, str(e))
        finally:
            print("names:", names())
            print("Orca spoke:", *[s for s in heard.spoken() if "Gribo" in s or "Form" in s or "Stade" in s],
                  sep="\n  ")
            keep = os.environ.get("GRIBO_A11Y_KEEP_LOG")
            if keep and os.path.exists(orca_log):
                shutil.copy(orca_log, keep)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
