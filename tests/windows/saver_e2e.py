#!/usr/bin/env python3
"""End-to-end tests of the real Vorpane.scr under Wine on the virtual X display.

Usage: saver_e2e.py CASE BUILD-DIR
CASE is one of the functions named case_*; BUILD-DIR holds Vorpane.scr and the test programs.
The environment (DISPLAY, WINEPREFIX, a running wineserver) comes from the CTest fixture.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from e2e_support import check, failures, palette_share, run_case, screenshot, stop, wait_exit  # noqa: E402,F401

WINE = os.environ.get("VORPANE_WINE_EMULATOR", "wine")

WAIT_EXIT = 1.0  # the saver must be gone this soon after qualifying input


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def start(program, *args, env=None):
    full_env = dict(os.environ)
    full_env.update(env or {})
    return subprocess.Popen([WINE, program, *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            env=full_env, text=True)


def run(program, *args, env=None, timeout=20):
    process = start(program, *args, env=env)
    try:
        out, _ = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.communicate()
        return None, ""
    return process.returncode, out


def x(*command):
    return subprocess.run(command, capture_output=True, text=True).stdout


def find_window(name, timeout=15.0):
    """The X window Wine made for the Windows window titled name, or None."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ids = x("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(name)).split()
        if ids:
            return ids[0]
        time.sleep(0.1)
    return None


def window_geometry(window):
    info = x("xwininfo", "-id", window)
    width = int(re.search(r"Width: (\d+)", info).group(1))
    height = int(re.search(r"Height: (\d+)", info).group(1))
    return width, height


def wait_for_picture(window, timeout=20.0):
    """Waits until escape-time colours cover most of the window."""
    deadline = time.monotonic() + timeout
    share = 0.0
    while time.monotonic() < deadline:
        share = palette_share(screenshot(window))
        if share > 0.5:
            return share
        time.sleep(0.5)
    return share


def move_pointer_to_middle():
    x("xdotool", "mousemove", "512", "384")
    time.sleep(0.3)


def start_full_screen(scr, *args, env=None):
    move_pointer_to_middle()
    process = start(scr, "/s", *args, env=env)
    window = find_window("Screen Saver")
    check(window is not None, "/s opens a window titled 'Screen Saver'")
    return process, window


def reg(*args):
    subprocess.run([WINE, "reg", *args, "/f"], capture_output=True)


# ---- cases ----------------------------------------------------------------------------------

def case_command_lines(build):
    scr = os.path.join(build, "Vorpane.scr")
    table = [
        ("/x", 255), ("", 255), ("/c", 255), ("-C", 255), ("/c:1234", 255), ("/c 1234", 255),
        ("/p", 255), ("/p:1234", 255), ("/p 1234", 255), ("/l 0", 255), ("/a", 255), ("/A 12", 255),
        ("   ", 255), ("\u00e9\u00ff", 255), ("/p 99999999999999999999", 255), ("/p999garbage", 255),
        ("/cgarbage", 255), ("/agarbage", 255), ("/qs", 255), ("--", 255), ('"/s', 255),
    ]
    for line, expected in table:
        code, _ = run(scr, *([line] if line else []))
        check(code == expected, "%r exits %s, expected %s" % (line, code, expected))
    check(not x("xdotool", "search", "--name", "^Screen Saver$").split(), "no command line above opened a saver")


def case_full_screen(build):
    scr = os.path.join(build, "Vorpane.scr")
    process, window = start_full_screen(scr)
    if window is None:
        stop(process)
        return
    check(window_geometry(window) == (1024, 768), "the saver covers the virtual screen: %s" % (window_geometry(window),))
    # NOTE: Wine draws GL into an X child window of its own; the screen shows what is really there.
    share = wait_for_picture("root")
    check(share > 0.5, "escape-time colours cover most of the screen (%.2f)" % share)

    # A second start brings the first to the front and leaves at once.
    code, _ = run(scr, "/s", timeout=10)
    check(code == 0, "a second /s exits 0, got %s" % code)
    check(process.poll() is None, "the first saver keeps running after a second /s")

    # Four pixels of movement are not enough; five end it.
    x("xdotool", "mousemove_relative", "--", "3", "1")
    time.sleep(1.0)
    check(process.poll() is None, "a cursor move of 3+1 pixels keeps the saver")
    x("xdotool", "mousemove_relative", "--", "1", "0")
    check(wait_exit(process, WAIT_EXIT) == 0, "a move that adds up to 5 pixels ends the saver with 0")
    stop(process)


def case_exits_on_input(build):
    scr = os.path.join(build, "Vorpane.scr")
    inputs = [("a key", ["key", "a"]), ("a click", ["click", "1"]), ("a move of 6", ["mousemove_relative", "--", "6", "0"])]
    for what, command in inputs:
        process, window = start_full_screen(scr)
        if window is None:
            stop(process)
            continue
        wait_for_picture("root")
        time.sleep(0.5)
        check(process.poll() is None, "the saver is still running before %s" % what)
        x("xdotool", *command)
        code = wait_exit(process, WAIT_EXIT)
        check(code == 0, "%s ends the saver within a second with 0 (got %s)" % (what, code))
        stop(process)


def case_preview(build):
    scr = os.path.join(build, "Vorpane.scr")
    work = tempfile.mkdtemp()
    stop_file = os.path.join(work, "stop")
    parent = start(os.path.join(build, "preview_parent.exe"), "320", "240", wine_path(stop_file))
    try:
        handle = parent.stdout.readline().strip()
        check(handle.isdigit(), "the parent prints its handle: %r" % handle)
        saver = start(scr, "/p", handle)
        time.sleep(3.0)
        check(saver.poll() is None, "the preview runs")
        # NOTE: Wine draws a GL child window into an X window of its own, an unnamed one of the
        # child's size under a hidden 1x1 window, not onto the parent's.
        tree = x("xwininfo", "-root", "-tree")
        children = re.findall(r"^\s+(0x[0-9a-f]+) \(has no name\): \(\)\s+320x240\+", tree, re.M)
        check(children, "an X window of the preview's size exists")
        if children:
            share = wait_for_picture(children[-1])
            check(share > 0.5, "the preview shows the escape-time image (%.2f)" % share)
        for command in (["key", "a"], ["click", "1"], ["mousemove_relative", "--", "40", "30"]):
            x("xdotool", *command)
        time.sleep(1.0)
        check(saver.poll() is None, "keys, clicks and moves do not end a preview")
        open(stop_file, "w").close()
        check(wait_exit(saver, 10) == 0, "the preview ends with 0 when its parent destroys it")
        check(wait_exit(parent, 10) == 0, "the parent ends")
    finally:
        open(stop_file, "w").close()
        for p in (parent,):
            stop(p)
        shutil.rmtree(work, ignore_errors=True)


def win98_copy(build, work, name, with_password=True):
    """A copy of a program that Wine presents Windows 98 to, with test doubles beside it."""
    copy = os.path.join(work, name)
    shutil.copy(os.path.join(build, "Vorpane.scr" if name.endswith(".scr") else name), copy)
    if with_password:
        shutil.copy(os.path.join(build, "password_cpl.dll"), os.path.join(work, "PASSWORD.CPL"))
    shutil.copy(os.path.join(build, "mpr_dll.dll"), os.path.join(work, "MPR.DLL"))
    reg("add", "HKCU\\Software\\Wine\\AppDefaults\\" + name, "/v", "Version", "/d", "win98")
    return copy


def saver_running(build):
    code, out = run(os.path.join(build, "spi_query.exe"))
    return out.strip()


def case_win98_password(build):
    work = tempfile.mkdtemp()
    log = os.path.join(work, "calls.log")
    name = "VorpaneWin98.scr"
    try:
        scr = win98_copy(build, work, name)
        reg("add", "HKCU\\Control Panel\\Desktop", "/v", "ScreenSaveUsePassword", "/t", "REG_DWORD", "/d", "1")
        env = {"VORPANE_TEST_LOG": wine_path(log), "VORPANE_TEST_ANSWERS": "01"}
        check(saver_running(build) == "0", "no saver marked running before the start")
        move_pointer_to_middle()
        process = start(scr, "/s", env=env)
        window = find_window("Screen Saver")
        check(window is not None, "the Windows 98 saver opens its window")
        wait_for_picture("root")
        check(saver_running(build) == "1", "the saver marks itself running while a password is in use")

        # Refused: the saver stays, and a second close request right after is refused unasked.
        x("xdotool", "key", "a", "sleep", "0.05", "key", "b")
        time.sleep(1.5)
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        check(len(calls) == 1, "one prompt for two quick close requests, got %d: %s" % (len(calls), calls))
        check(process.poll() is None, "a refused password keeps the saver")
        check(calls and "running=1" in calls[0], "the system marks a saver running during the prompt")

        x("xdotool", "key", "c")
        code = wait_exit(process, 5)
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        check(len(calls) == 2, "a later close prompts again: %s" % calls)
        check(code == 0, "an accepted password ends the saver with 0, got %s" % code)
        check(saver_running(build) == "0", "the running mark is cleared at the end")
        stop(process)
    finally:
        reg("delete", "HKCU\\Software\\Wine\\AppDefaults\\" + name)
        reg("add", "HKCU\\Control Panel\\Desktop", "/v", "ScreenSaveUsePassword", "/t", "REG_DWORD", "/d", "0")
        shutil.rmtree(work, ignore_errors=True)


def case_win98_password_change(build):
    work = tempfile.mkdtemp()
    log = os.path.join(work, "calls.log")
    name = "VorpaneWin98.scr"
    try:
        scr = win98_copy(build, work, name, with_password=False)
        # Wine has an MPR.DLL of its own; the stand-in beside the saver must win.
        env = {"VORPANE_TEST_LOG": wine_path(log), "VORPANE_WINEDLLOVERRIDES": "mpr=n",
               "WINEDLLOVERRIDES": "mpr=n;mscoree,mshtml="}
        code, _ = run(scr, "/a", env=env)
        check(code == 0, "/a exits 0 on Windows 98, got %s" % code)
        calls = open(log).read().splitlines() if os.path.exists(log) else []
        check(len(calls) == 1 and re.match(r"change provider=SCRSAVE parent=\d+ reserved=0,0$", calls[0] if calls else ""),
              "MPR.DLL's PwdChangePasswordA gets (SCRSAVE, parent, 0, 0): %s" % calls)
        # Outside the family the same command line is refused.
        code, _ = run(os.path.join(build, "Vorpane.scr"), "/a", env=env)
        check(code == 255, "/a exits -1 outside Windows 98, got %s" % code)
    finally:
        reg("delete", "HKCU\\Software\\Wine\\AppDefaults\\" + name)
        shutil.rmtree(work, ignore_errors=True)


def case_exception_guard(build):
    faulty = os.path.join(build, "faulty_saver.exe")
    for fault in ("throw", "crash"):
        move_pointer_to_middle()
        code, _ = run(faulty, "/s", env={"VORPANE_TEST_FAULT": fault}, timeout=20)
        check(code == 255, "a saver that fails (%s) exits with -1, got %s" % (fault, code))
    # On Windows 98 with a password in use, the guard clears the running mark.
    work = tempfile.mkdtemp()
    name = "faulty_saver.exe"
    try:
        copy = win98_copy(build, work, name)
        reg("add", "HKCU\\Control Panel\\Desktop", "/v", "ScreenSaveUsePassword", "/t", "REG_DWORD", "/d", "1")
        code, _ = run(copy, "/s", env={"VORPANE_TEST_FAULT": "crash"}, timeout=20)
        check(code == 255, "the Windows 98 saver that crashes exits with -1, got %s" % code)
        check(saver_running(build) == "0", "the guard clears the running mark")
    finally:
        reg("delete", "HKCU\\Software\\Wine\\AppDefaults\\" + name)
        reg("add", "HKCU\\Control Panel\\Desktop", "/v", "ScreenSaveUsePassword", "/t", "REG_DWORD", "/d", "0")
        shutil.rmtree(work, ignore_errors=True)


def case_imports(build):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", os.path.join(build, "Vorpane.scr")],
                          capture_output=True, text=True).stdout
    dlls = {d.upper() for d in re.findall(r"DLL Name: (\S+)", dump)}
    system = {"ADVAPI32.DLL", "COMCTL32.DLL", "GDI32.DLL", "GLU32.DLL", "KERNEL32.DLL", "MSVCRT.DLL",
              "OPENGL32.DLL", "USER32.DLL"}
    check(dlls and dlls <= system, "Vorpane.scr imports only system DLLs: %s" % sorted(dlls))
    image = open(os.path.join(build, "Vorpane.scr"), "rb").read()
    # A string table entry is its length in UTF-16 units followed by the text.
    check(re.search(rb".\x00" + "Vorpane".encode("utf-16-le"), image) is not None, "string 1 begins with Vorpane")


if __name__ == "__main__":
    sys.exit(run_case(sys.modules[__name__], __doc__, sys.argv[1:]))
