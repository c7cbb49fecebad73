#!/usr/bin/env python3
"""Decodes the pictures the charting and imaging library tests wrote, as
another program would: every GIF and JPEG beside its BMP must decode to that
BMP's picture (exact-*.gif pixel for pixel, others nearly), every chart BMP
must decode, every metafile must be a placeable one of its chart's size.
    check-graph-images.py FOLDER"""
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageStat


def mean_difference(a, b):
    diff = ImageChops.difference(a.convert("RGB"), b.convert("RGB"))
    return sum(ImageStat.Stat(diff).mean) / 3


def check(folder):
    problems = []
    pictures = sorted(folder.glob("*"))
    if not any(p.suffix == ".gif" for p in pictures) or not any(
            p.name.startswith("chart-") for p in pictures):
        return ["no pictures in %s" % folder]
    for path in pictures:
        source = path.with_suffix(".bmp")
        try:
            image = Image.open(path)
            image.load() if path.suffix != ".wmf" else None
        except Exception as error:  # a picture that does not decode
            problems.append("%s does not decode: %s" % (path.name, error))
            continue
        if path.suffix == ".gif":
            if image.format != "GIF":
                problems.append("%s is a %s" % (path.name, image.format))
            elif path.name.startswith("exact-"):
                if ImageChops.difference(image.convert("RGB"),
                                         Image.open(source).convert("RGB")).getbbox():
                    problems.append("%s differs from its bitmap" % path.name)
            elif mean_difference(image, Image.open(source)) > 6:
                problems.append("%s is far from its bitmap" % path.name)
        elif path.suffix == ".jpg":
            if image.format != "JPEG" or image.info.get("progressive"):
                problems.append("%s is not a baseline JPEG" % path.name)
            elif mean_difference(image, Image.open(source)) > 12:
                problems.append("%s is far from its bitmap" % path.name)
        elif path.suffix == ".wmf":
            if image.format != "WMF" or image.info.get("wmf_bbox") != (0, 0, 480, 288):
                problems.append("%s is not a placeable metafile of 480 x 288" % path.name)
        elif path.name.startswith("chart-") and image.size != (480, 288):
            problems.append("%s is %s" % (path.name, image.size))
    return problems


def main():
    problems = check(Path(sys.argv[1]))
    for problem in problems:
        print("check-graph-images: " + problem)
    print("check-graph-images: %s" % ("%d problem(s)" % len(problems) if problems else "ok"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
