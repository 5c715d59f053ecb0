#!/usr/bin/env python3
"""Counts one CTest run from the JUnit file `ctest --output-junit` wrote.

CTest's own summary counts a skipped test as passed; this reads each test's
status and output instead. Prints one line per skipped test with its reason,
one per failed test, and last "N passed, M failed, K skipped".

    test_results.py RUN.xml [--needs REGEX=WHAT]...

--needs says that this machine has WHAT, which the tests whose names match
REGEX need: a skip of theirs is counted as a failure, since nothing excused it.
A skip that says the kernel lacks a file system or refuses a feature of a
volume stays a skip: no package installs that.
"""
import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree

KERNEL_LIMIT = re.compile(r"the kernel (lacks|refuses)")


def skip_reason(output):
    """The reason GoogleTest prints under "Skipped", else the last line."""
    gtest = re.search(r": Skipped\n(.*?)\n\[  SKIPPED \]", output, re.S)
    if gtest and gtest.group(1).strip():
        return " ".join(gtest.group(1).split())
    lines = [line.strip() for line in output.splitlines() if line.strip()]
    return lines[-1] if lines else "no reason given"


def short_name(name):
    # Parameterised GoogleTest cases carry "  # GetParam() = ..." in their CTest name.
    return name.split("  # ")[0]


def classify(case, needs):
    """("passed" | "failed" | "skipped", note) for one <testcase>."""
    status = case.get("status")
    output = case.findtext("system-out") or ""
    if status == "run":
        return "passed", ""
    skipped = case.find("skipped")
    # CTest marks a test it could not start "notrun" too; only its own skip
    # markers (a skip expression matched, a skip return code) are skips.
    if status == "notrun" and skipped is not None and skipped.get("message", "").startswith("SKIP_"):
        reason = skip_reason(output)
        for pattern, what in needs:
            if pattern.search(case.get("name", "")) and not KERNEL_LIMIT.search(reason):
                return "failed", f"skipped although this machine has {what}: {reason}"
        return "skipped", reason
    if status == "notrun":
        message = skipped.get("message") if skipped is not None else "not run"
        return "failed", message
    return "failed", ""


def parse_need(text):
    pattern, separator, what = text.partition("=")
    if not separator or not pattern or not what:
        raise argparse.ArgumentTypeError(f"expected REGEX=WHAT, not '{text}'")
    return re.compile(pattern), what


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("junit")
    parser.add_argument("--needs", type=parse_need, action="append", default=[])
    args = parser.parse_args(argv)
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for case in ElementTree.parse(args.junit).getroot().iter("testcase"):
        verdict, note = classify(case, args.needs)
        counts[verdict] += 1
        if verdict != "passed":
            print(f"{verdict}: {short_name(case.get('name', '?'))}" + (f" ({note})" if note else ""))
    print(f"{counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
