#!/usr/bin/env python3
"""Writes the page's data script and the characters its font must hold.

The data script holds the English catalogue (Japanese text -> English, from the desktop's
translation file) and the gallery's files. The characters are every one the catalogue, the
gallery and the page can show, so the font can be cut down to them.

usage: page_data.py CATALOGUE.ts EXAMPLES_DIR WEB_DIR OUT.js OUT_CHARACTERS.txt
"""
import json
import pathlib
import sys
import xml.etree.ElementTree as ET

# The contexts whose texts the page shows; a text kept in several takes the first one's words.
PREFERRED = ["web", "core"]


def catalogue(ts_path):
    root = ET.parse(ts_path).getroot()
    by_context = {}
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            english = "".join(translation.itertext()) if translation is not None else ""
            if source and english and translation.get("type") != "unfinished":
                by_context.setdefault(name, {}).setdefault(source, english)
    words = {}
    for name in PREFERRED + sorted(by_context):
        for source, english in by_context.get(name, {}).items():
            words.setdefault(source, english)
    return words


def main():
    ts_path, examples, web_dir, out_js, out_chars = sys.argv[1:6]
    words = catalogue(ts_path)
    gallery = [{"name": path.stem, "text": path.read_text(encoding="utf-8")}
               for path in sorted(pathlib.Path(examples).glob("*.mechsim"))]
    pathlib.Path(out_js).write_text(
        "var MechsimData = " + json.dumps({"catalogue": words, "gallery": gallery},
                                          ensure_ascii=False) + ";\n", encoding="utf-8")
    shown = set(chr(c) for c in range(0x20, 0x7f))
    shown |= set("０１２３４５６７８９．－＋ｅＥ　（）「」、。：°±√θω·×→←↑↓▶■")
    for source, english in words.items():
        shown |= set(source) | set(english)
    for example in gallery:
        shown |= set(example["text"])
    for page in pathlib.Path(web_dir).glob("*.*"):
        if page.suffix in (".js", ".html"):
            shown |= set(page.read_text(encoding="utf-8"))
    pathlib.Path(out_chars).write_text(
        "".join(sorted(c for c in shown if c.isprintable())), encoding="utf-8")


if __name__ == "__main__":
    main()
