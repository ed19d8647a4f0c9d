#!/usr/bin/env python3
"""Creates a tree of empty files for the search benchmark: 100 files per
folder, ten folders per upper folder, mixed extensions.
    make_bench_tree.py <dir> <files>"""
import os
import sys

EXTENSIONS = [".exe", ".dll", ".txt", ".dat", ".ex", ""]
PER_FOLDER = 100
FOLDERS_PER_LEVEL = 10


def main(root, total):
    os.makedirs(root, exist_ok=True)
    folders = (total + PER_FOLDER - 1) // PER_FOLDER
    made = 0
    for f in range(folders):
        upper = "g%03d" % (f // FOLDERS_PER_LEVEL)
        folder = os.path.join(root, upper, "f%03d" % (f % FOLDERS_PER_LEVEL))
        os.makedirs(folder, exist_ok=True)
        for i in range(min(PER_FOLDER, total - made)):
            name = "file%05d%s" % (made, EXTENSIONS[made % len(EXTENSIONS)])
            open(os.path.join(folder, name), "wb").close()
            made += 1


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
