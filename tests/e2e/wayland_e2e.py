#!/usr/bin/env python3
"""Vantora as a native Wayland client, under weston's headless back end.

- No compositor: QT_QPA_PLATFORM=wayland with nothing listening prints one line
  and exits with status 1, as a missing X display does.
- The real Form1 (wayland_form1, in process, since a compositor without a seat
  takes no keys from outside): shown at 450x338, a drive picked in the drop-down
  refreshes the window, maximising keeps 450x338, and F10, Ctrl+F10, 終了/F10
  and the close request each end with status 0.
- The real program: its window carries the app id org.vantora.Vantora, its
  first frame reaches the compositor, weston photographs the screen, and
  SIGTERM ends it with status 0.
- No X11 code runs: DISPLAY names a socket of this test's own, and any
  connection to it fails the test. Window positions are the compositor's
  business and are not checked.

Usage: wayland_e2e.py VANTORA WAYLAND_FORM1 SCREENSHOT_DIR
"""

import os
import select
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import vantora_window_e2e as e2e  # noqa: E402

SOCKET_NAME = "vantora-test"


class XWatch:
    """Listens where an X client would connect for DISPLAY=:N and notes every connection."""

    def __enter__(self):
        self.connections = []
        self.lock = threading.Lock()
        # Far from the numbers servers pick and from those the other tests take
        # as missing displays; binding is the claim, so a test beside this one
        # never shares the number.
        for number in range(64500, 64600):
            try:
                abstract = self._listen(f"\0/tmp/.X11-unix/X{number}")
            except OSError:
                continue
            try:
                self.sockets = [abstract, self._listen(f"/tmp/.X11-unix/X{number}")]
            except OSError:
                abstract.close()
                continue
            self.number = number
            break
        else:
            raise e2e.Failure("no free X display number between 64500 and 64599 to watch")
        self.display = f":{self.number}"
        self.stop_read, self.stop_write = os.pipe()
        self.thread = threading.Thread(target=self._watch, daemon=True)
        self.thread.start()
        return self

    @staticmethod
    def _listen(address):
        # libxcb tries the abstract socket first, then the file.
        listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
            listener.bind(address)
        except OSError:
            listener.close()
            raise
        listener.listen(8)
        listener.setblocking(False)
        return listener

    def _drain(self):
        # A client is turned away at once, so it fails instead of waiting for an answer.
        with self.lock:
            for listener in self.sockets:
                while True:
                    try:
                        connection, _ = listener.accept()
                    except BlockingIOError:
                        break
                    self.connections.append(time.strftime("%H:%M:%S"))
                    connection.close()

    def _watch(self):
        while True:
            ready, _, _ = select.select(self.sockets + [self.stop_read], [], [])
            if self.stop_read in ready:
                return
            self._drain()

    def check(self, what):
        # A connection still waiting in a backlog counts too.
        self._drain()
        if self.connections:
            raise e2e.Failure(f"{what}: something connected to the X display {self.display} "
                              f"({len(self.connections)} connection(s)) while the platform was Wayland")

    def __exit__(self, *exc):
        os.write(self.stop_write, b"x")
        self.thread.join(timeout=5)
        for listener in self.sockets:
            listener.close()
        os.unlink(f"/tmp/.X11-unix/X{self.number}")
        os.close(self.stop_read)
        os.close(self.stop_write)


class Weston:
    """weston on its headless back end, in a private XDG_RUNTIME_DIR."""

    def __init__(self, display):
        self.display = display

    def __enter__(self):
        self.runtime = tempfile.mkdtemp(prefix="vantora-wayland-")
        os.chmod(self.runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
        # Qt 6.4's Wayland input method dereferences the seat a headless
        # compositor does not have when a popup opens; no input method is asked for.
        self.env.update(XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=SOCKET_NAME, DISPLAY=self.display,
                        QT_QPA_PLATFORM="wayland", QT_IM_MODULE="none")
        self.log = open(os.path.join(self.runtime, "weston.log"), "w")
        # --debug lets weston-screenshooter photograph the screen.
        self.process = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", f"--socket={SOCKET_NAME}", "--debug",
             "--width=800", "--height=600", "--idle-time=0"],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        path = os.path.join(self.runtime, SOCKET_NAME)
        if not wait_until(lambda: os.path.exists(path) or self.process.poll() is not None, 20) or \
                self.process.poll() is not None:
            self.__exit__()
            raise e2e.Failure(f"weston did not start: {self.weston_log()}")
        return self

    def weston_log(self):
        with open(os.path.join(self.runtime, "weston.log")) as log:
            return log.read()[-2000:]

    def screenshot(self, target):
        before = set(os.listdir(self.runtime))
        subprocess.run(["weston-screenshooter"], env=self.env, cwd=self.runtime, check=True, timeout=30,
                       capture_output=True)
        made = [name for name in set(os.listdir(self.runtime)) - before if name.endswith(".png")]
        if len(made) != 1:
            raise e2e.Failure(f"weston-screenshooter made {made}")
        shutil.move(os.path.join(self.runtime, made[0]), target)

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


def wait_until(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


def check_no_compositor(executable, display):
    empty = tempfile.mkdtemp(prefix="vantora-no-wayland-")
    try:
        env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
        env.update(XDG_RUNTIME_DIR=empty, QT_QPA_PLATFORM="wayland", DISPLAY=display)
        done = subprocess.run([executable], env=env, capture_output=True, text=True, timeout=30)
    finally:
        shutil.rmtree(empty)
    lines = done.stderr.strip().splitlines()
    if done.returncode != 1 or len(lines) != 1 or "Wayland" not in lines[0]:
        raise e2e.Failure(f"no compositor: exit {done.returncode}, stderr {done.stderr!r}")
    print(f"no compositor: {lines[0]}")


def check_form1(driver, weston, how):
    process = subprocess.Popen([driver, how], env=weston.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, text=True)
    # A window that never gets ready is ended, which ends the reading too.
    watchdog = threading.Timer(60, process.kill)
    watchdog.start()
    try:
        seen = []
        for line in process.stdout:
            seen.append(line.strip())
            if seen[-1] == "ready":
                process.stdin.write("end\n")
                process.stdin.flush()
                break
        status = process.wait(timeout=10)
    finally:
        watchdog.cancel()
        if process.poll() is None:
            process.kill()
            process.wait()
    errors = process.stderr.read()
    if "ready" not in seen or status != 0:
        raise e2e.Failure(f"{how}: exit {status} after {seen}, stderr {errors!r}")
    print(f"{how}: {'; '.join(seen[:-1])}; ended with status 0")


def check_sigterm(executable, weston, shot):
    # The protocol log shows the app id the compositor is given.
    env = dict(weston.env, VANTORA_MARK_FIRST_FRAME="1", WAYLAND_DEBUG="1")
    process = subprocess.Popen([executable], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    watchdog = threading.Timer(60, process.kill)
    watchdog.start()
    log = []
    try:
        for line in process.stderr:
            log.append(line)
            if line.startswith("first-frame"):
                break
        if not log or not log[-1].startswith("first-frame"):
            raise e2e.Failure(f"SIGTERM: no first frame; stderr {''.join(log[-5:])!r}")
        weston.screenshot(shot)
        process.send_signal(signal.SIGTERM)
        log += process.stderr.readlines()
        status = process.wait(timeout=10)
    finally:
        watchdog.cancel()
        if process.poll() is None:
            process.kill()
            process.wait()
    if status != 0:
        raise e2e.Failure(f"SIGTERM: exit {status}, stderr {''.join(log[-5:])!r}")
    if not any('set_app_id("org.vantora.Vantora")' in line for line in log):
        raise e2e.Failure("the window's app id is not org.vantora.Vantora, its desktop entry's name")
    print(f"SIGTERM: first frame shown with app id org.vantora.Vantora, screenshot {shot}, ended with status 0")


def main():
    executable, driver, shots = (os.path.abspath(path) for path in sys.argv[1:4])
    missing = [tool for tool in ("weston", "weston-screenshooter") if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    os.makedirs(shots, exist_ok=True)
    failures = 0
    with XWatch() as x11:
        steps = [("no compositor", lambda weston: check_no_compositor(executable, x11.display))]
        steps += [(how, lambda weston, how=how: check_form1(driver, weston, how))
                  for how in ("f10", "ctrl-f10", "button", "close")]
        steps.append(("SIGTERM", lambda weston: check_sigterm(executable, weston,
                                                              os.path.join(shots, "vantora-wayland.png"))))
        with Weston(x11.display) as weston:
            for name, step in steps:
                try:
                    step(weston)
                    x11.check(name)
                except (e2e.Failure, subprocess.SubprocessError) as error:
                    print(f"FAILED: {error}")
                    failures += 1
                    x11.connections.clear()
    print(f"{len(steps) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
