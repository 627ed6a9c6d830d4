#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files given and one time.

The entries come in the order given, each under the name given, stamped with the
time SECONDS (seconds since 1970, taken as UTC, so the machine's time zone does not
count), as a plain file readable by all and writable by its owner, deflated at
level 9, with no extra fields: no owner ids, no access or change times.

    scripts/zip-files.py OUT.zip SECONDS FILE...
"""
import sys
import time
import zipfile

# Zip times are DOS times: years 1980 to 2107, in steps of two seconds.
DOS_FIRST = (1980, 1, 1, 0, 0, 0)
DOS_LAST = (2107, 12, 31, 23, 59, 58)
FILE_MODE = 0o100644


def dos_time(seconds):
    stamp = tuple(time.gmtime(seconds)[:6])
    return min(max(stamp, DOS_FIRST), DOS_LAST)


def main(args):
    if len(args) < 3 or not args[1].isdigit():
        sys.exit("usage: zip-files.py OUT.zip SECONDS FILE...")
    out, seconds, names = args[0], int(args[1]), args[2:]
    stamp = dos_time(seconds)
    with zipfile.ZipFile(out, "w") as archive:
        for name in names:
            with open(name, "rb") as source:
                data = source.read()
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 3  # Unix, so that the mode below is read
            entry.external_attr = FILE_MODE << 16
            archive.writestr(entry, data, compress_type=zipfile.ZIP_DEFLATED,
                             compresslevel=9)


if __name__ == "__main__":
    main(sys.argv[1:])
