#!/usr/bin/env python3
"""Checks the figures of an HTML report against the combined log it was made of.

    scripts/check-sample-report.py LOG REPORT [KEYWORDS_INI]
    scripts/check-sample-report.py --make BIN_DIR OUT_DIR

The expected figures are worked out here from the log alone, by the system's
counting rules for a run without name look-ups (the visitor is the client
address): a visit ends after 30 minutes without a successful hit; a page is a
hit on a document type (htm, html, ...) or on a folder (a URL ending in "/",
or whose last part has no dot, without a query); a visit's length is the time
from its first page to its last, and its path its first six pages; search
words come from the referrers of successful hits; the report's intervals are
its days. Each table is compared row by row: names, hits, visits,
percentages, the order of the rows and the total line; a row the table
should show but does not, a row it should not show, and a table the log
gives no figures for are differences too. The summaries are compared row by
row, every row with its text. --make first writes the sample log
(scripts/sample-log.py) and its report with BIN_DIR/ovreport.exe into OUT_DIR.
Prints each difference; the exit status is 1 when there is one.
"""
import collections
import configparser
import html.parser
import os
import re
import subprocess
import sys
from datetime import datetime, timezone

VISIT_IDLE = 1800
DOCUMENT_TYPES = {"htm", "txt", "mdl", "shtml", "htmls", "html"}
SPIDER_WORDS = ["CRAWLER", "SPIDER", "SLURP", "SCOOTER", "INFOSEEK", "GULLIVER", "LYCOS", "FIDO",
                "NETSITE", "SURFBOT", "WWW-COLLECTOR", "BACKRUB", "SPYDER", "ENIGMABOT", "LINKBOT",
                "WEBFIND", "HAPPYBOT", "DOCUMAGIX", "WHACKER", "OBOT"]
BROWSERS = [("MSIE", "Microsoft Internet Explorer"),
            ("MICROSOFT INTERNET EXPLORER", "Microsoft Internet Explorer"), ("WEBTV", "WebTV"),
            ("NCSA MOSAIC", "NCSA Mosaic"), ("QMOSAIC", "Quarterdeck Mosaic"),
            ("OMNIWEB", "OmniWeb"), ("IBM WEBEXPLORER", "IBM WebExplorer"), ("LYNX", "Lynx"),
            ("SCOUTGET", "Scoutget"), ("OSTREVAN", "Ostrevane"), ("AIR_MOSAIC", "Spry AIR Mosaic"),
            ("SPRY_MOSAIC", "Spry AIR Mosaic"), ("SPYGLASS_MOSAIC", "SpyGlass Mosaic"),
            ("ENHANCED_MOSAIC", "SpyGlass Mosaic"), ("COMPUSERVE", "Compuserve"),
            ("AOLBROWSER", "America Online Browser"), ("NETCRUISER", "Netcom NetCruiser"),
            ("IWENG", "IWENG"), ("GNNWORK", "GNNworks"), ("FFINET", "FFiNet DLL")]
PLATFORMS = [("WIN95", None, "Windows 95"), ("WINDOWS 95", None, "Windows 95"),
             ("WIN98", None, "Windows 98"), ("WINDOWS 98", None, "Windows 98"),
             ("WINNT", None, "Windows NT"), ("WINDOWS NT", None, "Windows NT"),
             ("WINDOWS X86", None, "Windows 3.x"), ("WIN16", None, "Windows 3.x"),
             ("WINDOWS 3.1", None, "Windows 3.x"), ("WINDOWS+3.1", None, "Windows 3.x"),
             ("WINDOWS", "16BIT", "Windows 3.x"), ("WIN32", None, "Windows Win32s"),
             ("WINDOWS", "32BIT", "Windows Win32s"), ("WINDOWS", "32-BIT", "Windows Win32s"),
             ("MACINTOSH", "68K", "Macintosh 68K"), ("MACINTOSH", "PPC", "Macintosh PowerPC"),
             ("MACINTOSH", None, "Macintosh"), ("MAC_POWERPC", "MAC OS8", "Macintosh OS8 PowerPC"),
             ("MAC_POWERPC", None, "Macintosh PowerPC"), ("MAC_PPC", None, "Macintosh PowerPC"),
             ("MAC_68000", None, "Macintosh 68K"), ("LINUX", None, "Linux"),
             ("AIR_MOSAIC", "16BIT", "Windows 3.x"), ("AIR_MOSAIC", "32BIT", "Windows Win32s"),
             ("SUN", None, "SunOS"), ("HP-UX", None, "Hewlett Packard Unix (HP9000)"),
             ("X WINDOW", None, "X Windows"), ("OS/2", None, "OS/2")]
WEEKDAYS = ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"]
WORK_HOURS = range(8, 17)  # 08:00 to 16:59, the report language's working hours
US_DOMAINS = {"com", "edu", "net", "org", "gov", "mil", "int", "arpa"}
COUNTRY = "US"  # the site's country when the profile names none
HOME_PAGE = "/"  # the site's home page when the profile names none
PATH_STEPS = 6
COUNTRY_NAME = "United States"
WEB_SITE = "ovreport"  # the description of the profile ovreport makes: its own name
STATUS_ROWS = [(400, "400 Bad request"), (401, "401 Not authorised"), (402, "402 Payment required"),
               (403, "403 Forbidden"), (404, "404 Not found"), (500, "500 Server error"),
               (501, "501 Not implemented"), (502, "502 Bad gateway"),
               (503, "503 Service unavailable")]
LINE = re.compile(r'(\S+) \S+ \S+ \[([^\]]+)\] "(\S+) (\S+)[^"]*" (\d+) (\S+) "([^"]*)" "([^"]*)"')


class Hit:
    def __init__(self, m):
        self.host, stamp, self.method, self.url = m.group(1), m.group(2), m.group(3), m.group(4)
        self.status = int(m.group(5))
        self.bytes = 0 if m.group(6) == "-" else int(m.group(6))
        self.referrer = "" if m.group(7) == "-" else m.group(7)
        self.agent = "" if m.group(8) == "-" else m.group(8)
        self.time = int(datetime.strptime(stamp, "%d/%b/%Y:%H:%M:%S %z").timestamp())
        self.ok = self.status < 400
        path = self.url.split("?")[0]
        if "?" not in self.url and path and not path.endswith(("/", "\\")):
            mark = re.search(r"[.\\/:|][^.\\/:|]*$", path)
            if not mark or mark.group(0)[0] != ".":  # a last part without a dot is a folder
                path += "/"
        last = path.rsplit("/", 1)[-1]
        self.extension = last.rsplit(".", 1)[1] if "." in last else ""
        self.page = self.url if "?" in self.url else path
        # A folder (the site's root among them) is a page.
        self.is_document = self.extension.lower() in DOCUMENT_TYPES or (
            "?" not in self.url and self.page.endswith(("/", "\\")))
        self.is_form = self.method == "POST" or (self.method == "GET" and "?" in self.url)


class Table:
    """Expected rows of one report table: name -> [hits, visits]."""

    def __init__(self):
        self.rows = collections.defaultdict(lambda: [0, 0])

    def count(self, name, visit=False, hits=1):
        row = self.rows[name]
        row[0] += hits
        row[1] += 1 if visit else 0

    def total(self):
        return sum(r[0] for r in self.rows.values())


def read_hits(path):
    hits = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            m = LINE.match(line)
            if m:
                hits.append(Hit(m))
    return hits


def load_engines(path):
    ini = configparser.RawConfigParser(strict=False)
    ini.optionxform = str
    ini.read(path, encoding="latin-1")

    def numbered(section, key):
        values = []
        for n in range(1, 1000):
            value = ini.get(section, "%s%d" % (key, n), fallback="NoMore")
            if value == "NoMore":
                break
            values.append(value)
        return values[::-1]  # the last one read is tried first

    return [(name, numbered(name, "ID"), numbered(name, "KeywordIndicator"))
            for name in numbered("SearchEngines", "Engine")[::-1]]


def find_search(engines, referrer):
    referrer = referrer[:300]
    dot = referrer.find(".")
    slash = referrer.find("/", dot + 1) if dot >= 0 else -1
    mark = referrer.find("?", slash + 1) if slash >= 0 else -1
    if mark < 0:
        return None, None
    host, query = referrer[:slash], referrer[mark:]
    for name, ids, indicators in engines:
        if not any(i in host for i in ids):
            continue
        for indicator in indicators:
            at = query.find(indicator)
            if at >= 0 and len(query) > at + len(indicator):
                return name, query[at + len(indicator):]
    return None, None


def search_words(text):
    text = re.sub(r"%([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), text.split("&")[0])
    return [w.strip(' "') for w in re.split(r'["= +]', text) if len(w.strip(' "')) >= 2][:200]


def browser_of(agent):
    agent = agent.split("  ")[0]
    upper = agent.upper()
    if not agent:
        return "Unknown"
    if "MOZILLA" in upper and "COMPATIBLE" not in upper:
        return "Netscape"
    for key, name in BROWSERS:
        if key in upper:
            return name
    return "Other Netscape Compatible" if "MOZILLA" in upper else agent[:100]


def platform_of(agent):
    upper = agent.split("  ")[0].upper()
    for key, second, name in PLATFORMS:
        if key in upper and (second is None or second in upper):
            return name
    return "Unknown"


def version_tables(agent, browser, netscape, explorer, new_visit):
    agent = agent.split("  ")[0]
    if browser == "Microsoft Internet Explorer":
        if "Microsoft Internet Explorer/4" in agent:
            version = "4."
        elif "MSIE " in agent:
            version = agent[agent.index("MSIE ") + 5:][:2]
        else:
            version = "1."
        explorer.count("Explorer " + version + "x", new_visit)
    elif browser == "Netscape":
        m = re.match(r"[^/]*/([^.]*\.)", agent)
        netscape.count("Netscape " + m.group(1) + "x" if m else "Netscape", new_visit)


def referring_site(referrer):
    if not referrer:
        return "No Referrer"
    if referrer.lower().startswith("file:///"):
        return referrer
    referrer = referrer[:200]
    skip = 8 if referrer.lower().startswith("https://") else 6 if referrer.lower().startswith(
        "ftp://") else 7
    m = re.search(r"[/\\:]", referrer[skip:])
    return referrer[:skip + m.start()] + "/" if m else referrer


def directory_of(page):
    if not page.startswith(("/", "\\")):
        return re.split(r"[/\\]", page)[0]
    rest = re.search(r"[/\\]", page[1:])
    return page[:1 + rest.start()] if rest else page[:1]


def origin_code(host):
    """The country code a visit counts under, None for an unknown origin: the
    visitor's domain (here its address) by its last part."""
    last = host.rsplit(".", 1)[-1] if "." in host else ""
    if not last or last.isdigit():
        return None
    if last.lower() in US_DOMAINS:
        return "US"
    return last.upper() if len(last) < 3 else None


def status_name(words, status):
    """The name a failed hit's status counts under in the error tables."""
    if status in (400, 401, 402, 403, 404, 500, 501, 502, 503):
        return words.get("ReturnCodes", str(status))
    return words.get("ReturnCodes", "UK") % status


def path_step(path, step):
    """A visit's path keeps its first six steps, a step equal to the one
    before it taken once."""
    if len(path) < PATH_STEPS and (not path or path[-1] != step):
        path.append(step)


class Expected:
    """The figures of the report, worked out from the hits."""

    def __init__(self):
        self.t = collections.defaultdict(Table)
        self.visits = []
        self.bytes = collections.Counter()  # by day
        self.views = collections.Counter()
        self.ok_hits = collections.Counter()
        self.new_visits = collections.Counter()
        self.home_hits = 0
        self.forms = self.failed_forms = 0
        self.status = collections.Counter()  # failed hits by status


def expected_figures(hits, engines, words):
    e = Expected()
    t = e.t
    open_visits = {}
    first_day = min(h.time for h in hits) // 86400 * 86400
    for h in hits:
        day = (h.time - first_day) // 86400
        new_visit = False
        visit = None
        if h.is_form:
            e.forms += 1
            e.failed_forms += 0 if h.ok else 1
        if h.ok:
            e.ok_hits[day] += 1
            visit = open_visits.get(h.host)
            if visit is None or h.time - visit["last"] > VISIT_IDLE:
                visit = {"host": h.host, "hits": 0, "bytes": 0, "pages": [], "last": h.time,
                         "seen": collections.defaultdict(set), "first": h, "path": []}
                open_visits[h.host] = visit
                e.visits.append(visit)
                e.new_visits[day] += 1
                new_visit = True
            visit["last"] = max(visit["last"], h.time)
            visit["hits"] += 1
            visit["bytes"] += h.bytes

        def once(table, name):
            seen = visit["seen"][table]
            if name in seen:
                return False
            seen.add(name)
            return True

        if not h.ok:
            e.status[h.status] += 1
            if h.is_form:
                t["form results"].count(words.get("Generic", "FailedForms"))
            if h.status == 404:
                t["404"].count(h.url)
            errors = "server errors" if 500 <= h.status <= 503 else "client errors"
            t[errors].count(status_name(words, h.status))
            continue
        engine, text = find_search(engines, h.referrer)
        if engine:
            found = search_words(text)
            t["engines"].count(engine, new_visit)
            for word in found:
                if word.lower() not in ("and", "or"):
                    t["words"].count(word.lower(), new_visit)
                    t["word links"].count((engine, word.lower()), new_visit)
            phrase = " ".join(found).lower()
            if phrase and phrase not in ("and", "or"):
                t["phrases"].count(phrase, new_visit)
                t["phrase links"].count((engine, phrase), new_visit)
        t["users"].count(h.host, new_visit)
        t["companies"].count(h.host, new_visit)
        if new_visit:
            t["entry"].count(h.page.split("?")[0], True)
            t["referrers"].count(h.referrer or words.get("Generic", "NoReferrer"), True)
            t["sites"].count(referring_site(h.referrer) if h.referrer else
                             words.get("Generic", "NoReferrer"), True)
            code = origin_code(h.host)
            t["visitor classes"].count(
                words.get("Legends", "Unknown") if code is None else
                code if code == COUNTRY else words.get("Legends", "International"), True)
        if h.page.lower() == HOME_PAGE:
            e.home_hits += 1
        if h.is_document:
            t["documents"].count(h.page, once("documents", h.page))
            e.views[day] += 1
            visit["pages"].append((h.time, h.page, False))
            path_step(visit["path"], (h.page, False))
        if h.is_form:
            t["forms"].count(h.page.split("?")[0], once("forms", h.page.split("?")[0]))
            t["form results"].count(words.get("Generic", "SuccessfulForms"),
                                    once("form results", True))
            if not h.is_document:
                visit["pages"].append((h.time, h.page.split("?")[0], True))
                path_step(visit["path"], (h.page.split("?")[0], True))
        if h.status != 304:
            e.bytes[day] += h.bytes
            extension = h.extension.split("?")[0]
            if extension:
                t["types"].count(extension, once("types", extension))
        directory = directory_of(h.page)
        t["directories"].count(directory, once("directories", directory))
        browser = browser_of(h.agent)
        t["browsers"].count(browser, new_visit)
        version_tables(h.agent, browser, t["netscape"], t["explorer"], new_visit)
        t["platforms"].count(platform_of(h.agent), new_visit)
        stamp = datetime.fromtimestamp(h.time, timezone.utc)
        t["weekdays"].count(WEEKDAYS[(stamp.weekday() + 1) % 7], new_visit)
        t["hours"].count("%02d:00-%02d:59" % (stamp.hour, stamp.hour), new_visit)
    for visit in e.visits:
        pages = visit["pages"]
        visit["length"] = sum(b[0] - a[0] for a, b in zip(pages, pages[1:]))
        if pages:
            t["exit"].count(pages[-1][1], True)
            t["paths"].count(" ".join("%d. %s" % (n + 1, step[0])
                                      for n, step in enumerate(visit["path"])), True)
            documents = {p[1] for p in pages if not p[2]}
            forms = {p[1] for p in pages if p[2]}
            if (len(documents), len(forms)) in ((1, 0), (0, 1)):
                t["single"].count(pages[-1][1], True)
    for name in WEEKDAYS:
        t["weekdays"].rows[name]  # every weekday has its row
    for hour in range(24):
        t["hours"].rows["%02d:00-%02d:59" % (hour, hour)]  # and every hour
    return e


class ReportTables(html.parser.HTMLParser):
    """The report's tables: title -> list of rows, each a list of cell texts."""

    def __init__(self):
        super().__init__()
        self.tables, self.rows, self.cell, self.heads = {}, None, None, []
        self.text = []

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.rows, self.heads = [], []
        elif tag == "tr" and self.rows is not None:
            self.rows.append([])
            self.heads.append(dict(attrs).get("class") in ("sec", "sub"))
        elif tag in ("td", "th") and self.rows is not None:
            self.cell = []
        elif tag == "br" and self.cell is not None:
            self.cell.append(" ")  # the steps of a path, one a line

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None and self.rows:
            self.rows[-1].append(" ".join("".join(self.cell).split()))
            self.cell = None
        elif tag == "table" and self.rows:
            body = self.heads.index(False) if False in self.heads else len(self.rows)
            # The rows behind the title and the column heads.
            self.tables[self.rows[0][0]] = [r for r in self.rows[body:] if r]
            self.rows = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell.append(data)
        self.text.append(data)


def number(text):
    return int(text.replace(",", "")) if re.fullmatch(r"[\d,]+", text or "") else None


def percent(part, whole):
    if whole == 0:
        return "0%"
    p = int(part * 10000.0 / whole)
    if p % 100 == 0:
        return "%d%%" % (p // 100)
    if p % 10 == 0:
        return "%d.%d%%" % (p // 100, p % 100 // 10)
    return "%d.%02d%%" % (p // 100, p % 100)


class Checker:
    def __init__(self, report):
        self.report = report
        self.faults = []
        self.checked = set()  # titles of the tables compared

    def fault(self, where, text):
        self.faults.append("%s: %s" % (where, text))

    def table(self, title, expected, shown=10, order="hits", key=None, visits=True):
        """Rows of a hits / % / visits table against the expected rows: the
        rows the table should show are there, once each, and no other."""
        rows = self.report.tables.get(title)
        if rows is None:
            if expected.rows:
                self.fault(title, "table missing")
            return
        self.checked.add(title)
        body = [r for r in rows if r and r[0].isdigit()]
        total = [r for r in rows if len(r) > 1 and r[1] == "Total"]
        whole = expected.total()
        names = {n.lower(): n for n in expected.rows}
        want = sorted(expected.rows.items(), key=key or (lambda kv: -kv[1][0]))
        if order == "least":
            want = sorted(expected.rows.items(), key=lambda kv: kv[1][0])
        if len(body) != min(shown, len(want)):
            self.fault(title, "%d rows, expected %d" % (len(body), min(shown, len(want))))
        seen = set()
        for i, row in enumerate(body):
            where = "%s row %s" % (title, row[0])
            if row[0] != str(i + 1):
                self.fault(where, "numbered %s, expected %d" % (row[0], i + 1))
            name = names.get(row[1].lower())
            if name is None:
                self.fault(where, "unexpected name %r" % row[1])
                continue
            if name in seen:
                self.fault(where, "%r shown twice" % row[1])
            seen.add(name)
            hits, users = expected.rows[name]
            if number(row[2]) != hits:
                self.fault(where, "%r hits %s, expected %d" % (row[1], row[2], hits))
            if len(row) > 3 and row[3] != percent(hits, whole):
                self.fault(where, "%r percent %s, expected %s" % (row[1], row[3],
                                                                 percent(hits, whole)))
            if visits and len(row) > 4 and number(row[4]) != users:
                self.fault(where, "%r visits %s, expected %d" % (row[1], row[4], users))
        self.left_out(title, want[:shown], seen, order)
        if order in ("hits", "least"):
            got = [number(r[2]) for r in body]
            best = [kv[1][0] for kv in want[:len(body)]]
            if got != best:
                self.fault(title, "hits in order %s, expected %s" % (got, best))
        elif order == "fixed":
            got = [r[1].lower() for r in body]
            if got != [kv[0].lower() for kv in want][:len(body)]:
                self.fault(title, "rows in order %s" % got)
        if body and not total:
            self.fault(title, "no total line")
        if total:
            shown_hits = sum(number(r[2]) or 0 for r in body)
            if number(total[0][2]) != shown_hits:
                self.fault(title, "total %s, rows add up to %d" % (total[0][2], shown_hits))
            if len(total[0]) > 3 and total[0][3] and total[0][3] != percent(shown_hits, whole):
                self.fault(title, "total percent %s, expected %s" % (total[0][3],
                                                                   percent(shown_hits, whole)))
            shown_visits = sum(number(r[4]) or 0 for r in body if len(r) > 4)
            if visits and len(total[0]) > 4 and number(total[0][4]) != shown_visits:
                self.fault(title, "total visits %s, rows add up to %d" % (total[0][4],
                                                                        shown_visits))

    def left_out(self, title, best, seen, order):
        """A row the table should show but does not: one of the best rows
        whose place no row of equal hits could take."""
        missing = [name for name, _ in best if name not in seen]
        if order != "fixed" and best:
            # A row of the last place's hits may stand for another of them.
            edge = best[-1][1][0]
            stand_ins = len(seen - {name for name, _ in best})
            at_edge = [name for name in missing if dict(best)[name][0] == edge]
            missing = [name for name in missing if name not in at_edge[:stand_ins]]
        for name in missing:
            self.fault(title, "row %r left out" % (name,))

    def rows(self, title, expected):
        """A table of labelled figures: every label with its text, and no
        other row."""
        rows = self.report.tables.get(title)
        if rows is None:
            self.fault(title, "table missing")
            return
        self.checked.add(title)
        got = collections.OrderedDict((r[0], r[1] if len(r) > 1 else None) for r in rows if r)
        for label, value in expected:
            if label not in got:
                self.fault(title, "row %r left out" % label)
            elif got[label] != value:
                self.fault(title, "%s reads %r, expected %r" % (label, got[label], value))
        for label in got:
            if label not in dict(expected):
                self.fault(title, "unexpected row %r" % label)


def kilobytes(n):
    return (n + 1023) // 1024


def load_words(path):
    """The report language's words (REPORT.INI): get(section, key)."""
    ini = configparser.RawConfigParser(strict=False, interpolation=None)
    ini.read(path, encoding="latin-1")

    class Words:
        @staticmethod
        def get(section, key):
            return ini.get(section, key)

    return Words


def count(n):
    return "{:,}".format(n)


def duration(seconds):
    return "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)


def with_share(part, whole, zero="0"):
    """"N (P)": a count and its share of a whole; a zero count reads "0"."""
    return "%s (%s)" % (count(part), percent(part, whole) if part else zero)


def check_summaries(c, hits, e, days):
    t = e.t
    ok = sum(e.ok_hits.values())
    visits = len(e.visits)
    views = sum(e.views.values())
    timed = [v["length"] for v in e.visits if len(v["pages"]) > 1]
    average = sum(timed) // len(timed) if timed else 0
    unknown = sum(1 for v in e.visits if origin_code(v["host"]) is None)
    home = sum(1 for v in e.visits if origin_code(v["host"]) == COUNTRY)
    c.rows("Summary", [
        ("Web site", WEB_SITE),
        ("Country of the site", COUNTRY_NAME),
        ("Home page", HOME_PAGE),
        ("Successful hits", count(ok)),
        ("Visits", count(visits)),
        ("Page views", count(views)),
        ("Home page hits", count(e.home_hits) if e.home_hits else "N/A"),
        ("Average hits per day", count(ok // days if days else 0)),
        ("Average visits per day", count(visits // days if days else 0)),
        ("Average page views per day", count(views // days if days else 0)),
        ("Average visit length", duration(average) if average else "N/A"),
        ("Visits from the United States", percent(home, visits)),
        ("International visits", percent(visits - home - unknown, visits)),
        ("Visits of unknown origin", percent(unknown, visits)),
        ("Hits from search engines", count(t["engines"].total())),
        ("Hits from search words", count(t["words"].total())),
        ("Hits from search engines (phrases)", count(t["engines"].total())),
        ("Hits from search phrases", count(t["phrases"].total())),
    ])
    hours = t["hours"].rows
    order = ["%02d:00-%02d:59" % (h, h) for h in range(24)]
    work = [order[h] for h in WORK_HOURS]
    after = [name for name in order if name not in work]
    weekdays = t["weekdays"].rows
    week, weekend = WEEKDAYS[1:6], [WEEKDAYS[6], WEEKDAYS[0]]

    def total(table, names, column):
        return sum(table[n][column] for n in names)

    c.rows("Activity summary", [
        ("Busiest hour", max(order, key=lambda n: (hours[n][0], -order.index(n)))),
        ("Quietest hour", min(order, key=lambda n: (hours[n][0], order.index(n)))),
        ("Hits on weekdays", with_share(total(weekdays, week, 0), t["weekdays"].total())),
        ("Visits on weekdays", count(total(weekdays, week, 1))),
        ("Hits at weekends", with_share(total(weekdays, weekend, 0), t["weekdays"].total())),
        ("Visits at weekends", count(total(weekdays, weekend, 1))),
        ("Hits in working hours", with_share(total(hours, work, 0), t["hours"].total())),
        ("Visits in working hours", count(total(hours, work, 1))),
        ("Hits after hours", with_share(total(hours, after, 0), t["hours"].total())),
        ("Visits after hours", count(total(hours, after, 1))),
    ])
    failed = len(hits) - ok
    cached = sum(1 for h in hits if h.status == 304)
    c.rows("Technical summary", [
        ("All hits", count(len(hits))),
        ("Successful hits", count(ok)),
        ("Failed hits", "%s (%s)" % (count(failed), percent(failed, len(hits)))),
        ("Hits answered from caches", "%s (%s)" % (count(cached), percent(cached, len(hits)))),
        ("Forms sent", count(e.forms - e.failed_forms)),
        ("Forms that failed", "%s (%s)" % (count(e.failed_forms), percent(e.failed_forms,
                                                                          e.forms))),
    ] + [(label, count(e.status[code])) for code, label in STATUS_ROWS])


def check(log, report_path, keywords):
    hits = read_hits(log)
    words = load_words(os.path.join(os.path.dirname(os.path.dirname(keywords)), "REPORT.INI"))
    e = expected_figures(hits, load_engines(keywords), words)
    t = e.t
    report = ReportTables()
    with open(report_path, encoding="cp1252") as f:
        report.feed(f.read())
    c = Checker(report)
    first, last = min(h.time for h in hits), max(h.time for h in hits)
    grid = day_grid(first, last)
    if grid is None:
        c.fault("Log", "spans a range the checker has no interval grid for")
        return c.faults
    days = (last - first + 86399) // 86400
    check_summaries(c, hits, e, days)
    cut_long_referrers(t["referrers"])
    by_name = lambda kv: kv[0]
    tables = [  # title, expected rows, rows shown, order, sort key, visits column
        ("Activity by day of the week", "weekdays", 7, "fixed",
         lambda kv: WEEKDAYS.index(kv[0]), True),
        ("Activity by hour", "hours", 24, "fixed", by_name, True),
        ("Most requested pages", "documents", 10, "hits", None, True),
        ("Least requested pages", "documents", 10, "least", None, True),
        ("Entry pages", "entry", 10, "hits", None, True),
        ("Exit pages", "exit", 10, "hits", None, True),
        ("Single-page visits", "single", 10, "hits", None, True),
        ("Most followed paths", "paths", 10, "hits", None, False),
        ("Most requested directories", "directories", 10, "hits", None, True),
        ("Most requested file types", "types", 10, "hits", None, True),
        ("Forms", "forms", 10, "hits", None, True),
        ("Form errors", "form results", 5, "hits", None, True),
        ("Pages not found", "404", 10, "hits", None, False),
        ("Client errors", "client errors", 10, "hits", None, False),
        ("Server errors", "server errors", 21, "hits", None, False),
        ("Most active visitors", "users", 10, "hits", None, True),
        ("Most active organisations", "companies", 10, "hits", None, True),
        ("Visitor classes", "visitor classes", 4, "hits", None, True),
        ("Most frequent referring pages", "referrers", 10, "hits", None, True),
        ("Most frequent referring sites", "sites", 10, "hits", lambda kv: -kv[1][1], True),
        ("Search engines", "engines", 10, "hits", None, True),
        ("Search words", "words", 10, "hits", None, True),
        ("Search phrases", "phrases", 10, "hits", None, True),
        ("Search engines of search phrases", "engines", 10, "hits", None, True),
        ("Most used browsers", "browsers", 10, "hits", None, True),
        ("Netscape browsers", "netscape", 10, "hits", None, True),
        ("Internet Explorer browsers", "explorer", 10, "hits", None, True),
        ("Most used platforms", "platforms", 10, "hits", None, True),
    ]
    for title, name, shown, order, key, visits_column in tables:
        c.table(title, t[name], shown, order, key, visits_column)
    for title, links, side, table in (
            ("Search words by search engine", t["word links"], 0, t["engines"]),
            ("Search engines by search word", t["word links"], 1, t["words"]),
            ("Search phrases by search engine", t["phrase links"], 0, t["engines"]),
            ("Search engines by search phrase", t["phrase links"], 1, t["phrases"])):
        check_details(c, title, links, side, table)
    check_visits(c, e.visits)
    check_periods(c, grid, e)
    check_footer(c, report)
    c.rows("", [("", WEB_SITE + " Web Site Activity Report")])  # the report's title
    for title in report.tables:
        if title not in c.checked:
            c.fault(title, "a table the log gives no figures for")
    return c.faults


def day_grid(first, last):
    """The labels of the report's intervals: a day each for a log of one to
    thirty days, from the first day's midnight."""
    start = first // 86400 * 86400
    if last - first < 86401 or last - start >= 31 * 86400:
        return None
    return [datetime.fromtimestamp(day, timezone.utc).strftime("%m/%d")
            for day in range(start, last + 1, 86400)]


def check_periods(c, grid, e):
    """"Activity by period" and "Bandwidth by period": every interval, in
    order, with its figures."""
    title = "Activity by period"
    rows = c.report.tables.get(title)
    if rows is None:
        c.fault(title, "table missing")
    else:
        c.checked.add(title)
        want = [[label, count(e.ok_hits[i]), count(e.new_visits[i]), count(kilobytes(e.bytes[i]))]
                for i, label in enumerate(grid)]
        compare_rows(c, title, [r for r in rows if r], want)
    title = "Bandwidth by period"
    rows = c.report.tables.get(title)
    if rows is None:
        c.fault(title, "table missing")
        return
    c.checked.add(title)
    want = [[str(i + 1), label, count(kilobytes(e.bytes[i])), count(e.views[i])]
            for i, label in enumerate(grid)]
    want.append(["", "Total", count(sum(kilobytes(e.bytes[i]) for i in range(len(grid)))), ""])
    compare_rows(c, title, [r for r in rows if r], want)


def compare_rows(c, title, got, want):
    for i in range(max(len(got), len(want))):
        if i >= len(got):
            c.fault(title, "row %s left out" % want[i])
        elif i >= len(want):
            c.fault(title, "unexpected row %s" % got[i])
        elif got[i] != want[i]:
            c.fault(title, "row %s, expected %s" % (got[i], want[i]))


def cut_long_referrers(referrers):
    # A referrer keeps at most 35 characters behind its '?'.
    for name in list(referrers.rows):
        if "?" in name and len(name.split("?", 1)[1]) > 34:
            cut = name[:name.index("?") + 36]
            referrers.rows[cut][0] += referrers.rows[name][0]
            referrers.rows[cut][1] += referrers.rows[name][1]
            del referrers.rows[name]


def check_details(c, title, links, side, table, shown=5, per_row=3):
    """Rows of (row name, linked name, hits, percent): the first five names
    of the row table, each with its three largest links, largest first, as a
    percentage of the row table's hits."""
    rows = c.report.tables.get(title)
    if rows is None:
        if links.rows:
            c.fault(title, "table missing")
        return
    c.checked.add(title)
    rows = [r for r in rows if r and r[0].isdigit()]
    by_row = collections.OrderedDict()
    for row in rows:
        by_row.setdefault(row[1], []).append(row)
    best = sorted(table.rows.items(), key=lambda kv: -kv[1][0])[:shown]
    c.left_out(title, best, set(by_row), "hits")
    names = {n for n, _ in best} | {n for n, (hits, _) in table.rows.items()
                                     if best and hits == best[-1][1][0]}
    for name, group in by_row.items():
        if name not in names:
            c.fault(title, "unexpected row %r" % name)
            continue
        mine = {k[1 - side]: v[0] for k, v in links.rows.items() if k[side] == name}
        most = sorted(mine.values(), reverse=True)[:per_row]
        if [number(r[3]) for r in group] != most:
            c.fault(title, "%s: hits %s, expected %s" % (name, [r[3] for r in group], most))
        for r in group:
            if mine.get(r[2]) != number(r[3]) or r[4] != percent(number(r[3]), table.total()):
                c.fault(title, "%s / %s reads %s, %s" % (name, r[2], r[3], r[4]))
    got = [table.rows[n][0] for n in by_row if n in table.rows]
    if got != sorted(got, reverse=True):
        c.fault(title, "rows not in the order of their hits: %s" % list(by_row))


def check_visits(c, visits):
    title = "Longest visits"
    c.checked.add(title)
    rows = [r for r in c.report.tables.get(title, []) if r and r[0].isdigit()]
    lengths = sorted((v["length"] for v in visits), reverse=True)[:10]
    got = []
    for row in rows:
        h, m, s = (int(x) for x in row[3].split(":"))
        got.append(h * 3600 + m * 60 + s)
        match = [v for v in visits if v["host"] == row[1] and v["length"] == got[-1]]
        if not match:
            c.fault(title, "no visit of %s lasting %s" % (row[1], row[3]))
        elif not any(number(row[2]) == v["hits"] and number(row[4]) == kilobytes(v["bytes"])
                     for v in match):
            c.fault(title, "%s: hits %s, kilobytes %s, expected %d, %d" % (
                row[1], row[2], row[4], match[0]["hits"], kilobytes(match[0]["bytes"])))
    if got != lengths:
        c.fault(title, "lengths %s, expected %s" % (got, lengths))
    total = [r for r in c.report.tables.get(title, []) if len(r) > 4 and r[1] == "Total"]
    want = [count(sum(number(r[2]) or 0 for r in rows)), count(sum(number(r[4]) or 0
                                                                   for r in rows))]
    if not total or [total[0][2], total[0][4]] != want:
        c.fault(title, "total line %s, rows add up to %s" % (total[0] if total else None, want))


def check_footer(c, report):
    text = " ".join("".join(report.text).split())
    m = re.search(r"Written by the Ostrevane Web Log Analyzer (.*?) \(", text)
    if not m or not re.search(r"\d{4}", m.group(1)) or not re.search(r"\d\d:\d\d", m.group(1)):
        c.fault("Footer", "no date and time: %r" % (m.group(1) if m else text[-120:]))
    m = re.search(r"Report generated on (.*?) Period", text)
    if not m or not re.search(r"\d{4}", m.group(1)):
        c.fault("Header", "generated-on text without a date: %r" % (m.group(1) if m else None))


def make_report(bin_dir, out_dir):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    os.makedirs(out_dir, exist_ok=True)
    log = os.path.join(out_dir, "sample-access.log")
    with open(log, "w") as f:
        subprocess.run([sys.executable, os.path.join(root, "scripts", "sample-log.py"), "5000"],
                       stdout=f, check=True)
    report = os.path.join(out_dir, "index.htm")
    if os.path.exists(report):
        os.remove(report)
    windows = lambda p: "Z:" + os.path.abspath(p).replace("/", "\\")
    subprocess.run(["bash", "-c", 'source "$0/scripts/wine-env.sh" && TZ=UTC exec "$OV_WINE" "$@"',
                    root, os.path.join(bin_dir, "ovreport.exe"), "--out", windows(report),
                    windows(log)], check=True, stdout=subprocess.DEVNULL, timeout=600)
    return log, report, os.path.join(bin_dir, "content", "ovdesk", "datfiles", "keywords.ini")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--make":
        log, report, keywords = make_report(sys.argv[2], sys.argv[3])
    elif len(sys.argv) in (3, 4):
        root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        log, report = sys.argv[1], sys.argv[2]
        keywords = sys.argv[3] if len(sys.argv) == 4 else os.path.join(
            root, "install", "ovdesk", "datfiles", "keywords.ini")
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = check(log, report, keywords)
    for fault in faults:
        print(fault)
    print("%d difference(s) between %s and %s" % (len(faults), report, log))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
