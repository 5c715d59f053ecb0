#!/usr/bin/env python3
"""However the program ends, its window leaves the screen at once, and without a
display it says so in one line.

- No display: with DISPLAY unset, and with DISPLAY naming a server that does not
  exist, the program prints one line naming the problem and exits with status 1.
- Dead window: the program starts in a FUSE file system whose statfs hangs like
  a dead server, so a worker thread stays blocked in the kernel. After the
  message box is closed, F10 (and, in further runs, SIGTERM, SIGINT and SIGHUP)
  must take the window off the screen within a second, even where the process
  cannot be reaped until the file system answers, and end with status 0.

Usage: program_end_e2e.py VANTORA_EXECUTABLE FUSE_FS_DAEMON
Exit 77 (skipped) when no mount namespace can be made for the dead-window part.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vantora_window_e2e as e2e  # noqa: E402

MESSAGE_BOX_NAME = "^Vantora$"


def check_no_display(executable):
    base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    for name, extra in (("unset", {}), ("wrong", {"DISPLAY": f":{e2e.unused_display()}"})):
        done = subprocess.run([executable], env=dict(base, **extra), capture_output=True, text=True, timeout=30)
        lines = done.stderr.strip().splitlines()
        if done.returncode != 1 or len(lines) != 1 or "display" not in lines[0]:
            raise e2e.Failure(f"DISPLAY {name}: exit {done.returncode}, stderr {done.stderr!r}")
        if name == "wrong" and extra["DISPLAY"] not in lines[0]:
            raise e2e.Failure(f"DISPLAY {name}: the line does not name {extra['DISPLAY']}: {lines[0]!r}")
        print(f"DISPLAY {name}: {lines[0]}")


def visible(env, name):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=env, capture_output=True,
                           text=True)
    return found.stdout.split()


def wait_until(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


def check_dead_window(executable, daemon, namespace, xvfb, how):
    work = tempfile.mkdtemp(prefix="vantora-end-")
    log_path = os.path.join(work, "stderr.txt")
    with open(log_path, "w") as log:
        env = dict(os.environ, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
        env.pop("WAYLAND_DISPLAY", None)
        # The daemon reads the same standard input: closing it here lets every hung statfs answer.
        script = ('exec 3<&0; "$2" "$1" 1000 500 500 4096 hang <&3 3<&- & exec 3<&-; '
                  'while ! grep -q " $1 " /proc/self/mountinfo; do sleep 0.05; done; cd "$1" && exec "$3"')
        program = subprocess.Popen(["unshare", *namespace, "sh", "-c", script, "sh", work, daemon, executable],
                                   env=env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=log)
        try:
            # The first refresh waits out its deadline on the hung statfs, then reports the failure.
            if not wait_until(lambda: visible(env, MESSAGE_BOX_NAME), 20):
                raise e2e.Failure(f"{how}: no message box about the hung drive: {open(log_path).read()}")
            e2e.run("xdotool", "key", "Return", env=env)
            window = e2e.wait_for_window(env, program, log_path)
            e2e.run("xdotool", "windowfocus", "--sync", window, env=env)
            if how == "F10":
                e2e.run("xdotool", "key", "F10", env=env)
            else:
                os.kill(program.pid, getattr(signal, how))
            if not wait_until(lambda: not visible(env, e2e.WINDOW_NAME), 1.0):
                raise e2e.Failure(f"{how}: the window was still on the screen a second later")
            print(f"{how}: the window left the screen while a statfs was still hung")
            program.stdin.close()
            code = program.wait(timeout=10)
            if code != 0:
                raise e2e.Failure(f"{how}: the program ended with {code}, not 0 as F10 ends it")
        finally:
            program.stdin.close()
            if program.poll() is None:
                program.kill()
                program.wait()
            shutil.rmtree(work, ignore_errors=True)


def main():
    executable, daemon = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    failures = 0
    try:
        check_no_display(executable)
    except (e2e.Failure, subprocess.SubprocessError) as error:
        print(f"FAILED: {error}")
        failures += 1
    namespace = e2e.namespace_flag()
    if namespace is None or not os.access("/dev/fuse", os.R_OK | os.W_OK):
        print("SKIPPED the dead-window part: needs a private mount namespace and /dev/fuse")
        return 1 if failures else e2e.SKIPPED
    # One server for both runs: a server started again on the same number can race the old one's exit.
    with e2e.PrivateXvfb() as xvfb:
        for how in ("F10", "SIGTERM", "SIGINT", "SIGHUP"):
            try:
                check_dead_window(executable, daemon, namespace, xvfb, how)
            except (e2e.Failure, subprocess.SubprocessError) as error:
                print(f"FAILED: {error}")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
