#!/usr/bin/python3
"""Checks that the source folders include each other only downwards.

Reads every #include of src/ as text (no build needed) and fails, naming file
and line, on an include that crosses a layer the wrong way, on a widget or
OpenGL header in the headless core, and on a third-party library used outside
the one folder that owns it.

    check-layers.py [SRC_DIR]
"""

import os
import re
import sys

# Which folders each folder may include, besides itself.
CORE = {"geometry", "model", "formats", "import", "measure"}
ALLOWED = {
    "geometry": set(),
    "model": {"geometry"},
    "formats": {"geometry", "model"},
    "import": {"geometry", "model", "formats"},
    "measure": {"geometry", "model", "formats"},
    "view": CORE,
    "app": CORE | {"view"},
    "cli": CORE | {"view"},
}

# Headers the headless core must not see: widgets, OpenGL and the GUI module.
GUI_HEADER = re.compile(r"^(Qt(Gui|Widgets|OpenGL\w*|PrintSupport|Svg)\b|GL/|gl2ps|QOpenGL)")

# Third-party libraries and the one folder that may include them.
OWNED = [
    (re.compile(r"^CGAL/"), "measure"),
    (re.compile(r"^assimp/"), "import"),
    (re.compile(r"^(nifti\w*|znzlib)\.h$"), "import"),
    (re.compile(r"^zlib\.h$"), "import"),
    (re.compile(r"^gdcm\w*\.h$"), "import"),
    (re.compile(r"^meshoptimizer\.h$"), "formats"),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def gui_class_headers():
    """Class headers (QWidget, QImage, ...) of Qt's GUI modules, when installed."""
    names = set()
    for root in ("/usr/include/x86_64-linux-gnu/qt6", "/usr/include/qt6"):
        for module in ("QtGui", "QtWidgets", "QtOpenGL", "QtOpenGLWidgets", "QtPrintSupport"):
            folder = os.path.join(root, module)
            if os.path.isdir(folder):
                names.update(n for n in os.listdir(folder) if n.startswith("Q") and "." not in n)
    return names


def layer_of(path, src):
    relative = os.path.relpath(path, src)
    return relative.split(os.sep)[0] if os.sep in relative else None


def resolve(target, including, src):
    """The file of src/ a quoted include names, or None for another's header."""
    for base in (os.path.dirname(including), src):
        candidate = os.path.normpath(os.path.join(base, target))
        if os.path.isfile(candidate):
            return candidate
    return None


def check_file(path, src, gui_classes):
    layer = layer_of(path, src)
    if layer not in ALLOWED:
        return []
    problems = []
    with open(path, encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, target = match.groups()
            where = "%s:%d" % (os.path.relpath(path, os.path.dirname(src)), number)
            if quote == '"':
                found = resolve(target, path, src)
                other = layer_of(found, src) if found else None
                if other and other != layer and other not in ALLOWED[layer]:
                    problems.append("%s: the %s layer may not include %s of the %s layer"
                                    % (where, layer, target, other))
                continue
            if layer in CORE and (GUI_HEADER.match(target) or target in gui_classes):
                problems.append("%s: the headless %s layer includes <%s>" % (where, layer, target))
            for pattern, owner in OWNED:
                if pattern.match(target) and layer != owner:
                    problems.append("%s: <%s> belongs to %s, not %s" % (where, target, owner, layer))
    return problems


def main(argv):
    src = os.path.abspath(argv[1] if len(argv) > 1
                          else os.path.join(os.path.dirname(__file__), "..", "src"))
    gui_classes = gui_class_headers()
    problems = []
    for root, _, files in sorted(os.walk(src)):
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                problems += check_file(os.path.join(root, name), src, gui_classes)
    for problem in problems:
        print(problem)
    print("check-layers: %d wrong include%s" % (len(problems), "" if len(problems) == 1 else "s"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
