#!/usr/bin/env python3
"""Checks the default phrases and the hand-install README that ship with Verdo.

Verdo reads verdo.ini byte by byte: every control byte ends a phrase, a
final line break adds an empty phrase, an ampersand underlines the next
letter. The default file must show as nothing but its lines.
"""
import sys

MAX_PHRASE_BYTES = 255
# The saver's font is a seventh of the screen high; longer lines wrap into
# three or more lines on a 4:3 screen and read poorly.
MAX_COMFORTABLE_CHARS = 45


def check_phrases(path):
    data = open(path, "rb").read()
    problems = []
    if not data:
        problems.append("is empty")
    if data.endswith(b"\r\n") or data.endswith(b"\n") or data.endswith(b"\r"):
        problems.append("ends with a line break (an empty phrase)")
    if any(b > 0x7E for b in data):
        problems.append("has bytes outside ASCII, which differ between code pages")
    lines = data.split(b"\r\n")
    for number, line in enumerate(lines, 1):
        if not line:
            problems.append("line %d is blank (an empty phrase)" % number)
        if any(b < 0x20 for b in line):
            problems.append("line %d has a control byte or a lone CR/LF" % number)
        if len(line) > MAX_PHRASE_BYTES:
            problems.append("line %d is longer than %d bytes" % (number, MAX_PHRASE_BYTES))
        if len(line) > MAX_COMFORTABLE_CHARS:
            problems.append("line %d is longer than %d characters" % (number, MAX_COMFORTABLE_CHARS))
        if line.replace(b"&&", b"").find(b"&") >= 0:
            problems.append("line %d has a single '&', shown as an underline" % number)
    if len(lines) < 24:
        problems.append("has only %d phrases" % len(lines))
    if len(set(lines)) != len(lines):
        problems.append("repeats a phrase")
    return problems


def check_readme(path):
    data = open(path, "rb").read()
    problems = []
    if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
        problems.append("has line ends other than CR LF")
    if b"Install_Dir" not in data or b"Software\\Corvane Labs\\Verdo" not in data:
        problems.append("does not tell where Verdo looks for its folder")
    return problems


def main():
    phrases, readme = sys.argv[1], sys.argv[2]
    problems = ["verdo.ini " + p for p in check_phrases(phrases)]
    problems += ["README.txt " + p for p in check_readme(readme)]
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
