#!/usr/bin/python3
"""Writes a program's manual page (section 1, gzip-compressed) from its --help.

    make-manpage.py manpage NAME BINARY OUTPUT.1.gz --summary TEXT
                    [--version V] [--commands] [--more FILE] [--see-also PAGE]...
    make-manpage.py gzip INPUT OUTPUT.gz

The page quotes the usage the program prints, so it cannot drift from the
program. With --commands the usage's "commands:" list is read and each
command's own `NAME COMMAND --help` becomes a subsection. --more adds the
sections of a text file (a line "# TITLE" starts one; the lines under it are
kept as they are laid out) for what the usage is too short to say. The viewer prints
its usage in the interface language of the settings file, so the program runs
with a home folder of its own whose settings choose English.

`gzip` compresses a file as Debian wants it: maximum compression, no name and
no time stamp in the header, so the same input gives the same bytes.
"""

import argparse
import gzip
import os
import re
import subprocess
import sys
import tempfile


def english_home(folder):
    settings = os.path.join(folder, ".Tessaron")
    os.makedirs(settings)
    with open(os.path.join(settings, "config.ini"), "w", encoding="utf-8") as f:
        f.write("[Config]\nlanguage=0\n")


def run_help(binary, arguments, home):
    env = dict(os.environ, HOME=home, LC_ALL="C.UTF-8")
    env.pop("DISPLAY", None)
    done = subprocess.run([binary, *arguments, "--help"], env=env, capture_output=True,
                          text=True, timeout=60)
    if done.returncode != 0 or not done.stdout.strip():
        sys.exit(f"make-manpage: {binary} {' '.join(arguments)} --help failed "
                 f"({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def escape(line):
    """One line of text for roff: backslashes and minus signs spelled out, and
    a line that would start a request made plain."""
    line = line.replace("\\", "\\e").replace("-", "\\-")
    if line.startswith((".", "'")):
        line = "\\&" + line
    return line


def verbatim(text):
    """Text kept as the program lays it out: no filling, no adjusting."""
    lines = [".nf"]
    for line in text.rstrip("\n").split("\n"):
        lines.append(escape(line) if line.strip() else ".sp")
    lines.append(".fi")
    return lines


def synopsis(usage):
    """The usage's first paragraph without its "usage: " prefix, its further
    lines moved left to stay under the first."""
    lines = usage.split("\n\n", 1)[0].split("\n")
    prefix = re.match(r"\S+: ", lines[0])
    cut = prefix.end() if prefix else 0
    return "\n".join([lines[0][cut:]] + [l[cut:] if not l[:cut].strip() else l for l in lines[1:]])


def command_names(usage):
    """The names listed under "commands:" in the usage, up to the next blank line."""
    match = re.search(r"^commands:\n((?:[ \t]+\S.*\n)+)", usage, re.MULTILINE)
    return [line.split()[0] for line in match.group(1).splitlines()] if match else []


def manpage(args):
    with tempfile.TemporaryDirectory() as home:
        english_home(home)
        usage = run_help(args.binary, [], home)
        commands = command_names(usage) if args.commands else []
        if args.commands and not commands:
            sys.exit(f"make-manpage: no commands in the usage of {args.binary}")
        sections = [(c, run_help(args.binary, [c], home)) for c in commands]

    title = args.name.upper()
    page = [f'.TH "{escape(title)}" 1 "" "Tessaron {args.version}" "User Commands"',
            ".SH NAME", f"{escape(args.name)} \\- {escape(args.summary)}",
            ".SH SYNOPSIS"]
    page += verbatim(synopsis(usage))
    page += [".SH DESCRIPTION"] + verbatim(usage)
    if sections:
        page.append(".SH COMMANDS")
        for command, text in sections:
            page += [f".SS {escape(command)}"] + verbatim(text)
    if args.more:
        page += more_sections(args.more)
    if args.see_also:
        page += [".SH SEE ALSO", ", ".join(f"\\fB{escape(p)}\\fR(1)" for p in args.see_also)]
    write_gzip("\n".join(page) + "\n", args.output)


def more_sections(path):
    """The sections of a text file: "# TITLE" heads one, its lines follow."""
    page, body = [], []
    with open(path, encoding="utf-8") as f:
        for line in f.read().split("\n"):
            if line.startswith("# "):
                if body:
                    page += verbatim("\n".join(body))
                page.append(f".SH {escape(line[2:].strip())}")
                body = []
            else:
                body.append(line)
    if body and "".join(body).strip():
        page += verbatim("\n".join(body))
    return page


def write_gzip(text, output):
    data = text.encode("utf-8") if isinstance(text, str) else text
    with open(output, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as f:
            f.write(data)


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="action", required=True)
    page = sub.add_parser("manpage")
    page.add_argument("name")
    page.add_argument("binary")
    page.add_argument("output")
    page.add_argument("--summary", required=True)
    page.add_argument("--version", default="")
    page.add_argument("--commands", action="store_true")
    page.add_argument("--more", default=None)
    page.add_argument("--see-also", action="append", default=[])
    pack = sub.add_parser("gzip")
    pack.add_argument("input")
    pack.add_argument("output")
    args = parser.parse_args()
    if args.action == "manpage":
        manpage(args)
    else:
        with open(args.input, "rb") as f:
            write_gzip(f.read(), args.output)


if __name__ == "__main__":
    main()
