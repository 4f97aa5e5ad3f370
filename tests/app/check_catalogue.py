#!/usr/bin/python3
"""Checks the Russian catalogue against the table of Russian texts it is
filled from: every text of the table is in the catalogue with its
translation, and no message of the catalogue is left unfinished. A merge
that takes one side of the generated catalogue while the table gained texts
from the other side fails here instead of showing English in the window.

    check_catalogue.py tools/i18n/ru_texts.py src/app/i18n/tessaron_ru.ts
"""

import importlib.util
import sys
import xml.etree.ElementTree as ET


def main(texts_path, ts_path):
    found = importlib.util.spec_from_file_location("ru_texts", texts_path)
    texts = importlib.util.module_from_spec(found)
    found.loader.exec_module(texts)
    catalogue = {}
    unfinished = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            catalogue[(name, source)] = translation.text
            if translation.get("type") or not translation.text:
                unfinished.append((name, source))
    missing = [key for key in texts.RU if key not in catalogue]
    wrong = [key for key in texts.RU if key in catalogue and catalogue[key] != texts.RU[key]]
    for title, keys in (("not in the catalogue (regenerate it)", missing),
                        ("translated differently (regenerate it)", wrong),
                        ("unfinished in the catalogue (add to ru_texts.py)", unfinished)):
        for name, source in keys:
            print("%s: %s: %r" % (title, name, source))
    return 1 if missing or wrong or unfinished else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
