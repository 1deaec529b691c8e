#!/usr/bin/env python3
"""Checks the default phrases and the hand-install README that ship with Verdo.

Verdo reads verdo.ini byte by byte: every control byte ends a phrase, a
final line break adds an empty phrase, an ampersand underlines the next
letter. The default file must show as nothing but its lines.

    check_release_texts.py <verdo.ini> <README.txt> [<results.tsv>]

Each check is one line of the results file: pass or fail, its name, and
what was wrong. Exit code 1 when any check failed.
"""
import os
import sys

MAX_PHRASE_BYTES = 255
# The saver's font is a seventh of the screen high; longer lines wrap into
# three or more lines on a 4:3 screen and read poorly.
MAX_COMFORTABLE_CHARS = 45
MIN_PHRASES = 24


def numbered(lines, wrong):
    """The 1-based numbers of the lines for which wrong(line) holds."""
    return ", ".join(str(n) for n, line in enumerate(lines, 1) if wrong(line))


def phrase_checks(data):
    lines = data.split(b"\r\n")
    yield "verdo.ini is not empty", "" if data else "it is empty"
    yield ("verdo.ini ends without a line break (no empty phrase at the end)",
           "it ends with one" if data.endswith((b"\r", b"\n")) else "")
    outside = sorted({b for b in data if b > 0x7E})
    yield ("verdo.ini is plain ASCII, the same in every code page",
           "bytes %s" % ", ".join("0x%02X" % b for b in outside) if outside else "")
    blank = numbered(lines, lambda line: not line)
    yield "verdo.ini has no blank line (an empty phrase)", "lines " + blank if blank else ""
    control = numbered(lines, lambda line: any(b < 0x20 for b in line))
    yield ("verdo.ini has no control byte or lone CR/LF in a line",
           "lines " + control if control else "")
    long_lines = numbered(lines, lambda line: len(line) > MAX_PHRASE_BYTES)
    yield ("every phrase fits the program's %d bytes" % MAX_PHRASE_BYTES,
           "lines " + long_lines if long_lines else "")
    wide = numbered(lines, lambda line: len(line) > MAX_COMFORTABLE_CHARS)
    yield ("every phrase is at most %d characters" % MAX_COMFORTABLE_CHARS,
           "lines " + wide if wide else "")
    underlined = numbered(lines, lambda line: b"&" in line.replace(b"&&", b""))
    yield ("no phrase has a single '&', shown as an underline",
           "lines " + underlined if underlined else "")
    yield ("verdo.ini holds at least %d phrases" % MIN_PHRASES,
           "only %d" % len(lines) if len(lines) < MIN_PHRASES else "")
    yield ("no phrase is repeated",
           "some are" if len(set(lines)) != len(lines) else "")


def readme_checks(data):
    bare = data.replace(b"\r\n", b"")
    yield ("README.txt has CR LF line ends only",
           "other line ends" if b"\n" in bare or b"\r" in bare else "")
    yield ("README.txt tells where Verdo looks for its folder",
           "" if b"Install_Dir" in data and b"Software\\Corvane Labs\\Verdo" in data
           else "Install_Dir or its key is not named")


def main():
    if len(sys.argv) not in (3, 4):
        print("usage: check_release_texts.py <verdo.ini> <README.txt> [<results.tsv>]", file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as phrases, open(sys.argv[2], "rb") as readme:
        checks = list(phrase_checks(phrases.read())) + list(readme_checks(readme.read()))
    failed = 0
    rows = []
    for name, problem in checks:
        status = "fail" if problem else "pass"
        failed += bool(problem)
        rows.append("%s\t%s\t%s" % (status, name, problem))
        if problem:
            print("FAIL: %s: %s" % (name, problem))
    if len(sys.argv) == 4:
        os.makedirs(os.path.dirname(os.path.abspath(sys.argv[3])), exist_ok=True)
        with open(sys.argv[3], "w") as results:
            results.write("\n".join(rows) + "\n")
    print("%d of %d checks passed" % (len(checks) - failed, len(checks)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
