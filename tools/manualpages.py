"""The server manual's pages as the generators read them (gen-keywords.py, gen-directives.py):
the manual folder, its directive index and its module pages, plain or gzipped
(page.html.gz), as some packagings keep them."""

import gzip
import os
import re
import sys

DEFAULT_MANUAL = "/usr/share/doc/apache2-doc/manual/en"
INDEX_RE = re.compile(r'<li><a href="([^"#]+#[^"]+)"[^>]*>([^<]+)</a></li>')


def read(path):
    """A page's text; page.html.gz when page.html is not there."""
    if not os.path.exists(path) and os.path.exists(path + ".gz"):
        with gzip.open(path + ".gz", "rt", encoding="utf-8", errors="replace") as f:
            return f.read()
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def has_index(manual, tool):
    """True when the manual has its directive index; else says so on stderr for `tool`."""
    index = os.path.join(manual, "mod", "directives.html")
    if os.path.isfile(index) or os.path.isfile(index + ".gz"):
        return True
    sys.stderr.write(f"{tool}: no mod/directives.html in {manual} (Debian: apt-get install apache2-doc)\n")
    return False


def index_entries(manual):
    """The directive index's entries: (page#anchor, name as written in the page)."""
    return INDEX_RE.findall(read(os.path.join(manual, "mod", "directives.html")))


def module_pages(manual):
    """The names (page.html) and texts of the pages in mod/, by name."""
    mod = os.path.join(manual, "mod")
    for page in sorted(os.listdir(mod)):
        if page.endswith(".html.gz"):
            page = page[:-3]
        elif not page.endswith(".html"):
            continue
        yield page, read(os.path.join(mod, page))
