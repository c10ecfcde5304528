"""A private X desktop for the tests that run the real game and listen to it through
AT-SPI: an X server (Xvfb), optionally a window manager (openbox), a D-Bus session bus
and the accessibility bus, all in a temporary folder that is the runtime folder, home
and configuration of everything started here. Nothing of the caller's session is used,
and everything started is stopped, and the folder removed, on leaving the `with`.

Also the store fixtures the game is started on, and a wait that polls for a state:
a test waits for what it needs, never for a time.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import store_fixture  # noqa: E402  (the one home of the store's place and the hour stamp)

SKIP = 77  # ctest's SKIP_RETURN_CODE


def skip_unless(programs, modules=()):
    """Exits with SKIP, saying what is missing, unless every program and module is there."""
    missing = [p for p in programs if not (shutil.which(p) or os.access(p, os.X_OK))]
    for m in modules:
        try:
            __import__(m)
        except ImportError:
            missing.append("python3-" + m)
    if missing:
        print("skipped:", ", ".join(missing), "missing (scripts/install-deps --test)")
        sys.exit(SKIP)


def baby_in_store(config_home, faim, caca=0, cacafait="Oui"):
    """Writes a store under `config_home` that holds a resting baby fed at this very hour,
    with that hunger and droppings; returns the store's path."""
    return store_fixture.write_baby(config_home, faim=faim, caca=caca, cacafait=cacafait)


def read_store(path):
    """The store's file as {"section/key": text}, read from the disk itself."""
    values, section = {}, ""
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1]
            elif "=" in line:
                key, value = line.split("=", 1)
                values[f"{section}/{key}"] = value
    return values


class Timeout(Exception):
    pass


def wait_until(condition, what, deadline=60.0, step=None):
    """Calls `condition` until it returns something true, and returns that. `step` runs
    between two calls (to turn an event loop); the deadline only ends a test that is
    failing anyway, it decides nothing."""
    end = time.monotonic() + deadline
    while True:
        got = condition()
        if got:
            return got
        if time.monotonic() > end:
            raise Timeout(f"gave up waiting for {what}")
        if step:
            step()
        else:
            time.sleep(0.05)


class XDesktop:
    """Xvfb, the session bus, the accessibility bus and (with `window_manager`) openbox."""

    def __init__(self, window_manager=True, size="800x600x24"):
        self.window_manager = window_manager
        self.size = size
        self.procs = []
        self.run = None
        self.env = None

    def __enter__(self):
        self.run = tempfile.mkdtemp(prefix="gribo-desktop-")
        os.chmod(self.run, 0o700)
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        run = self.run
        env = dict(os.environ, XDG_RUNTIME_DIR=run, HOME=run, XDG_CONFIG_HOME=os.path.join(run, "config"),
                   XDG_CACHE_HOME=os.path.join(run, "cache"), XDG_DATA_HOME=os.path.join(run, "data"),
                   GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="0", LANG="C.UTF-8")
        for gone in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS",
                     "AT_SPI_BUS_ADDRESS", "PULSE_SERVER", "XAUTHORITY"):
            env.pop(gone, None)
        os.makedirs(env["XDG_CONFIG_HOME"])
        # None of the servers keeps the test's output open: one left behind never holds ctest.
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        read, write = os.pipe()
        self.procs.append(subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", self.size, "-noreset",
                                            "-nolisten", "tcp"], pass_fds=[write], env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        os.close(write)
        with os.fdopen(read) as f:
            display = f.readline().strip()
        if not display:
            raise RuntimeError("Xvfb did not start")
        env["DISPLAY"] = ":" + display
        # The number comes before the server answers every client: wait until it does.
        answers = lambda: subprocess.run(["xdotool", "getmouselocation"], env=env, timeout=30,  # noqa: E731
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
        xvfb = self.procs[-1]
        wait_until(lambda: answers() or xvfb.poll() is not None, "the X server to answer", 30)
        if xvfb.poll() is not None:
            raise RuntimeError("Xvfb stopped")
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                "--address=unix:path=" + os.path.join(run, "bus")],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
        self.procs.append(bus)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        bus.stdout.close()
        self.procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                           env=env, **quiet))
        if self.window_manager:
            # openbox runs its startup command once it manages the screen.
            ready = os.path.join(run, "wm-ready")
            log = os.path.join(run, "openbox.log")
            with open(log, "w") as out:
                self.procs.append(subprocess.Popen(["openbox", "--sm-disable", "--startup", "touch " + ready],
                                                   env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out))
            wm = self.procs[-1]
            wait_until(lambda: os.path.exists(ready) or wm.poll() is not None, "openbox", 30)
            if wm.poll() is not None:
                with open(log) as f:
                    raise RuntimeError("openbox did not start: " + f.read().strip())
        self.env = env

    def start(self, argv, **env):
        """Starts a program on this desktop (the game, Orca), stopped on leaving."""
        p = subprocess.Popen(argv, env=dict(self.env, **env), stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(p)
        return p

    def xdotool(self, *args):
        """Runs xdotool against this desktop's X server; returns its output."""
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              timeout=30).stdout

    def windows(self, name):
        """The X windows whose title is exactly `name` that are mapped now."""
        out = self.xdotool("search", "--onlyvisible", "--name", f"^{name}$")
        return [w for w in out.split()]

    def active_window_name(self):
        return self.xdotool("getactivewindow", "getwindowname").strip()

    def screenshot(self, path):
        """The whole screen as the player sees it, as a PNG (through GDK)."""
        subprocess.run([sys.executable, "-c",
                        "import gi,sys; gi.require_version('Gdk','3.0'); from gi.repository import Gdk;"
                        "r=Gdk.get_default_root_window();"
                        "Gdk.pixbuf_get_from_window(r,0,0,r.get_width(),r.get_height()).savev(sys.argv[1],'png',[],[])",
                        path], env=self.env, timeout=30)

    @staticmethod
    def stop(p, deadline=5.0):
        """Asks `p` to end, and kills it when it has not ended by the deadline (Orca,
        on a loaded machine, can take longer than any deadline to end by itself)."""
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(deadline)
            except Exception:  # the wait timed out, or waiting itself failed: nothing is left
                p.kill()
                p.wait()

    def __exit__(self, *_):
        for p in reversed(self.procs):
            self.stop(p)
        self.procs = []
        if self.run:
            shutil.rmtree(self.run, ignore_errors=True)
        return False


class Accessible:
    """The game on an XDesktop as assistive technologies read it, through AT-SPI. Made
    once the desktop runs: it joins the desktop's accessibility bus."""

    def __init__(self, desktop):
        os.environ.update(desktop.env)  # libatspi finds the bus from the environment
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self.context = GLib.MainContext.default()
        self.heard = []  # (kind, text) of every event of the scene, in order
        pyatspi.Registry.registerEventListener(self._on_event, "object:property-change:accessible-name",
                                               "object:property-change:accessible-description",
                                               "object:announcement", "window:activate")

    def _on_event(self, event):
        try:
            role = event.source.getRoleName()
        except Exception:
            return
        if role == "image" and event.type.endswith("accessible-name"):
            self.heard.append(("name", str(event.any_data)))
        elif role == "image":
            self.heard.append(("told", str(event.any_data)))

    def pump(self):
        """Turns the event loop once (events in, caches kept true), then rests a little."""
        while self.context.iteration(False):
            pass
        time.sleep(0.05)

    def wait(self, condition, what, deadline=60.0):
        return wait_until(condition, what, deadline, self.pump)

    def app(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == "gribo":
                return app
        return None

    def _fresh(self, node):
        try:
            node.clear_cache()
        except Exception:
            pass
        return node

    # Roles by the names AT-SPI gives them, which changed between releases.
    ROLES = {"push button": ("push button", "button")}

    def find(self, role, name=None, within=None):
        """The first object of the game with that role (and name), or None."""
        roles = self.ROLES.get(role, (role,))
        root = within or self.app()
        if root is None:
            return None
        try:
            self._fresh(root)
            for node in self.pyatspi.utils.findAllDescendants(root, lambda n: n.getRoleName() in roles):
                if name is None or self._fresh(node).name == name:
                    return node
        except Exception:  # the object went away while being read
            return None
        return None

    def window(self, name):
        """The game's top-level window of that caption, when it is open."""
        app = self.app()
        if app is None:
            return None
        try:
            self._fresh(app)
            for w in app:
                if w is not None and self._fresh(w).name == name:
                    return w
        except Exception:
            return None
        return None

    def scene(self):
        return self.find("image")

    def scene_name(self):
        scene = self.scene()
        return self._fresh(scene).name if scene is not None else None

    def has_state(self, node, state):
        try:
            return node is not None and self._fresh(node).getState().contains(state)
        except Exception:
            return False

    def scene_has_keyboard(self):
        return self.has_state(self.scene(), self.pyatspi.STATE_FOCUSED)

    def texts(self, window):
        """The labels' texts of a window, in order."""
        labels = self.pyatspi.utils.findAllDescendants(window, lambda n: n.getRoleName() == "label")
        return [self._fresh(label).name for label in labels]
