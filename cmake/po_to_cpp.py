#!/usr/bin/env python3
"""Turns the translators' .po catalogues into one C++ table both programs link.

Usage: po_to_cpp.py OUTPUT.cpp LANGUAGE=FILE.po [LANGUAGE=FILE.po ...]

Each catalogue keeps its translated entries; an untranslated or fuzzy entry is
left out, so the window shows the Japanese source text there. A translation
whose placeholders (%1 .. %9) differ from its source's stops the build with the
file and line, so no unchecked text is ever used to build a message.
"""

import re
import sys

PLACEHOLDER = re.compile(r"%([1-9])")


class CatalogueError(Exception):
    pass


def unquote(literal, where):
    """The text of one PO string literal (C escapes, UTF-8)."""
    if not (len(literal) >= 2 and literal[0] == '"' and literal[-1] == '"'):
        raise CatalogueError(f"{where}: a string in double quotes was expected")
    body = literal[1:-1].encode("utf-8")
    escapes = {b"n": b"\n", b"t": b"\t", b"r": b"\r", b'"': b'"', b"\\": b"\\", b"a": b"\a", b"b": b"\b",
               b"f": b"\f", b"v": b"\v"}

    def escape(match):
        code = match.group(1)
        if code in escapes:
            return escapes[code]
        if code[:1] == b"x":
            return bytes([int(code[1:], 16)])
        if code[:1].isdigit():
            return bytes([int(code, 8)])
        raise CatalogueError(f"{where}: unknown escape \\{code.decode()}")

    if re.search(rb'(?<!\\)(\\\\)*"', body):
        raise CatalogueError(f"{where}: a double quote inside a string must be escaped")
    try:
        return re.sub(rb"\\(x[0-9A-Fa-f]{1,2}|[0-7]{1,3}|.)", escape, body).decode("utf-8")
    except UnicodeDecodeError as error:
        raise CatalogueError(f"{where}: not UTF-8 ({error})") from error


def read_po(path):
    """(line, flags, msgid, msgstr) for every live entry of a .po file."""
    entries = []
    entry = {"flags": set(), "line": 0}
    field = None
    with open(path, encoding="utf-8") as source:
        for number, raw in enumerate(source, 1):
            line = raw.strip()
            where = f"{path}:{number}"
            if not line or line.startswith("#~"):
                continue
            keyword, _, rest = line.partition(" ")
            starts_entry = line.startswith("#") or keyword == "msgid"
            if starts_entry and "msgid" in entry:
                entries.append(entry)
                entry = {"flags": set(), "line": number}
                field = None
            if line.startswith("#"):
                if line.startswith("#,"):
                    entry["flags"].update(flag.strip() for flag in line[2:].split(","))
            elif line.startswith('"'):
                if field is None:
                    raise CatalogueError(f"{where}: a continued string without a keyword")
                entry[field] += unquote(line, where)
            elif keyword in ("msgid", "msgstr"):
                if keyword == "msgstr" and "msgid" not in entry:
                    raise CatalogueError(f"{where}: msgstr without msgid")
                field = keyword
                entry["line"] = entry["line"] or number
                entry[field] = unquote(rest, where)
            else:
                raise CatalogueError(f"{where}: {keyword} is not used by this program's catalogues")
    if "msgid" in entry:
        entries.append(entry)
    return [(e["line"], e["flags"], e["msgid"], e.get("msgstr", "")) for e in entries]


def translations(path):
    """The (source, translation) pairs of a catalogue that the program may show."""
    pairs = {}
    for line, flags, msgid, msgstr in read_po(path):
        where = f"{path}:{line}"
        if msgid == "" or msgstr == "" or "fuzzy" in flags:
            continue
        wanted = sorted(PLACEHOLDER.findall(msgid))
        found = sorted(PLACEHOLDER.findall(msgstr))
        if wanted != found:
            raise CatalogueError(
                f"{where}: the translation has placeholders {found or 'none'}, its source {wanted or 'none'}")
        if msgid in pairs:
            raise CatalogueError(f"{where}: a second entry for the same source text")
        pairs[msgid] = msgstr
    return pairs


def cpp_literal(text):
    """A C++ narrow string literal of the text's UTF-8 bytes, whatever the compiler's character sets."""
    out = []
    for byte in text.encode("utf-8"):
        # Three-digit octal escapes end where they must; hexadecimal ones would run on.
        out.append(chr(byte) if 0x20 <= byte < 0x7F and chr(byte) not in '"\\' else "\\%03o" % byte)
    return '"' + "".join(out) + '"'


def generate(catalogues):
    lines = [
        "// Made by cmake/po_to_cpp.py from the catalogues in po/; edit those, not this file.",
        '#include "i18n/catalogue_table.h"',
        "",
        "namespace vantora::i18n {",
        "namespace {",
        "",
    ]
    names = []
    for language, pairs in catalogues:
        name = "k" + re.sub(r"[^A-Za-z0-9]", "_", language).title().replace("_", "")
        names.append((language, name))
        lines.append(f"constexpr Translation {name}[] = {{")
        for source in sorted(pairs, key=lambda text: text.encode("utf-8")):
            lines.append(f"    {{{cpp_literal(source)}, {cpp_literal(pairs[source])}}},")
        if not pairs:
            lines.append('    {"", ""},')
        lines.append("};")
        lines.append("")
    lines.append("constexpr Catalogue kAll[] = {")
    for language, name in names:
        lines.append(f"    {{{cpp_literal(language)}, {name}}},")
    lines += ["};", "", "}  // namespace", "",
              "std::span<const Catalogue> builtInCatalogues() { return kAll; }", "",
              "}  // namespace vantora::i18n", ""]
    return "\n".join(lines)


def main(arguments):
    if len(arguments) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    output, pairs = arguments[0], arguments[1:]
    catalogues = []
    try:
        for pair in pairs:
            language, _, path = pair.partition("=")
            catalogues.append((language, translations(path)))
    except (CatalogueError, OSError) as error:
        print(f"po_to_cpp.py: {error}", file=sys.stderr)
        return 1
    text = generate(catalogues)
    try:
        with open(output, encoding="utf-8") as existing:
            if existing.read() == text:
                return 0
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as target:
        target.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
