#!/usr/bin/env python3
"""The window is centred as the user sees it: under a real window manager
(openbox) on a private Xvfb, the frame, title bar included, stands in the middle
of the screen to within 2 pixels, at 96 and at 144 dpi.

Usage: centring_e2e.py VANTORA_EXECUTABLE
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vantora_window_e2e as e2e  # noqa: E402

SCREEN = (1280, 1024)


def frame_of(env, window):
    """The frame's outer rectangle: the client's place on the root, widened by _NET_FRAME_EXTENTS."""
    info = e2e.run("xwininfo", "-id", window, env=env)
    left, top = (int(re.search(rf"Absolute upper-left {axis}:\s+(-?\d+)", info).group(1)) for axis in "XY")
    width, height = (int(re.search(rf"{name}:\s+(\d+)", info).group(1)) for name in ("Width", "Height"))
    extents = e2e.run("xprop", "-id", window, "_NET_FRAME_EXTENTS", env=env)
    found = re.search(r"= (\d+), (\d+), (\d+), (\d+)", extents)
    if not found:
        raise e2e.Failure(f"the window manager gave no frame: {extents.strip()}")
    l, r, t, b = (int(v) for v in found.groups())
    return left - l, top - t, width + l + r, height + t + b


def check(executable, scale):
    work = tempfile.mkdtemp(prefix="vantora-centre-")
    log_path = os.path.join(work, "stderr.txt")
    try:
        with e2e.PrivateXvfb() as xvfb, open(log_path, "w") as log:
            env = dict(os.environ, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
            env.pop("WAYLAND_DISPLAY", None)
            if scale != 1:
                env["QT_SCALE_FACTOR"] = str(scale)
            manager = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            program = None
            try:
                # The manager is up once it has claimed the screen's selection.
                deadline = time.monotonic() + 10
                while "_NET_SUPPORTING_WM_CHECK(WINDOW)" not in e2e.run("xprop", "-root", env=env):
                    if time.monotonic() > deadline:
                        raise e2e.Failure("openbox did not start")
                    time.sleep(0.05)
                program = subprocess.Popen([executable], env=env, stdout=subprocess.DEVNULL, stderr=log)
                window = e2e.wait_for_window(env, program, log_path)
                left, top, width, height = frame_of(env, window)
                wanted = ((SCREEN[0] - width) / 2, (SCREEN[1] - height) / 2)
                if abs(left - wanted[0]) > 2 or abs(top - wanted[1]) > 2:
                    raise e2e.Failure(f"scale {scale}: frame at ({left}, {top}) size {width}x{height}, "
                                      f"centred would be {wanted}")
                print(f"scale {scale}: frame {width}x{height} at ({left}, {top}), centred at {wanted}")
            finally:
                for process in (program, manager):
                    if process is not None and process.poll() is None:
                        process.kill()
                        process.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    executable = os.path.abspath(sys.argv[1])
    missing = [tool for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop") if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    failures = 0
    for scale in (1, 1.5):
        try:
            check(executable, scale)
        except (e2e.Failure, subprocess.SubprocessError) as error:
            print(f"FAILED: {error}")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
