#!/usr/bin/env python3
"""Writes a realistic combined-format access log of a small shop site.

    scripts/sample-log.py [lines] > access.log

The same lines on every run (fixed seed): a week of visits from a few hundred
clients, each a walk through the site's pages with their images, some arriving
from search engines with their search words or from other sites, browsers and
robots of several kinds, form posts, and the odd missing page.
"""
import random
import sys
from datetime import datetime, timedelta

PAGES = ["/", "/index.html", "/products/", "/products/tea.html", "/products/coffee.html",
         "/products/cups.html", "/products/gifts.html", "/about.html", "/contact.html",
         "/news/2024-spring.html", "/news/2024-summer.html", "/cart/view.asp", "/search.asp"]
IMAGES = ["/images/logo.gif", "/images/banner.jpg", "/images/tea.jpg", "/images/coffee.jpg",
          "/images/cup.png", "/css/site.css", "/js/site.js"]
MISSING = ["/old/catalogue.html", "/products/kettles.html", "/favicon.ico", "/images/spacer.gif"]
SEARCH = [("http://www.google.com/search?q=%s", "q"), ("http://search.yahoo.com/search?p=%s", "p"),
          ("http://www.bing.com/search?q=%s", "q"), ("http://www.altavista.com/web/results?q=%s", "q")]
WORDS = ["green+tea", "loose+leaf+tea", "coffee+beans", "tea+cups", "gift+basket", "darjeeling",
         "espresso+cups", "tea+shop"]
SITES = ["http://www.teaforum.org/threads/1234", "http://blog.example.net/best-shops",
         "http://www.dmoz.org/Shopping/Food/Tea/", "http://news.example.com/reviews"]
BROWSERS = [
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/120.0 Safari/537.36",
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:121.0) Gecko/20100101 Firefox/121.0",
    "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.1 Safari/605.1.15",
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)",
    "Mozilla/5.0 (X11; Linux x86_64; rv:115.0) Gecko/20100101 Firefox/115.0",
    "Mozilla/5.0 (iPhone; CPU iPhone OS 17_1 like Mac OS X) AppleWebKit/605.1.15 (KHTML, like Gecko) Mobile/15E148",
]
ROBOTS = ["Googlebot/2.1 (+http://www.google.com/bot.html)",
          "Mozilla/5.0 (compatible; bingbot/2.0; +http://www.bing.com/bingbot.htm)"]


def line(client, when, method, path, status, size, referrer, agent):
    stamp = when.strftime("%d/%b/%Y:%H:%M:%S +0000")
    return '%s - - [%s] "%s %s HTTP/1.1" %d %s "%s" "%s"\n' % (
        client, stamp, method, path, status, size if status != 304 else "-", referrer, agent)


def visit(rnd, when, out):
    client = "%d.%d.%d.%d" % (rnd.choice([62, 80, 145, 192, 203]), rnd.randrange(256),
                              rnd.randrange(256), rnd.randrange(1, 255))
    robot = rnd.random() < 0.08
    agent = rnd.choice(ROBOTS if robot else BROWSERS)
    r = rnd.random()
    if robot or r < 0.35:
        referrer = "-"
    elif r < 0.7:
        engine, _ = rnd.choice(SEARCH)
        referrer = engine % rnd.choice(WORDS)
    else:
        referrer = rnd.choice(SITES)
    site = "http://www.ostrevane-shop.example"
    for step in range(rnd.randint(1, 7)):
        if rnd.random() < 0.04:
            out.append(line(client, when, "GET", rnd.choice(MISSING), 404, 512, referrer, agent))
        page = rnd.choice(PAGES)
        method = "POST" if page == "/cart/view.asp" and rnd.random() < 0.5 else "GET"
        out.append(line(client, when, method, page, 200, rnd.randint(2000, 40000), referrer, agent))
        if not robot:
            for image in rnd.sample(IMAGES, rnd.randint(1, 4)):
                status = 304 if rnd.random() < 0.3 else 200
                out.append(line(client, when, "GET", image, status, rnd.randint(500, 90000),
                                site + page, agent))
        referrer = site + page
        when += timedelta(seconds=rnd.randint(5, 180))


def main():
    lines = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
    rnd = random.Random(20240101)
    out = []
    when = datetime(2024, 3, 4, 0, 0, 0)
    step = timedelta(days=7) / max(lines // 9, 1)
    while len(out) < lines:
        visit(rnd, when, out)
        when += step
    # Visits overlap in time; a server writes its lines in time order.
    out = out[:lines]
    out.sort(key=lambda l: datetime.strptime(l.split("[", 1)[1][:20], "%d/%b/%Y:%H:%M:%S"))
    sys.stdout.writelines(out)


if __name__ == "__main__":
    main()
