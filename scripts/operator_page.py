#!/usr/bin/env python3
"""Writes the operator's page in Russian (Stats.html, the main one) and English (Stats-en.html)
from scripts/operator-page.html, where every text stands as <ru>...</ru><en>...</en> side by side.

Usage: SCREENS=html operator_page.py VERSION STAGE_FOLDER"""
import os
import re
import sys

PAIR = re.compile(r"<ru>(.*?)</ru>\s*<en>(.*?)</en>", re.S)


def page_in(template, language):
    text = PAIR.sub(lambda m: m.group(1) if language == "ru" else m.group(2), template)
    # A text without its partner would leave a tag behind, and one page would lack it.
    stray = re.search(r"</?(ru|en)>", text)
    if stray:
        line = text[: stray.start()].count("\n") + 1
        sys.exit(f"operator page: <{stray.group(1)}> without its translation beside it (line {line} of the {language} page)")
    return text.replace("@LANG@", language)


def main():
    version, stage = sys.argv[1], sys.argv[2]
    template = open("scripts/operator-page.html", encoding="utf-8").read()
    template = template.replace("@VERSION@", version).replace("@SCREENS@", os.environ.get("SCREENS", ""))
    for language, name in (("ru", "Stats.html"), ("en", "Stats-en.html")):
        with open(os.path.join(stage, name), "w", encoding="utf-8") as out:
            out.write(page_in(template, language))


if __name__ == "__main__":
    main()
