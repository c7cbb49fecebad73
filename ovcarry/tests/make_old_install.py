#!/usr/bin/env python3
"""Writes older installations for the import program's tests.

    make_old_install.py OUT

OUT/older    the older layout: binary .ov profiles of the three record
             versions with filters and advertisement items, .ms saved reports
             with their template, schedule.das, ostrevan.ini, the list files
             and a history database (master.dat in its older form)
OUT/newer    the newer layout: ovdesk.dll marker, .wlp profiles, .mss saved
             reports, ovdesk/logsched.dat, both settings files, list files
OUT/samples  the older layout holding only a sample profile and settings
OUT/damaged  the older layout with damaged files: truncated records, texts
             without terminators, counts past the end, a short report header,
             a short master.dat, a partial schedule record
"""
import os
import shutil
import struct
import sys

RECORD_V3_FILTERS = 2013
RECORD_OLD_FILTERS = 913
TABLE_COUNT = 4876
TABLE_FIRST = 4878
FILTER_SIZE = 2434
ITEM_SIZE = 142

DAY = 86400
# 2 October 2001, 00:00 UTC: the days of the fixture's database.
FIRST_DAY = 1001980800


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def put(buf, offset, data):
    if len(buf) < offset + len(data):
        buf.extend(b"\0" * (offset + len(data) - len(buf)))
    buf[offset:offset + len(data)] = data


def text(value, width):
    """A zero-terminated text in a field of width bytes; bytes are put as
    they are (a field filled whole has no terminator)."""
    if isinstance(value, bytes):
        return value.ljust(width, b"\0")
    data = value.encode("latin-1")
    assert len(data) < width, value
    return data + b"\0" * (width - len(data))


def item(kind, value, length=None):
    data = value if isinstance(value, bytes) else value.encode("latin-1")
    rec = bytearray(ITEM_SIZE)
    struct.pack_into("<H", rec, 0, kind)
    struct.pack_into("<H", rec, 12, len(data) if length is None else length)
    rec[14:14 + min(len(data), ITEM_SIZE - 14)] = data[:ITEM_SIZE - 14]
    return bytes(rec)


def filter_record(include, name, items, count=None):
    rec = bytearray(FILTER_SIZE)
    rec[1] = 1 if include else 0
    rec[2:2 + 16] = text(name, 16)
    struct.pack_into("<H", rec, 18, len(items) if count is None else count)
    for m, it in enumerate(items):
        rec[20 + m * ITEM_SIZE:20 + (m + 1) * ITEM_SIZE] = it
    return bytes(rec)


def filter_table(buf, table, filters, count=None):
    put(buf, table + TABLE_COUNT, struct.pack("<H", len(filters) if count is None else count))
    for n, f in enumerate(filters):
        put(buf, table + TABLE_FIRST + n * FILTER_SIZE, f)
    if not filters:
        put(buf, table + TABLE_FIRST, b"")


def profile_v3(title, log, user="", password="", home="", database=0, filters=(),
               save_path="", count=None):
    buf = bytearray()
    put(buf, 0, struct.pack("<H", 0x0300))
    put(buf, 2, text(title, 81) if isinstance(title, str) else title)
    put(buf, 83, text(log, 81))
    put(buf, 384, text(user, 41))
    put(buf, 425, text(password, 41))
    put(buf, 466, text(home, 81))
    put(buf, 547, text("webmaster", 41))
    put(buf, 588, text("pw", 41))
    put(buf, 629, b"\x02")
    put(buf, 632, bytes([database, 1]))
    put(buf, 634, struct.pack("<H", 7))
    put(buf, 662, bytes([1, 3]))
    put(buf, 664, struct.pack("<I", 24))
    put(buf, 668, b"\x01")
    put(buf, 669, text(save_path, 320) if isinstance(save_path, str) else save_path)
    put(buf, 989, text("", 301))
    put(buf, 1290, text("Web team", 100))
    put(buf, 1390, text("", 623))
    filter_table(buf, RECORD_V3_FILTERS, list(filters), count)
    return bytes(buf)


# Where the fields of the two oldest record versions lie.
OLD_LAYOUTS = {
    0x0000: {"user": 164, "password": 205, "home": 246, "dns": 710},
    0x0100: {"user": 384, "password": 425, "home": 466, "dns": 629},
}


def profile_old(version, title, log, user, password="", home="", dns=0):
    at = OLD_LAYOUTS[version]
    buf = bytearray()
    put(buf, 0, struct.pack("<H", version))
    put(buf, 2, text(title, 81))
    put(buf, 83, text(log, 81))
    put(buf, at["user"], text(user, 41))
    put(buf, at["password"], text(password, 41))
    put(buf, at["home"], text(home, 81))
    put(buf, at["dns"], bytes([dns]))
    filter_table(buf, RECORD_OLD_FILTERS, [])
    return bytes(buf)


def profile_v25(filters):
    buf = bytearray()
    put(buf, 0, struct.pack("<H", 0x0250))
    put(buf, 2, text("Not kept", 81))
    filter_table(buf, RECORD_OLD_FILTERS, filters)
    return bytes(buf)


def report_header(description, profile, template, save_as="", range_word=0x8003):
    buf = bytearray(354)
    put(buf, 0, text(description, 40))
    put(buf, 80, text(profile, 13))
    put(buf, 93, text(template, 15))
    put(buf, 108, text(save_as, 100))
    put(buf, 208, text("ftpuser", 36))
    put(buf, 244, text("ftppass", 36))
    put(buf, 280, text("ENGLISH", 10))
    put(buf, 292, struct.pack("<HH", 2, range_word))
    put(buf, 296, text("00:00:00", 12))
    put(buf, 308, text("10/02/01", 12))
    put(buf, 320, text("23:59:59", 12))
    put(buf, 332, text("10/04/01", 12))
    return bytes(buf)


OLD_TEMPLATE = (
    "<html>%%GeneralBeginSection[TEXT,{General}]%%\r\n<p>totals</p>\r\n%%GeneralEndSection%%\r\n"
    "%%TopPagesBeginSection[TABLE,{Pages}]%%\r\n<tr>%%TopPagesRow%EndRepeat[Items,25]%%</tr>\r\n"
    "%%TopPagesEndSection%%\r\n"
    "%%HitsGraphBeginSection[GRAPH,{Hits}]%%\r\n"
    "%%DailyHitsGraph[PIES, {Daily hits}, 2D, Timeline {Day}, Hits {Hits}, 1-10, Total]%%\r\n"
    "%%HitsGraphEndSection%%\r\n"
    "%%FixedPartBeginSection[NOEDITTABLE,{Fixed}]%%\r\n%%FixedPartEndSection%%\r\n</html>\r\n")


def schedule_record(report, profile, description, save_as, time=1002000000):
    rec = bytearray(575)
    struct.pack_into("<HH", rec, 2, 0, 1)
    struct.pack_into("<IHH", rec, 8, time, 1, 3)
    rec[16:57] = text(report, 41)
    rec[57:97] = text("", 40)
    rec[97:112] = text(profile, 15)
    rec[116:196] = text(description, 80)
    rec[196] = 0
    struct.pack_into("<H", rec, 197, 3)
    rec[199:240] = text("upload", 41)
    rec[240:281] = text("secret", 41)
    rec[471:573] = text(save_as, 102)
    struct.pack_into("<H", rec, 573, 2)
    return bytes(rec)


def master_file(days, old_format=True):
    """master.dat of consecutive days; the older form has format word 3 and
    its own bytes in each entry's last 32."""
    head = bytearray(448)
    struct.pack_into("<I", head, 0, 3 if old_format else 4)
    out = bytes(head)
    for d in range(days):
        start = FIRST_DAY + d * DAY
        entry = bytearray(64)
        entry[0:20] = ("%08x.dat" % start).encode().ljust(20, b"\0")
        struct.pack_into("<III", entry, 20, start, start + DAY - 1, start + DAY)
        entry[32:64] = b"\xAB" * 32 if old_format else b"\0" * 32
        out += bytes(entry)
    return out


def write(path, data, mode="wb"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, mode) as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def shop_log_lines():
    lines = []
    for d in range(3):
        day = 2 + d
        for h, page in enumerate(["/index.htm", "/shop/cart.htm", "/shop/item.htm"]):
            lines.append('10.0.0.%d - - [%02d/Oct/2001:%02d:15:00 +0000] "GET %s HTTP/1.0" 200 %d'
                         % (d + 2, day, 9 + h, page, 1000 + 100 * h))
    return "\n".join(lines) + "\n"


ADVIEWS = '"banner1.gif","click1","Banner one"\r\n"banner2.gif","click2","Banner two"\r\n'
INTRANET = ('"HQ","Head office","Springfield","IL","US","10.0.0.0/8"\r\n'
            '"LAB","Lab","Shelbyville","IL","US","192.168.1.1-192.168.1.20"\r\n')


def older(root):
    data = os.path.join(root, "datfiles")
    log = os.path.join(root, "logs", "shop.log")
    write(log, shop_log_lines())
    pages = filter_record(True, "Pages", [
        item(0x1700, "*.htm"), item(0x1600, "/shop/"), item(0x3400, "200 304"),
        item(0x3700, "banner1.gif"), item(0x3700, "nosuchad"), item(0x1800, b"\x01", 1)])
    robots = filter_record(False, "Robots", [item(0x3000, "10.9.9.9"),
                                             item(0x3600, "http://spam.example/")])
    write(os.path.join(data, "shop.ov"),
          profile_v3("Shop site", wine_path(log), home="http://www.shop.example/index.htm",
                     database=1, filters=[pages, robots], save_path="C:\\reports\\shop"))
    write(os.path.join(data, "zero.ov"),
          profile_old(0, "Zero site", "C:\\web logs\\zero.log", "anon", "zero-pw",
                      "/home/index.htm", dns=1))
    write(os.path.join(data, "middle.ov"),
          profile_old(0x0100, "Middle site", "ftp://ftp.example.com/logs/x.log", "bob", "secret"))
    write(os.path.join(data, "odd.ov"),
          profile_v25([filter_record(True, "Html", [item(0x1700, "*.htm")])]))
    write(os.path.join(data, "sample1.ov"), profile_old(0x0100, "Sample", "C:\\s.log", ""))
    write(os.path.join(data, "weekly.ms"), report_header("Weekly shop", "shop", "rpt\\main.var",
                                                         "C:\\out\\weekly.htm", 0x4001))
    write(os.path.join(data, "daily.ms"),
          report_header(b"Daily description of forty characters!!!", "zero",
                        "rpt\\none.var", range_word=0x0006))
    write(os.path.join(root, "rpt", "main.var"), OLD_TEMPLATE)
    write(os.path.join(data, "schedule.das"),
          schedule_record("Weekly shop", "shop", "Shop site", "C:\\out\\sched.htm")
          + schedule_record("Weekly shop", "gone", "Gone site", "C:\\out\\gone.htm")
          + schedule_record("Unknown report", "zero", "Zero site", "C:\\out\\zero.htm"))
    daily = os.path.join(data, "shop.dat", "daily")
    write(os.path.join(daily, "master.dat"), master_file(3))
    for d in range(3):
        write(os.path.join(daily, "%08x.dat" % (FIRST_DAY + d * DAY)), b"\0" * 512)
    write(os.path.join(root, "ostrevan.ini"),
          "[Defaults]\r\nHTTPProxy=proxy.example:8080\r\nCachedTime=14\r\nMaxTopCount=\r\n"
          "[Main]\r\nAuthor=Old Author\r\n[eMail]\r\nSMTPServer=mail.example\r\n")
    write(os.path.join(root, "adviews.txt"), ADVIEWS)
    write(os.path.join(root, "ovintra.txt"), INTRANET)


def newer(root):
    data = os.path.join(root, "ovdesk", "datfiles")
    write(os.path.join(root, "ovdesk.dll"), b"MZ")
    log = os.path.join(root, "logs", "newer.log")
    write(log, shop_log_lines())
    write(os.path.join(data, "0000000A.wlp"),
          "[Profile]\r\nVersion=4\r\nDescription=Newer shop\r\nIsServerCluster=0\r\n"
          "ServerName=LocalMachine\r\nLogFilePath=%s\r\nLogFileUsername=\x1b\x7f\x12q\r\n"
          "SwiftmereFlag=1\r\n"
          "RealtimeAnalysis=1\r\n" % "@OLD@\\logs\\newer.log")
    write(os.path.join(data, "http.wlp"), "[Profile]\r\nVersion=4\r\nDescription=Sample\r\n")
    write(os.path.join(data, "0000000A.dat", "daily", "master.dat"), master_file(2))
    write(os.path.join(data, "0000000A.dat", "daily", "%08x.dat" % FIRST_DAY), b"\0" * 512)
    write(os.path.join(data, "00000001.mss"),
          "[General]\r\nDescription=Monthly newer\r\n[Range]\r\nReportRange=0\r\n"
          "[Content]\r\n")
    write(os.path.join(root, "ovdesk", "logsched.dat"),
          "[Event1]\r\nVersion=256\r\nActive=1\r\nTime=1002000000\r\nRepeatIncrement=1\r\n"
          "RepeatType=2\r\nActivityType=3\r\nMemorized=Monthly newer\r\nSetName=0000000A\r\n"
          "SetExtension=WLP\r\nSetDescription=Newer shop\r\nSaveAsFilename=C:\\out\\n.htm\r\n"
          "[Event2]\r\nVersion=256\r\nMemorized=Other\r\nSetName=00000077\r\n")
    write(os.path.join(root, "ovdesk", "ovdesk.ini"), "[Defaults]\r\nCachedTime=30\r\n")
    write(os.path.join(root, "ostrevan.ini"), "[Defaults]\r\nHTTPProxy=newproxy:3128\r\n"
          "CachedTime=99\r\n")
    write(os.path.join(root, "adviews.txt"), ADVIEWS)


def damaged(root):
    data = os.path.join(root, "datfiles")
    good = profile_v3("Cut short", "C:\\logs\\cut.log", save_path="C:\\reports\\cut")
    write(os.path.join(data, "cut.ov"), good[:660])
    write(os.path.join(data, "unterminated.ov"),
          profile_v3(b"T" * 81, "C:\\logs\\t.log", save_path=b"S" * 320))
    many = filter_record(True, "Many", [item(0x1700, "*.htm")])
    write(os.path.join(data, "countfilters.ov"),
          profile_v3("Too many filters", "C:\\x.log", filters=[many], count=500))
    write(os.path.join(data, "countitems.ov"),
          profile_v3("Too many items", "C:\\x.log",
                     filters=[filter_record(True, "Items", [item(0x1700, "*.htm")], count=40)]))
    write(os.path.join(data, "longitem.ov"),
          profile_v3("Long item", "C:\\x.log",
                     filters=[filter_record(True, "Long", [item(0x1700, "a" * 128, 5000)])],
                     database=1))
    write(os.path.join(data, "short.ms"), report_header("Short", "cut", "x")[:100])
    write(os.path.join(data, "fine.ms"), report_header("Fine report", "cut", "rpt\\big.var"))
    big = "".join("%%%%S%03dBeginSection[TABLE]%%%%x%%%%S%03dEndSection%%%%\r\n" % (n, n)
                  for n in range(150))
    write(os.path.join(root, "rpt", "big.var"), big + "%%UnclosedBeginSection[TABLE]%%%%Tail")
    write(os.path.join(data, "schedule.das"),
          schedule_record("Fine report", "cut", "Cut short", "C:\\o.htm") + b"\x01" * 300)
    write(os.path.join(data, "longitem.dat", "daily", "master.dat"), master_file(1)[:300])
    write(os.path.join(data, "longitem.dat", "daily", "%08x.dat" % FIRST_DAY), b"\0" * 512)
    write(os.path.join(root, "ostrevan.ini"), "[Defaults]\r\nCachedTime=5\r\n")


def samples(root):
    data = os.path.join(root, "datfiles")
    write(os.path.join(data, "SAMPLE1.OV"), profile_old(0x0100, "Sample", "C:\\s.log", ""))
    write(os.path.join(root, "ostrevan.ini"), "[Defaults]\r\nCachedTime=5\r\n")


def main():
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    older(os.path.join(out, "older"))
    newer(os.path.join(out, "newer"))
    damaged(os.path.join(out, "damaged"))
    samples(os.path.join(out, "samples"))


if __name__ == "__main__":
    main()
