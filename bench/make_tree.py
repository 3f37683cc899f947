#!/usr/bin/env python3
"""Makes the search benchmark's tree: folders a few levels deep, files of sizes spread log-uniformly
from 0 bytes to a few GiB (sparse, so they take no room), and a few hidden folders with files in them.

    make_tree.py ROOT [FILES FOLDERS]

FILES and FOLDERS are 100 000 and 10 000 unless given. The same seed gives the same tree on every machine. ROOT must not exist yet. Prints one line of counts:
files, folders, and the files outside hidden folders (the ones a search of the drive visits).
"""
import math
import os
import random
import sys

SEED = 20260
FOLDERS = 10_000
FILES = 100_000
MAX_DEPTH = 5
HIDDEN_FOLDERS = 12
MAX_SIZE = 4 * 1024**3
# Bigger than any other file, in a hidden folder: a search that walked into hidden folders would
# list it first.
HIDDEN_DECOY_SIZE = 8 * 1024**3

WORDS = ["report", "photo", "backup", "video", "setup", "data", "archive", "notes", "music", "game",
         "cache", "log", "draft", "scan", "Résumé", "данные", "mixed Case", "with space"]
EXTENSIONS = ["bin", "iso", "zip", "jpg", "mp4", "txt", "dat", "log", "7z", "db", ""]


def file_size(rng):
    """0 bytes for one file in fifty, else log-uniform from 1 byte to MAX_SIZE."""
    if rng.random() < 0.02:
        return 0
    return int(math.exp(rng.uniform(0, math.log(MAX_SIZE))))


def entry_name(rng, index, prefix=""):
    extension = rng.choice(EXTENSIONS)
    name = f"{prefix}{rng.choice(WORDS)}-{index:05d}"
    return f"{name}.{extension}" if extension else name


def make_folders(rng, root, count):
    """Breadth first, 5 to 15 sub-folders each, until `count` exist. Returns (path, hidden) pairs."""
    folders = [(root, False, 0)]
    queue = [0]
    while queue and len(folders) - 1 < count:
        parent, parent_hidden, depth = folders[queue.pop(0)]
        if depth == MAX_DEPTH:
            continue
        for _ in range(rng.randint(5, 15)):
            if len(folders) - 1 == count:
                break
            hidden = len(folders) % (count // HIDDEN_FOLDERS) == 0
            name = entry_name(rng, len(folders), "." if hidden else "")
            folders.append((os.path.join(parent, name), parent_hidden or hidden, depth + 1))
            queue.append(len(folders) - 1)
    for path, _, _ in folders[1:]:
        os.mkdir(path)
    return [(path, hidden) for path, hidden, _ in folders]


def make_file(path, size):
    descriptor = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o644)
    try:
        os.ftruncate(descriptor, size)
    finally:
        os.close(descriptor)


def make_files(rng, folders, count):
    """`count` files in folders picked at random; one in a hundred is itself hidden (and still searched)."""
    searched = 0
    for index in range(count):
        folder, in_hidden = rng.choice(folders)
        prefix = "." if rng.random() < 0.01 else ""
        make_file(os.path.join(folder, entry_name(rng, index, prefix)), file_size(rng))
        searched += not in_hidden
    decoy_folder = next(path for path, hidden in folders if hidden)
    make_file(os.path.join(decoy_folder, "decoy.bin"), HIDDEN_DECOY_SIZE)
    return count + 1, searched


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit("usage: make_tree.py ROOT [FILES FOLDERS]")
    root = sys.argv[1]
    file_count, folder_count = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) == 4 else (FILES, FOLDERS)
    os.mkdir(root)
    rng = random.Random(SEED)
    folders = make_folders(rng, root, folder_count)
    files, searched = make_files(rng, folders, file_count)
    print(f"{files} {len(folders) - 1} {searched}")


if __name__ == "__main__":
    main()
