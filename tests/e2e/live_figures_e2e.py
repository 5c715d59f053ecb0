#!/usr/bin/env python3
"""The figures on screen follow the drive while the window is open, with no key pressed.

The program starts in a 32 MiB RAM disk in a private mount namespace, beside a
second one. Once the window has stood still for a tick, 8 MiB are written to
the RAM disk from inside that namespace: the capacity page must change within
3 s. Then the RAM disk is unmounted (lazily, as a desktop does when a stick is
pulled): within 3 s the window must show another drive, and no message box may
appear.

Usage: live_figures_e2e.py VANTORA_EXECUTABLE
Exit 77 (skipped) when not root: writing into the program's namespace needs nsenter.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vantora_window_e2e as e2e  # noqa: E402

MESSAGE_BOX_NAME = "^Vantora$"
# What the tick promises (2 s) and a second for painting and a slow screenshot.
WITHIN = 3.0


def message_box_shown(env):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", MESSAGE_BOX_NAME], env=env,
                           capture_output=True, text=True)
    return bool(found.stdout.split())


def changed_within(env, window, work, before, seconds):
    """Whether a screenshot finished within `seconds` from now shows another page."""
    deadline = time.monotonic() + seconds
    while True:
        pixels = e2e.page_pixels(env, window, 1, work)
        if time.monotonic() > deadline:
            return False
        if pixels != before:
            return True
        time.sleep(0.05)


def in_namespace(pid, command):
    e2e.run("nsenter", "-t", str(pid), "-m", "--", "sh", "-c", command)


def follow_the_drive(executable, xvfb):
    work = tempfile.mkdtemp(prefix="vantora-live-")
    shown, other = os.path.join(work, "a"), os.path.join(work, "b")
    os.mkdir(shown)
    os.mkdir(other)
    log_path = os.path.join(work, "stderr.txt")
    env = dict(os.environ, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("VANTORA_LIVE_FIGURES", None)
    script = ('mount -t tmpfs -o size=32m vantora-live-a "$1" && '
              'mount -t tmpfs -o size=16m vantora-live-b "$2" && cd "$1" && exec "$3"')
    try:
        with open(log_path, "w") as log:
            # unshare and sh exec in turn, so the pid is the program's.
            program = subprocess.Popen(["unshare", "-m", "sh", "-c", script, "sh", shown, other, executable],
                                       env=env, stdout=subprocess.DEVNULL, stderr=log)
            try:
                window = e2e.wait_for_window(env, program, log_path)
                before = e2e.page_pixels(env, window, 1, work)
                if changed_within(env, window, work, before, 2.5):
                    raise e2e.Failure("the page changed before anything was written")

                in_namespace(program.pid, f'dd if=/dev/zero of="{shown}/fill" bs=1M count=8 status=none && sync')
                written = time.monotonic()
                if not changed_within(env, window, work, before, WITHIN):
                    raise e2e.Failure(f"the free space on screen did not change within {WITHIN} s of writing 8 MiB")
                print(f"after 8 MiB were written the page changed in {time.monotonic() - written:.2f} s")

                before = e2e.page_pixels(env, window, 1, work)
                in_namespace(program.pid, f'umount -l "{shown}"')
                unmounted = time.monotonic()
                if not changed_within(env, window, work, before, WITHIN):
                    raise e2e.Failure(f"the window did not move off the unmounted drive within {WITHIN} s")
                print(f"after the unmount the page changed in {time.monotonic() - unmounted:.2f} s")
                # A box would have come with the refresh that moved the window; a tick later it still may not.
                time.sleep(2.5)
                if message_box_shown(env):
                    raise e2e.Failure("a message box appeared for the drive that went away")
                if program.poll() is not None:
                    raise e2e.Failure(f"the program ended with {program.returncode}: {open(log_path).read()}")
                e2e.run("xdotool", "windowfocus", "--sync", window, env=env)
                e2e.run("xdotool", "key", "F10", env=env)
                if program.wait(timeout=10) != 0:
                    raise e2e.Failure(f"F10 ended the program with {program.returncode}")
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    executable = os.path.abspath(sys.argv[1])
    missing = [tool for tool in e2e.REQUIRED_TOOLS + ["nsenter"] if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    if os.geteuid() != 0 or e2e.namespace_flag() != ["-m"]:
        print("SKIPPED: needs root for a private mount namespace the test can write into")
        return e2e.SKIPPED
    try:
        with e2e.PrivateXvfb() as xvfb:
            follow_the_drive(executable, xvfb)
    except (e2e.Failure, subprocess.SubprocessError) as error:
        print(f"FAILED: {error}")
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
