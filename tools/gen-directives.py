#!/usr/bin/env python3
"""Generates Scrivel's directive catalogue from the Apache HTTP Server manual.

Reads every directive's table in the manual's module pages (mod/*.html): its name, module,
syntax line, default, the contexts where it is allowed, its override class and its status.
Every directive of the manual's index (mod/directives.html) must be found there, and every
table must have the layout this script knows; anything else stops it with a message, so a
new manual with another layout is noticed when the catalogue is made, not by a user.

Writes one directive a line, fields separated by tabs:

    Name  modules  contexts  override  status  syntax  default

  Name      as the manual spells it; a section keeps its angle brackets (<Directory>)
  modules   the modules that provide it, separated by commas (event,worker for MPM directives)
  contexts  letters of the contexts where it is allowed: s server config, v virtual host,
            d directory, h .htaccess, p proxy section
  override  the override classes that let it stand in .htaccess, separated by commas, or -
  status    Core, MPM, Base, Extension, Experimental or Deprecated
  syntax    the syntax line, on one line
  default   the default, on one line, or - when the manual gives none

Usage: tools/gen-directives.py [MANUAL_DIR] [OUTPUT]
  MANUAL_DIR defaults to Debian's apache2-doc copy, /usr/share/doc/apache2-doc/manual/en
  OUTPUT defaults to scrivel/data/scrivel-directives.txt in this repository.
  --check compares what it would write with OUTPUT instead of writing it.
"""
import html
import os
import re
import sys

from manualpages import DEFAULT_MANUAL, has_index, index_entries, module_pages

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.join(HERE, "..", "scrivel", "data", "scrivel-directives.txt")
FORMAT_LINE = "#format 1"

CONTEXTS = {"server config": "s", "virtual host": "v", "directory": "d", ".htaccess": "h", "proxy section": "p"}
STATUSES = {"Core", "MPM", "Base", "Extension", "Experimental", "Deprecated"}
OVERRIDES = {"All", "None", "AuthConfig", "FileInfo", "Indexes", "Limit", "Options"}

SECTION_RE = re.compile(r'<div class="directive-section">(.*?)</table>', re.S)
NAME_RE = re.compile(r'<h2[^>]*><span id="[^"]*">(.*?)</span>')
ROW_RE = re.compile(r'<tr><th><a href="directive-dict.html#(\w+)">[^<]*</a></th><td>(.*?)</td></tr>', re.S)


class LayoutError(Exception):
    pass


def plain(cell):
    """A table cell as one line of text."""
    text = html.unescape(re.sub(r"<[^>]+>", "", cell))
    return re.sub(r"\s+", " ", text).strip()


# Placeholders of the syntax lines as Scrivel's status bar names them: the cipher suites'
# argument is what OpenSSL calls a cipher string, whatever the manual's word for it.
PLACEHOLDERS = [(re.compile(r"(?<![\w-])cipher-[a-z]+(?![\w-])"), "cipher-string")]


def our_syntax(syntax):
    for pattern, ours in PLACEHOLDERS:
        syntax = pattern.sub(ours, syntax)
    return syntax


def parse_section(page, section):
    name_match = NAME_RE.search(section)
    if not name_match:
        raise LayoutError(f"{page}: a directive table without its name")
    name = plain(name_match.group(1))
    rows = {key: plain(value) for key, value in ROW_RE.findall(section)}
    for key in ("Syntax", "Context", "Status", "Module"):
        if not rows.get(key):
            raise LayoutError(f"{page}: {name} has no {key} row")
    contexts = ""
    for word in rows["Context"].split(","):
        letter = CONTEXTS.get(word.strip())
        if not letter:
            raise LayoutError(f"{page}: {name} has an unknown context '{word.strip()}'")
        contexts += letter
    status = rows["Status"]
    if status not in STATUSES:
        raise LayoutError(f"{page}: {name} has an unknown status '{status}'")
    overrides = [w.strip() for w in rows.get("Override", "").split(",") if w.strip()]
    for word in overrides:
        if word not in OVERRIDES:
            raise LayoutError(f"{page}: {name} has an unknown override class '{word}'")
    modules = [m.strip() for m in rows["Module"].split(",") if m.strip()]
    return {
        "name": name,
        "modules": modules,
        "contexts": contexts,
        "overrides": overrides,
        "status": status,
        "syntax": our_syntax(rows["Syntax"]),
        "default": rows.get("Default", ""),
    }


def merge(kept, other):
    """A directive two modules provide (HeartbeatStorage): one entry naming both."""
    for module in other["modules"]:
        if module not in kept["modules"]:
            kept["modules"].append(module)
    for letter in other["contexts"]:
        if letter not in kept["contexts"]:
            kept["contexts"] += letter
    for word in other["overrides"]:
        if word not in kept["overrides"]:
            kept["overrides"].append(word)


def catalogue(manual):
    found = {}
    for page, text in module_pages(manual):
        for section in SECTION_RE.findall(text):
            entry = parse_section(page, section)
            key = entry["name"].lower()
            if key in found:
                merge(found[key], entry)
            else:
                found[key] = entry
    listed = {plain(name).lower() for _, name in index_entries(manual)}
    missing = sorted(listed - set(found))
    if missing:
        raise LayoutError(f"directives of the index not found in the module pages: {', '.join(missing)}")
    if len(found) < 100:
        raise LayoutError(f"only {len(found)} directives found: the pages' layout is not the one known")
    return sorted(found.values(), key=lambda e: e["name"].lower())


def line(entry):
    fields = [
        entry["name"],
        ",".join(entry["modules"]),
        "".join(sorted(entry["contexts"], key="svdhp".index)),
        ",".join(entry["overrides"]) or "-",
        entry["status"],
        entry["syntax"],
        entry["default"] or "-",
    ]
    return "\t".join(f.replace("\t", " ") for f in fields)


def text_of(entries):
    lines = [
        "# Scrivel's directive catalogue: every directive of the Apache HTTP Server manual with",
        "# its modules, contexts, override classes, status, syntax and default.",
        "# Generated by tools/gen-directives.py from the server manual; do not edit by hand.",
        FORMAT_LINE,
    ]
    lines += [line(e) for e in entries]
    return "\n".join(lines) + "\n"


def main(argv):
    check = "--check" in argv
    args = [a for a in argv[1:] if a != "--check"]
    manual = args[0] if args else DEFAULT_MANUAL
    output = args[1] if len(args) > 1 else DEFAULT_OUTPUT
    if not has_index(manual, "gen-directives"):
        return 1
    try:
        entries = catalogue(manual)
    except LayoutError as error:
        sys.stderr.write(f"gen-directives: the manual's layout is not the one known: {error}\n")
        return 2
    text = text_of(entries)
    if check:
        with open(output, encoding="ascii", errors="replace", newline="") as f:
            if f.read() != text:
                sys.stderr.write(f"gen-directives: {output} is not what the manual gives; run tools/gen-directives.py\n")
                return 3
        print(f"gen-directives: {output} matches the manual ({len(entries)} directives)")
        return 0
    with open(output, "w", encoding="ascii", errors="replace", newline="\n") as f:
        f.write(text)
    print(f"gen-directives: {len(entries)} directives -> {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
