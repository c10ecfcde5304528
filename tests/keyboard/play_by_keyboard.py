#!/usr/bin/python3
"""The game played by the keyboard alone, as a player without a mouse plays it.

The real game runs on a private desktop: an X server (Xvfb), a window manager
(openbox), a D-Bus session bus and the accessibility bus. Keys go through the X server
only (xdotool, XTest), never to a widget; what the game shows is read as a screen
reader reads it (AT-SPI: the scene's name, the windows, who holds the keyboard) and
from the store's file. Every step waits for the state it needs.

  play_by_keyboard.py GRIBO commands   every menu entry, in turn, on a resting baby
                                       (faim 300, 2 droppings, none owed)
  play_by_keyboard.py GRIBO notices    the death notice of a starving baby and the keys
                                       the player presses meanwhile

Exits 77 (skipped) where a program it needs is missing. GRIBO_KEYBOARD_SHOTS=folder
keeps screenshots of the steps.
"""
import ctypes
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from x_desktop import Accessible, XDesktop, baby_in_store, read_store, skip_unless  # noqa: E402

GRIBO = os.path.abspath(sys.argv[1])
SCENARIO = sys.argv[2] if len(sys.argv) > 2 else "commands"
SHOTS = os.environ.get("GRIBO_KEYBOARD_SHOTS")

RESTS = "Gribo se prom\u00e8ne"

# Every entry of the menus by keys alone, with each way in (F10, Alt) and each key
# that runs an entry (Return, keypad Enter, Space). F10 opens the first drop-down with
# nothing highlighted, and so does Alt pressed and let go alone.
ENTRIES = {
    "Stats": ["F10", "Right", "Return"],
    "Stats by Alt": ["alt", "Right", "space"],
    "Veterinaire": ["F10", "Down", "Down", "Right", "Down", "KP_Enter"],
    "Veterinaire by Alt": ["alt", "Down", "Down", "Right", "Down", "Return"],
    "Lait": ["F10", "Down", "Right", "Return"],
    "Laver": ["F10", "Down", "Down", "Right", "space"],
    "Viande": ["alt", "Down", "Right", "Down", "KP_Enter"],
    "\u00a7DEV\u00a7RESET": ["F10", "Down", "Down", "Down", "space"],
}


class Failure(Exception):
    pass


class Player:
    def __init__(self, desktop, a11y, store):
        self.d, self.a, self.store = desktop, a11y, store
        self.shot = 0

    def keys(self, *keys):
        self.d.xdotool("key", *keys)

    def look(self, what):
        if SHOTS:
            self.shot += 1
            os.makedirs(SHOTS, exist_ok=True)
            self.d.screenshot(os.path.join(SHOTS, f"{SCENARIO}-{self.shot:02d}-{what}.png"))

    def check(self, ok, what):
        if not ok:
            raise Failure(what)
        print("ok:", what)

    def window(self, name):
        return self.a.window(name)

    def wait_window(self, name):
        """Waits until the game's window `name` is open and holds the keyboard."""
        self.a.wait(lambda: self.window(name) and self.d.active_window_name() == name, f"{name} open and active")
        return self.window(name)

    def wait_closed(self, name):
        self.a.wait(lambda: self.window(name) is None, f"{name} closed")

    def wait_room(self):
        """Waits until the room holds the keyboard, its window active."""
        self.a.wait(lambda: self.d.active_window_name() == "Gribo" and self.a.scene_has_keyboard(),
                    "the room holding the keyboard")

    def wait_rest(self, exactly=None):
        self.a.wait(lambda: (self.a.scene_name() or "").startswith(exactly or RESTS), f"the pet at rest: {exactly}")

    def wait_store(self, key, value):
        self.a.wait(lambda: read_store(self.store).get(key) == value, f"{key}={value!r} in the store")

    def menu_open(self):
        """gribo's drop-down shows."""
        return self.a.has_state(self.a.find("menu item", "Objets"), self.a.pyatspi.STATE_SHOWING)

    def f10_works(self):
        """F10 opens the menus; Escape closes them and gives the keyboard back to the room."""
        self.keys("F10")
        self.a.wait(self.menu_open, "gribo's drop-down open after F10")
        self.check(not self.a.scene_has_keyboard(), "the menu holds the keyboard, not the room")
        self.keys("Escape")
        self.a.wait(lambda: not self.menu_open(), "the drop-down closed by Escape")
        self.wait_room()
        self.check(True, "F10 opens the menus, Escape gives the keyboard back to the room")

    def escape_climbs_from_a_sub_menu(self):
        """Escape in a sub-menu goes back to its menu; once more, back to the room."""
        showing = lambda item: self.a.has_state(self.a.find("menu item", item), self.a.pyatspi.STATE_SHOWING)  # noqa: E731
        self.keys("F10", "Down", "Right")
        self.a.wait(lambda: showing("Lait"), "the sub-menu Objets open")
        self.keys("Escape")
        self.a.wait(lambda: not showing("Lait"), "the sub-menu closed by Escape")
        self.check(self.menu_open(), "Escape in a sub-menu leaves its menu open")
        self.keys("Escape")
        self.a.wait(lambda: not self.menu_open(), "the menu closed by Escape")
        self.wait_room()

    def run(self, entry):
        self.keys(*ENTRIES[entry])


def commands(d, a, p):
    p.wait_rest()
    p.wait_room()
    p.look("start")

    # 1. The statistics, closed by the window manager's key.
    p.run("Stats")
    form2 = p.wait_window("Form2")
    p.look("stats")
    text = " ".join(a.texts(form2))
    p.check("Stade :nourrisson Faim : 300" in text and "caca:2" in text, f"the statistics say {text!r}")
    p.keys("alt+F4")
    p.wait_closed("Form2")
    p.wait_room()
    p.f10_works()
    p.escape_climbs_from_a_sub_menu()

    # The vet, closed by the window manager's key...
    p.run("Veterinaire")
    form4 = p.wait_window("Form4")
    text = " ".join(a.texts(form4))
    p.check("en parfaite sant\u00e9" in text, f"the vet says {text!r}")
    p.look("vet")
    p.keys("alt+F4")
    p.wait_closed("Form4")
    p.wait_room()
    p.f10_works()

    # ... and by its button: Tab goes from the picture to "OK", where Return, Enter
    # and Escape press nothing and Space presses it.
    p.run("Veterinaire by Alt")
    p.wait_window("Form4")
    ok = lambda: a.find("push button", "OK")  # noqa: E731
    focused = lambda node: a.has_state(node, a.pyatspi.STATE_FOCUSED)  # noqa: E731
    p.check(not focused(ok()), "Form4 opens with its picture, not OK, holding the keyboard")
    p.keys("Tab")
    a.wait(lambda: focused(ok()), "Tab on OK")
    p.keys("Return", "KP_Enter", "Escape", "Tab")
    a.wait(lambda: not focused(ok()), "Tab back to the picture")
    p.check(p.window("Form4") is not None, "Return, Enter and Escape press no button")
    p.keys("Tab")
    a.wait(lambda: focused(ok()), "Tab on OK again")
    p.keys("space")
    p.wait_closed("Form4")
    p.wait_room()
    p.f10_works()
    p.wait_rest()

    # 2. The statistics once more, from Alt, run by Space.
    p.run("Stats by Alt")
    p.wait_window("Form2")
    p.keys("alt+F4")
    p.wait_closed("Form2")
    p.wait_room()
    p.f10_works()

    # 3. Milk: a dropping owed.
    p.run("Lait")
    p.wait_store("stats/cacafait", "Non")
    p.look("lait")
    p.wait_room()
    p.wait_rest()

    # 4. The bath: the floor clean.
    p.run("Laver")
    p.wait_store("stats/caca", "0")
    p.look("laver")
    a.wait(lambda: a.scene_name() == RESTS, "the pet at rest on a clean floor")

    # 5. Meat.
    p.run("Viande")
    a.wait(lambda: (a.scene_name() or "").startswith("Gribo mange de la viande"), "the pet eating meat")
    p.look("viande")
    p.wait_rest()
    p.wait_room()

    # 6. The reset, last: the store is the next pet's.
    p.run("\u00a7DEV\u00a7RESET")
    p.wait_store("stade/stade", "")
    p.wait_room()
    p.look("reset")


class Opens:
    """Counts the times a file is opened (inotify): each tick of the life clock shows
    the sky, and every sky starts from the night's picture."""

    IN_OPEN = 0x20

    def __init__(self, path):
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0 or self.libc.inotify_add_watch(self.fd, path.encode(), self.IN_OPEN) < 0:
            raise OSError(ctypes.get_errno(), "inotify on " + path)
        self.count = 0

    def seen(self):
        try:
            while True:
                data = os.read(self.fd, 4096)
                self.count += len(data) // 16  # events on a watched file carry no name
        except BlockingIOError:
            pass
        return self.count


def notices(d, a, p, opens):
    # A key held down when the notice comes up: its press tells the room, its repeats
    # and its release press nothing.
    p.wait_room()
    d.xdotool("keydown", "space")
    a.wait(lambda: any(kind == "told" for kind, _ in a.heard), "the room told on Space")
    form3 = p.wait_window("Form3")
    p.look("notice")
    text = " ".join(a.texts(form3))
    p.check("mort" in text, f"the notice says {text!r}")
    d.xdotool("keyup", "space")
    # The window manager gives the keyboard back to the room after the release: the
    # game has handled the release once the room holds it.
    d.xdotool("search", "--onlyvisible", "--name", "^Gribo$", "windowactivate")
    p.wait_room()
    p.check(p.window("Form3") is not None, "a Space held as the notice came up does not close it")

    # A Space pressed on the notice closes it.
    d.xdotool("search", "--onlyvisible", "--name", "^Form3$", "windowactivate")
    p.wait_window("Form3")
    p.keys("space")
    p.wait_closed("Form3")
    p.wait_room()

    # In the menus when the life clock shows the notice again: it waits until they close.
    p.keys("F10")
    a.wait(p.menu_open, "gribo's drop-down open")
    ticks = opens.seen()
    a.wait(lambda: opens.seen() > ticks, "a tick of the life clock")
    p.keys("Down")  # handled once the tick is over
    a.wait(lambda: a.has_state(a.find("menu item", "Objets"), a.pyatspi.STATE_FOCUSED), "Objets highlighted")
    p.check(p.window("Form3") is None and p.menu_open(), "the notice waits while the menu is open")
    p.look("menu-during-notice")
    p.keys("Escape")
    p.wait_window("Form3")
    p.check(not p.menu_open(), "the notice comes up once the menus close")
    p.keys("alt+F4")
    p.wait_closed("Form3")
    p.wait_room()

    # The notice comes as the menus close on a Space held down: the key's repeats and
    # release leave it open.
    p.keys("F10", "Down", "Right")
    a.wait(lambda: a.has_state(a.find("menu item", "Lait"), a.pyatspi.STATE_SHOWING), "Lait showing")
    ticks = opens.seen()
    a.wait(lambda: opens.seen() > ticks, "a tick of the life clock")
    d.xdotool("keydown", "space")  # runs Lait (a crying baby drinks), and the menus close
    p.wait_window("Form3")
    d.xdotool("keyup", "space")
    d.xdotool("search", "--onlyvisible", "--name", "^Gribo$", "windowactivate")
    p.wait_room()
    p.check(p.window("Form3") is not None, "a Space held as the menus closed does not close the notice")


def main():
    skip_unless(["Xvfb", "openbox", "xdotool", "dbus-daemon", "/usr/libexec/at-spi-bus-launcher"],
                ["pyatspi"])
    with XDesktop() as d:
        store = baby_in_store(d.env["XDG_CONFIG_HOME"], *((300, 2, "Oui") if SCENARIO == "commands"
                                                           else (1500, 0, "Oui")))
        game, opens = GRIBO, None
        if SCENARIO == "notices":
            # A copy of the game with pictures of its own, so that its reads are its own.
            folder = os.path.join(d.run, "game")
            os.makedirs(folder)
            game = shutil.copy(GRIBO, folder)
            shutil.copytree(os.path.join(os.path.dirname(GRIBO), "datas"), os.path.join(folder, "datas"))
            opens = Opens(os.path.join(folder, "datas", "cielnuit.gif"))
        a = Accessible(d)
        d.start([game], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        p = Player(d, a, store)
        try:
            a.wait(lambda: a.scene() is not None and d.active_window_name() == "Gribo", "the game's window")
            if SCENARIO == "commands":
                commands(d, a, p)
            else:
                notices(d, a, p, opens)
        except Exception as e:
            p.look("failed")
            print("FAIL:", e)
            print("heard:", a.heard)
            return 1
    print("passed:", SCENARIO)
    return 0


if __name__ == "__main__":
    sys.exit(main())
