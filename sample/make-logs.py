#!/usr/bin/env python3
"""Writes the sample server's main logs: a week of traffic of a small public site.

    make-logs.py LOG_FOLDER

access.log: about 200,000 requests in the combined format, from IPv4 and IPv6 clients,
browsers, crawlers and scanners, with redirects, client and server errors, sizes and "-"
where the server sent no body, and the quoting and escaping of the server's own logging.
error.log: the server's error log of the same week in the 2.4 format: starts, restarts and
stops, the errors the requests above caused, and every level from emerg to trace8 (one
afternoon was logged at trace8 to follow a fault).

The output depends on nothing but this file: the same bytes on every build. Lines end in
CR LF, as the server writes them on Windows.
"""
import datetime
import os
import random
import sys

SEED = 20231009
ACCESS_LINES = 200_000
START = datetime.datetime(2023, 10, 9, 0, 0, 0)
DAYS = 7
UTC_OFFSET = "+0200"
EOL = "\r\n"
SERVER = "Apache/2.4.58 (Win32)"
ROOT = "C:/Apache24"

PAGES = ["/", "/index.html", "/about.html", "/contact.html", "/news/", "/news/2023/10/release-notes.html",
         "/news/2023/09/maintenance.html", "/products/", "/products/widget-a.html", "/products/widget-b.html",
         "/support/faq.html", "/support/downloads/", "/blog/", "/blog/2023/10/06/log-rotation-on-windows",
         "/blog/2023/09/28/virtual-hosts", "/search", "/private/", "/private/reports/q3.html"]
ASSETS = ["/css/site.css", "/css/print.css", "/js/site.js", "/js/jquery-3.7.1.min.js", "/img/logo.png",
          "/img/hero.jpg", "/img/widget-a.jpg", "/img/widget-b.jpg", "/favicon.ico", "/fonts/open-sans.woff2"]
DOWNLOADS = ["/support/downloads/widget-tools-2.3.1.zip", "/support/downloads/manual.pdf",
             "/support/downloads/drivers-x64.msi"]
PROBES = ["/wp-login.php", "/wp-admin/setup-config.php", "/.env", "/.git/config", "/phpmyadmin/index.php",
          "/cgi-bin/luci/;stok=/locale", "/vendor/phpunit/phpunit/src/Util/PHP/eval-stdin.php",
          "/admin/config.php", "/xmlrpc.php", "/boaform/admin/formLogin", "/owa/auth/logon.aspx",
          "/server-status", "/conf/httpd.conf.bak", "/.well-known/security.txt"]
SEARCH_TERMS = ["widget", "download+manual", "price", "log+rotation", "%22virtual+host%22", "apache+windows"]
REFERERS = ["https://www.google.com/", "https://www.bing.com/", "https://duckduckgo.com/",
            "https://www.example.test/", "https://www.example.test/products/", "https://www.example.test/blog/",
            "https://news.example.net/2023/10/widgets-compared", "android-app://com.example.reader/",
            "https://www.example.test/search?q=widget"]
BROWSERS = [
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/117.0.0.0 Safari/537.36",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/118.0.0.0 Safari/537.36 Edg/118.0.2088.46",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:118.0) Gecko/20100101 Firefox/118.0",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.0 Safari/605.1.15",
    "Mozilla/5.0 (iPhone; CPU iPhone OS 17_0_3 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.0 Mobile/15E148 Safari/604.1",
    "Mozilla/5.0 (Linux; Android 13; SM-S911B) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/117.0.5938.154 Mobile Safari/537.36",
    "Mozilla/5.0 (X11; Linux x86_64; rv:109.0) Gecko/20100101 Firefox/115.0",
]
CRAWLERS = [
    "Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)",
    "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)",
    "Mozilla/5.0 (compatible; AhrefsBot/7.0; +http://ahrefs.com/robot/)",
]
TOOLS = ["curl/8.4.0", "Wget/1.21.4", "python-requests/2.31.0", "Go-http-client/1.1", "-",
         # The server writes a quote inside a header as \" and a backslash as \\.
         'Mozilla/5.0 (compatible; \\"SiteChecker\\" 1.2; +https://checker.example.org/)',
         "Mozilla/5.0 zgrab/0.x", 'Scanner\\\\Probe \\"v2\\"']


def ipv4(rng):
    kind = rng.random()
    if kind < 0.55:
        return "203.0.113.%d" % rng.randint(1, 254)
    if kind < 0.80:
        return "198.51.100.%d" % rng.randint(1, 254)
    if kind < 0.92:
        return "192.0.2.%d" % rng.randint(1, 254)
    return "192.168.1.%d" % rng.randint(2, 60)


def ipv6(rng):
    if rng.random() < 0.1:
        return "::1"
    return "2001:db8:%x:%x::%x" % (rng.randint(0, 0xffff), rng.randint(0, 0xff), rng.randint(1, 0xffff))


class Client:
    """One visitor: an address, a user agent, and what kind of traffic it makes."""

    def __init__(self, rng):
        self.ip = ipv6(rng) if rng.random() < 0.18 else ipv4(rng)
        kind = rng.random()
        if kind < 0.72:
            self.kind, self.agent = "browser", rng.choice(BROWSERS)
        elif kind < 0.88:
            self.kind, self.agent = "crawler", rng.choice(CRAWLERS)
        elif kind < 0.95:
            self.kind, self.agent = "scanner", rng.choice(TOOLS)
        else:
            self.kind, self.agent = "tool", rng.choice(TOOLS)
        self.user = rng.choice(["alice", "bob", "reports"]) if rng.random() < 0.05 else None


def size_of(rng, path):
    if path in DOWNLOADS:
        return rng.randint(2_000_000, 48_000_000)
    if path.endswith((".jpg", ".png", ".woff2")):
        return rng.randint(4_000, 380_000)
    if path.endswith((".css", ".js")):
        return rng.randint(1_200, 90_000)
    if path == "/favicon.ico":
        return 1150
    return rng.randint(900, 24_000)


class Week:
    def __init__(self, rng):
        self.rng = rng
        self.clients = [Client(rng) for _ in range(4000)]
        self.access = []
        self.errors = []
        self.pid = 4120
        self.child = 5236
        self.trace_from = START + datetime.timedelta(days=3, hours=14)
        self.trace_until = self.trace_from + datetime.timedelta(minutes=4)
        self.down_until = START
        self.connection = (0, 0)

    # Times, as each log writes them.
    @staticmethod
    def access_time(at):
        return at.strftime("%d/%b/%Y:%H:%M:%S ") + UTC_OFFSET

    @staticmethod
    def error_time(at):
        return at.strftime("%a %b %d %H:%M:%S.") + "%06d" % at.microsecond + at.strftime(" %Y")

    def tid(self):
        return self.rng.choice((404, 412, 1080, 1096, 1104, 1112, 1128, 1136, 1144, 1160, 1188, 1204))

    def error(self, at, module, level, text, client=None, source=None, pid=None):
        # A request's lines name the worker thread and the client's port of its connection.
        where = "[pid %d:tid %d] " % (pid or self.child, self.connection[0] if client else self.tid())
        if source:
            where += source + ": "
        peer = "[client %s:%d] " % (client.ip, self.connection[1]) if client else ""
        self.errors.append("[%s] [%s:%s] %s%s%s" % (self.error_time(at), module, level, where, peer, text))

    # The server's life.
    def start(self, at, after_restart=False):
        parent = self.pid
        if not after_restart:
            self.error(at, "mpm_winnt", "notice", "AH00455: %s configured -- resuming normal operations" % SERVER,
                       pid=parent)
            self.error(at, "mpm_winnt", "notice", "AH00456: Server built: Oct 18 2023 13:58:13",
                       pid=parent)
            self.error(at, "core", "notice", "AH00094: Command line: 'C:\\Apache24\\bin\\httpd.exe -d C:/Apache24'",
                       pid=parent)
        self.child += 8
        self.error(at + datetime.timedelta(milliseconds=16), "mpm_winnt", "notice",
                   "AH00418: Parent: Created child process %d" % self.child, pid=parent)
        self.error(at + datetime.timedelta(milliseconds=280), "mpm_winnt", "notice",
                   "AH00354: Child: Starting 64 worker threads.")

    def restart(self, at):
        self.error(at, "mpm_winnt", "notice", "AH00424: Parent: Received restart signal -- Restarting the server.",
                   pid=self.pid)
        self.error(at + datetime.timedelta(milliseconds=40), "mpm_winnt", "notice",
                   "AH00364: Child: All worker threads have exited.")
        self.start(at + datetime.timedelta(milliseconds=90), after_restart=True)

    def failed_start(self, at):
        """Another program held port 80: the server could not start, and tried again a minute later."""
        self.error(at, "core", "emerg", "(OS 10048)Only one usage of each socket address (protocol/network "
                   "address/port) is normally permitted.  : AH00072: make_sock: could not bind to address [::]:80",
                   pid=self.pid)
        self.error(at, "core", "emerg", "(OS 10048)Only one usage of each socket address (protocol/network "
                   "address/port) is normally permitted.  : AH00072: make_sock: could not bind to address 0.0.0.0:80",
                   pid=self.pid)
        self.error(at, "mpm_winnt", "alert", "AH00451: no listening sockets available, shutting down", pid=self.pid)
        self.error(at, "core", "emerg", "AH00015: Unable to open logs", pid=self.pid)
        self.pid += 212
        self.down_until = at + datetime.timedelta(seconds=64)
        self.start(self.down_until)

    def stop(self, at):
        self.error(at, "mpm_winnt", "notice", "AH00422: Parent: Received shutdown signal -- Shutting down the server.",
                   pid=self.pid)
        self.error(at + datetime.timedelta(seconds=1), "mpm_winnt", "notice",
                   "AH00364: Child: All worker threads have exited.")
        self.error(at + datetime.timedelta(seconds=2), "mpm_winnt", "notice",
                   "AH00430: Parent: Child process %d exited successfully." % self.child, pid=self.pid)

    def stop_and_fail(self, at):
        """Stopped for an update; another program took port 80 meanwhile."""
        self.stop(at)
        self.down_until = at + datetime.timedelta(seconds=41)
        self.pid += 316
        self.failed_start(at + datetime.timedelta(seconds=41))

    def crash(self, at):
        self.error(at, "mpm_winnt", "crit", "(OS 1450)Insufficient system resources exist to complete the requested "
                   "service.  : AH00341: winnt_accept: AcceptEx failed. Attempting to recover.")
        self.error(at + datetime.timedelta(seconds=2), "mpm_winnt", "crit",
                   "AH00427: Parent: child process %d exited with status 3221225477 -- Restarting." % self.child,
                   pid=self.pid)
        self.start(at + datetime.timedelta(seconds=3), after_restart=True)

    # One request, and what the error log says of it.
    def request(self, at, client):
        rng = self.rng
        if at < self.down_until:
            return
        self.connection = (self.tid(), rng.randint(49152, 65535))
        method, path, protocol = "GET", None, "HTTP/1.1"
        referer = "-"
        user = "-"
        if client.kind == "scanner" and rng.random() < 0.7:
            if rng.random() < 0.08:
                return self.bad_request(at, client)
            path = rng.choice(PROBES)
            method = rng.choice(("GET", "GET", "POST", "HEAD"))
            status = 404
            if path in ("/server-status", "/conf/httpd.conf.bak") or path.startswith("/."):
                status = 403
            if path == "/.well-known/security.txt":
                status = 200
        else:
            roll = rng.random()
            if roll < 0.45:
                path = rng.choice(ASSETS)
            elif roll < 0.47:
                path = rng.choice(DOWNLOADS)
            elif roll < 0.50:
                path = "/search?q=%s&page=%d" % (rng.choice(SEARCH_TERMS), rng.randint(1, 4))
            elif client.user or roll < 0.52:
                path = rng.choice(PAGES)
            else:
                path = rng.choice(PAGES[:-2])
            if client.kind == "browser" and rng.random() < 0.7:
                referer = rng.choice(REFERERS)
            status = 200
            roll = rng.random()
            if path.startswith("/private/"):
                if client.user and roll < 0.8:
                    user = client.user
                elif client.user and roll < 0.9:
                    status = 401
                    self.error(at, "auth_basic", "error", 'AH01617: user %s: authentication failure for "%s": '
                               "Password Mismatch" % (client.user, path), client)
                else:
                    status = 401
                    if roll < 0.3:
                        self.error(at, "auth_basic", "error", "AH01618: user %s not found: %s"
                                   % (rng.choice(("admin", "test", "root")), path), client)
            elif path == "/contact.html" and client.kind == "browser" and roll < 0.3:
                method = "POST"
                status = 303
            elif path in ("/news/2023/09/maintenance.html",) and roll < 0.6:
                status = 301
            elif path in ("/blog/2023/09/28/virtual-hosts",) and roll < 0.25:
                status = 302
            elif roll < 0.16 and path not in DOWNLOADS and client.kind == "browser":
                status = 304
            elif path in DOWNLOADS and roll < 0.2:
                status = 206
            elif roll < 0.165 and path.startswith("/search"):
                status = 500
                self.error(at, "core", "error", "AH00124: Request exceeded the limit of 10 internal redirects due "
                           "to probable configuration error. Use 'LimitInternalRecursion' to increase the limit if "
                           "necessary. Use 'LogLevel debug' to get a backtrace.", client)
            elif roll < 0.18 and path.startswith("/search"):
                status = 503
                self.error(at, "proxy", "error", "(OS 10061)No connection could be made because the target "
                           "machine actively refused it.  : AH00957: http: attempt to connect to 127.0.0.1:8081 "
                           "(127.0.0.1:8081) failed", client)
            elif roll < 0.185:
                method = "HEAD"
            elif roll < 0.19 and client.kind == "tool":
                method = rng.choice(("PUT", "DELETE", "OPTIONS"))
                status = 200 if method == "OPTIONS" else 405
            elif roll < 0.205 and path in PAGES[:8]:
                status = 404
                path = path.rstrip("/") + rng.choice(("/old.html", ".htm", "/index.php", "/undefined"))
        if rng.random() < 0.015:
            protocol = "HTTP/1.0"
        if status == 404:
            self.error(at, "core", "info", "AH00128: File does not exist: %s/htdocs%s" % (ROOT, path.split("?")[0]),
                       client)
        elif status == 403 and path.startswith("/."):
            self.error(at, "authz_core", "error", "AH01630: client denied by server configuration: %s/htdocs%s"
                       % (ROOT, path), client)
        elif status == 403:
            self.error(at, "access_compat", "error", "AH01797: client denied by server configuration: %s/htdocs%s"
                       % (ROOT, path), client)
        size = self.body_size(method, status, path)
        request = "%s %s %s" % (method, path, protocol)
        self.access.append('%s - %s [%s] "%s" %d %s "%s" "%s"' % (client.ip, user, self.access_time(at), request,
                                                                  status, size, referer, client.agent))
        if self.trace_from <= at < self.trace_until:
            self.trace(at, client, request, status)

    def body_size(self, method, status, path):
        rng = self.rng
        if method == "HEAD" or status in (204, 304) or method == "OPTIONS":
            return "-"
        if status == 200:
            return str(size_of(rng, path))
        if status == 206:
            return str(rng.randint(65_536, 1_048_576))
        if status in (301, 302, 303):
            return str(rng.randint(228, 250))
        return str({401: 381, 403: 199, 404: 196, 405: 223, 500: 528, 503: 299}.get(status, 226))

    def bad_request(self, at, client):
        """What the server logs of a client that does not speak HTTP: a TLS handshake or nothing."""
        rng = self.rng
        if rng.random() < 0.5:
            # Bytes that are not printable are written as \xhh.
            request, status, size = "\\x16\\x03\\x01\\x02" + "\\x00" * rng.randint(0, 2) + "\\x01", 400, "226"
            self.error(at, "core", "debug", "AH00566: request failed: malformed request line", client,
                       source="protocol.c(1457)")
        else:
            request, status, size = "-", 408, "-"
        self.access.append('%s - - [%s] "%s" %d %s "-" "-"' % (client.ip, self.access_time(at), request, status, size))

    def trace(self, at, client, request, status):
        """The afternoon logged at LogLevel trace8: what each level adds for one request."""
        tick = datetime.timedelta(microseconds=150)
        path = request.split(" ")[1]
        lines = [
            ("core", "trace8", "core_filters.c(409)", "socket %d readable" % self.rng.randint(300, 900)),
            ("core", "trace7", "core_filters.c(292)", "read %d bytes from socket" % self.rng.randint(180, 700)),
            ("core", "trace6", "protocol.c(1376)", "Request received from client: " + request),
            ("core", "trace5", "request.c(304)", "request authorized without authentication by "
                                                 "access_checker_ex hook: " + path),
            ("http", "trace4", "http_request.c(442)", "Headers received from client:"),
            ("authz_core", "debug", "mod_authz_core.c(820)", "AH01626: authorization result of Require all granted: "
                                                             "granted"),
            ("http", "trace3", "http_filters.c(1129)", "Response sent with status %d, headers:" % status),
            ("http", "trace2", "http_filters.c(1136)", "  Server: Apache"),
            ("core", "trace1", "core_filters.c(679)", "writev_nonblocking: %d/%d bytes"
                                                      % ((self.rng.randint(400, 9000),) * 2)),
        ]
        for module, level, source, text in lines:
            at += tick
            self.error(at, module, level, text, client, source=source)

    def warn_threads(self, at):
        self.error(at, "mpm_winnt", "warn", "AH00326: Server ran out of threads to serve requests. Consider "
                   "raising the ThreadsPerChild setting")

    def write(self, folder):
        os.makedirs(folder, exist_ok=True)
        for name, lines in (("access.log", self.access), ("error.log", self.errors)):
            path = os.path.join(folder, name)
            with open(path + ".part", "w", encoding="ascii", newline="") as out:
                out.write(EOL.join(lines) + EOL)
            os.replace(path + ".part", path)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-logs.py LOG_FOLDER")
    rng = random.Random(SEED)
    week = Week(rng)
    span = DAYS * 86400
    # Busier in the day than at night: times drawn from a daily curve, then sorted.
    seconds = []
    while len(seconds) < ACCESS_LINES:
        s = rng.uniform(0, span - 30)  # the server stops 20 seconds before the end
        hour = (s % 86400) / 3600
        if rng.random() < 0.25 + 0.75 * max(0.0, 1 - abs(hour - 14) / 10):
            seconds.append(s)
    seconds.sort()
    events = {
        1.5: week.stop_and_fail, 2.6: week.restart, 4.3: week.crash, 4.31: week.warn_threads,
        5.7: week.restart, 6.2: week.warn_threads,
    }
    week.failed_start(START - datetime.timedelta(seconds=70))
    pending = sorted(events.items())
    visitor = None
    visits = 0
    for s in seconds:
        at = START + datetime.timedelta(seconds=s)
        while pending and s >= pending[0][0] * 86400:
            pending.pop(0)[1](at)
        # A visitor makes several requests in a row, then another comes.
        if visits <= 0:
            visitor = rng.choice(week.clients)
            visits = rng.randint(1, 12)
        visits -= 1
        week.request(at, visitor)
    week.stop(START + datetime.timedelta(days=DAYS, seconds=-20))
    week.write(sys.argv[1])


if __name__ == "__main__":
    main()
