#!/usr/bin/env python3
"""Drives the real vantora under a private Xvfb as a user would.

Two RAM disks of different sizes are mounted in a private mount namespace and
the program starts in the first, so the drive list holds them side by side
whatever else the machine has mounted. The script waits for the window, checks
its client size, saves a screenshot, steps to the next drive with the keyboard,
sees the capacity fields change, presses F10 and expects exit code 0 within a
second. It does this at 96 dpi and again at 144 dpi (QT_SCALE_FACTOR=1.5).

Usage: vantora_window_e2e.py VANTORA_EXECUTABLE SCREENSHOT_DIR
Exit 77 (skipped) when no mount namespace can be made (not root, no user namespaces).
"""

import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
WINDOW_NAME = "^Vantora  V2\\.1$"
REQUIRED_TOOLS = ["Xvfb", "xdotool", "xwininfo", "import", "convert", "unshare"]
# The tab page area in design pixels (SSTab1 below its strip): where the refresh
# writes the drive type and the capacities.
PAGE_AREA = (8, 140, 433, 141)


class Failure(Exception):
    pass


def run(*args, env=None):
    return subprocess.run(args, env=env, check=True, capture_output=True, text=True, timeout=30).stdout


def namespace_flag():
    """-m as root, -rm (a user namespace mapped to root) otherwise; None when neither works."""
    for flag in (["-m"], ["-rm"]):
        probe = subprocess.run(["unshare", *flag, "true"], capture_output=True)
        if probe.returncode == 0:
            return flag
    return None


def unused_display():
    """A display number no server listens on; far above those servers pick for themselves."""
    for number in range(64000, 64100):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and not os.path.exists(f"/tmp/.X{number}-lock"):
            return number
    raise Failure("no unused X display number between 64000 and 64099")


class PrivateXvfb:
    def __enter__(self):
        # Xvfb picks a free display itself and writes its number to the pipe
        # once it accepts clients: a number chosen here could be taken by
        # another X server starting at the same moment. -noreset: the server
        # would otherwise reset, and refuse connections for a moment, each time
        # its last client leaves.
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as reported:
            ready, _, _ = select.select([reported], [], [], 10)
            number = reported.readline().strip() if ready else ""
        if not number:
            self.__exit__()
            raise Failure("Xvfb did not report a display")
        self.display = f":{number}"
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def wait_for_window(env, program, log_path, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise Failure(f"vantora ended early with {program.returncode}: {open(log_path).read()}")
        found = subprocess.run(["xdotool", "search", "--name", WINDOW_NAME], env=env, capture_output=True, text=True)
        painted = "first-frame" in open(log_path).read()
        if found.returncode == 0 and found.stdout.split() and painted:
            return found.stdout.split()[0]
        time.sleep(0.1)
    raise Failure("the Vantora window did not appear")


def client_size(env, window):
    info = run("xwininfo", "-id", window, env=env)
    width = int(re.search(r"Width:\s+(\d+)", info).group(1))
    height = int(re.search(r"Height:\s+(\d+)", info).group(1))
    return width, height


def page_pixels(env, window, scale, work):
    """The raw RGB bytes of the tab page area of the window."""
    shot = os.path.join(work, "page.png")
    run("import", "-window", window, shot, env=env)
    x, y, w, h = (round(v * scale) for v in PAGE_AREA)
    return subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "rgb:-"],
                          check=True, capture_output=True, timeout=30).stdout


def wait_for_change(env, window, scale, work, before, timeout=5):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if page_pixels(env, window, scale, work) != before:
            return True
        time.sleep(0.1)
    return False


def drive_the_window(executable, shots, namespace, scale, shot_name):
    work = tempfile.mkdtemp(prefix="vantora-e2e-")
    first, second = os.path.join(work, "a"), os.path.join(work, "b")
    os.mkdir(first)
    os.mkdir(second)
    log_path = os.path.join(work, "stderr.txt")
    try:
        with PrivateXvfb() as xvfb, open(log_path, "w") as log:
            env = dict(os.environ, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
            env.pop("WAYLAND_DISPLAY", None)
            if scale != 1:
                env["QT_SCALE_FACTOR"] = str(scale)
            script = ('mount -t tmpfs -o size=8m vantora-e2e-a "$1" && '
                      'mount -t tmpfs -o size=16m vantora-e2e-b "$2" && cd "$1" && exec "$3"')
            program = subprocess.Popen(["unshare", *namespace, "sh", "-c", script, "sh", first, second, executable],
                                       env=env, stdout=subprocess.DEVNULL, stderr=log)
            try:
                window = wait_for_window(env, program, log_path)
                expected = (round(450 * scale), round(338 * scale))
                if client_size(env, window) != expected:
                    raise Failure(f"client area {client_size(env, window)}, expected {expected}")
                shot = os.path.join(shots, shot_name)
                run("import", "-window", "root", shot, env=env)
                print(f"screenshot: {shot}")

                # Focus starts on the tab strip; Tab twice reaches the drive list.
                run("xdotool", "windowfocus", "--sync", window, env=env)
                before = page_pixels(env, window, scale, work)
                run("xdotool", "key", "--delay", "50", "Tab", "Tab", "Down", env=env)
                if not wait_for_change(env, window, scale, work, before):
                    raise Failure("choosing the next drive with the keyboard did not refresh the page")
                run("import", "-window", "root", shot.replace(".png", "-next-drive.png"), env=env)

                started = time.monotonic()
                run("xdotool", "key", "F10", env=env)
                try:
                    code = program.wait(timeout=1.0)
                except subprocess.TimeoutExpired:
                    raise Failure("F10 did not end the program within a second")
                if code != 0:
                    raise Failure(f"F10 ended the program with exit code {code}")
                print(f"F10 ended vantora in {time.monotonic() - started:.3f} s; {open(log_path).read().strip()}")
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    executable, shots = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    missing = [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    namespace = namespace_flag()
    if namespace is None:
        print("SKIPPED: no private mount namespace can be made here (needs root or user namespaces)")
        return SKIPPED
    os.makedirs(shots, exist_ok=True)
    passed = failed = 0
    for scale, name in ((1, "vantora-e2e.png"), (1.5, "vantora-e2e-144dpi.png")):
        try:
            drive_the_window(executable, shots, namespace, scale, name)
            passed += 1
        except (Failure, subprocess.SubprocessError) as error:
            print(f"FAILED at scale {scale}: {error}")
            failed += 1
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
