#!/usr/bin/python3
"""Checks the English translation against the sources.

check_translations.py SOURCE_FOLDER

Fails when a source text of the program has no finished English translation
(also one lupdate finds in the sources but the .ts file does not have yet),
when a translation lost or gained a %1..%99 argument, or when a caption with
an access key ("(&X)") lost its access key.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ARGUMENT = re.compile(r"%(\d{1,2})")
ACCESS_KEY = re.compile(r"&[^&\s]")


def messages(path):
    """(context, source) -> (translation, unfinished) of the current messages."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            kind = translation.get("type", "")
            if kind in ("vanished", "obsolete"):
                continue
            found[(name, message.findtext("source"))] = (translation.text or "",
                                                         kind == "unfinished")
    return found


def main(argv):
    root = argv[1]
    committed = os.path.join(root, "translations", "rimotime_en.ts")
    problems = []
    with tempfile.TemporaryDirectory() as work:
        fresh = os.path.join(work, "rimotime_en.ts")
        shutil.copy(committed, fresh)
        subprocess.run([os.path.join(root, "scripts", "update-translations.sh"), fresh],
                       check=True)
        current = messages(fresh)
    stored = messages(committed)
    for key in sorted(set(current) - set(stored)):
        problems.append("not in the .ts file yet (run scripts/update-translations.sh): %s %r" % key)
    for key in sorted(set(stored) - set(current)):
        problems.append("no longer in the sources (run scripts/update-translations.sh): %s %r"
                        % key)
    for (context, source), (translation, unfinished) in sorted(stored.items()):
        where = "%s %r" % (context, source)
        if unfinished or not translation.strip():
            problems.append("no finished translation: " + where)
            continue
        if sorted(set(ARGUMENT.findall(source))) != sorted(set(ARGUMENT.findall(translation))):
            problems.append("arguments differ: %s -> %r" % (where, translation))
        if "(&" in source and not ACCESS_KEY.search(translation.replace("&&", "")):
            problems.append("access key lost: %s -> %r" % (where, translation))
    for problem in problems:
        print(problem)
    print("%d texts, %d problems" % (len(stored), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
