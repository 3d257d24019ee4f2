#!/usr/bin/env python3
"""A bounded random search for the rooms YOMBRIC answers slowest.

Draws rooms whose sides spread over the whole range of doubles (log-uniform exponents, a
few digits each) and a MAX_HZ up to 10^15 times the lowest mode, runs the tool on each, and prints the slowest by processor
time. Usage: yombric_slowest.py BUILD_DIR [TRIES] [SEED] [OPTION...] (e.g. --summary)
"""
import random
import resource
import subprocess
import sys


def cpu_seconds(args):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def typed(rng, low, high):
    digits = rng.choice([1, 2, 3, 4])
    return f"{rng.uniform(1, 10):.{digits - 1}f}e{rng.randint(low, high):+d}"


def main():
    build = sys.argv[1]
    tries = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 23)
    tool = f"{build}/bin/yombric.exe"
    options = sys.argv[4:]
    found = []
    for _ in range(tries):
        centre = rng.randint(-300, 300)
        spread = rng.choice([0, 2, 10, 50, 150, 300])
        sides = [typed(rng, max(-307, centre - spread), min(307, centre + spread)) for _ in range(3)]
        # MAX_HZ from the lowest mode to 10^15 times it: the counts the tool meets.
        lowest_hz = 343.0 / 2.0 / max(float(side) for side in sides)
        max_hz = f"{lowest_hz * 10 ** rng.uniform(0, 15):.4g}"
        args = [tool, *options, *sides, max_hz]
        found.append((cpu_seconds(args), " ".join(args[1:])))
    found.sort(reverse=True)
    for seconds, room in found[:10]:
        print(f"{seconds:.3f} s  yombric.exe {room}")


if __name__ == "__main__":
    main()
