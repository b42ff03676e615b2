#!/usr/bin/env python3
"""Fails when the framework could call module code without its guard.

The framework lives in editor.dll, while the classes derived from it live in each module; an
exception thrown by an override must end in the module that defined it, so the framework
calls every overridable function through AfxGuarded(object)->Name(...), whose table
(FW_MODULE_CALLS in windows/ModuleCalls.h) each module compiles for itself. This check finds
  - a virtual function of a framework class that is missing from FW_MODULE_CALLS (and is
    not named below as one the framework never calls), and
  - a call in the framework's code to a function of the list that does not go through
    AfxGuarded (a definition, or an explicit base call `CWnd::OnSize(...)`, is no such call).
Usage: check-guarded-calls.py FRAMEWORK_DIR [STAMP_FILE]
"""
import pathlib
import re
import sys

# Virtual functions the framework never calls itself: only modules call them (or the
# framework calls them on objects of its own classes that no module derives from).
NEVER_CALLED_BY_THE_FRAMEWORK = {
    ("CWnd", "Create"),        # the framework makes its own windows with CreateEx
    ("CDialog", "DoModal"),    # modules show their dialogs; the framework shows none
    ("CCmdUI", "Enable"),      # the command updates of the framework's own CCmdUI kinds,
    ("CCmdUI", "SetCheck"),    # called by module handlers
    ("CCmdUI", "SetRadio"),
    ("CCmdUI", "SetText"),
}

# Calls that share a listed function's name but reach no override: a function of another
# framework class that is not virtual, or a member object whose class is the framework's.
NOT_AN_OVERRIDE = {
    ("app/DocTemplate.cpp", "InitialUpdateFrame"),   # CFrameWnd's, not virtual
    ("app/WinAppDocs.cpp", "SaveAllModified"),       # CDocTemplate's, not virtual
    ("app/bars/MiniDockFrameWnd.cpp", "CalcFixedLayout"),  # its own CDockBar member
    ("app/frames/SplitterWnd.cpp", "RecalcLayout"),  # CSplitterWnd's, not virtual
}

root = pathlib.Path(sys.argv[1])
sources = sorted(p for p in root.rglob("*") if p.suffix in (".h", ".cpp"))


def without_comments(text):
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return re.sub(r'"(?:\\.|[^"\\])*"', '""', text)


table_text = (root / "windows" / "ModuleCalls.h").read_text()
listed = set(re.findall(r"X\((\w+),\s*(\w+),\s*\w+\)", table_text))
listed_names = {name for _, name in listed}

problems = []

# Every virtual member function of a framework class is listed (or known never to be called).
for path in sources:
    if path.suffix != ".h":
        continue
    text = without_comments(path.read_text())
    for match in re.finditer(r"\bclass\s+(?:FWAPI\s+)?(\w+)[^;{]*\{", text):
        cls = match.group(1)
        depth, i = 1, match.end()
        while depth and i < len(text):
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        body = text[match.end():i]
        for virtual in re.finditer(r"\bvirtual\s+(?:[^;{(]*?\s)?(~?\w+)\s*\(", body):
            name = virtual.group(1)
            if name.startswith("~") or name in listed_names:
                continue
            if (cls, name) in NEVER_CALLED_BY_THE_FRAMEWORK:
                continue
            line = text.count("\n", 0, match.end() + virtual.start()) + 1
            problems.append(f"{path.relative_to(root)}:{line}: virtual {cls}::{name} is not in FW_MODULE_CALLS")

# Calls of listed functions go through AfxGuarded.
call = re.compile(r"(?P<before>[\w:>.)\]]*?)\b(?P<name>" + "|".join(sorted(listed_names)) + r")\s*\(")
for path in sources:
    if path.suffix != ".cpp" or "module" in path.parts:
        continue
    text = without_comments(path.read_text())
    for match in call.finditer(text):
        start = match.start("name")
        head = text[max(0, start - 200):start]
        if re.search(r"AfxGuarded\([^;]*\)->\s*$", head):
            continue
        if re.search(r"::\s*$", head):  # a definition, an explicit base call or the system's
            continue
        if (path.relative_to(root).as_posix(), match.group("name")) in NOT_AN_OVERRIDE:
            continue
        line_start = text.rfind("\n", 0, start) + 1
        line = text[line_start:text.find("\n", start)]
        if re.match(r"\s*(?:[\w:<>*&\s]+\s)?[\w:]*$", text[line_start:start]) and re.search(r"\)\s*(const\s*)?(override\s*)?$", line.strip()):
            continue  # a declaration
        lineno = text.count("\n", 0, start) + 1
        problems.append(f"{path.relative_to(root)}:{lineno}: {match.group('name')} called without AfxGuarded: {line.strip()}")

for problem in problems:
    print(problem, file=sys.stderr)
if problems:
    sys.exit(1)
if len(sys.argv) > 2:
    pathlib.Path(sys.argv[2]).write_text("ok\n")
