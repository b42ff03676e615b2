#!/usr/bin/env python3
"""The sample server's generated logs: real size, the server's formats, every error level,
and the same bytes from every run of the generator.

    check-sample-logs.py GENERATOR LOG_FOLDER
"""
import filecmp
import re
import subprocess
import sys
import tempfile

COMBINED = re.compile(r'^(\S+) - (\S+) \[\d\d/\w{3}/\d{4}:\d\d:\d\d:\d\d [+-]\d{4}\] "((?:[^"\\]|\\.)*)" '
                      r'(\d{3}) (\d+|-) "((?:[^"\\]|\\.)*)" "((?:[^"\\]|\\.)*)"$')
ERROR = re.compile(r'^\[\w{3} \w{3} \d\d \d\d:\d\d:\d\d\.\d{6} \d{4}\] \[\w+:(\w+)\] \[pid \d+:tid \d+\] '
                   r'(?:\S+\(\d+\): )?(?:\[client (\S+):\d+\] )?(.*)$')
LEVELS = {"emerg", "alert", "crit", "error", "warn", "notice", "info", "debug"} | {"trace%d" % n for n in range(1, 9)}


def lines(path):
    with open(path, "rb") as f:
        data = f.read().decode("ascii")
    assert data.endswith("\r\n") and "\n" not in data.replace("\r\n", ""), path + ": lines end in CR LF"
    return data[:-2].split("\r\n")


def main(generator, folder):
    access = [COMBINED.match(line) or sys.exit("not combined: " + line) for line in lines(folder + "/access.log")]
    assert 190_000 <= len(access) <= 210_000, len(access)
    statuses = {m.group(4)[0] for m in access}
    assert statuses == {"2", "3", "4", "5"}, statuses
    assert any(":" in m.group(1) for m in access), "IPv6 clients"
    assert any(m.group(5) == "-" for m in access) and any('\\"' in m.group(7) for m in access)

    errors = [ERROR.match(line) or sys.exit("not the error format: " + line) for line in lines(folder + "/error.log")]
    assert {m.group(1) for m in errors} == LEVELS
    assert len({m.group(3)[:7] for m in errors if m.group(3).startswith("AH")}) >= 5, "server message codes"
    assert any(m.group(2) and ":" in m.group(2) for m in errors), "IPv6 clients"

    with tempfile.TemporaryDirectory() as again:
        subprocess.run([sys.executable, generator, again], check=True)
        assert filecmp.cmp(again + "/access.log", folder + "/access.log", shallow=False)
        assert filecmp.cmp(again + "/error.log", folder + "/error.log", shallow=False)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
