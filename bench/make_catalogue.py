#!/usr/bin/env python3
"""Writes a software catalogue as Quoxel reads it from Data\\soft.txt: one caption a line, indented by
tabs, each line at most one level deeper than the line before, in UTF-8 after a byte-order mark with
CR LF line ends. The same seed gives the same bytes.

    make_catalogue.py FILE [LINES] [MAX_DEPTH]

Prints "lines <n> top <n> max_depth <n> non_ascii <n> bytes <n>"."""
import random
import sys

SEED = 20260406
MIN_CAPTION, MAX_CAPTION = 5, 40

CATEGORIES = [
    "Audio & Video", "Graphics & Design", "Internet", "Office & Text", "System Tools", "Security",
    "Development", "Education", "Games", "Utilities", "Communication", "Science & Maths", "Backup",
    "Desktop Enhancements", "Networking", "Drivers", "Finance", "Home & Hobby", "Photography",
    "Multimedia Servers", "File Management", "Compression", "Accessibility", "Fonts",
]
TOPICS = [
    "Players", "Editors", "Converters", "Viewers", "Recorders", "Browsers", "Mail Clients", "Downloaders",
    "Encryption", "Firewalls", "Cleaners", "Disk Tools", "Monitors", "Compilers", "Debuggers",
    "Spreadsheets", "Word Processors", "Screen Capture", "Icon Editors", "Archivers", "Launchers",
    "Clipboard Tools", "Tag Editors", "Paint Programs", "3D Modelling", "Chat", "FTP Clients",
]
# Other languages' words: the captions a catalogue gathered from many makers carries.
FOREIGN = [
    "Éditeur de texte", "Lecteur vidéo", "Bildbetrachter", "Größenänderung", "Gestión de tareas",
    "Cámara web", "Väderstation", "Ordbok på svenska", "Редактор", "Проигрыватель музыки", "Архиватор",
    "写真ビューア", "日本語入力", "音楽プレーヤー", "Ελληνικό λεξικό", "Çeviri aracı", "Żółw grafika",
    "Naïve café menu", "Dźwięk studio", "Přehrávač", "Szövegszerkesztő", "Sözlük", "文字编辑器",
]
PREFIXES = [
    "Bright", "Pixel", "Zip", "Quick", "Easy", "Smart", "Free", "Open", "Clear", "Swift", "Micro", "Hyper",
    "Blue", "Red", "Green", "Silver", "Iron", "Cloud", "Star", "Nova", "Echo", "Terra", "Delta", "Astro",
]
STEMS = [
    "Notes", "Paint", "Crate", "View", "Tune", "Shot", "Desk", "Clip", "Guard", "Scan", "Wave", "Pad",
    "Sync", "Word", "Calc", "Draw", "Mail", "Term", "Cast", "Frame", "Page", "Box", "Snap", "Type",
]
KINDS = [
    "Editor", "Player", "Viewer", "Studio", "Manager", "Converter", "Recorder", "Explorer", "Commander",
    "Organizer", "Toolkit", "Suite", "Monitor", "Renamer", "Cleaner", "Updater", "Lite", "Portable",
]


def fit(caption, rng):
    """Cut at a word end when too long; too short gets a version number."""
    while len(caption) > MAX_CAPTION:
        cut = caption.rfind(" ", 0, MAX_CAPTION + 1)
        caption = caption[:cut] if cut >= MIN_CAPTION else caption[:MAX_CAPTION]
    while len(caption) < MIN_CAPTION:
        caption += " %d" % rng.randint(1, 12)
    return caption


def program_name(rng):
    name = rng.choice(PREFIXES) + rng.choice(STEMS)
    if rng.random() < 0.7:
        name += " " + rng.choice(KINDS)
    if rng.random() < 0.5:
        name += " %d.%d" % (rng.randint(1, 12), rng.randint(0, 9))
    if rng.random() < 0.15:
        name += " (%s)" % rng.choice(["64-bit", "beta", "free edition", "portable", "trial", "open source"])
    return name


def caption_for(level, rng):
    roll = rng.random()
    if roll < 0.08:
        words = rng.choice(FOREIGN)
        return words if rng.random() < 0.5 else words + " " + rng.choice(STEMS)
    if level == 0:
        return rng.choice(CATEGORIES)
    if level == 1 and roll < 0.6:
        return rng.choice(TOPICS)
    return program_name(rng)


def next_level(level, max_depth, rng):
    """A walk that mostly stays or steps down one level and climbs back now and then; a category
    always has entries, and a new category comes seldom, so the top level stays short."""
    roll = rng.random()
    if level == 0 or (roll < 0.28 and level < max_depth):
        return level + 1
    if roll < 0.75:
        return level
    up = level - 1 if rng.random() < 0.7 else rng.randint(0, level - 1)
    return up if up > 0 or rng.random() < 0.01 else 1


def make_lines(count, max_depth, rng):
    lines, level = [], 0
    for _ in range(count):
        lines.append((level, fit(caption_for(level, rng), rng)))
        level = next_level(level, max_depth, rng)
    return lines


def main():
    if len(sys.argv) not in (2, 3, 4):
        sys.exit(__doc__)
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 50000
    max_depth = int(sys.argv[3]) if len(sys.argv) > 3 else 6
    lines = make_lines(count, max_depth, random.Random(SEED))
    text = "".join("\t" * level + caption + "\r\n" for level, caption in lines)
    data = b"\xef\xbb\xbf" + text.encode("utf-8")
    with open(sys.argv[1], "wb") as out:
        out.write(data)
    top = sum(1 for level, _ in lines if level == 0)
    deepest = max(level for level, _ in lines)
    foreign = sum(1 for _, caption in lines if not caption.isascii())
    print("lines %d top %d max_depth %d non_ascii %d bytes %d" % (len(lines), top, deepest, foreign, len(data)))


if __name__ == "__main__":
    main()
