#!/usr/bin/env python3
"""Refreshes copies of the translation tables from the sources and checks them.

A text shown through tr() that the German table lacks (new, or changed in the code) comes out
of lupdate unfinished; so does a plural whose English forms are missing. A translation that
drops or invents a placeholder (%1, %n) would show the wrong value, so it fails too."""
import argparse
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(?:n|L?[1-9][0-9]?)")


def problems_in(table: Path, plural_only: bool) -> list[str]:
    found = []
    for context in ET.parse(table).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            if kind in ("vanished", "obsolete"):
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
            where = f"{table.name}: {name}: {source!r}"
            if kind == "unfinished" or not all(f.strip() for f in forms):
                found.append(f"{where}: no translation")
                continue
            wanted = sorted(set(PLACEHOLDER.findall(source)))
            for form in forms:
                have = sorted(set(PLACEHOLDER.findall(form)))
                # A singular form may spell the number out ("ein Eintrag") instead of %n.
                if message.get("numerus") == "yes":
                    wanted_here = [p for p in wanted if p != "%n"]
                    have = [p for p in have if p != "%n"]
                else:
                    wanted_here = wanted
                if have != wanted_here:
                    found.append(f"{where}: placeholders {have} in {form!r}, want {wanted_here}")
    return found


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--tables", required=True, type=Path)
    parser.add_argument("--source-root", required=True)
    parser.add_argument("lupdate_arguments", nargs="*")
    args = parser.parse_args()

    tables = sorted(args.tables.glob("korvane_*.ts"))
    if not any(t.name == "korvane_de.ts" for t in tables):
        print("no German table in", args.tables)
        return 1
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        for table in tables:
            copy = Path(scratch) / table.name
            shutil.copyfile(table, copy)
            plural_only = table.name == "korvane_en.ts"
            command = [args.lupdate, *args.lupdate_arguments]
            if plural_only:
                command.append("-pluralonly")
            run = subprocess.run([*command, "-ts", str(copy)], check=True, cwd=args.source_root,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
            # A tr() that lupdate cannot place in a context never reaches a table.
            problems += [f"lupdate: {line}" for line in run.stderr.splitlines()
                         if line.strip() and f"lupdate: {line}" not in problems]
            problems += problems_in(copy, plural_only)
    for problem in problems:
        print(problem)
    print(f"{len(problems)} problem(s) in {', '.join(t.name for t in tables)}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
