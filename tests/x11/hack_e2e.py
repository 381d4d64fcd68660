#!/usr/bin/env python3
"""End-to-end tests of the X11 front end, each on a virtual X display (Xvfb) of its own.

Usage: hack_e2e.py CASE VORPANE TEST-WINDOW
"""
import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from e2e_support import check, failures, palette_share, run_case, screenshot, stop, wait_exit  # noqa: E402,F401


class virtual_display:
    """An Xvfb of 1024x768 on a free display number."""

    def __enter__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
                                        "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        self.env = dict(os.environ, DISPLAY=":" + number, LP_NUM_THREADS="0")
        self.env.pop("XSCREENSAVER_WINDOW", None)
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait()

    def start(self, *command, env=None, **kwargs):
        return subprocess.Popen(list(command), env=dict(self.env, **(env or {})), **kwargs)

    def x(self, *command):
        return subprocess.run(command, capture_output=True, text=True, env=self.env).stdout

    def shot(self, window="root"):
        return screenshot(window, env=self.env)

    def wait_for_picture(self, window="root", timeout=20.0):
        deadline = time.monotonic() + timeout
        share = 0.0
        while time.monotonic() < deadline:
            share = palette_share(self.shot(window))
            if share > 0.5:
                break
            time.sleep(0.3)
        return share


def find_window(display, name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ids = display.x("xdotool", "search", "--onlyvisible", "--name", "^%s$" % name).split()
        if ids:
            return ids[0]
        time.sleep(0.1)
    return None


def geometry(display, window):
    info = display.x("xwininfo", "-id", window)
    return int(re.search(r"Width: (\d+)", info).group(1)), int(re.search(r"Height: (\d+)", info).group(1))


def test_window(display, helper, width, height):
    process = display.start(helper, str(width), str(height), stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    return process, process.stdout.readline().strip()


# ---- cases ----------------------------------------------------------------------------------

def case_root(vorpane, helper):
    with virtual_display() as d:
        hack = d.start(vorpane, "-root")
        share = d.wait_for_picture()
        check(share > 0.5, "-root draws the escape-time image over the screen (%.2f)" % share)
        names = set()
        for task in os.listdir("/proc/%d/task" % hack.pid):
            with open("/proc/%d/task/%s/comm" % (hack.pid, task)) as f:
                names.add(f.read().strip())
        check("vorpane-worker" in names, "the worker thread is named vorpane-worker: %s" % sorted(names))
        started = time.monotonic()
        hack.send_signal(signal.SIGTERM)
        code = wait_exit(hack, 1.0)
        check(code == 0, "SIGTERM ends it within a second with 0 (got %s after %.2f s)"
              % (code, time.monotonic() - started))
        stop(hack)


def case_window_id(vorpane, helper):
    for how in ("-window-id", "XSCREENSAVER_WINDOW"):
        with virtual_display() as d:
            owner, window = test_window(d, helper, 400, 300)
            if how == "-window-id":
                hack = d.start(vorpane, "-window-id", window, stderr=subprocess.PIPE, text=True)
            else:
                hack = d.start(vorpane, "-root", env={"XSCREENSAVER_WINDOW": window}, stderr=subprocess.PIPE,
                               text=True)
            share = d.wait_for_picture(window)
            check(share > 0.5, "%s: the image fills the given window (%.2f)" % (how, share))
            outside = palette_share([row[500:] for row in d.shot()[:300]])
            check(outside < 0.01, "%s: nothing is drawn outside the given window (%.2f)" % (how, outside))
            owner.stdin.write("destroy\n")
            owner.stdin.flush()
            code = wait_exit(hack, 5.0)
            message = hack.stderr.read() if code is not None else ""
            check(code not in (None, 0), "%s: a window that disappears ends the run with a failure (%s)" % (how, code))
            check(len(message.strip().splitlines()) == 1 and "went away" in message,
                  "%s: ...and one line that says so: %r" % (how, message))
            stop(hack)
            owner.stdin.close()
            stop(owner)


def case_own_window(vorpane, helper):
    with virtual_display() as d:
        hack = d.start(vorpane, "-geometry", "640x480+0+0")
        window = find_window(d, "Vorpane")
        check(window is not None, "-window opens a window titled Vorpane")
        if window is None:
            stop(hack)
            return
        check(geometry(d, window) == (640, 480), "-geometry sets its size: %s" % (geometry(d, window),))
        share = d.wait_for_picture(window)
        check(share > 0.5, "the own window shows the image (%.2f)" % share)

        d.x("xdotool", "windowsize", window, "400", "500")
        time.sleep(1.5)
        check(geometry(d, window) == (400, 500), "the window was resized: %s" % (geometry(d, window),))
        shot = d.shot(window)
        check(palette_share(shot) > 0.5, "after a resize the picture still fills the window (%.2f)"
              % palette_share(shot))
        # The image stretches with the window: its middle row is coloured from edge to edge.
        middle = shot[len(shot) // 2]
        edges = middle[:20] + middle[-20:]
        check(palette_share([edges]) > 0.5, "the picture reaches both sides of the resized window")
        check(hack.poll() is None, "a resize does not end the run")

        d.x("xdotool", "mousemove", "--window", window, "100", "100")
        d.x("xdotool", "key", "q")
        check(wait_exit(hack, 2.0) == 0, "q ends a -window run with 0")
        stop(hack)

        hack = d.start(vorpane, "-geometry", "320x240+0+0")
        window = find_window(d, "Vorpane")
        d.x("xdotool", "mousemove", "--window", window, "50", "50")
        time.sleep(0.5)
        d.x("xdotool", "key", "Escape")
        check(wait_exit(hack, 2.0) == 0, "Escape ends it too")
        stop(hack)


def case_bad_options(vorpane, helper):
    table = [["-bogus"], ["-delay", "soon"], ["-window-id"], ["-window-id", "0xZZ"], ["-geometry", "big"]]
    for args in table:
        result = subprocess.run([vorpane, *args], capture_output=True, text=True, timeout=10)
        first = result.stderr.splitlines()[0] if result.stderr else ""
        check(result.returncode == 2, "%s exits 2, got %d" % (args, result.returncode))
        check(args[-1] in first or args[0] in first, "%s: the first line names it: %r" % (args, first))
        check("usage:" in result.stderr, "%s: the usage follows" % args)
    with virtual_display() as d:
        result = subprocess.run([vorpane, "-window-id", "0x7777777"], capture_output=True, text=True, timeout=10,
                                env=d.env)
        check(result.returncode == 2 and "0x7777777" in result.stderr.splitlines()[0],
              "a window id that names no window is refused: %d %r" % (result.returncode, result.stderr))
    result = subprocess.run([vorpane], capture_output=True, text=True, timeout=10,
                            env=dict(os.environ, DISPLAY=":9999"))
    check(result.returncode != 0 and ":9999" in result.stderr,
          "a display that cannot be opened is named: %d %r" % (result.returncode, result.stderr))


def case_install(vorpane, helper):
    """cmake --install puts the hack and its settings where XScreenSaver looks for them."""
    import tempfile
    import xml.etree.ElementTree as tree
    build = os.path.dirname(os.path.dirname(os.path.abspath(vorpane)))
    with tempfile.TemporaryDirectory() as prefix:
        result = subprocess.run(["cmake", "--install", build, "--prefix", prefix], capture_output=True, text=True)
        check(result.returncode == 0, "cmake --install succeeds: %s" % result.stderr)
        hack = os.path.join(prefix, "libexec", "xscreensaver", "vorpane")
        check(os.access(hack, os.X_OK), "the hack is installed in libexec/xscreensaver")
        config = os.path.join(prefix, "share", "xscreensaver", "config", "vorpane.xml")
        root = tree.parse(config).getroot()
        check(root.tag == "screensaver" and root.get("name") == "vorpane" and root.get("_label") == "Vorpane",
              "the settings name the hack: %s" % root.attrib)
        delay = [n for n in root.iter("number") if n.get("id") == "delay"]
        check(delay and delay[0].get("arg") == "-delay %" and delay[0].get("default") == "50000",
              "the settings offer the frame delay")
        description = root.findtext("_description") or ""
        check("Mandelbrot" in description, "the settings describe it")
        result = subprocess.run([hack, "-bogus"], capture_output=True, text=True)
        check(result.returncode == 2, "the installed hack runs")


if __name__ == "__main__":
    sys.exit(run_case(sys.modules[__name__], __doc__, sys.argv[1:]))
