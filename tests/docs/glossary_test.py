#!/usr/bin/env python3
"""Every control and component a tool or the main window declares under its short name (Lbl11,
LstKovot, Ajastin3, ...) has a row in the glossary of docs/architecture.md that says what it is."""
import glob
import os
import re
import sys

root = sys.argv[1]
KINDS = r"(?:HWND|WindowTimer|FileDialog|MciPlayer|ScopedMenu)"
MEMBER = re.compile(r"^\s*" + KINDS + r"\s+([^;(]*);")


def declared_names():
    headers = glob.glob(os.path.join(root, "tools", "*", "*.h")) + [os.path.join(root, "app", "FrmMain.h")]
    for header in sorted(headers):
        for line in open(header, encoding="utf-8"):
            match = MEMBER.match(line.split("//")[0])
            if not match:
                continue
            for declarator in re.sub(r"\{[^}]*\}", "", match.group(1)).split(","):
                name = re.split(r"[\s={]", declarator.strip())[0]
                if name and not name.endswith("_"):  # private state, not a named control
                    yield name, os.path.relpath(header, root)


def glossary_rows():
    text = open(os.path.join(root, "docs", "architecture.md"), encoding="utf-8").read()
    start = text.index("## The controls' names")
    section = text[start:text.index("\n## ", start + 1)]
    for line in section.splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if line.startswith("|") and len(cells) >= 2 and cells[1] and not set(cells[1]) <= set("-"):
            yield set(re.findall(r"`([^`]+)`", cells[0]))


described = set().union(*glossary_rows())
missing = [(name, header) for name, header in declared_names() if name not in described]
for name, header in missing:
    print("glossary: %s (%s) has no row in docs/architecture.md" % (name, header))
print("glossary: %d names missing" % len(missing))
sys.exit(1 if missing else 0)
