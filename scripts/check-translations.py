#!/usr/bin/env python3
"""Checks that the English translation is complete and matches the sources.

Usage: check-translations.py LUPDATE

Fails (exit 1, one line per problem) when translations/quilby_en.ts has an
unfinished, empty or vanished entry, when an entry loses a placeholder, a
mnemonic or a control picture of its source, when a translation still holds
Hangul, or when lupdate over src/ would add a text the file does not have:
a new text without its English fails here, not in front of a user.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
TS = ROOT / "translations" / "quilby_en.ts"
HANGUL = re.compile("[\u1100-\u11ff\u3130-\u318f\uac00-\ud7a3]")
PLACEHOLDER = re.compile(r"%\d+")
CONTROL_PICTURE = re.compile("[\u2400-\u243f]")
# The one text that names Korean in Korean on purpose: the language menu.
KOREAN_ON_PURPOSE = {"K&orean (한국어)"}


def mnemonics(text):
    # A lone '&' marks a mnemonic; "&&" shows one ampersand.
    return len(re.findall(r"(?<!&)&(?!&)", text.replace("&&", "")))


def entries(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message.findtext("source") or "", message.find("translation")


def problems(path):
    found = []
    for context, source, translation in entries(path):
        where = f"{context}: {source!r}"
        kind = translation.get("type") if translation is not None else "missing"
        text = translation.text or "" if translation is not None else ""
        if kind in ("vanished", "obsolete"):
            found.append(f"{where}: no longer in the sources (run lupdate)")
            continue
        if kind == "unfinished" or not text:
            found.append(f"{where}: not translated")
            continue
        if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
            found.append(f"{where}: placeholders differ in {text!r}")
        if mnemonics(source) != mnemonics(text):
            found.append(f"{where}: mnemonic lost or added in {text!r}")
        if "\t" in source and source.split("\t")[1] != text.partition("\t")[2]:
            found.append(f"{where}: shortcut text differs in {text!r}")
        if sorted(CONTROL_PICTURE.findall(source)) != sorted(CONTROL_PICTURE.findall(text)):
            found.append(f"{where}: control pictures differ in {text!r}")
        if HANGUL.search(text) and text not in KOREAN_ON_PURPOSE:
            found.append(f"{where}: translation still holds Hangul: {text!r}")
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    found = problems(TS)
    # lupdate over a copy: a new text comes in unfinished, a removed one vanished.
    with tempfile.TemporaryDirectory() as scratch:
        copy = pathlib.Path(scratch) / TS.name
        shutil.copyfile(TS, copy)
        subprocess.run([sys.argv[1], "-silent", "-tr-function-alias", "QT_TRANSLATE_NOOP+=QUILBY_TEXT",
                        "-extensions", "cpp,h", str(ROOT / "src"), "-ts", str(copy)],
                       check=True)
        found += [p for p in problems(copy) if p not in found]
    for problem in found:
        print(f"{TS.relative_to(ROOT)}: {problem}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
