#!/usr/bin/env python3
"""The real program speaks the user's language, read off the screen.

Started in an empty RAM disk (ramfs reports no capacity, so the first refresh
fails), the program first shows its failure box, then the window. With
LANGUAGE=en the box, the drop-down's caption and all three pages read English
(read by OCR); with LANG=C and LANGUAGE, LC_ALL and LC_MESSAGES unset no
English is read and the window is, pixel for pixel, the one a user who asks
for Japanese (LANGUAGE=ja) gets. (LANG=ja_JP.UTF-8 would also change the
desktop's default font, which the drop-down and the box's button use.) At 96 and 144 dpi; screenshots of each go to
SCREENSHOT_DIR.

Usage: language_e2e.py VANTORA_EXECUTABLE SCREENSHOT_DIR
Exit 77 (skipped) when no mount namespace can be made.
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

LOCALE_VARIABLES = ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")
# What each screen shows in English; every page also shows the caption above the tabs and the tabs.
ENGLISH = {
    "box": ["no disk in the drive."],
    "page1": ["drive:", "type and size", "file system", "features", "drive type", "total size", "free space",
              "exit", "usage"],
    "page2": ["drive:", "volume label", "serial no"],
    "page3": ["drive:", "case-sensitive file names"],
}


def read_text(image, scale, work):
    """The text OCR reads in a screenshot, lower case, spaces collapsed."""
    big = os.path.join(work, "ocr.png")
    e2e.run("convert", image, "-colorspace", "gray", "-resize", f"{round(400 / scale)}%", "-threshold", "60%", big)
    text = subprocess.run(["tesseract", big, "-", "--psm", "3"], check=True, capture_output=True, text=True,
                          timeout=60).stdout
    return re.sub(r"\s+", " ", text.lower())


def wait_for(env, name, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=env, capture_output=True,
                               text=True)
        if found.returncode == 0 and found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.1)
    raise e2e.Failure(f"no window named {name} appeared")


def screens(executable, namespace, scale, locale, shots, tag):
    """Screenshots of the failure box and the three pages, under the given locale variables."""
    work = tempfile.mkdtemp(prefix="vantora-lang-")
    log_path = os.path.join(work, "stderr.txt")
    taken = {}
    try:
        with e2e.PrivateXvfb() as xvfb, open(log_path, "w") as log:
            env = {k: v for k, v in os.environ.items() if k not in LOCALE_VARIABLES}
            env.update(locale, DISPLAY=xvfb.display, QT_QPA_PLATFORM="xcb", VANTORA_MARK_FIRST_FRAME="1")
            env.pop("WAYLAND_DISPLAY", None)
            if scale != 1:
                env["QT_SCALE_FACTOR"] = str(scale)
            # The drive's text is its path: the same in every run, so the windows can be compared.
            script = ("mount -t tmpfs vantora-e2e /mnt && mkdir /mnt/empty && "
                      'mount -t ramfs vantora-e2e-empty /mnt/empty && cd /mnt/empty && exec "$1"')
            program = subprocess.Popen(["unshare", *namespace, "sh", "-c", script, "sh", executable],
                                       env=env, stdout=subprocess.DEVNULL, stderr=log)
            try:
                box = wait_for(env, "^Vantora$")
                time.sleep(0.3)  # the box is mapped before its first paint
                taken["box"] = os.path.join(work, "box.png")
                e2e.run("import", "-window", box, taken["box"], env=env)
                e2e.run("xdotool", "windowfocus", "--sync", box, "key", "Return", env=env)
                window = e2e.wait_for_window(env, program, log_path)
                e2e.run("xdotool", "windowfocus", "--sync", window, env=env)
                for page in ("page1", "page2", "page3"):
                    if page != "page1":
                        e2e.run("xdotool", "key", "Right", env=env)  # the focus is on the tab strip
                    time.sleep(0.3)
                    taken[page] = os.path.join(work, f"{page}.png")
                    e2e.run("import", "-window", window, taken[page], env=env)
                    if shots:
                        e2e.run("import", "-window", "root", os.path.join(shots, f"vantora-{tag}-{page}.png"), env=env)
                e2e.run("xdotool", "key", "F10", env=env)
                program.wait(timeout=5)
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
        kept = tempfile.mkdtemp(prefix="vantora-lang-shots-")
        return {name: shutil.copy(path, kept) for name, path in taken.items()}
    finally:
        shutil.rmtree(work, ignore_errors=True)


def same_pixels(a, b):
    result = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], capture_output=True, text=True, timeout=30)
    return result.returncode == 0 and result.stderr.strip() == "0"


def check(executable, namespace, scale, shots):
    tag = "96dpi" if scale == 1 else "144dpi"
    english = screens(executable, namespace, scale, {"LANGUAGE": "en", "LANG": "C.UTF-8"}, shots, f"en-{tag}")
    untranslated = screens(executable, namespace, scale, {"LANG": "C"}, shots, f"ja-{tag}")
    japanese = screens(executable, namespace, scale, {"LANGUAGE": "ja", "LANG": "C"}, None, "")
    work = tempfile.mkdtemp(prefix="vantora-ocr-")
    try:
        problems = []
        for screen, phrases in ENGLISH.items():
            read = read_text(english[screen], scale, work)
            problems += [f"LANGUAGE=en {screen}: '{p}' not read in: {read}" for p in phrases if p not in read]
            read = read_text(untranslated[screen], scale, work)
            problems += [f"LANG=C {screen}: English '{p}' read" for p in phrases if p != "drive:" and p in read]
            if not same_pixels(untranslated[screen], japanese[screen]):
                problems.append(f"LANG=C {screen}: differs from the window under LANGUAGE=ja")
        if problems:
            raise e2e.Failure("\n  ".join(problems))
    finally:
        shutil.rmtree(work, ignore_errors=True)
        for taken in (english, untranslated, japanese):
            shutil.rmtree(os.path.dirname(next(iter(taken.values()))), ignore_errors=True)


def main():
    executable, shots = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    missing = [tool for tool in e2e.REQUIRED_TOOLS + ["tesseract", "compare"] if shutil.which(tool) is None]
    if missing:
        print(f"FAILED: missing tools {missing} (scripts/deps installs them)")
        return 1
    namespace = e2e.namespace_flag()
    if namespace is None:
        print("SKIPPED: no private mount namespace can be made here (needs root or user namespaces)")
        return e2e.SKIPPED
    os.makedirs(shots, exist_ok=True)
    failed = 0
    for scale in (1, 1.5):
        try:
            check(executable, namespace, scale, shots)
            print(f"scale {scale}: English under LANGUAGE=en, the Japanese window under LANG=C")
        except (e2e.Failure, subprocess.SubprocessError) as error:
            print(f"FAILED at scale {scale}: {error}")
            failed += 1
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
