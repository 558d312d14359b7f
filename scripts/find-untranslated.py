#!/usr/bin/python3
"""Lists Japanese texts in the sources that do not go through the translation.

find-untranslated.py [SOURCE FOLDER...]   (default: src companion)

A string literal with Japanese in it must stand inside tr(), QT_TR_NOOP(),
QT_TRANSLATE_NOOP(), translate(), Translate() or Translatable(); stored
words and other data (what the files hold, what the Windows program reads)
are marked by "// stored" on their line (a text meant to be the same in
every language, such as a language's own name, by "// as is") or at the head of their block
("// stored {" ... "// }"). Comments are not looked at. Exit status 1 when
something was found.
"""
import os
import re
import sys

JAPANESE = re.compile("[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")
CALLS = {"tr", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "translate", "Translate", "Translatable",
         "QT_TR_N_NOOP", "QT_TRANSLATE_N_NOOP"}
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|R"([^(]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|'
                   r"'(?:\\.|[^'\\\n])*'|[A-Za-z_]\w*|[()]|\n|.", re.S)


def findings(path):
    text = open(path, encoding="utf-8").read()
    line = 1
    stack = []  # name of the call of each open parenthesis
    previous = None
    stored_block = 0
    for match in TOKEN.finditer(text):
        token = match.group(0)
        if token.startswith("//"):
            if re.match(r"//\s*stored\s*\{", token):
                stored_block += 1
            elif re.match(r"//\s*\}", token) and stored_block:
                stored_block -= 1
        elif token == "(":
            stack.append(previous)
        elif token == ")":
            if stack:
                stack.pop()
        elif token.startswith('"') or token.startswith('R"'):
            if JAPANESE.search(token) and not stored_block and not (set(stack) & CALLS):
                end = text.find("\n", match.end())
                rest = text[match.end():end if end >= 0 else len(text)]
                if not any(mark in rest for mark in ("// stored", "/* stored */", "// as is")):
                    yield line, token
        if not token.isspace() and not token.startswith("/"):
            previous = token
        line += token.count("\n")


def main(argv):
    folders = argv[1:] or ["src", "companion"]
    found = 0
    for folder in folders:
        for root, _, files in os.walk(folder):
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    path = os.path.join(root, name)
                    for line, token in findings(path):
                        print("%s:%d: %s" % (path, line, token))
                        found += 1
    print("%d texts outside the translation" % found, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
