#!/usr/bin/python3
"""The reading and histogram of `ravelin-cli histogram FILE`, in Python and NumPy.

  histogram_numpy.py generate FILE COUNT   writes a ".spg" of COUNT spacings
  histogram_numpy.py histogram FILE        prints the figures as ravelin-cli does

The histogram follows the program's rules: comment lines (') and key lines
(known by their first letter) are skipped, theta comes from the set and
scanline orientations (or the "Angl" line when one is missing), values are
multiplied by cos(theta), zeros dropped, intersection distances turned into
spacings, the class interval and count chosen as the program chooses them,
and class j counts the values in ((j-1) I + 1e-6, j I + 1e-6].
"""
import decimal
import math
import sys

import numpy as np

KEYS = "CDSTFLHAINWXYZ"
CLASS_EPSILON = 1e-6


def generate(path, count):
    # Lognormal spacings (median about 0.4 m), written with two decimals as a
    # field notebook would give them; never 0.00, which the program skips.
    rng = np.random.default_rng(20240601)
    values = np.maximum(np.round(rng.lognormal(mean=math.log(0.4), sigma=0.6, size=count), 2), 0.01)
    header = (
        "'Heading comment/title\r\nHead = Benchmark scanline - one million spacings\r\n"
        "'Family name\r\nFami = J1\r\n'Location\r\nLoca = Quarry north - bench 2\r\n"
        "'Orientation of the cliff (degrees) : dip direction (DD) and dip angle(DA)\r\nClif = 250,75\r\n"
        "'Orientation of the scanline (degrees) : DD & DA\r\nScan = 250,75\r\n"
        "'Orientation of the discontinuity set (degrees) : dip direction and dip angle\r\nDisc = 70,30\r\n"
        "'Data type : 1=intersection distances or 2=discontinuity spacings\r\nType = 2\r\n"
        "'Theta angle between the scanline and the pole to the discontinuity (degrees)\r\nAngl = 15\r\n"
    )
    with open(path, "w", newline="") as f:
        f.write(header)
        f.write("\r\n".join("%.2f" % v for v in values))
        f.write("\r\n")


def cosines(trend, plunge):
    t, p = math.radians(trend), math.radians(plunge)
    return np.array([math.cos(p) * math.cos(t), math.cos(p) * math.sin(t), math.sin(p)])


def theta_angle(set_direction, set_dip, scan_trend, scan_plunge):
    pole = cosines(set_direction + 180, 90 - set_dip)
    angle = math.degrees(math.acos(min(1.0, abs(float(np.dot(pole, cosines(scan_trend, scan_plunge)))))))
    return float(decimal.Decimal(repr(angle)).quantize(0, decimal.ROUND_HALF_UP))


def round_half_even(value, places):
    return float(decimal.Decimal("%.15g" % value).quantize(decimal.Decimal(1).scaleb(-places), decimal.ROUND_HALF_EVEN))


def histogram(path):
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = raw.decode("cp1252", errors="replace")
    lines = [line.strip(" \t") for line in text.splitlines()]
    orientation = {}
    angle = 0.0
    intersections = False
    data_lines = []
    for line in lines:
        if not line or line[0] == "'":
            continue
        if line[0] not in KEYS:
            data_lines.append(line)
            continue
        value = line[7:].strip()
        if line[0] in "CDS":
            orientation[line[0]] = [float(v) for v in value.split(",")[:2]]
        elif line[0] == "T":
            intersections = float(value) == 1
        elif line[0] == "A":
            angle = float(value)
    if "D" in orientation and "S" in orientation:
        angle = theta_angle(*orientation["D"], *orientation["S"])
    measured = np.array(data_lines, dtype=np.float64)
    data = measured * (math.cos(angle / (180 / math.pi)) if angle else 1.0)
    data = data[data != 0]
    if intersections:
        data = np.diff(data, prepend=0.0)
    data = np.sort(data)

    n = data.size
    mean = data.mean()
    stddev = data.std(ddof=1) if n > 1 else 0.0
    k = 10
    while k * mean < 1:
        k *= 10
    interval = round_half_even((math.floor(k * mean) + 1) / 4 / k, 2) or 0.05
    classes = int(data[-1] / interval) + 2
    edges = np.arange(classes + 1) * interval + CLASS_EPSILON
    counts = np.bincount(np.searchsorted(edges, data, side="left"), minlength=classes + 2)[1 : classes + 1]

    print("values: %d" % n)
    print("class interval: %.15g" % interval)
    print("classes: %d" % classes)
    for j, c in enumerate(counts):
        print("  %.2f - %.2f: %d" % (j * interval, (j + 1) * interval, c))
    print("mean: %.15g" % mean)
    print("standard deviation: %.15g" % stddev)
    print("largest count: %d" % counts.max())


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "generate":
        generate(sys.argv[2], int(sys.argv[3]))
    elif len(sys.argv) == 3 and sys.argv[1] == "histogram":
        histogram(sys.argv[2])
    else:
        sys.exit(__doc__)
