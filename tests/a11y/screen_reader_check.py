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
    open: the stage and the hunger, the answer's text;
  - in a game started anew on a starving baby, the death notice is spoken as it comes
    up, and Alt+F4 closes it.
Every step waits for the state it needs; how long Orca takes is the bench's business.
Exits 77 (skipped) where Orca cannot run. Every server is stopped, and the folder
removed, whatever happens.

usage: screen_reader_check.py path/to/gribo     (about a minute)
needs: xvfb, openbox, xdotool, dbus, at-spi2-core, python3-pyatspi, orca.
"""
import os
import re
import sys
import threading
import tty

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_desktop import (SKIP, Accessible, Timeout, XDesktop, baby_in_store, read_store, skip_unless,  # noqa: E402
                       wait_until)

GRIBO = os.path.abspath(sys.argv[1])
CRIES = "Gribo pleure, avec 2 crottes par terre"
BATH = "Gribo prend son bain"
RESTS = "Gribo se prom\u00e8ne"

# Menu entries by keys, each key with what it highlights.
BY_KEYS = {
    "Stats": [("F10", "menu"), ("Right", "Stats"), ("Return", None)],
    "Lait": [("F10", "menu"), ("Down", "Objets"), ("Right", "Lait"), ("Return", None)],
    "Laver": [("F10", "menu"), ("Down", "Objets"), ("Down", "Soins"), ("Right", "Laver"), ("Return", None)],
    "Veterinaire": [("F10", "menu"), ("Down", "Objets"), ("Down", "Soins"), ("Right", "Laver"), ("Down", "Veterinaire"),
                    ("Return", None)],
}

# Orca's debug log: each thing spoken is one entry, whose text may hold line breaks.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?=\{|\n|$)", re.S)
# Orca is listening once it has said so.
ORCA_READY = ("Screen reader on", "ORCA: Initialized", "EVENT MANAGER: Activated")


class Orca:
    """What Orca says, from its debug log. Orca writes its log through Python's
    buffered files, a chunk at a time; to a terminal they write each line at once, so the
    log goes to a pseudo-terminal of the test's own, read as it comes."""

    def __init__(self):
        self.master, slave = os.openpty()
        tty.setraw(slave)  # lines as Orca writes them
        self.path = os.ttyname(slave)
        self.slave = slave  # kept open, so that the terminal outlives each writer
        self.chunks = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        while True:
            try:
                data = os.read(self.master, 65536)
            except OSError:
                return
            if not data:
                return
            with self.lock:
                self.chunks.append(data)

    def text(self):
        with self.lock:
            return b"".join(self.chunks).decode("utf-8", "replace")

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


def main():
    skip_unless(["Xvfb", "openbox", "xdotool", "dbus-daemon", "/usr/libexec/at-spi-bus-launcher", "orca"],
                ["pyatspi"])
    failures = []

    def check(ok, what):
        print(("ok: " if ok else "FAILED: ") + what)
        if not ok:
            failures.append(what)

    with XDesktop() as d:
        def start_orca():
            """Orca, once it listens; None where it cannot run."""
            heard = Orca()
            # Orca stops every other Orca of the same user as it starts: two runs of this
            # test side by side on one machine stop each other.
            orca = d.start(["orca", "--replace", "--debug-file=" + heard.path])
            try:
                wait_until(lambda: orca.poll() is not None or any(m in heard.text() for m in ORCA_READY),
                           "Orca to listen", 60)
            except Timeout:
                pass
            if orca.poll() is not None or not any(m in heard.text() for m in ORCA_READY):
                print("skipped: Orca does not start here;", "it stopped" if orca.poll() is not None else "it is silent")
                print(heard.text()[-1500:])
                return None, None
            return orca, heard

        orca, heard = start_orca()
        if orca is None:
            return SKIP

        store = baby_in_store(d.env["XDG_CONFIG_HOME"], 600, caca=2)
        a = Accessible(d)
        game = d.start([GRIBO], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        keys = lambda *k: d.xdotool("key", *k)  # noqa: E731
        focused = lambda item: a.has_state(a.find("menu item", item), a.pyatspi.STATE_FOCUSED)  # noqa: E731
        menu_open = lambda: a.has_state(a.find("menu item", "Objets"), a.pyatspi.STATE_SHOWING)  # noqa: E731

        def walk(steps):
            """Presses each key once the one before has done its work: with a screen
            reader, Qt hands each key to it first, and a burst of keys can arrive out
            of order."""
            for key, then in steps:
                keys(key)
                if then == "menu":
                    a.wait(menu_open, f"the menu open after {key}")
                elif then:
                    a.wait(lambda: focused(then), f"{then} highlighted after {key}")
        names = lambda: [text for kind, text in a.heard if kind == "name"]  # noqa: E731

        def room():
            a.wait(lambda: d.active_window_name() == "Gribo" and a.scene_has_keyboard(), "the room's keyboard")

        def spoken_window(entry_keys, caption, what):
            """Opens a window by keys; Orca must speak its label's text. Closes it by
            the window manager's key."""
            since = heard.mark()
            walk(entry_keys)
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
            walk(BY_KEYS["Laver"])
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
                walk(BY_KEYS["Lait"])
                a.wait(lambda: (a.scene_name() or "").startswith("Gribo boit"), "the meal")
                a.wait(lambda: (a.scene_name() or "").startswith(RESTS), "the meal's end")

            # The statistics and the vet, opened by the keyboard, spoken as they open.
            faim = read_store(store)["stats/faim"]  # 400, or 500 past a new hour
            spoken_window(BY_KEYS["Stats"], "Form2", lambda lines: ["Stade :nourrisson", "Faim : " + faim])
            spoken_window(BY_KEYS["Veterinaire"], "Form4", lambda lines: lines[:1])

            # A starving baby, in a game started anew: the death notice is spoken as it
            # comes up, at the first tick of the life clock, and Alt+F4 closes it. Orca
            # starts anew too: Orca 48 takes a game started after another has gone for
            # a dead one, and says nothing of it.
            game.terminate()
            game.wait(120)  # the game must end by itself, its pet saved
            a.wait(lambda: a.app() is None, "the first game gone")
            d.stop(orca, 30)
            orca, heard = start_orca()
            if orca is None:
                raise Timeout("Orca does not start again")
            baby_in_store(d.env["XDG_CONFIG_HOME"], 1500)
            since = heard.mark()
            d.start([GRIBO], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
            room()
            a.wait(lambda: a.window("Form3") and d.active_window_name() == "Form3", "the death notice", 60)
            try:
                a.wait(lambda: heard.said(["Triste nouvelle, Gribo est mort."], since), "Orca speaking the notice", 30)
                check(True, "Orca speaks the death notice as it comes up")
            except Timeout:
                check(False, f"Orca did not speak the death notice: {heard.spoken(since)}")
            keys("alt+F4")
            a.wait(lambda: a.window("Form3") is None, "the notice closed")
            room()
        except Timeout as e:
            check(False, str(e))
        finally:
            if orca.poll() is not None:
                check(False, "Orca stopped during the test (another Orca of the same user replaces it as it starts)")
            print("names:", names())
            print("Orca spoke:", *[s for s in heard.spoken() if "Gribo" in s or "Form" in s or "Stade" in s],
                  sep="\n  ")
            keep = os.environ.get("GRIBO_A11Y_KEEP_LOG")
            if keep:
                with open(keep, "w") as f:
                    f.write(heard.text())
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
