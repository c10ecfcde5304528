#!/usr/bin/python3
"""The includes of the game's own headers run one way, floor by floor and room by room.

Every `#include "<folder>/..."` in src/<folder>/ must name a folder that folder may
build on. The build already fails on a Qt module a room does not link; this catches a
room that reaches into a sibling's or a later room's headers.

usage: rooms_check.py path/to/src
"""
import pathlib
import re
import sys

CORE = {"assets", "state", "rules", "life", "anim", "care", "foresight"}
# What each folder may include, besides itself.
ALLOWED = {
    "assets": set(),
    "state": {"assets"},
    "rules": {"assets", "state"},
    "life": {"assets", "state", "rules"},
    "anim": {"assets", "state", "rules"},
    "care": {"assets", "state", "rules"},
    "foresight": {"assets", "state", "rules", "life", "anim", "care"},
    "store": CORE,
    "sound": CORE,
    "platform": CORE,
    "reminders": CORE | {"store", "platform"},
    "session": CORE | {"store", "sound", "platform"},
    "windows": CORE | {"store", "sound", "platform", "session"},
    "program": CORE | {"store", "sound", "platform", "session", "windows", "reminders"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.M)


def main(src):
    src = pathlib.Path(src)
    wrong = []
    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    for folder in folders:
        if folder not in ALLOWED:
            wrong.append(f"src/{folder}: a folder the rule does not know; add it to {__file__}")
            continue
        for path in sorted((src / folder).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for used in INCLUDE.findall(path.read_text(errors="replace")):
                if used != folder and used not in ALLOWED[folder]:
                    wrong.append(f"{path.relative_to(src.parent)} includes {used}/, which {folder}/ may not use")
    for w in wrong:
        print("FAIL:", w)
    print(f"{len(folders)} folders checked, {len(wrong)} wrong includes")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
