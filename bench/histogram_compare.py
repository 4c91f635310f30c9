#!/usr/bin/env python3
"""Runs two builds of ravelin-cli on many generated ".spg" files and reports every difference in their
histogram output (text and JSON, with and without options), to show that a faster histogram gives the same
figures, messages and labels as the one before it.

    bench/histogram_compare.py OLD_CLI NEW_CLI [--quick]
"""
import json
import os
import random
import subprocess
import sys
import tempfile

HEADER = ("'Heading comment/title\r\nHead = Compared scanline\r\n'Family name\r\nFami = J1\r\n"
          "Clif = 250,75\r\nScan = 250,75\r\nDisc = 70,30\r\n")


def spg(values, data_type=2, theta=None, newline="\r\n", header=True, trailing=True):
    lines = []
    if header:
        lines.append(HEADER.replace("\r\n", newline))
        lines.append(f"Type = {data_type}{newline}")
        if theta is not None:
            lines.append(f"Angl = {theta}{newline}")
    body = newline.join(values)
    return "".join(lines) + body + (newline if trailing and values else "")


def exponential(rng, n, decimals, mean=0.4, smallest=None):
    smallest = 10.0 ** -decimals if smallest is None else smallest
    return [f"{max(rng.expovariate(1 / mean), smallest):.{decimals}f}" for _ in range(n)]


def cases(quick):
    rng = random.Random(20261207)
    big = 200_000 if quick else 1_000_000
    yield "empty", spg([])
    yield "one value", spg(["0.35"])
    yield "one value, no line end", spg(["0.35"], trailing=False)
    yield "two values", spg(["0.35", "1.2"])
    yield "all equal", spg(["0.25"] * 5000)
    yield "all equal, many", spg(["1.00"] * big)
    yield "all zero", spg(["0"] * 100)
    for decimals in (0, 1, 2, 3, 4, 6, 8, 9, 12):
        mean = 4 if decimals == 0 else 0.4
        yield f"{decimals} decimals", spg(exponential(rng, 20_000, decimals, mean))
    yield "2 decimals, large", spg(exponential(rng, big, 2))
    yield "6 decimals, large", spg(exponential(rng, big, 6))
    yield "2 decimals, theta 15", spg(exponential(rng, big // 4, 2), theta=15)
    yield "6 decimals, theta 37.5", spg(exponential(rng, big // 4, 6), theta=37.5)
    yield "theta 90", spg(exponential(rng, 1000, 2), theta=90)
    yield "theta 120 (negative factor)", spg(exponential(rng, 5000, 2), theta=120)
    yield "theta 120, 6 decimals", spg(exponential(rng, 5000, 6), theta=120)
    yield "theta -30", spg(exponential(rng, 5000, 3), theta=-30)
    mixed = [f"{rng.expovariate(2.5):.{rng.choice((0, 1, 2, 3, 5))}f}" for _ in range(30_000)]
    yield "mixed decimals", spg(mixed)
    yield "mixed decimals, theta 20", spg(mixed, theta=20)
    yield "with zeros", spg([v if rng.random() > 0.05 else "0" for v in exponential(rng, 20_000, 2)])
    yield "with 0.00", spg([v if rng.random() > 0.05 else "0.00" for v in exponential(rng, 20_000, 2)])
    yield "below the margin", spg(exponential(rng, 20_000, 7, smallest=0))
    negative = [("-" if rng.random() < 0.2 else "") + v for v in exponential(rng, 20_000, 2)]
    yield "negative values", spg(negative)
    yield "negative values, theta 10", spg(negative, theta=10)
    yield "all negative", spg(["-" + v for v in exponential(rng, 2000, 2)])
    yield "duplicates", spg([rng.choice(("0.1", "0.2", "0.35", "2.5", "0.05")) for _ in range(50_000)])
    yield "few distinct, 6 decimals", spg([rng.choice(("0.123456", "0.654321", "1.000001")) for _ in range(50_000)])
    yield "large numbers", spg([f"{rng.uniform(0, 1e9):.2f}" for _ in range(5000)])
    yield "15 digits", spg([f"{rng.uniform(0, 1e6):.9f}" for _ in range(5000)])
    yield "16 digits", spg([f"{rng.uniform(0, 1e7):.9f}" for _ in range(5000)])
    yield "leading zeros", spg(["00" + v for v in exponential(rng, 5000, 2)])
    odd = exponential(rng, 5000, 2)
    for i in range(0, len(odd), 7):
        odd[i] = rng.choice((".5", "5.", "1e-1", " 0.4", "0.4 ", "+0.3", "abc", "", "0,4", "1.5E+0", "0.3\t"))
    yield "odd fields", spg(odd)
    yield "LF line ends", spg(exponential(rng, 20_000, 2), newline="\n")
    yield "CR line ends", spg(exponential(rng, 20_000, 2), newline="\r")
    yield "CR line ends, no line end", spg(exponential(rng, 20_000, 2), newline="\r", trailing=False)
    yield "no header", spg(exponential(rng, 20_000, 2), header=False)
    positions, x = [], 0.0
    for _ in range(big // 2):
        x += max(rng.expovariate(2.5), 0.01)
        positions.append(f"{x:.2f}")
    yield "intersection distances", spg(positions, data_type=1)
    yield "intersection distances, theta 25", spg(positions, data_type=1, theta=25)
    yield "intersection distances, unordered", spg(exponential(rng, 5000, 2), data_type=1)
    yield "key line after values", spg(exponential(rng, 5000, 2) + ["Xbad line"])
    yield "bad key after values, LF", spg(exponential(rng, 5000, 2) + ["Type = 7"], newline="\n")
    yield "bad key after values, CR", spg(exponential(rng, 5000, 2) + ["Type = 7"], newline="\r")
    yield "latin-1 header", spg(exponential(rng, 5000, 2)).replace("Compared", "Comparé")


OPTIONS = [[], ["--json"], ["--interval", "0.25", "--classes", "30", "--json"], ["--fit", "--json"]]


def run(cli, path, options):
    done = subprocess.run([cli, "histogram", path] + options, capture_output=True, timeout=120)
    return done.returncode, done.stdout, done.stderr


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    old, new = sys.argv[1], sys.argv[2]
    quick = "--quick" in sys.argv
    differences = 0
    runs = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, text in cases(quick):
            path = os.path.join(folder, "case.spg")
            with open(path, "wb") as f:
                f.write(text.encode("latin-1"))
            for options in OPTIONS:
                a, b = run(old, path, options), run(new, path, options)
                runs += 1
                if a != b:
                    differences += 1
                    print(f"DIFFERS: {name} {' '.join(options)}")
                    for label, x, y in (("exit", a[0], b[0]), ("stdout", a[1], b[1]), ("stderr", a[2], b[2])):
                        if x != y:
                            xs, ys = (str(x).splitlines(), str(y).splitlines()) if label == "exit" else (
                                x.decode("latin-1").splitlines(), y.decode("latin-1").splitlines())
                            for i, (p, q) in enumerate(zip(xs, ys)):
                                if p != q:
                                    print(f"  {label} line {i + 1}:\n    old {p[:200]}\n    new {q[:200]}")
                                    break
                            else:
                                print(f"  {label}: {len(xs)} lines against {len(ys)}")
    print(f"{runs} runs compared, {differences} differ")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
