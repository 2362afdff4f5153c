#!/usr/bin/env python3
"""Takes the ./opt/ entry out of a .deb's data archive, in place.

dpkg removes a directory with the last package that lists it: a package listing ./opt/ takes
/opt (made by debootstrap, owned by no package) away with it when it is purged. Without the
entry dpkg never counts /opt as the package's; the preinst makes /opt when a system lacks it.

usage: omit-opt-entry.py PACKAGE.deb
"""
import io
import lzma
import gzip
import sys
import tarfile


def read_ar(data):
    assert data[:8] == b"!<arch>\n", "not an ar archive"
    members, offset = [], 8
    while offset < len(data):
        header = data[offset:offset + 60]
        name = header[:16].decode().strip().rstrip("/")
        size = int(header[48:58].decode().strip())
        members.append((name, header, data[offset + 60:offset + 60 + size]))
        offset += 60 + size + (size % 2)
    return members


def write_ar(members):
    out = bytearray(b"!<arch>\n")
    for name, header, body in members:
        out += header[:48] + f"{len(body):<10}".encode() + header[58:60]
        out += body
        if len(body) % 2:
            out += b"\n"
    return bytes(out)


def main(path):
    members = read_ar(open(path, "rb").read())
    rewritten = []
    for name, header, body in members:
        if name.startswith("data.tar"):
            kind = name.rsplit(".", 1)[-1]
            raw = {"xz": lzma.decompress, "gz": gzip.decompress}.get(kind, bytes)(body)
            source = tarfile.open(fileobj=io.BytesIO(raw), mode="r:")
            target_bytes = io.BytesIO()
            # GNU format as dpkg reads it (dpkg rejects pax extended headers).
            target = tarfile.open(fileobj=target_bytes, mode="w:", format=tarfile.GNU_FORMAT)
            dropped = 0
            for member in source.getmembers():
                if member.name.rstrip("/") in ("./opt", "opt"):
                    dropped += 1
                    continue
                target.addfile(member, source.extractfile(member) if member.isreg() else None)
            target.close()
            if not dropped:
                print(f"{path}: no ./opt entry")
            raw = target_bytes.getvalue()
            if kind == "xz":
                body = lzma.compress(raw, preset=6)
            elif kind == "gz":
                body = gzip.compress(raw, compresslevel=6, mtime=0)
            else:
                body = raw
        rewritten.append((name, header, body))
    open(path, "wb").write(write_ar(rewritten))


if __name__ == "__main__":
    for deb in sys.argv[1:]:
        main(deb)
