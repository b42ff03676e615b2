#!/usr/bin/env python3
"""The catalogue generator: the tree's catalogue is what the manual gives (every directive of
the manual's index found, contexts parsed), and a manual of an unknown layout is refused
with a message naming what is wrong.  Usage: gen_directives_test.py tools/gen-directives.py"""
import os
import shutil
import subprocess
import sys
import tempfile

MANUAL = "/usr/share/doc/apache2-doc/manual/en"


def run(*args):
    return subprocess.run([sys.executable, GENERATOR, *args], capture_output=True, text=True)


def damaged_manual(folder, old, new):
    mod = os.path.join(folder, "mod")
    os.makedirs(mod)
    for page in ("directives.html", "core.html"):
        shutil.copy(os.path.join(MANUAL, "mod", page), mod)
    with open(os.path.join(mod, "core.html"), encoding="utf-8") as f:
        text = f.read()
    assert old in text, old
    with open(os.path.join(mod, "core.html"), "w", encoding="utf-8") as f:
        f.write(text.replace(old, new, 1))
    return folder


GENERATOR = sys.argv[1]
failures = []
checked = run("--check")
if checked.returncode != 0:
    failures.append("the tree's catalogue is not what the manual gives: " + checked.stderr)
with tempfile.TemporaryDirectory() as work:
    out = os.path.join(work, "out.txt")
    # core.html alone: the index names directives of other pages.
    alone = run(damaged_manual(os.path.join(work, "a"), "<td>server config</td>", "<td>server config</td>"), out)
    if alone.returncode != 2 or "not found in the module pages" not in alone.stderr:
        failures.append("a missing directive was not refused: " + alone.stderr)
    for old, new, said in (("<td>directory</td>", "<td>folder</td>", "unknown context 'folder'"),
                           ("directive-dict.html#Syntax", "directive-dict.html#Usage", "has no Syntax row")):
        manual = damaged_manual(os.path.join(work, said.split()[-1].strip("'")), old, new)
        result = run(manual, out)
        if result.returncode != 2 or said not in result.stderr or os.path.exists(out):
            failures.append(f"a manual with {said} was not refused loudly: {result.returncode} {result.stderr}")
for failure in failures:
    print("FAILED:", failure)
print("gen_directives_test:", "failed" if failures else "passed")
sys.exit(1 if failures else 0)
