#!/usr/bin/env python3
"""Fills the Russian catalogue after lupdate has collected the source texts:
every message whose (context, source) is in ru_texts.RU gets its translation;
the others are listed and left unfinished. Obsolete entries are dropped.

    cmake --build build --target tessaron_app_lupdate
    tools/i18n/fill_ts.py src/app/i18n/tessaron_ru.ts
"""

import sys
import xml.etree.ElementTree as ET

from ru_texts import RU


def main(path):
    tree = ET.parse(path)
    missing = []
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in list(context.iter("message")):
            source = message.findtext("source")
            translation = message.find("translation")
            if translation is not None and translation.get("type") in ("obsolete", "vanished"):
                context.remove(message)
                continue
            text = RU.get((name, source))
            if text is None:
                missing.append((name, source))
                continue
            translation.text = text
            translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    for name, source in missing:
        print("untranslated: %s: %r" % (name, source))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
