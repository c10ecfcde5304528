#!/usr/bin/python3
"""The game under a real screen reader, on servers of its own.

Starts, in a temporary XDG_RUNTIME_DIR, an X server (Xvfb), a D-Bus session bus, the
accessibility bus and Orca writing what it speaks to its debug log; runs the game on
them with a crying-hungry baby, then:
  - the scene has the keyboard;
  - its name changes exactly once when the crying starts (the first tick of the life
    clock, 20 s in) and once when the bath begins ("Laver", chosen through AT-SPI);
  - Space on the scene tells the whole scene again, and Orca speaks it (Qt 6.8 sends it
    as an announcement, Qt 6.4 as a description change);
  - Orca speaks "pleure" within 2 s of the crying's start and the bath when it begins.
Every server is stopped, and the folder removed, whatever happens.

usage: screen_reader_check.py path/to/gribo     (about 35 seconds)
needs: xvfb, dbus, at-spi2-core, python3-pyatspi, orca.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

GRIBO = os.path.abspath(sys.argv[1])
ORCA_TIMEOUT = 2.0


def hour_stamp():
    t = time.localtime()
    return (t.tm_year - 1) * 8640 + (t.tm_mon - 1) * 720 + (t.tm_mday - 1) * 24 + t.tm_hour


def start_servers(run, procs):
    """Xvfb, the session bus and the accessibility bus, added to `procs` as each starts
    (so a failure half-way still stops them); returns the environment. None of them
    keeps this test's output open: a server left behind must never hold ctest."""
    env = dict(os.environ, XDG_RUNTIME_DIR=run, HOME=run, XDG_CONFIG_HOME=os.path.join(run, "config"),
               XDG_CACHE_HOME=os.path.join(run, "cache"), XDG_DATA_HOME=os.path.join(run, "data"),
               GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="0", LANG="C.UTF-8")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    read, write = os.pipe()
    procs.append(subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                                  pass_fds=[write], stderr=subprocess.DEVNULL, env=env))
    os.close(write)
    with os.fdopen(read) as f:
        env["DISPLAY"] = ":" + f.readline().strip()
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                            "--address=unix:path=" + os.path.join(run, "bus")],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
    procs.append(bus)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env))
    return env


def stop(procs):
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(5)
            except Exception:  # the wait timed out, or sleeping itself failed: no server is left
                p.kill()
                p.wait()


def outer():
    run = tempfile.mkdtemp(prefix="gribo-a11y-")
    os.chmod(run, 0o700)
    procs = []
    try:
        env = start_servers(run, procs)
        time.sleep(1)
        orca_log = os.path.join(run, "orca.log")
        procs.append(subprocess.Popen(["orca", "--replace", "--debug-file=" + orca_log],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env))
        time.sleep(3)  # Orca registers its listeners
        env["GRIBO_A11Y_CHECK"] = orca_log
        return subprocess.run([sys.executable, os.path.abspath(__file__), GRIBO], env=env, timeout=120).returncode
    finally:
        stop(procs)
        keep = os.environ.get("GRIBO_A11Y_KEEP_LOG")
        if keep and os.path.exists(os.path.join(run, "orca.log")):
            shutil.copy(os.path.join(run, "orca.log"), keep)
        shutil.rmtree(run, ignore_errors=True)


def inner(orca_log):
    import pyatspi
    from gi.repository import GLib

    config = os.path.join(os.environ["XDG_RUNTIME_DIR"], "store")
    os.makedirs(os.path.join(config, "Gribo"))
    with open(os.path.join(config, "Gribo", "Gribo.conf"), "w") as f:
        f.write(f"[stade]\nstade=nourrisson\n[stats]\nfaim=600\ncaca=0\ncacafait=Oui\n"
                f"[datestats]\ndatenourrit={hour_stamp()}\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    started = time.monotonic()
    names, told, failures = [], [], []
    moments = {}
    wall = {}  # when each name first came, on the wall clock Orca's log uses

    def now():
        return time.monotonic() - started

    def on_event(event):
        try:
            if event.source.getRoleName() != "image":
                return
        except Exception:
            return
        if event.type.endswith("accessible-name"):
            names.append((now(), event.source.name))
            wall[event.source.name] = wall.get(event.source.name, time.time())
        elif event.type.endswith("accessible-description") or event.type.startswith("object:announcement"):
            told.append((now(), str(event.any_data)))

    def find(role, name=None):
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name.lower() != "gribo":
                continue
            for node in pyatspi.utils.findAllDescendants(app, lambda n: n.getRoleName() == role):
                if name is None or node.name == name:
                    return node
        return None

    def focus_window():
        # As a window manager would on a click: the X server gives the window the keyboard.
        subprocess.run(["xdotool", "search", "--sync", "--name", "^Gribo$", "windowfocus"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
        return False

    def check_focus():
        scene = find("image")
        if scene is None or not scene.getState().contains(pyatspi.STATE_FOCUSED):
            failures.append("the scene does not hold the keyboard")
        return False

    def bath():
        moments["bath"] = now()
        find("menu item", "Laver").queryAction().doAction(0)
        return False

    def space():
        moments["space"] = now()
        wall["space"] = time.time()
        pyatspi.Registry.generateKeyboardEvent(65, None, pyatspi.KEY_PRESSRELEASE)  # Space on Xvfb's keymap
        return False

    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                           "object:property-change:accessible-description", "object:announcement")
    gribo = subprocess.Popen([GRIBO], env=env, stderr=subprocess.DEVNULL)
    try:
        GLib.timeout_add(1500, focus_window)
        GLib.timeout_add(4000, check_focus)
        GLib.timeout_add(26000, bath)
        GLib.timeout_add(23000, space)
        GLib.timeout_add(31000, lambda: pyatspi.Registry.stop())
        pyatspi.Registry.start()
    finally:
        gribo.terminate()
        gribo.wait()

    # Once when the crying starts, once when the bath begins, once when it ends.
    heard = [n for _, n in names]
    if heard != ["Gribo pleure", "Gribo prend son bain", "Gribo se prom\u00e8ne"]:
        failures.append(f"the scene's names were not one for each change: {names}")
    elif not moments["bath"] <= names[1][0] < moments["bath"] + 1:
        failures.append(f"the bath's name came late: {names}, chosen at {moments['bath']:.1f}")
    # What Orca spoke, and when: its log's lines have no time, so it is read as it grows.
    with open(orca_log, errors="replace") as f:
        spoken = [line.strip() for line in f if "SPEECH OUTPUT" in line]
    def said(word, name):
        if name not in wall:
            return failures.append(f"no {name!r} to hear")
        t = time.localtime(wall[name])
        came = t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec + wall[name] % 1
        for line in spoken:
            h, m, sec = line.split(" - ")[0].split(":")
            at = int(h) * 3600 + int(m) * 60 + float(sec)
            if word in line and came - 0.5 <= at <= came + ORCA_TIMEOUT:
                return None
        return failures.append(f"Orca did not speak {word!r} within {ORCA_TIMEOUT} s")

    said("pleure", "Gribo pleure")
    said("bain", "Gribo prend son bain")
    # Space tells the whole scene: the name, then the rest.
    said("Gribo pleure. Par la fen", "space")
    print("names:", names)
    print("told:", told)
    print("Orca spoke:", *[s for s in spoken if "Gribo" in s or "Par la" in s], sep="\n  ")
    for f in failures:
        print("FAILED:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    log = os.environ.get("GRIBO_A11Y_CHECK")
    sys.exit(inner(log) if log else outer())
