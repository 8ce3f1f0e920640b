#!/usr/bin/env python3
"""Makes a download folder of N files for the benchmark, once.

Usage: make_bench_folder.py N DIR
       make_bench_folder.py N DIR --real

With --real, the folder instead holds N files named, sized and dated as
the files of this machine's own system folders are (the first N names a
Windows folder could hold, each once), as sparse files.

A realistic mix: most files finished, about one in ten an unfinished
download named as the client names it (some ".mp3" with their 20-character
tail), a list file of 2,000 blocks naming some of those, 1,000 dummy files,
and sizes drawn from a small set so that many are equal. Sizes are made
with truncate (sparse), so the folder takes little room.
"""
import os
import random
import sys

def real_files(count):
    """The first count (name, size, time) of this machine's files whose
    names Windows allows; a name met again is numbered as a browser saves
    a second download of one name ("x (2).deb")."""
    seen = set()
    for top in ("/usr", "/etc", "/var", "/opt"):
        for root, dirs, names in os.walk(top):
            dirs.sort()
            for original in sorted(names):
                name = original
                if any(c in name for c in '<>:"/\\|?*') or name.endswith((".", " ")) or len(name) > 200 \
                        or name.startswith("."):
                    continue
                stem, dot, ext = name.rpartition(".")
                if not dot:
                    stem, ext = name, ""
                number = 1
                while name.lower() in seen:
                    number += 1
                    name = f"{stem} ({number}){dot}{ext}"
                try:
                    st = os.lstat(os.path.join(root, original))
                except OSError:
                    continue
                seen.add(name.lower())
                yield name, st.st_size, int(st.st_mtime)
                if len(seen) == count:
                    return


def make_real(count, folder):
    made = 0
    for name, size, t in real_files(count):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.truncate(size)
        os.utime(path, (t, t))
        made += 1
    if made < count:
        print(f"note: this machine has only {made} such names")


def main():
    count, folder = int(sys.argv[1]), sys.argv[2]
    marker = os.path.join(folder, ".complete")
    if os.path.exists(marker):
        return
    os.makedirs(folder, exist_ok=True)
    if "--real" in sys.argv[3:]:
        make_real(count, folder)
        open(marker, "w").close()
        return
    rng = random.Random(20261207)
    sizes = [rng.randrange(1, 50_000_000) for _ in range(count // 20 + 1)]
    unfinished = []
    dummies = 1000 if count >= 10_000 else count // 10
    for i in range(count):
        size = rng.choice(sizes)
        kind = i % 10
        if i < dummies:
            name = f"[DMY]dummy{i:07d}(1.0MB).mp3"
            src = rng.randrange(1, 0x7FFFFFFF)
            header = b"*PLH" + b"\x01\x00\x00\x00" + f"{src:08X}".encode() + b"mp3 " + b"20030428090500" \
                + bytes([5, 1]) + b"    "
            with open(os.path.join(folder, name), "wb") as f:
                f.write(header)
            continue
        if kind == 0:
            full = size * 2
            if i % 20 == 0:
                name = f"__INCOMPLETE___track{i:07d}{full:08X}128_44100_2_00000327.mp3"
            else:
                name = f"__INCOMPLETE___movie{i:07d}{full:08X}.avi"
            unfinished.append(name)
        else:
            ext = ("mp3", "avi", "zip", "jpg", "txt", "rar", "mpg", "lzh", "wmv")[kind - 1]
            name = f"file{i:07d}.{ext}"
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.truncate(size)
        t = 1_000_000_000 + rng.randrange(0, 200_000_000)
        os.utime(path, (t, t))
    with open(os.path.join(folder, "incomplete downloads.txt"), "wb") as f:
        for name in unfinished[:2000]:
            f.write(f"Local Path:C:\\Downloads\\{name}\r\nRemote Name:{name}\r\nSize: {rng.randrange(1, 99_000_000)}\r\n"
                    f"User:user{rng.randrange(0, 300)}\r\n\r\n".encode("cp932"))
    open(marker, "w").close()

if __name__ == "__main__":
    main()
