#!/usr/bin/env python3
"""Lists Hangul string literals that no translation marker reaches.

A text the Qt layer shows goes through tr() or QCoreApplication::translate();
a fixed text of the core is wrapped in QUILBY_TEXT(context, text). A Hangul
literal outside both would stay Korean in every translation. Exit 1 and one
line per literal when any is found.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent / "src"
HANGUL = re.compile("[\u1100-\u11ff\u3130-\u318f\uac00-\ud7a3]")
LITERAL = re.compile(r'(?:u8|L|u|U)?"(?:[^"\\\n]|\\.)*"')
MARKERS = ("tr(", "translate(", "QUILBY_TEXT(")
# Font family names are looked up, never shown as words.
FONT_NAMES = {'"굴림"', '"새굴림"'}


def strip_comments(text):
    # Keeps line numbers: comments become blanks of the same length.
    def blank(m):
        return re.sub(r"[^\n]", " ", m.group(0))
    return re.sub(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"',
                  lambda m: m.group(0) if m.group(0).startswith('"') else blank(m), text, flags=re.S)


def marked(text, start, literal_starts):
    # The call that holds the literal: walk back to the opening parenthesis,
    # stepping over whole string literals (their brackets do not count).
    depth = 0
    i = start - 1
    while i >= 0:
        if text[i] == '"' and i in literal_ends:
            i = literal_ends[i] - 1
            continue
        c = text[i]
        if c == ")":
            depth += 1
        elif c == "(":
            if depth == 0:
                head = text[max(0, i - 20):i + 1]
                return any(head.endswith(m) for m in MARKERS)
            depth -= 1
        elif c in ";{}" and depth == 0:
            return False
        i -= 1
    return False


# The closing quote of each literal of the file being read, to its opening one.
literal_ends = {}


def main():
    found = []
    for path in sorted(ROOT.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        text = strip_comments(path.read_text(encoding="utf-8"))
        literal_ends.clear()
        for m in LITERAL.finditer(text):
            literal_ends[m.end() - 1] = m.start()
        for m in LITERAL.finditer(text):
            if (HANGUL.search(m.group(0)) and m.group(0) not in FONT_NAMES
                    and not marked(text, m.start(), literal_ends)):
                line = text.count("\n", 0, m.start()) + 1
                found.append(f"{path.relative_to(ROOT.parent)}:{line}: {m.group(0)}")
    for f in found:
        print(f)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
