#!/usr/bin/env python3
"""The catalogue generator reads what translators write and refuses what would
show a wrong text. Usage: po_to_cpp_test.py PATH/TO/po_to_cpp.py"""

import importlib.util
import os
import sys
import tempfile
import unittest

module_source = importlib.util.spec_from_file_location("po_to_cpp", sys.argv.pop(1))
po_to_cpp = importlib.util.module_from_spec(module_source)
module_source.loader.exec_module(po_to_cpp)

HEADER = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n'


def read(text):
    with tempfile.NamedTemporaryFile("w", suffix=".po", encoding="utf-8", delete=False) as po:
        po.write(HEADER + text)
    try:
        return po_to_cpp.translations(po.name)
    finally:
        os.unlink(po.name)


class Reading(unittest.TestCase):
    def test_what_the_program_may_show(self):
        cases = [
            ("one line", 'msgid "総容量"\nmsgstr "Total size"\n', {"総容量": "Total size"}),
            ("continued strings", 'msgid ""\n"空"\n"容量"\nmsgstr "Free "\n"space"\n', {"空容量": "Free space"}),
            ("escapes", 'msgid "a\\"b\\\\c\\td"\nmsgstr "x\\ny"\n', {'a"b\\c\td': "x\ny"}),
            ("untranslated: the source is shown", 'msgid "属性"\nmsgstr ""\n', {}),
            ("fuzzy: the source is shown", '#, fuzzy\nmsgid "属性"\nmsgstr "Features"\n', {}),
            ("obsolete", '#~ msgid "古い"\n#~ msgstr "Old"\n', {}),
            ("flags and comments", '# note\n#, qt-format\nmsgid "(%1)x"\nmsgstr "%1 y"\n', {"(%1)x": "%1 y"}),
            ("entries without blank lines", 'msgid "a"\nmsgstr "A"\n#, fuzzy\nmsgid "b"\nmsgstr "B"\nmsgid "c"\nmsgstr "C"\n',
             {"a": "A", "c": "C"}),
            ("reordered placeholders", 'msgid "%1、%2"\nmsgstr "%2 then %1"\n', {"%1、%2": "%2 then %1"}),
        ]
        for name, text, expected in cases:
            with self.subTest(name):
                self.assertEqual(read(text), expected)

    def test_a_bad_catalogue_stops_the_build_with_its_line(self):
        cases = [
            ("placeholder dropped", 'msgid "(%1)x"\nmsgstr "y"\n', ":5:"),
            ("placeholder added", 'msgid "x"\nmsgstr "%1 y"\n', ":5:"),
            ("placeholder renumbered", 'msgid "%1"\nmsgstr "%2"\n', ":5:"),
            ("placeholder doubled", 'msgid "%1"\nmsgstr "%1 %1"\n', ":5:"),
            ("the same source twice", 'msgid "a"\nmsgstr "A"\n\nmsgid "a"\nmsgstr "B"\n', ":8:"),
            ("context", 'msgctxt "c"\nmsgid "a"\nmsgstr "A"\n', ":5:"),
            ("plural", 'msgid "a"\nmsgid_plural "as"\nmsgstr[0] "A"\n', ":6:"),
            ("bare quote", 'msgid "a"b"\nmsgstr "A"\n', ":5:"),
            ("unknown escape", 'msgid "a\\qb"\nmsgstr "A"\n', ":5:"),
        ]
        for name, text, where in cases:
            with self.subTest(name):
                with self.assertRaises(po_to_cpp.CatalogueError) as raised:
                    read(text)
                self.assertIn(where, str(raised.exception))


class Writing(unittest.TestCase):
    def test_literals_hold_the_exact_bytes(self):
        self.assertEqual(po_to_cpp.cpp_literal('a"b\\c\nä1'), '"a\\042b\\134c\\012\\303\\2441"')

    def test_the_table_is_sorted_by_bytes_for_the_lookup(self):
        table = po_to_cpp.generate([("en", {"b": "B", "ア": "A", "a": "x"})])
        self.assertLess(table.index('{"a"'), table.index('{"b"'))
        self.assertLess(table.index('{"b"'), table.index('{"\\343'))
        self.assertIn('{"en", kEn}', table)


if __name__ == "__main__":
    unittest.main()
