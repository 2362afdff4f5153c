#!/usr/bin/env python3
"""korvane.1 in step with the program's own help.

usage: man_page_test.py KORVANE MANPAGE

The commands `korvane --help` lists are exactly the commands the page has a section (.SS) for;
for each command, the options `korvane COMMAND --help` names are exactly the options its section
names; the options the top-level help names are exactly those the page names before COMMANDS.
Also renders the page with man(1) when it is installed, warnings counted as failures.
"""
import re
import shutil
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--[a-z][a-z0-9-]*")


def run(argv):
    done = subprocess.run(argv, capture_output=True, text=True, timeout=60)
    return done.stdout + done.stderr


def commands_from_help(text):
    """The commands of the "commands:" block: first word(s) of each entry line."""
    commands = []
    block = text.split("commands:", 1)[1].split("\n\n", 1)[0]
    for line in block.splitlines():
        if not line.startswith("  ") or line.startswith("   "):
            continue  # a continuation line
        entry = line.strip()
        if entry.startswith("-"):
            continue  # --version: an option, not a command
        # "mount, unmount, eject DEVICE": several commands on one line.
        names = re.match(r"^([a-z][a-z-]*(?:, [a-z][a-z-]*)*)", entry).group(1)
        commands += names.split(", ")
    return commands


def page_sections(page):
    """(text before COMMANDS, {command: its section's text})."""
    text = page.replace("\\-", "-")
    head, rest = text.split("\n.SH COMMANDS\n", 1)
    commands_part = re.split(r"\n\.SH ", rest, maxsplit=1)[0]
    sections = {}
    for chunk in re.split(r"^\.SS ", commands_part, flags=re.M)[1:]:
        title, _, body = chunk.partition("\n")
        for name in title.strip().strip('"').split(", "):
            sections[name] = body
    return head, sections


def main():
    korvane, man_path = sys.argv[1], sys.argv[2]
    page = open(man_path, encoding="utf-8").read()
    failures = []

    top = run([korvane, "--help"])
    commands = commands_from_help(top)
    if len(commands) < 10:
        print(f"FAIL: could not read the commands from korvane --help:\n{top}")
        return 1
    head, sections = page_sections(page)
    for missing in sorted(set(commands) - set(sections)):
        failures.append(f"command {missing!r} is in korvane --help but has no section in {man_path}")
    for extra in sorted(set(sections) - set(commands)):
        failures.append(f"section {extra!r} of {man_path} is no command of korvane --help")

    top_options = set(OPTION.findall(top))
    head_options = set(OPTION.findall(head))
    if top_options != head_options:
        failures.append(f"top level: help names {sorted(top_options)}, page names {sorted(head_options)}")

    for command in commands:
        if command not in sections:
            continue
        shown = run([korvane, command, "--help"])
        help_options = set(OPTION.findall(shown)) - {"--help"}
        page_options = set(OPTION.findall(sections[command])) - {"--help"}
        for option in sorted(help_options - page_options):
            failures.append(f"{command}: {option} is in its --help but not in the page")
        for option in sorted(page_options - help_options):
            failures.append(f"{command}: {option} is in the page but not in its --help")

    if shutil.which("man"):
        rendered = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", man_path],
                                  capture_output=True, text=True,
                                  env={"MANWIDTH": "80", "PATH": "/usr/bin:/bin"})
        if rendered.returncode != 0 or rendered.stderr.strip():
            failures.append(f"man -l {man_path}: status {rendered.returncode}: {rendered.stderr}")
        elif "wipe-free-space" not in rendered.stdout:
            failures.append("the rendered page lacks its sections")
    else:
        print("man is not installed: the page is not rendered")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(commands)} commands checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
