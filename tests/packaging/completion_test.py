#!/usr/bin/env python3
"""The bash completion of korvane against the program's own help.

usage: completion_test.py KORVANE COMPLETION_FILE

Sources COMPLETION_FILE in bash, checks `complete -p korvane`, then completes as bash would
(COMP_WORDS/COMP_CWORD, then the function) and compares with what `korvane --help` and
`korvane COMMAND --help` say: every command, every option of each command, and every value
list the help spells as "--option a|b|c" or as "FILESYSTEM: a, b or c" and the like.
A command, option or value the CLI gains and the completion lacks fails here.
"""
import re
import shlex
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--[a-z][a-z0-9-]*")
VALUES = re.compile(r"(?<![\w-])(--[a-z][a-z0-9-]*) ([a-z0-9][\w:-]*(?:\|[a-z0-9][\w:-]*)+)")


def run(argv):
    done = subprocess.run(argv, capture_output=True, text=True, timeout=60)
    return done.stdout + done.stderr


class Bash:
    def __init__(self, completion):
        self.completion = completion

    def script(self, body):
        return subprocess.run(["bash", "--norc", "--noprofile", "-c",
                               f"source {shlex.quote(self.completion)}\n{body}"],
                              capture_output=True, text=True, timeout=60)

    def complete(self, words):
        """COMPREPLY for a command line whose last word is being completed."""
        array = " ".join(shlex.quote(w) for w in words)
        done = self.script(f"COMP_WORDS=({array}); COMP_CWORD={len(words) - 1}\n"
                           f"COMP_LINE={shlex.quote(' '.join(words))}; COMP_POINT=${{#COMP_LINE}}\n"
                           "_korvane 2>/dev/null; printf '%s\\n' \"${COMPREPLY[@]}\"")
        return {line for line in done.stdout.splitlines() if line}


def commands_from_help(text):
    commands = []
    block = text.split("commands:", 1)[1].split("\n\n", 1)[0]
    for line in block.splitlines():
        if line.startswith("  ") and not line.startswith("   ") and not line.strip().startswith("-"):
            names = re.match(r"^([a-z][a-z-]*(?:, [a-z][a-z-]*)*)", line.strip()).group(1)
            commands += names.split(", ")
    return commands


def prose_list(text, label):
    """'LABEL: a, b (note), c or d.' (over line ends) -> [a, b, c, d]: the one-word items."""
    match = re.search(label + r": ([^.:]*)", text.replace("\n", " "))
    if not match:
        return None
    words = re.sub(r"\([^()]*\)", "", match.group(1)).split(")")[0]
    items = [w.split() for w in re.split(r",|\bor\b", words)]
    return [i[0] for i in items if len(i) == 1]


def main():
    korvane, completion = sys.argv[1], sys.argv[2]
    bash = Bash(completion)
    failures = []

    registration = bash.script("complete -p korvane").stdout.strip()
    if registration != "complete -F _korvane korvane":
        failures.append(f"complete -p korvane says {registration!r}")

    top = run([korvane, "--help"])
    commands = commands_from_help(top)
    offered = bash.complete(["korvane", ""])
    expected = set(commands) | {"--help", "--version"}
    if offered != expected:
        failures.append(f"commands: missing {sorted(expected - offered)}, extra {sorted(offered - expected)}")
    if bash.complete(["korvane", "wipe-"]) != {c for c in commands if c.startswith("wipe-")}:
        failures.append("korvane wipe-<TAB> does not offer the wipe commands")

    checked_values = 0
    for command in commands:
        shown = run([korvane, command, "--help"])
        options = set(OPTION.findall(shown)) | {"--help"}
        offered = bash.complete(["korvane", command, "--"])
        if offered != options:
            failures.append(f"{command} --<TAB>: missing {sorted(options - offered)}, "
                            f"extra {sorted(offered - options)}")
        for option, spelled in VALUES.findall(shown):
            # "sample:P": P is a placeholder; completion offers "sample:".
            values = {re.sub(r":[A-Z]+$", ":", v) for v in spelled.split("|")}
            got = bash.complete(["korvane", command, option, ""])
            checked_values += 1
            if got != values:
                failures.append(f"{command} {option} <TAB>: expected {sorted(values)}, got {sorted(got)}")

    # Value lists the help spells in prose.
    prose = [
        ("format", "FILESYSTEM", ["korvane", "format", "/dev/sdz", ""]),
        ("browsers", "KIND", ["korvane", "browsers", "clean", ""]),
        ("settings", "FIELD", ["korvane", "settings", ""]),
    ]
    for command, label, words in prose:
        values = prose_list(run([korvane, command, "--help"]), label)
        got = bash.complete(words)
        checked_values += 1
        if not values:
            failures.append(f"{command} --help no longer spells '{label}: ...'")
        elif not set(values) <= got:
            failures.append(f"{' '.join(words)}<TAB>: expected {sorted(values)}, got {sorted(got)}")
    duplicates_help = run([korvane, "duplicates", "--help"]).replace("\n", " ")
    methods = bash.complete(["korvane", "duplicates", "/tmp", "--method", ""])
    for method in sorted(methods):
        if not re.search(r"--method M .*\b" + method + r"\b", duplicates_help):
            failures.append(f"duplicates --method offers {method}, which its help does not name")
    if methods != {"trash", "remove", "erase"}:
        failures.append(f"duplicates --method <TAB>: {sorted(methods)}")
    if not {"1", "2", "3", "7", "35"} == bash.complete(["korvane", "erase", "--level", ""]):
        failures.append("erase --level <TAB> does not offer the five levels")
    if "/usr" not in bash.complete(["korvane", "erase", "/us"]):
        failures.append("erase /us<TAB> does not offer /usr")
    if bash.complete(["korvane", "erase", "--level", "3", "--"]) != {"--level", "--yes", "--force", "--bundle", "--help"}:
        failures.append("erase --level 3 --<TAB> does not offer erase's options")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(commands)} commands, {checked_values} value lists checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
