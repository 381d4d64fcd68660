"""Shared by the end-to-end test scripts: checks that collect failures, process handling, and
looking at what a saver drew on an X display (screenshots and the escape-time palette)."""
import math
import re
import subprocess


def hsv_to_rgb(h, s, v):
    h = 0.0 if h == 1.0 else h
    value = v * 255
    grey = int(value) & 0xFF
    if s == 0:
        return grey, grey, grey
    hue = h * 360 / 60
    sector = int(hue)
    f = hue - sector
    p, q, r = (int(x) & 0xFF for x in ((1 - s) * value, (1 - f * s) * value, (1 - s * (1 - f)) * value))
    return [(grey, r, p), (q, grey, p), (p, grey, r), (p, q, grey), (r, p, grey), (grey, p, q)][sector]


def escape_palette():
    """The escape-time colours of counts 0 to 95 (96 is transparent)."""
    colours = []
    for n in range(96):
        t = n / 96
        colours.append(hsv_to_rgb(1 - t, 0.7 + 0.2 * math.sin(6 * math.pi * t),
                                  0.4 + 0.2 * (1 - t) * math.cos(6 * math.pi * t)))
    return colours


PALETTE = set(escape_palette())


def screenshot(window="root", env=None):
    """The pixels of an X window as a list of (r, g, b) rows."""
    ppm = subprocess.run(["import", "-silent", "-window", window, "-depth", "8", "ppm:-"], capture_output=True,
                         env=env).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
    if header is None:
        return [[(0, 0, 0)]]
    width, height = int(header.group(1)), int(header.group(2))
    data = ppm[header.end():]
    return [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)] for y in range(height)]


def palette_share(pixels):
    """The share of pixels that show an escape-time colour."""
    total = sum(len(row) for row in pixels)
    return sum(1 for row in pixels for p in row if p in PALETTE) / total


failures = []


def check(condition, message):
    """Records a failed expectation and goes on, so one run reports every failure."""
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def wait_exit(process, timeout):
    """The process's exit code, or None if it is still running after timeout seconds."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def stop(process):
    if process.poll() is None:
        process.kill()
        process.wait()


def run_case(module, doc, arguments):
    """Runs the case_NAME function that the first argument names with the other arguments."""
    import sys
    case = getattr(module, "case_" + arguments[0], None) if arguments else None
    if case is None:
        print(doc, file=sys.stderr)
        return 2
    case(*arguments[1:])
    print("%s: %s" % (arguments[0], "ok" if not failures else "%d failed" % len(failures)))
    return 1 if failures else 0
