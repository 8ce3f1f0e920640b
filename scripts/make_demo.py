#!/usr/bin/env python3
"""Create a demo program folder for Orvane.

Usage: python3 scripts/make_demo.py DEMO_DIR

DEMO_DIR is the folder that holds (or will hold) Orvane.exe. The script fills
it once with:

  downloads/            a download folder as the client leaves it: finished
                        files, unfinished downloads, the client's list file
                        "incomplete downloads.txt", dummy files and files of
                        equal size
  library/...           three folders on disk for the registered folders
  Orvane.dat            the registered folders (code page 932, CR LF)
  background.png        the list's background picture, drawn here
  Qelt.ini              the settings: FILE_PATH, DEFAULT_DIR and the
                        background picture BG, tiled (cp932, CR LF)

If DEMO_DIR/Qelt.ini exists already, nothing is changed: the user may have
edited the demo since. Files that exist already are never overwritten either.
Everything is fixed (names, sizes, contents, times), so two runs on empty
folders give the same result.

The paths written into Qelt.ini and Orvane.dat are the Windows paths under
which the program sees the folders. Under Wine the Unix root is drive Z:, so
/home/me/demo becomes Z:\\home\\me\\demo; on Windows the path is used as it is.
"""

import calendar
import io
import os
import struct
import sys
import tarfile
import gzip
import zipfile
import zlib

# The client's prefix of an unfinished download.
INCOMPLETE_PREFIX = "__INCOMPLETE___"
# Characters the client puts between the size digits and ".mp3".
MP3_TAIL_LENGTH = 20
LIST_FILE_NAME = "incomplete downloads.txt"
DUMMY_SIGNATURE = b"*PLH"
DUMMY_LENGTH = 40
ANSI = "cp932"  # the ANSI code page of a Japanese system
CRLF = "\r\n"


class DemoError(Exception):
    pass


# --------------------------------------------------------------------------
# Helpers

def stamp(year, month, day, hour=12, minute=0):
    """A fixed time of last change (UTC), as seconds since 1970."""
    return calendar.timegm((year, month, day, hour, minute, 0, 0, 0, 0))


def windows_path(path):
    """The path as the Windows program sees it."""
    path = os.path.abspath(path)
    if os.name == "nt":
        return path
    for ch in '\\:*?"<>|':
        if ch in path:
            raise DemoError(
                "the path %r contains %r, which a Windows path cannot hold"
                % (path, ch))
    return "Z:" + path.replace("/", "\\")


def check_ansi(text, what):
    try:
        text.encode(ANSI)
    except UnicodeEncodeError:
        raise DemoError(
            "%s %r cannot be written in code page 932" % (what, text))


def mp3_tail(kbps, hz, channels, seconds):
    """A 20-character tail: bit rate, sample rate, channels, play time."""
    tail = "%03d_%05d_%d_%08d" % (kbps, hz, channels, seconds)
    assert len(tail) == MP3_TAIL_LENGTH and "." not in tail
    return tail


def incomplete_name(stem, full_size, ext, tail=None):
    """The client's name of an unfinished download.

    The full size stands as eight hexadecimal digits right before the
    extension; for ".mp3" names 20 more characters follow the digits.
    """
    assert 0 <= full_size < 0x80000000
    digits = "%08X" % full_size
    if ext.lower() == ".mp3":
        assert tail is not None
        name = INCOMPLETE_PREFIX + stem + digits + tail + ext
    else:
        name = INCOMPLETE_PREFIX + stem + digits + ext
    assert full_size_from_name(name) == full_size, name
    return name


def full_size_from_name(name):
    """Reads the name back the way Orvane does (used as a self-check)."""
    if not name.startswith(INCOMPLETE_PREFIX) or len(name) < 23:
        return -1
    d = name.rfind(".") + 1  # position counted from 1, 0 when none
    if name[-4:].upper() == ".MP3":
        d -= MP3_TAIL_LENGTH
    if d - 8 < 1:
        return -1
    digits = name[d - 9:d - 1]
    if len(digits) != 8 or any(c not in "0123456789ABCDEFabcdef"
                               for c in digits):
        return -1
    value = int(digits, 16)
    return value if value < 0x80000000 else -1


def dummy_header(source_size, source_ext, source_time, prefix_len,
                 has_size_suffix):
    """The 40 bytes of a dummy file that stands for a file of source_size.

    Layout: "*PLH", a little-endian 32-bit integer, the source size as eight
    hexadecimal digits, a 4-byte and a 14-byte text (here the source's
    extension and its time of last change), the prefix length p, the suffix
    flag, and a 4-byte text. Orvane reads only the signature, the size
    digits, p and the flag.
    """
    ext = source_ext.upper().encode("ascii")[:4].ljust(4, b" ")
    when = source_time.encode("ascii")
    assert len(when) == 14
    data = (DUMMY_SIGNATURE
            + struct.pack("<i", 1)
            + ("%08X" % source_size).encode("ascii")
            + ext
            + when
            + bytes([prefix_len, 1 if has_size_suffix else 0])
            + b"    ")
    assert len(data) == DUMMY_LENGTH
    return data


def text_bytes(lines):
    """Lines as a code page 932 text with CR LF line ends."""
    return "".join(line + CRLF for line in lines).encode(ANSI)


def png_bytes(width, height, pixel):
    """A small true-colour PNG; pixel(x, y) gives (r, g, b)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    # Level 0 (stored blocks) keeps the bytes the same with every zlib.
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 0))
            + chunk(b"IEND", b""))


def bmp_bytes(width, height, pixel):
    """A small 24-bit BMP; pixel(x, y) gives (r, g, b), y = 0 at the top."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row.extend((b, g, r))
        row.extend(b"\0" * (stride - len(row)))
        body.extend(row)
    offset = 14 + 40
    return (b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset)
            + struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                          len(body), 2835, 2835, 0, 0)
            + bytes(body))


def zip_bytes(members, when):
    """A zip archive of (name, bytes) pairs, stored, with fixed times."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_STORED) as archive:
        for name, data in members:
            info = zipfile.ZipInfo(name, date_time=when)
            info.create_system = 0
            info.external_attr = 0x20  # archive attribute
            archive.writestr(info, data)
    return buffer.getvalue()


def tar_gz_bytes(members, mtime):
    """A gzip-compressed tar archive of (name, bytes) pairs."""
    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.USTAR_FORMAT) \
            as archive:
        for name, data in members:
            info = tarfile.TarInfo(name)
            info.size = len(data)
            info.mtime = mtime
            info.mode = 0o644
            info.uid = info.gid = 0
            info.uname = info.gname = ""
            archive.addfile(info, io.BytesIO(data))
    return gzip.compress(buffer.getvalue(), compresslevel=0, mtime=mtime)


def fixed_length(text, length):
    """text in code page 932, padded with spaces to exactly length bytes."""
    data = text.encode(ANSI)
    assert len(data) <= length
    return data + b" " * (length - len(data))


# --------------------------------------------------------------------------
# The demo content. Each entry: (name, content, time). content is bytes, or
# an int for a zero-filled file of that many bytes.

def sky(x, y):
    return (40 + x * 2, 110 + y * 2, 230)


def sunset(x, y):
    return (250 - y * 2, 120 + x, 60 + y * 3)


def wallpaper(x, y):
    """Pale enough for the rows' text: a light wash with a soft diagonal band
    and a darker corner mark, so that the placement can be told apart."""
    if x < 12 and y < 12:
        return (170, 190, 230)
    band = 18 if (x + y) % 80 < 20 else 0
    return (245 - band, 246 - band // 2, 252)


def download_files(list_text):
    t = stamp
    files = [
        # The same song three times: three files of 2,048,000 bytes.
        ("春の歌.mp3", 2048000, t(2003, 4, 28, 9, 5)),
        ("春の歌 (1).mp3", 2048000, t(2003, 5, 2, 22, 41)),
        ("Haru no Uta.mp3", 2048000, t(2004, 3, 14, 1, 17)),
        ("夏祭り - 花火.mp3", 614400, t(2003, 8, 16, 20, 30)),
        ("Blue Morning - Track01.mp3", 409600, t(2002, 11, 3, 7, 45)),
        ("Sunset Drive.mp3", 532480, t(2004, 7, 21, 18, 2)),
        ("海辺のドライブ(Remix).mp3", 471040, t(2005, 1, 9, 23, 59)),
        ("Tokyo Night.mp3", 348160, t(2002, 6, 30, 2, 10)),
        ("travel_nikko_2002.avi", 819200, t(2002, 10, 12, 15, 0)),
        ("猫の動画.mpg", 393216, t(2004, 2, 22, 12, 22)),
        ("demo_reel.wmv", 262144, t(2005, 6, 1, 10, 10)),
        ("写真集_vol2.rar", 204800, t(2003, 12, 24, 21, 0)),
        ("old_games.lzh", 102400, t(2002, 4, 1, 4, 1)),
        ("tools_pack.zip", zip_bytes([
            ("readme.txt", text_bytes([
                "tools_pack", "", "Small tools for tidying up files."])),
            ("rename.bat", text_bytes([
                "@echo off", "rem Renames *.MP3 to *.mp3",
                "for %%f in (*.MP3) do ren \"%%f\" \"%%~nf.mp3\""])),
        ], (2004, 9, 5, 16, 30, 0)), t(2004, 9, 5, 16, 31)),
        ("backup.tar.gz", tar_gz_bytes([
            ("backup/playlist.m3u", text_bytes(
                ["春の歌.mp3", "夏祭り - 花火.mp3", "Tokyo Night.mp3"])),
            ("backup/notes.txt", text_bytes(["backup of 2005-03-01"])),
        ], stamp(2005, 3, 1, 8, 0)), t(2005, 3, 1, 8, 0)),
        ("sky.png", png_bytes(64, 48, sky), t(2004, 5, 5, 11, 11)),
        ("夕焼け.bmp", bmp_bytes(64, 48, sunset), t(2003, 10, 18, 17, 40)),
        ("readme.txt", text_bytes([
            "Demo download folder",
            "",
            "Files named __INCOMPLETE___... are downloads in progress.",
            "Files of 40 bytes that begin with *PLH are dummy files.",
        ]), t(2002, 3, 15, 10, 0)),
        ("歌詞集.txt", text_bytes([
            "春の歌",
            "  さくら舞う道を　ふたりで歩いた",
            "",
            "夏祭り",
            "  夜空に咲いた　大きな花火",
        ]), t(2003, 4, 29, 13, 20)),
        ("はじめにお読みください.txt", text_bytes([
            "このフォルダは Orvane のデモ用です。",
            "ファイルは自由に移動・削除して試してください。",
        ]), t(2005, 11, 20, 9, 0)),
        ("プレイリスト.m3u", text_bytes([
            "春の歌.mp3", "Haru no Uta.mp3", "Sunset Drive.mp3",
        ]), t(2004, 8, 8, 8, 8)),
        # No extension at all.
        ("README", text_bytes([
            "This folder belongs to the Orvane demo.",
        ]), t(2002, 3, 15, 10, 5)),
        # Empty: a size of 0 is never coloured as a shared size.
        ("新規テキスト ドキュメント.txt", b"", t(2005, 7, 7, 7, 7)),
        # 40 bytes, but no dummy file: an ordinary text.
        ("メモ.txt", fixed_length("探す曲：春の歌（ライブ版）", 38)
         + b"\r\n", t(2004, 12, 31, 23, 30)),
        # Two files of 1,000 bytes.
        ("着メロ_01.mid", 1000, t(2003, 6, 6, 6, 6)),
        ("着メロ_02.mid", 1000, t(2003, 6, 7, 6, 7)),

        # Dummy files, each standing for a file elsewhere.
        ("[DMY]春の歌(2.0MB).mp3",
         dummy_header(2048000, "mp3", "20030428090500", 5, True),
         t(2004, 4, 1, 12, 0)),
        ("[DMY]月夜の散歩(4.5MB).mp3",
         dummy_header(4718592, "mp3", "20040110214500", 5, True),
         t(2004, 4, 1, 12, 1)),
        ("【仮】旅行ビデオ.avi",
         dummy_header(183500800, "avi", "20021012150000", 3, False),
         t(2004, 4, 2, 9, 30)),

        # Unfinished downloads: current size below the full size.
        *[(name, current, when) for name, current, when, _ in unfinished()],

        (LIST_FILE_NAME, list_text, t(2005, 11, 21, 2, 31)),
    ]
    return files


# Unfinished downloads of the client's folder: (stem, full size, extension,
# 20-character tail of ".mp3" names, current size, time, user in the client's
# list file or None when the list does not name it).
UNFINISHED = [
    ("桜の雨", 5242880, ".mp3", mp3_tail(128, 44100, 2, 327),
     0, stamp(2005, 11, 21, 0, 15), "みかん123"),              # 0 %
    ("Sakura no Ame", 5242880, ".mp3", mp3_tail(128, 44100, 2, 327),
     1048576, stamp(2005, 11, 21, 0, 40), None),             # 20 %
    ("Blue Sky - Live", 1500000, ".mp3", mp3_tail(192, 44100, 2, 62),
     500000, stamp(2005, 11, 20, 22, 3), "taro_0420"),       # 33 %
    ("夜明けのうた", 2000000, ".mp3", mp3_tail(160, 44100, 2, 100),
     1000000, stamp(2005, 11, 20, 23, 48), "ねこまんま"),      # 50 %
    ("Sunrise", 2500000, ".MP3", mp3_tail(128, 48000, 2, 156),
     250000, stamp(2005, 11, 19, 19, 19), None),             # 10 %
    ("旅の記録_part1", 500000, ".avi", None,
     497000, stamp(2005, 11, 21, 1, 2), "DJ-Kaze"),           # 99 %
    ("travel_kyoto_2003", 734003200, ".avi", None,
     65536, stamp(2005, 11, 18, 3, 33), None),               # 0 %
    ("アニメ主題歌集", 800000, ".zip", None,
     600000, stamp(2005, 11, 21, 2, 30), "さくら★"),           # 75 %
]
# A download the client still lists although its file is gone.
STALE = ("風の声", 3145728, ".mp3", mp3_tail(128, 44100, 2, 196), "yuki_77")


def unfinished():
    """(file name, current size, time, user) of each unfinished download."""
    return [(incomplete_name(stem, full, ext, tail), current, when, user)
            for stem, full, ext, tail, current, when, user in UNFINISHED]


def list_file_text(downloads_win):
    """The client's "incomplete downloads.txt": one four-line block per
    download; Orvane reads the name after the last "\\" of the first line,
    the size after the colon of the third and the user after the colon of
    the fourth."""
    lines = ["[Incomplete Downloads]", ""]

    def block(name, size, user):
        ext = name[name.rfind("."):]
        digits = name.rfind("%08X" % size)
        remote = name[len(INCOMPLETE_PREFIX):digits] + ext.lower()
        lines.extend([
            "Local Path:" + downloads_win + "\\" + name,
            "Remote Name:" + remote,
            "Size: %d" % size,
            "User:" + user,
            "",
        ])

    for name, _, _, user in unfinished():
        if user is not None:
            block(name, full_size_from_name(name), user)
    stem, size, ext, tail, user = STALE
    block(incomplete_name(stem, size, ext, tail), size, user)
    return text_bytes(lines)


def library_files():
    t = stamp
    return {
        "音楽": [
            ("青い空.mp3", 409600, t(2002, 9, 1, 10, 0)),
            ("青い空 (コピー).mp3", 409600, t(2003, 9, 1, 10, 0)),
            ("風のうた.mp3", 307200, t(2004, 1, 15, 20, 0)),
            ("[DMY]花火大会(3.2MB).mp3",
             dummy_header(3355443, "mp3", "20030816203000", 5, True),
             t(2004, 4, 1, 12, 5)),
        ],
        os.path.join("音楽", "ライブ"): [
            ("2003-08-15 野外ライブ 01.mp3", 262144, t(2003, 8, 20, 21, 0)),
            ("2003-08-15 野外ライブ 02.mp3", 262144, t(2003, 8, 20, 21, 5)),
            ("セットリスト.txt", text_bytes([
                "01 オープニング", "02 春の歌", "03 夏祭り"]),
             t(2003, 8, 16, 1, 0)),
        ],
        "動画": [
            ("花火大会.mpg", 600000, t(2003, 8, 17, 0, 30)),
            ("花火大会_short.mpg", 150000, t(2003, 8, 18, 9, 0)),
            ("予告編.wmv", 150000, t(2005, 2, 2, 22, 22)),
            # Not the client's folder: no user, full size from the name.
            (incomplete_name("予告編 完全版", 600000, ".wmv"),
             150000, t(2005, 11, 21, 3, 0)),             # 25 %
        ],
    }


# The registered folders: (NamePath, folder below library/).
REGISTERED = [
    ("音楽", "音楽"),
    ("音楽,ライブ", os.path.join("音楽", "ライブ")),
    ("動画", "動画"),
]


# --------------------------------------------------------------------------
# Writing

class Writer:
    def __init__(self):
        self.created = 0
        self.skipped = 0
        self.bytes = 0

    def file(self, path, content, mtime=None):
        """Creates path with content; an existing file is left alone."""
        if os.path.lexists(path):
            self.skipped += 1
            return
        with open(path, "xb") as f:
            if isinstance(content, int):
                f.truncate(content)  # zero-filled
                self.bytes += content
            else:
                f.write(content)
                self.bytes += len(content)
        if mtime is not None:
            os.utime(path, (mtime, mtime))
        self.created += 1


def make_demo(demo_dir):
    demo_dir = os.path.abspath(demo_dir)
    ini_path = os.path.join(demo_dir, "Qelt.ini")
    if os.path.lexists(ini_path):
        return "make_demo: %s exists already; nothing changed" % ini_path

    downloads = os.path.join(demo_dir, "downloads")
    library = os.path.join(demo_dir, "library")
    downloads_win = windows_path(downloads)
    library_win = windows_path(library)
    check_ansi(downloads_win, "the path")
    check_ansi(library_win, "the path")
    # The data file separates its fields with ",".
    if "," in library_win:
        raise DemoError("the path %r contains a comma, which the registered "
                        "folders cannot hold" % library_win)
    if len(downloads_win.encode(ANSI)) > 254:
        raise DemoError("the path %r is longer than a setting can hold"
                        % downloads_win)

    list_text = list_file_text(downloads_win)

    writer = Writer()
    os.makedirs(downloads, exist_ok=True)
    for name, content, mtime in download_files(list_text):
        writer.file(os.path.join(downloads, name), content, mtime)

    folders = library_files()
    for sub, entries in folders.items():
        folder = os.path.join(library, sub)
        os.makedirs(folder, exist_ok=True)
        for name, content, mtime in entries:
            writer.file(os.path.join(folder, name), content, mtime)

    data_lines = [name_path + "," + library_win + "\\" + sub.replace(
        os.sep, "\\") for name_path, sub in REGISTERED]
    writer.file(os.path.join(demo_dir, "Orvane.dat"), text_bytes(data_lines))

    background = os.path.join(demo_dir, "background.png")
    writer.file(background, png_bytes(160, 120, wallpaper))

    # Written last: its presence means the demo is complete.
    ini = text_bytes([
        "[PATH]",
        "FILE_PATH=" + downloads_win,
        "DEFAULT_DIR=" + library_win,
        "[DESIGN]",
        "BG=" + windows_path(background),
        "ALIGNMENT=2",
    ])
    temp = ini_path + ".tmp"
    with open(temp, "wb") as f:
        f.write(ini)
    os.replace(temp, ini_path)
    writer.created += 1

    note = ""
    if writer.skipped:
        note = ", %d existing files kept" % writer.skipped
    return ("make_demo: created the Orvane demo in %s (%d files, %.1f MB: "
            "downloads/, library/ with %d registered folders, Orvane.dat, "
            "Qelt.ini%s)" % (demo_dir, writer.created, writer.bytes / 1e6,
                             len(REGISTERED), note))


def main(argv):
    if len(argv) != 2 or argv[1] in ("-h", "--help"):
        sys.stderr.write("usage: python3 make_demo.py DEMO_DIR\n")
        return 2
    try:
        print(make_demo(argv[1]))
    except (DemoError, OSError) as error:
        sys.stderr.write("make_demo: %s\n" % error)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
