#!/usr/bin/env python3
"""A copy made with Ctrl+C still pastes after F10 ends the program.

The real program runs on a private Xvfb beside a small clipboard manager. Ctrl+C
copies the window's details; F10 ends the program with _Exit, which would take
the copy with it: the program must hand it to the manager first. The manager
prints what it saved, which must be the nine caption lines of the window.

Usage: clipboard_e2e.py VANTORA_EXECUTABLE CLIPBOARD_MANAGER
"""

import os
import select
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vantora_window_e2e as e2e  # noqa: E402

CAPTIONS = ["表示ディスク", "ディスク種類", "総容量", "空容量", "Disk使用率", "システム名", "ボリューム名", "シリアルNo", "属性"]


def copy_then_f10(executable, manager_path, xvfb):
    work = tempfile.mkdtemp(prefix="vantora-clipboard-")
    log_path = os.path.join(work, "stderr.txt")
    env = dict(os.environ, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
    env.pop("WAYLAND_DISPLAY", None)
    manager = subprocess.Popen([manager_path], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    program = None
    try:
        ready, _, _ = select.select([manager.stdout], [], [], 10)
        if not ready or manager.stdout.readline().strip() != b"ready":
            raise e2e.Failure(f"the clipboard manager did not start: {manager.stderr.read1().decode()!r}")
        with open(log_path, "w") as log:
            program = subprocess.Popen([executable], env=env, stdout=subprocess.DEVNULL, stderr=log)
        window = e2e.wait_for_window(env, program, log_path)
        e2e.run("xdotool", "windowfocus", "--sync", window, env=env)
        e2e.run("xdotool", "key", "ctrl+c", env=env)
        e2e.run("xdotool", "key", "F10", env=env)
        status = program.wait(timeout=10)
        if status != 0:
            raise e2e.Failure(f"F10 ended the program with {status}: {open(log_path).read()}")
        try:
            saved, errors = manager.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            raise e2e.Failure("the clipboard manager was never asked to save the copy before the program ended")
    finally:
        for process in (program, manager):
            if process is not None and process.poll() is None:
                process.kill()
                process.wait()
        shutil.rmtree(work, ignore_errors=True)
    text = saved.decode()
    lines = text.splitlines()
    if manager.returncode != 0 or [line.split(": ", 1)[0] for line in lines] != CAPTIONS:
        raise e2e.Failure(f"the manager saved {text!r} (status {manager.returncode}, {errors.decode()!r})")
    if any(ord(c) < 0x20 and c != "\n" for c in text):
        raise e2e.Failure(f"control characters in the copy: {text!r}")
    print("saved after F10:\n" + text)


def main():
    executable, manager = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    missing = [tool for tool in ("Xvfb", "xdotool") if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    with e2e.PrivateXvfb() as xvfb:
        try:
            copy_then_f10(executable, manager, xvfb)
        except (e2e.Failure, subprocess.SubprocessError) as error:
            print(f"FAILED: {error}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
