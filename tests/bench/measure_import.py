#!/usr/bin/env python3
"""The importer's whole-process cost on a 200 km road, against cp of the set
it writes: PAIRS alternating runs of profile-sheet-import into a new folder
and of `cp -r` of the finished set into another, in a scratch folder under
FOLDER (default: the system's temporary folder), then the median of each and
their ratio. The goal is an import under a second; the figures depend on
the machine's load and its disk, and are reported only.

    measure_import.py IMPORTER [PAIRS] [FOLDER]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))


def timed(command, cwd):
    start = time.perf_counter()
    subprocess.run(command, cwd=cwd, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    importer = os.path.abspath(sys.argv[1])
    pairs = int(sys.argv[2]) if len(sys.argv) > 2 else 11
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-cost-', dir=sys.argv[3] if len(sys.argv) > 3 else None) as work:
        subprocess.run([sys.executable, os.path.join(here, 'make_long_road.py'), os.path.join(work, 'road.xml'), '200'],
                       check=True)
        subprocess.run([importer, 'road.xml', 'set'], cwd=work, check=True, stdout=subprocess.DEVNULL)
        sheets = len(os.listdir(os.path.join(work, 'set')))
        size = sum(os.path.getsize(os.path.join(d, f)) for d, _, files in os.walk(os.path.join(work, 'set')) for f in files)
        imports, copies = [], []
        for k in range(pairs):
            imports.append(timed([importer, 'road.xml', 'run'], work))
            copies.append(timed(['cp', '-r', 'set', 'copy'], work))
            shutil.rmtree(os.path.join(work, 'run'))
            shutil.rmtree(os.path.join(work, 'copy'))
        i, c = statistics.median(imports), statistics.median(copies)
        print(f'200 km road: {sheets} sheets, {size / 1e6:.1f} MB written')
        print(f'import {i:.3f} s, cp -r of its set {c:.3f} s (medians of {pairs} pairs), ratio {i / c:.2f}; '
              f'goal: import under 1 s: {"met" if i < 1 else "missed"}')


if __name__ == '__main__':
    main()
