#!/usr/bin/python3
"""Checks that anatomy words are spelled in the anatomy table only.

Reads every source file of src/ as text (no build needed) and fails, naming
file, line and string, on a string literal that holds an anatomy word
("kidney", "pelvis", "lokhanki", ...) outside src/model/AnatomyTable.cpp. Not
counted: comments, included file names, texts for people (translated texts, and prose of three or
more words such as usage lines), Qt object names ("label_stones"), and the
files below that use such words for something else.

    check-anatomy-words.py [SRC_DIR]
"""

import os
import re
import sys

# Stems of the anatomy words, English and transliterated, as a word begins.
STEMS = (
    "kidney", "renal", "pelvis", "stone", "calcul", "skin", "arter", "tumo", "vein", "vena",
    "lokhan", "lohan", "parenh", "obrazov", "kamni", "kamen", "opukhol", "opykhol", "opuhol",
    "opykol", "krov", "blood", "pochk", "bladder", "ureter", "cyst", "kista", "bone", "kost",
    "spleen", "liver", "pancrea", "aorta", "kozha", "piramid", "adrenal", "gtv",
)
WORD = re.compile(r"(?:^|[^a-z])(%s)" % "|".join(STEMS))

TABLE = os.path.join("model", "AnatomyTable.cpp")
# Files whose strings use these words for something other than naming anatomy.
ALLOWED = {
    os.path.join("measure", "MeasureJson.cpp"): "the JSON's documented field names",
    os.path.join("import", "GltfCheck.cpp"): "glTF's skins, the joints of animated meshes",
    os.path.join("formats", "SessionFile.cpp"): "the session file's documented field names",
    os.path.join("formats", "SessionWrite.cpp"): "the session file's documented field names",
    os.path.join("cli", "StonesCommand.cpp"): "the stones command's name and JSON field names",
}
SKIPPED_FOLDERS = (os.path.join("app", "i18n"),)

# Calls whose string arguments are texts for people or object names.
TEXT_CALLS = {"tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3",
              "setObjectName"}
OBJECT_NAME = re.compile(r"^(label|[a-z]+[A-Z]\w*)_\w+$")


def literals(text):
    """(line, string, enclosing call) of every string literal, comments skipped."""
    i, line, calls = 0, 1, []
    identifier = re.compile(r"[A-Za-z_]\w*")
    last_word = None
    while i < len(text):
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = len(text) if i < 0 else i
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = len(text) if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
            continue
        if c == '"' or c == "'":
            j = i + 1
            while j < len(text) and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            if c == '"':
                yield line, text[i + 1:j], calls[-1] if calls else None
            i = j + 1
            continue
        if text.startswith("#include", i):
            i = text.find("\n", i)
            i = len(text) if i < 0 else i
            continue
        if c == "\n":
            line += 1
        elif c == "(":
            calls.append(last_word)
        elif c == ")" and calls:
            calls.pop()
        match = identifier.match(text, i)
        if match:
            last_word = match.group(0)
            i = match.end()
            continue
        if not c.isspace():
            last_word = None
        i += 1


def is_text_for_people(string, call):
    return call in TEXT_CALLS or len(string.split()) >= 3 or OBJECT_NAME.match(string)


def check_file(path, src):
    relative = os.path.relpath(path, src)
    if relative == TABLE or relative in ALLOWED or relative.startswith(SKIPPED_FOLDERS):
        return []
    with open(path, encoding="utf-8", errors="replace") as source:
        text = source.read()
    where = os.path.relpath(path, os.path.dirname(os.path.abspath(src)))
    return ["%s:%d: %s: an anatomy word outside the anatomy table (%s)" % (where, line, string, TABLE)
            for line, string, call in literals(text)
            if WORD.search(string.lower()) and not is_text_for_people(string, call)]


def main(argv):
    src = os.path.abspath(argv[1] if len(argv) > 1 else "src")
    problems = []
    for root, folders, files in os.walk(src):
        folders.sort()
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                problems += check_file(os.path.join(root, name), src)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
