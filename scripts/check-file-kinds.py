#!/usr/bin/python3
"""Checks that only the registry of file kinds compares file-name endings.

Reads every source file of src/ as text (no build needed) and fails, naming
file and line, on a comparison of a name's ending outside the registry: an
endsWith() of a literal ending (".stl"), an endsWith() that ignores case (the
way names are compared), a QFileInfo suffix, a text that is a dotted ending
and nothing else (".stl", QLatin1String(".pdf")), or a text that holds a file
pattern ("OFF(*.off)", "*.png"), which only the registry spells. Comments are not read. A new format is a row of the registry, never
one more ending at a caller.

It also fails on a reader of the import layer that asks the registry about a
path (recognise(), kindOfName(), kindStem(), the is...Name() questions): a
path is recognised once, at its door, and its readers take the recognition
handed down. Only the doors and the walkers of a folder's entries ask.

    check-file-kinds.py [SRC_DIR]
"""

import os
import re
import sys

# The registry itself, and files that may compare endings for a stated reason.
ALLOWED = {
    "formats/FileKinds.cpp": "the registry of file kinds",
    # The label tables that may sit beside a label map are read with it, not
    # through the door; their names are the label reader's own.
    "import/LabelNames.cpp": "the names of a label map's label tables",
}

# The files of the import layer that recognise paths: the doors and the
# walkers of a folder's own entries.
DOORS = {
    "import/Importer.cpp": "the door every path comes in by",
    "import/SessionOpen.cpp": "a session's entries, each recognised once",
    "import/DicomSeg.cpp": "the segmentation files of a DICOM folder",
    "import/LabelMapImport.cpp": "the masks of a folder",
}

LOOKUP = re.compile(
    r"\b(recognise|recogniseName|kindOfName|kindStem|isNativeName|isSessionName|"
    r"isSceneName|isLabelMapName)\s*\(")
LOOKUP_WHY = "a reader asks the registry again; take the Recognition its door hands down"

CHECKS = [
    (re.compile(r'endsWith\(\s*(QLatin1String\w*\(|QStringLiteral\(|u)?\s*"\.'),
     "compares a file ending; ask the registry of file kinds (formats/FileKinds.h)"),
    (re.compile(r"endsWith\([^;]*CaseInsensitive"),
     "compares a name's ending ignoring case; ask the registry of file kinds"),
    (re.compile(r"\b(complete)?[sS]uffix\(\)"),
     "takes a file's suffix; ask the registry of file kinds"),
    (re.compile(r'(?<![\w"])u?"\.[A-Za-z][A-Za-z0-9]*(\.[A-Za-z][A-Za-z0-9]*)*"'),
     "spells a file ending; take it from the registry of file kinds"),
    (re.compile(r'"(?:[^"\\]|\\.)*\*\.[A-Za-z](?:[^"\\]|\\.)*"'),
     "spells a file pattern; build it from the registry of file kinds"),
]

STRING = re.compile(r'"(?:[^"\\]|\\.)*"')


def code_of(line, in_comment):
    """The line without its comments; whether a block comment runs on."""
    code, at = "", 0
    while at < len(line):
        if in_comment:
            end = line.find("*/", at)
            if end < 0:
                return code, True
            at, in_comment = end + 2, False
            continue
        text = STRING.match(line, at)
        if text:
            code += text.group(0)
            at = text.end()
        elif line.startswith("//", at):
            break
        elif line.startswith("/*", at):
            in_comment, at = True, at + 2
        else:
            code += line[at]
            at += 1
    return code, in_comment

SOURCE = re.compile(r"\.(cpp|h|hpp|cc)$")


def main():
    src = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "src")
    top = os.path.dirname(src)
    faults = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not SOURCE.search(name):
                continue
            path = os.path.join(root, name)
            relative = os.path.relpath(path, src).replace(os.sep, "/")
            if relative in ALLOWED:
                continue
            with open(path, encoding="utf-8", errors="replace") as text:
                in_comment = False
                for number, line in enumerate(text, 1):
                    code, in_comment = code_of(line, in_comment)
                    if (relative.startswith("import/") and relative not in DOORS
                            and LOOKUP.search(code)):
                        shown = os.path.relpath(path, top).replace(os.sep, "/")
                        faults.append(f"{shown}:{number}: {LOOKUP_WHY}")
                        continue
                    for pattern, why in CHECKS:
                        if pattern.search(code):
                            shown = os.path.relpath(path, top).replace(os.sep, "/")
                            faults.append(f"{shown}:{number}: {why}")
                            break
    for fault in sorted(faults):
        print(fault)
    if faults:
        print(f"{len(faults)} ending comparison(s) or look-up(s) outside the registry of file kinds")
        return 1
    print("only the registry of file kinds compares endings, and no reader asks it again")
    return 0


if __name__ == "__main__":
    sys.exit(main())
