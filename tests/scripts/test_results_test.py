#!/usr/bin/env python3
"""scripts/lib/test_results.py: how each kind of CTest result is counted."""
import io
import os
import sys
import tempfile
import unittest
from contextlib import redirect_stderr, redirect_stdout

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "lib"))
import test_results  # noqa: E402

GTEST_SKIP_OUTPUT = ("[ RUN      ] Disk.Quota\nreal_test.cpp:97: Skipped\n{reason}\n"
                     "[  SKIPPED ] Disk.Quota (1 ms)\n")


def case(name, status, skipped_message=None, output=""):
    skipped = f'<skipped message="{skipped_message}"/>' if skipped_message else ""
    return f'<testcase name="{name}" status="{status}">{skipped}<system-out>{output}</system-out></testcase>'


def count(cases, needs=()):
    with tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False) as junit:
        junit.write("<testsuite>" + "".join(cases) + "</testsuite>")
    args = [junit.name]
    for need in needs:
        args += ["--needs", need]
    out = io.StringIO()
    try:
        with redirect_stdout(out):
            test_results.main(args)
    finally:
        os.unlink(junit.name)
    return out.getvalue().splitlines()


REALFS_NEEDS = [r"^realfs\.=root with loop devices"]


class Counting(unittest.TestCase):
    def test_each_result_lands_in_one_count(self):
        rows = [
            # (what, test case, needs, expected last line, expected listed line or None)
            ("a pass", case("unit.A", "run"), [], "1 passed, 0 failed, 0 skipped", None),
            ("a failure", case("unit.A", "fail"), [], "0 passed, 1 failed, 0 skipped", "failed: unit.A"),
            ("a program that never started is no skip",
             case("unit.A", "notrun", "Unable to find executable"), [], "0 passed, 1 failed, 0 skipped",
             "failed: unit.A (Unable to find executable)"),
            ("a skip with GoogleTest's reason",
             case("realfs.Disk.Quota  # GetParam() = quota", "notrun", "SKIP_REGULAR_EXPRESSION_MATCHED",
                  GTEST_SKIP_OUTPUT.format(reason="needs root")), [], "0 passed, 0 failed, 1 skipped",
             "skipped: realfs.Disk.Quota (needs root)"),
            ("a skip by return code gives its last line",
             case("e2e", "notrun", "SKIP_RETURN_CODE=77", "starting\nno display here\n"), REALFS_NEEDS,
             "0 passed, 0 failed, 1 skipped", "skipped: e2e (no display here)"),
            ("a skip where the machine has what the test needs",
             case("realfs.Disk.Quota", "notrun", "SKIP_REGULAR_EXPRESSION_MATCHED",
                  GTEST_SKIP_OUTPUT.format(reason="cannot attach a loop device")), REALFS_NEEDS,
             "0 passed, 1 failed, 0 skipped",
             "failed: realfs.Disk.Quota (skipped although this machine has root with loop devices: "
             "cannot attach a loop device)"),
            ("a kernel without the feature excuses the skip",
             case("realfs.Disk.Quota", "notrun", "SKIP_REGULAR_EXPRESSION_MATCHED",
                  GTEST_SKIP_OUTPUT.format(reason="cannot mount ext4 (the kernel refuses a feature)")),
             REALFS_NEEDS, "0 passed, 0 failed, 1 skipped", None),
        ]
        for what, testcase, needs, last, listed in rows:
            with self.subTest(what):
                lines = count([testcase], needs)
                self.assertEqual(lines[-1], last)
                if listed:
                    self.assertIn(listed, lines)

    def test_a_malformed_need_is_refused(self):
        for text in ("no-equals-sign", "=what", "pattern="):
            with self.subTest(text), self.assertRaises(SystemExit), redirect_stderr(io.StringIO()):
                count([], [text])

if __name__ == "__main__":
    unittest.main()
