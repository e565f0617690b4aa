#!/usr/bin/env python3
"""Whole runs of profile-sheet-import on real road files, in scratch folders.

usage: import_run.py IMPORTER GENERATOR DATA_DIR roads      every road of DATA_DIR: its sheets against its design
       import_run.py IMPORTER GENERATOR DATA_DIR set        a set against the one sheet that holds the whole road
       import_run.py IMPORTER GENERATOR DATA_DIR refusals   every refusal: a message, status 1 or 2, nothing written
       import_run.py IMPORTER GENERATOR DATA_DIR users      names beyond ASCII, no OUTDIR, refusals that say what to do
       import_run.py IMPORTER GENERATOR DATA_DIR sizes      what roads dense in points write, against their size
       import_run.py IMPORTER GENERATOR DATA_DIR figures ROAD.xml...
                                                            the figures of roads outside DATA_DIR (their designs
                                                            beside them), printed; status 1 when a check fails

IMPORTER and GENERATOR are commands, split as a shell splits them, so that a
Windows build runs as "wine64 profile-sheet-import.exe". The programs run in
the scratch folder with relative paths. DATA_DIR holds the roads (*.xml) and
their designs (*.design.json, internal stations; the superelevation rule is
the one a profile sheet draws: see design_crossfall).

What a road's sheets must show, read from the files the importer wrote and
from the drawings:
- every listed station's planned height, as the drawing writes it in the
  planned-height row, is the design's grade line there within 1 mm, and so is
  its ground height in the ground-height row;
- every listed station shows its distance along the road, to the millimetre,
  and its interval distance from the road's previous listed station;
- no line of a band row leaves the row's data cell, and no grade or ground
  line leaves the profile view (above its top or below the datum);
- the superelevation diagram, read back from the drawing, follows the design
  within 0.75 mm on paper at every listed station, on both sides;
- every grade segment the grade-line row labels is labelled with the design's
  whole length, and every curve caption carries the design's IP number, IA,
  CL, TL and SL;
- the sheets run from BP to EP, neighbouring sheets share their boundary
  station, every whole station is listed, no sheet has more than 30, and the
  set has at most one sheet more than the fewest the template allows;
- every curve group has a curve row with its radius, signed one way for each
  turning direction, with the run of that row's curve;
- each drawing is what profile-sheet draws from the sheet's four files.
Exit status 0 when every check holds; otherwise each failed check is printed and the status is 1.
"""
import bisect
import json
import math
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import program_command  # noqa: E402

failures = []
INPUTS = ('Tesmo.dat', 'temp.cd5', 'GasouT.dat', 'Tsuzuki.dat')
DRAWING = 'Tesmora.dxf'
# Layout of the band rows on the sheet, in paper millimetres.
BAND_ORIGIN_X = 100.0
BAND_ORIGIN_Y = 50.0
DATA_CELL_X = 150.0
DATA_MARGIN = 20.0
DATA_X = DATA_CELL_X + DATA_MARGIN
PROFILE_GAP = 20.0
# How far a written coordinate may lie from the value it was rounded from:
# three decimals, whole millimetres for the dashed lines, one decimal for
# circles.
TOLERANCE = {'line': 0.0005, 'dashed': 0.5005, 'circle': 0.05}
# How far the drawn superelevation may lie from the design.
SUPERELEVATION_TOLERANCE = 0.75
NORMAL_CROSSFALL = 2.0


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def run(command, args, cwd):
    done = subprocess.run(command + args, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    return done.returncode, done.stdout, done.stderr


# ---------------------------------------------------------------- the design

class Design:
    """A road's design; `ground` picks one of its ground lines (the design's "grounds")."""

    def __init__(self, path, ground=0):
        d = json.load(open(path, encoding='utf-8'))
        self.begin, self.end, self.interval = d['sta0'], d['end'], d['interval']
        self.elems = d['elems']
        if d.get('cover'):  # the grade line covers only part: the sheets cover that part
            self.begin, self.end = d['cover']
        self.pvis = d['pvis']
        self.ground = d['grounds'][ground] if 'grounds' in d else d['ground']
        self.groups = [g for g in d['groups'] if min(g['s1'], self.end) - max(g['s0'], self.begin) > 0.001]
        self.runs = [r for r, g in zip(d['superelevation'], d['groups']) if g in self.groups]
        self.equation = d['equation']
        self.grades = [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(self.pvis, self.pvis[1:])]
        # The stretches between equations: (internal begin, internal end, display - internal).
        q = self.equation
        if q and self.begin + 0.001 < q['staInternal'] < self.end - 0.001:
            self.stretches = [(self.begin, q['staInternal'], 0.0),
                              (q['staInternal'], self.end, q['staAhead'] - q['staInternal'])]
        else:
            self.stretches = [(self.begin, self.end, 0.0)]
        # The road's zero: No.0 where the road passes it before any equation, else BP.
        first = self.stretches[0]
        self.zero = 0.0 if first[0] - 0.001 <= 0.0 <= first[1] + 0.001 else self.begin

    def height(self, s):
        """The grade line: straight grades; at an interior PVI a symmetric parabola ([station, height, length]),
        the true circle tangent to both grades ([.., "circle", radius]) or an unsymmetric parabola, two parabolas
        with a common tangent at the PVI's station ([.., "unsym", length in, length out])."""
        p, g = self.pvis, self.grades
        for i in range(1, len(p) - 1):
            c, h, length = p[i][:3]
            kind = p[i][3] if len(p[i]) > 3 else 'para'
            g1, g2 = g[i - 1], g[i]
            if kind == 'para' and length > 0 and abs(s - c) <= length / 2:
                d = s - (c - length / 2)
                return h + g1 * (s - c) + (g2 - g1) * d * d / (2 * length)
            if kind == 'circle':
                radius = p[i][4]
                sag = 1.0 if g2 > g1 else -1.0
                n1, n2 = math.sqrt(1 + g1 * g1), math.sqrt(1 + g2 * g2)
                dx = sag * radius * (n2 - n1) / (g1 - g2)
                cx, cy = c + dx, h + sag * radius * n1 + g1 * dx
                if cx + sag * radius * g1 / n1 <= s <= cx + sag * radius * g2 / n2:
                    return cy - sag * math.sqrt(radius * radius - (s - cx) ** 2)
            if kind == 'unsym':
                lin, lout = p[i][4], p[i][5]
                common = (lin * g1 + lout * g2) / (lin + lout)
                if c - lin <= s <= c:
                    d = s - (c - lin)
                    return h - g1 * lin + g1 * d + (common - g1) * d * d / (2 * lin)
                if c < s <= c + lout:
                    d = s - c
                    return h + lin * (common - g1) / 2 + common * d + (g2 - common) * d * d / (2 * lout)
        i = max(0, min(bisect.bisect_right([q[0] for q in p], s) - 1, len(p) - 2))
        return p[i][1] + g[i] * (s - p[i][0])

    def tangent(self, s):
        """The straight grades alone, level before the first PVI."""
        p, g = self.pvis, self.grades
        if s <= p[0][0]:
            return p[0][1]
        i = max(0, min(bisect.bisect_right([q[0] for q in p], s) - 1, len(p) - 2))
        return p[i][1] + g[i] * (s - p[i][0])

    def ground_height(self, s):
        pts = self.ground
        i = bisect.bisect_left([q[0] for q in pts], s)
        if i == 0:
            return pts[0][1]
        if i == len(pts):
            return pts[-1][1]
        (s0, h0), (s1, h1) = pts[i - 1], pts[i]
        return h0 + (h1 - h0) * (s - s0) / (s1 - s0)

    def crossfall(self, s, right):
        """The design's crossfall of one side at internal station s, in percent (see the README of the roads)."""
        levels = []
        for k, (g, r) in enumerate(zip(self.groups, self.runs)):
            up = (g['rot'] == 'ccw') == right  # the outer side rises
            e, n = r['e'], NORMAL_CROSSFALL
            full = e if up else -e
            levels.append(full)
            if up:
                points = [(r['begin'], -n), (r['full'], full), (r['runoff'], full), (r['end'], -n)]
            else:
                # The inside keeps the normal crossfall until the outside reaches +n.
                a = r['begin'] + 2 * n * (r['full'] - r['begin']) / (e + n)
                b = r['end'] - 2 * n * (r['end'] - r['runoff']) / (e + n)
                points = [(a, -n), (r['full'], full), (r['runoff'], full), (b, -n)]
            joined_before = k > 0 and self.runs[k - 1]['end'] > r['begin']
            joined_after = k + 1 < len(self.runs) and r['end'] > self.runs[k + 1]['begin']
            if joined_before and r['full'] >= s >= self.runs[k - 1]['runoff']:
                a, b = self.runs[k - 1]['runoff'], r['full']
                return levels[k - 1] + (full - levels[k - 1]) * (s - a) / (b - a) if b > a else full
            lo = points[1][0] if joined_before else points[0][0]
            hi = points[2][0] if joined_after else points[3][0]
            if lo <= s <= hi:
                return interpolate(points, s)
        return -NORMAL_CROSSFALL

    def internal(self, display, stretch):
        return display - self.stretches[stretch][2]

    def group_facts(self, g):
        """IA (degrees), CL, TL and SL of a curve group, by integrating its elements."""
        elems = [e for e in self.elems if e['kind'] != 'Line' and e['s0'] >= g['s0'] - 1e-9 and e['s1'] <= g['s1'] + 1e-9]
        x = y = heading = 0.0
        path = [(0.0, 0.0)]
        for e in elems:
            sign = 1.0 if e['rot'] == 'ccw' else -1.0
            length = e['s1'] - e['s0']
            if e['kind'] == 'Curve':
                k0 = k1 = sign / e['R']
            else:
                k0 = 0.0 if e['rs'] is None else sign / e['rs']
                k1 = 0.0 if e['re'] is None else sign / e['re']
            steps = max(16, int(length / 0.25))
            h = length / steps
            for i in range(steps):
                t0 = heading + k0 * (i * h) + (k1 - k0) * (i * h) ** 2 / (2 * length)
                tm = heading + k0 * ((i + 0.5) * h) + (k1 - k0) * ((i + 0.5) * h) ** 2 / (2 * length)
                t1 = heading + k0 * ((i + 1) * h) + (k1 - k0) * ((i + 1) * h) ** 2 / (2 * length)
                x += h / 6 * (math.cos(t0) + 4 * math.cos(tm) + math.cos(t1))
                y += h / 6 * (math.sin(t0) + 4 * math.sin(tm) + math.sin(t1))
                path.append((x, y))
            heading += length * (k0 + k1) / 2
        ia = abs(heading)
        tl = x - y * math.cos(heading) / math.sin(heading)
        sl = min(point_to_segment((tl, 0.0), a, b) for a, b in zip(path, path[1:]))
        return math.degrees(ia), g['s1'] - g['s0'], tl, sl


def point_to_segment(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / (dx * dx + dy * dy)))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def interpolate(points, s):
    for (a, ya), (b, yb) in zip(points, points[1:]):
        if a <= s <= b:
            return ya if b == a else ya + (yb - ya) * (s - a) / (b - a)
    return points[0][1] if s < points[0][0] else points[-1][1]


# ---------------------------------------------------------------- the files written

def numbers(line):
    return [float(v) for v in line.replace(',', ' ').split()]


class Sheet:
    """The profile data and continuation files of one sheet (one row per line, as the importer writes)."""

    def __init__(self, folder):
        self.folder = folder
        lines = open(os.path.join(folder, 'Tesmo.dat'), 'rb').read().decode('cp932').split('\r\n')
        self.header = numbers(lines[0])
        pos = 1

        def table(width):
            nonlocal pos
            count = int(numbers(lines[pos])[0])
            rows = []
            for k in range(count):
                fields = lines[pos + 1 + k].split(',')
                rows.append([float(v) if not v.startswith('"') else v[1:-1] for v in fields[:width]])
            pos += count + 1
            return rows

        self.ground = table(3)
        self.stations = table(4)
        self.vips = table(4)
        self.curves = table(5)
        self.superelevation = table(5)
        self.annotations = table(3)
        self.chainage = []
        total = 0.0
        for row in self.stations:
            total += row[3]
            self.chainage.append(total)
        self.items = {}
        for line in open(os.path.join(folder, 'Tsuzuki.dat'), 'rb').read().decode('cp932').split('\r\n'):
            if line:
                keyword, _, values = line.partition(' ')
                self.items.setdefault(keyword, []).append(values)
        self.curve_facts = {int(numbers(v)[0]): numbers(v)[1:] for v in self.items.get('CURVE', [])}

    def display(self, number, plus):
        return number * self.header[8] + plus


class Dxf:
    """The TEXT, LINE and CIRCLE entities of a drawing."""

    def __init__(self, path):
        lines = open(path, 'rb').read().decode('cp932').split('\r\n')
        self.texts, self.lines, self.circles = [], [], []
        i = 0
        while i + 1 < len(lines):
            kind = lines[i + 1] if lines[i] == '0' else None
            if kind in ('TEXT', 'LINE', 'CIRCLE'):
                entity = {}
                i += 2
                while i + 1 < len(lines) and lines[i] != '0':
                    entity.setdefault(lines[i].strip(), lines[i + 1])
                    i += 2
                if kind == 'TEXT':
                    self.texts.append((float(entity['10']), float(entity['20']), float(entity.get('50', '0')),
                                       entity.get('1', '')))
                elif kind == 'LINE':
                    self.lines.append((float(entity['10']), float(entity['20']), float(entity['11']),
                                       float(entity['21']), entity.get('8', ''), entity.get('6', '')))
                else:
                    self.circles.append((float(entity['10']), float(entity['20']), float(entity['40']),
                                         entity.get('8', '')))
            else:
                i += 1

    def vertical_texts_at(self, x, y):
        """The texts written upward at (x, y), which TEXT entities give to 0.1 mm."""
        return [t[3] for t in self.texts if abs(t[0] - x) <= 0.0501 and abs(t[1] - y) <= 0.0501 and t[2] == 90.0]


def band_row(titles, key):
    """The row (from 1 at the bottom) whose title starts with the key's first character."""
    n = len(titles)
    for k in range(1, n + 1):
        if titles[n - k].encode('cp932')[:2] == key.encode('cp932')[:2]:
            return k
    return 0


def polyline_y(lines, x, x_tolerance):
    """The heights at x of the lines that span it."""
    ys = []
    for x1, y1, x2, y2 in lines:
        lo, hi = min(x1, x2), max(x1, x2)
        if lo - x_tolerance <= x <= hi + x_tolerance:
            if abs(x2 - x1) < 1e-9:
                ys += [y1, y2]
            else:
                t = min(1.0, max(0.0, (x - x1) / (x2 - x1)))
                ys.append(y1 + (y2 - y1) * t)
    return ys


# ---------------------------------------------------------------- one road

class Road:
    """A road's sheets as written, each with its stretch of the design."""

    def __init__(self, work, folders, design):
        self.design = design
        self.sheets = []
        stretch = 0
        for folder in folders:
            s = Sheet(os.path.join(work, folder))
            q = design.equation
            if self.sheets and q and stretch == 0 and len(design.stretches) > 1:
                before = self.sheets[-1]
                if abs(before.display(*before.stations[-1][:2]) - q['staBack']) < 0.001 and \
                        abs(s.display(*s.stations[0][:2]) - q['staAhead']) < 0.001:
                    stretch = 1
            s.stretch = stretch
            s.internal = [design.internal(s.display(r[0], r[1]), stretch) for r in s.stations]
            self.sheets.append(s)
        # Every listed station of the road in road order, a station shared by
        # two sheets (or an equation's two labels) once.
        self.listed = []
        for s in self.sheets:
            for r, internal in zip(s.stations, s.internal):
                if not self.listed or internal > self.listed[-1] + 1e-7:
                    self.listed.append(internal)


def import_road(importer, work, road_file, args, name):
    status, out, err = run(importer, [road_file, 'sheets'] + args, work)
    if not check(status == 0, f'{name}: exit status {status}, error output {err!r}'):
        return None, None
    check(err == b'', f'{name}: error output {err!r}')
    table = out.decode('cp932').splitlines()
    check(table and table[0].startswith('図面'), f'{name}: no table: {table[:1]}')
    folders = sorted(os.listdir(os.path.join(work, 'sheets')))
    check(folders == ['%04d' % (k + 1) for k in range(len(folders))], f'{name}: folders {folders}')
    check(len(table) >= len(folders) + 2, f'{name}: {len(table)} table lines for {len(folders)} sheets')
    check(table[-1].startswith('延長') and f'図面 {len(folders)} 枚' in table[-1], f'{name}: last line {table[-1:]}')
    return folders, table


def check_road(importer, generator, data, stem, alignment=None, design_stem=None, options=(), ground=0,
               warnings=(), figures=None):
    """Imports the road and checks its sheets against its design; `warnings` are the warning lines of the
    reader ("FILE:LINE: warning: ..." without the file name) that the output must hold, and no others."""
    design = Design(os.path.join(data, (design_stem or stem) + '.design.json'), ground)
    name = f'{stem}' + (f' ({alignment})' if alignment else '') + (f' {" ".join(options)}' if options else '')
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-') as work:
        shutil.copy(os.path.join(data, stem + '.xml'), work)
        args = (['--alignment', alignment] if alignment else []) + list(options)
        folders, table = import_road(importer, work, stem + '.xml', args, name)
        if folders is None:
            return
        read = [line[len(stem) + 5:] for line in table if line.startswith(stem + '.xml:')]
        check(read == list(warnings), f'{name}: warnings of the reader {read}, expected {list(warnings)}')
        check(sorted(os.listdir(work)) == sorted([stem + '.xml', 'sheets']), f'{name}: left over {os.listdir(work)}')
        for folder in folders:
            path = os.path.join(work, 'sheets', folder)
            check(sorted(os.listdir(path)) == sorted(INPUTS + (DRAWING,)), f'{name}/{folder}: {os.listdir(path)}')
            check_drawn_as_generator_draws(generator, path, f'{name}/{folder}')
        road = Road(os.path.join(work, 'sheets'), folders, design)
        counts = Figures()
        for s, folder in zip(road.sheets, folders):
            check_sheet(s, road, f'{name}/{folder}', counts)
            check_drawn_grade(s, design, f'{name}/{folder}')
        check_coverage(road, name)
        check_curves(road, name)
        fewest = fewest_sheets(road)
        check(len(folders) <= fewest + 1, f'{name}: {len(folders)} sheets, the fewest the template allows is {fewest}')
        if figures is not None:
            counts.sheets, counts.fewest = len(folders), fewest
            figures.append((name, counts))


def check_drawn_as_generator_draws(generator, folder, name):
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-draw-') as work:
        for f in INPUTS:
            shutil.copy(os.path.join(folder, f), work)
        status, out, _ = run(generator, [], work)
        check(status == 0 and out == b'', f'{name}: profile-sheet exit status {status}, output {out!r}')
        same = open(os.path.join(work, DRAWING), 'rb').read() == open(os.path.join(folder, DRAWING), 'rb').read()
        check(same, f'{name}: the drawing differs from what profile-sheet draws from its files')


class Figures:
    """What the Done-when asks to be counted, over a road's sheets."""

    def __init__(self):
        self.stations = self.distances = 0
        self.lines = self.lines_out = 0
        self.view_lines = self.view_out = self.dimension_below = 0
        self.readings = self.readings_off = 0
        self.sheets = self.fewest = 0


def check_sheet(sheet, road, name, figures):
    design = road.design
    h = sheet.header
    row_height, gap, scale, vertical, data_length, view = h[0], h[1], h[2], h[3], h[4], h[5]
    pitch = row_height + gap
    titles = open(os.path.join(sheet.folder, 'temp.cd5'), 'rb').read().decode('cp932').split()
    n_rows = max(1, len(titles))
    dxf = Dxf(os.path.join(sheet.folder, DRAWING))
    row_y = lambda k: BAND_ORIGIN_Y + (k - 1) * pitch
    planned_row, ground_row = band_row(titles, '計画高'), band_row(titles, '地盤高')
    distance_row, interval_row = band_row(titles, '追加距離'), band_row(titles, '単距離')
    check(len(sheet.stations) <= 30, f'{name}: {len(sheet.stations)} stations')
    check(DATA_MARGIN + sheet.chainage[-1] * 1000 / scale + 1 <= data_length - gap,
          f'{name}: the last station at {sheet.chainage[-1]} m runs past the frame')
    ground_at = {(r[0], r[1]): r[2] for r in sheet.ground}
    for k, ((number, plus, _, _), c, s) in enumerate(zip(sheet.stations, sheet.chainage, sheet.internal)):
        x = DATA_X + c * 1000 / scale + 1
        where = f'{name} No.{int(number)}+{plus:.3f}'
        # Stations closer than 0.1 mm on paper share their texts' position.
        texts = dxf.vertical_texts_at(x, row_y(planned_row) + row_height / 2 - 6)
        check(any(abs(float(t) - design.height(s)) <= 0.001 for t in texts),
              f'{where}: planned heights drawn {texts}, design {design.height(s):.4f}')
        if check((number, plus) in ground_at, f'{where}: no ground point at the station'):
            texts = dxf.vertical_texts_at(x, row_y(ground_row) + row_height / 2 - 6)
            check(any(abs(float(t) - design.ground_height(s)) <= 0.001 for t in texts),
                  f'{where}: ground heights drawn {texts}, design {design.ground_height(s):.4f}')
        # The distance along the road, and from the road's previous listed
        # station (to the next one before the road's zero).
        figures.stations += 1
        distance = s - design.zero
        texts = dxf.vertical_texts_at(x, row_y(distance_row) + row_height / 2 - 8)
        if check(any(abs(float(t) - distance) <= 0.0006 for t in texts),
                 f'{where}: distance drawn {texts}, along the road {distance:.4f}'):
            figures.distances += 1
        i = bisect.bisect_left(road.listed, s - 1e-7)
        if abs(s - design.zero) < 1e-7:
            expected = 0.0
        elif s > design.zero:
            expected = s - road.listed[i - 1] if i > 0 else 0.0
        else:
            expected = road.listed[i + 1] - s
        texts = dxf.vertical_texts_at(x, row_y(interval_row) + row_height / 2 - 6)
        check(any(abs(float(t) - expected) <= 0.0006 for t in texts),
              f'{where}: interval distance drawn {texts}, expected {expected:.4f}')
    check(sorted(sheet.ground, key=lambda r: sheet.display(r[0], r[1])) == sheet.ground, f'{name}: ground unsorted')
    for a, b in zip(sheet.stations, sheet.stations[1:]):
        check(abs(b[3] - ((b[0] - a[0]) * h[8] + (b[1] - a[1]))) < 1e-9, f'{name}: interval distance {b}')
    first, last = sheet.display(*sheet.stations[0][:2]), sheet.display(*sheet.stations[-1][:2])
    positions = [r[0:2] for r in sheet.ground + sheet.annotations]
    check(all(first <= sheet.display(*p) <= last for p in positions), f'{name}: a ground point or note off the sheet')
    vips = [sheet.display(r[0], r[1]) for r in sheet.vips]
    check(all(a < b for a, b in zip(vips, vips[1:])) and vips[0] <= first and vips[-1] >= last,
          f'{name}: VIPs {sheet.vips}')

    # Lines of the band stack stay in their row's data cell (ticks in the
    # gaps between rows), and grade and ground lines in the profile view.
    top_of_stack = BAND_ORIGIN_Y + n_rows * pitch
    cell_end = DATA_CELL_X + data_length - gap
    datum_y = top_of_stack + PROFILE_GAP
    for x1, y1, x2, y2, layer, kind in dxf.lines:
        tol = TOLERANCE['dashed' if kind in ('HIDDEN', 'PHANTOM') else 'line']
        if max(y1, y2) <= top_of_stack + tol and max(x1, x2) >= DATA_CELL_X - tol:
            figures.lines += 1
            in_row = any(row_y(k) - tol <= min(y1, y2) and max(y1, y2) <= row_y(k) + row_height + tol
                         for k in range(1, n_rows + 1))
            in_gap = x1 == x2 and any(row_y(k) + row_height - tol <= min(y1, y2) and max(y1, y2) <= row_y(k + 1) + tol
                                      for k in range(1, n_rows))
            inside = DATA_CELL_X - tol <= min(x1, x2) and max(x1, x2) <= cell_end + tol and (in_row or in_gap)
            if not check(inside, f'{name}: a band line leaves its cell: ({x1}, {y1})-({x2}, {y2}) {layer} {kind}'):
                figures.lines_out += 1
        elif layer in ('D-STR', 'D-BGD') and max(y1, y2) > top_of_stack + tol and min(x1, x2) >= DATA_X - tol:
            # Nothing above the view; no ground or grade line below its datum
            # (a cut vertical curve's dimension line, drawn halfway up to the
            # curve's height at a VIP far beyond the sheet, is counted apart).
            figures.view_lines += 1
            dimension = layer == 'D-STR' and (x1 == x2 or y1 == y2 or math.hypot(x2 - x1, y2 - y1) < 3)
            below = min(y1, y2) < datum_y - tol
            if dimension and below:
                figures.dimension_below += 1
            inside = max(y1, y2) <= datum_y + view + tol and (dimension or not below)
            if not check(inside, f'{name}: a line leaves the profile view: ({x1}, {y1})-({x2}, {y2}) {layer}'):
                figures.view_out += 1
    for x, y, r, layer in dxf.circles:
        tol = TOLERANCE['circle']
        k = int((y - BAND_ORIGIN_Y) // pitch) + 1
        check(DATA_CELL_X - tol <= x - r and x + r <= cell_end + tol and row_y(k) - tol <= y - r and
              y + r <= row_y(k) + row_height + tol, f'{name}: a circle leaves its cell: ({x}, {y}) r {r}')

    # The superelevation diagram against the design, both sides, at every station.
    super_row = band_row(titles, '片勾配摺付図')
    if super_row:
        y0 = row_height / 2
        for right, kind in ((True, 'PHANTOM'), (False, 'HIDDEN')):
            lines = [(x1, y1, x2, y2) for x1, y1, x2, y2, layer, k in dxf.lines
                     if k == kind and layer == 'D-TTL-BAND' and row_y(super_row) - 0.6 <= min(y1, y2)
                     and max(y1, y2) <= row_y(super_row) + row_height + 0.6 and min(x1, x2) >= DATA_X - 0.6]
            for c, s in zip(sheet.chainage, sheet.internal):
                x = DATA_X + c * 1000 / scale
                q = design.crossfall(s, right)
                want = row_y(super_row) + y0 + q / 8 * y0
                got = polyline_y(lines, x, 0.5)
                figures.readings += 1
                ok = got and min(abs(g - want) for g in got) <= SUPERELEVATION_TOLERANCE
                if not check(ok, f'{name}: {"right" if right else "left"} crossfall at {s:.3f} drawn at '
                                 f'{[round(g, 2) for g in got]}, design {q:.3f} % at {want:.2f}'):
                    figures.readings_off += 1

    # The grade-line row labels each segment with the design's whole length.
    lengths = [b[0] - a[0] for a, b in zip(design.pvis, design.pvis[1:])]
    if any(len(p) > 3 and p[3] != 'para' for p in design.pvis):
        # Circles and unsymmetric curves are drawn as several parabolas: the
        # segments between those VIPs are the sheet's own.
        vips = [sheet.display(r[0], r[1]) for r in sheet.vips]
        lengths += [b - a for a, b in zip(vips, vips[1:])]
    for t in dxf.texts:
        m = re.fullmatch(r'L= *(-?[0-9.]+) m', t[3])
        if m:
            check(any(abs(float(m.group(1)) - length) <= 0.0006 for length in lengths),
                  f'{name}: a grade labelled {t[3]}, design segments {lengths}')

    # The curve captions: the road's IP numbers and the design's facts.
    for row, facts in sheet.curve_facts.items():
        curve = sheet.curves[row - 1]
        a = design.internal(sheet.display(curve[0], curve[1]), sheet.stretch)
        matches = [k for k, g in enumerate(design.groups) if abs(g['s0'] - a) < 0.002]
        if not check(len(matches) == 1, f'{name}: curve row {row} at {a} is no design group'):
            continue
        k = matches[0]
        ia, cl, tl, sl = design.group_facts(design.groups[k])
        got_ip, got_ia, got_cl, got_tl, got_sl = facts
        check(got_ip == k + 1, f'{name}: curve row {row} is IP {got_ip}, the road\'s group {k + 1}')
        check(abs(got_ia - ia) < 1e-5 and abs(got_cl - cl) < 1e-5 and abs(got_tl - tl) < 0.001 and
              abs(got_sl - sl) < 0.001, f'{name}: IP {k + 1} facts {facts[1:]}, design {(ia, cl, tl, sl)}')
        on_sheet = min(design.groups[k]['s1'], sheet.internal[-1]) > max(design.groups[k]['s0'], sheet.internal[0])
        if on_sheet:
            texts = [t[3] for t in dxf.texts]
            check(f'IP {k + 1}' in texts and f'CL= {cl:.3f}' in texts, f'{name}: no captions of IP {k + 1}')
    number, count = sheet.items['SHEET'][0].split(',')
    check(f'{number}/{count}' in [t[3] for t in dxf.texts], f'{name}: the drawing does not say {number}/{count}')


def check_drawn_grade(sheet, design, name):
    """The grade line as the sheet's VIP table draws it (straight between VIPs, a symmetric parabola of its
    length centred on each), every metre: within 1 mm of the design's, circles and unsymmetric curves included."""
    vips = [(design.internal(sheet.display(r[0], r[1]), sheet.stretch), r[2], r[3]) for r in sheet.vips]
    slopes = [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(vips, vips[1:])]

    def drawn(x):
        for i in range(1, len(vips) - 1):
            c, h, length = vips[i]
            if length > 0 and abs(x - c) <= length / 2:
                d = x - (c - length / 2)
                return h + slopes[i - 1] * (x - c) + (slopes[i] - slopes[i - 1]) * d * d / (2 * length)
        i = max(0, min(bisect.bisect_right([v[0] for v in vips], x) - 1, len(vips) - 2))
        return vips[i][1] + slopes[i] * (x - vips[i][0])

    # Over the sheet: its VIP table also holds the road's VIPs beyond its
    # ends, whose own curves the sheet does not draw.
    first, last = sheet.internal[0], sheet.internal[-1]
    worst, at = 0.0, first
    steps = max(1, int(last - first))
    for k in range(steps + 1):
        x = first + (last - first) * k / steps
        off = abs(drawn(x) - design.height(x))
        if off > worst:
            worst, at = off, x
    check(worst <= 0.001, f'{name}: the drawn grade line is {worst * 1000:.3f} mm off the design at {at:.3f}')


def check_coverage(road, name):
    design, sheets = road.design, road.sheets
    check(abs(sheets[0].internal[0] - design.begin) < 0.001,
          f'{name}: the first sheet starts at {sheets[0].internal[0]}, BP at {design.begin}')
    check(abs(sheets[-1].internal[-1] - design.end) < 0.001,
          f'{name}: the last sheet ends at {sheets[-1].internal[-1]}, EP at {design.end}')
    for k in range(len(sheets) - 1):
        check(abs(sheets[k].internal[-1] - sheets[k + 1].internal[0]) < 1e-6,
              f'{name}: sheets {k + 1} and {k + 2} do not share a station')
        check(sheets[k].stations[-1][1] == 0 or abs(sheets[k].internal[-1] - design.stretches[sheets[k].stretch][1]) < 0.001,
              f'{name}: sheet {k + 1} ends at a plus station inside its stretch')
    # Both sheets at a station equation label its point back=ahead.
    q = design.equation
    for before, after in zip(sheets, sheets[1:]):
        if before.stretch != after.stretch:
            def label(display):
                n = math.floor(display / design.interval + 1e-9)
                return f'No.{n}+{display - n * design.interval:.3f}'
            text = label(q['staBack']) + '=' + label(q['staAhead'])
            for s, row in ((before, before.stations[-1]), (after, after.stations[0])):
                notes = [a[2] for a in s.annotations if a[0:2] == row[0:2]]
                check(notes and notes[0].startswith(text), f'{name}: {s.folder}: the equation noted {notes}, not {text}')
    # Every whole display station of each stretch, per stretch.
    for index, (a, b, offset) in enumerate(design.stretches):
        whole = set()
        for s in sheets:
            if s.stretch == index:
                whole |= {int(r[0]) for r in s.stations if r[1] == 0.0}
        expected = set()
        n = int(-(-(a + offset - 0.001) // design.interval))
        while n * design.interval <= b + offset + 0.001:
            expected.add(n)
            n += 1
        check(whole == expected, f'{name}: stretch {index + 1}: whole stations missing {sorted(expected - whole)}, '
                                 f'extra {sorted(whole - expected)}')


def check_curves(road, name):
    design = road.design
    rows = []  # (internal from, internal to, radius, superelevation row, sheet)
    for s in road.sheets:
        check(len(s.superelevation) == len(s.curves),
              f'{s.folder}: {len(s.curves)} curve rows, {len(s.superelevation)} superelevation rows')
        for curve, superelevation in zip(s.curves, s.superelevation):
            a = design.internal(s.display(curve[0], curve[1]), s.stretch)
            b = design.internal(s.display(curve[2], curve[3]), s.stretch)
            rows.append((a, b, curve[4], superelevation, s))
    signs = {}
    for k, g in enumerate(design.groups):
        on = [r for r in rows if min(r[1], g['s1']) - max(r[0], g['s0']) > 0.001]
        if not check(on, f'{name}: curve group {k + 1} (R={g["R"]}) has no curve row'):
            continue
        run = design.runs[k]
        for a, b, radius, superelevation, sheet in on:
            check(abs(a - g['s0']) < 0.001 and abs(b - g['s1']) < 0.001,
                  f'{name}: curve group {k + 1} drawn from {a} to {b}, design {g["s0"]} to {g["s1"]}')
            check(abs(radius) == g['R'], f'{name}: curve group {k + 1} drawn with R={radius}, design {g["R"]}')
            signs.setdefault(g['rot'], set()).add(radius > 0)
            check(superelevation[4] == run['e'],
                  f'{name}: curve group {k + 1} pairs with superelevation {superelevation[4]} %, design {run["e"]} %')
            full = (design.internal(sheet.display(*superelevation[0:2]), sheet.stretch),
                    design.internal(sheet.display(*superelevation[2:4]), sheet.stretch))
            check(abs(full[0] - run['full']) < 0.001 and abs(full[1] - run['runoff']) < 0.001,
                  f'{name}: curve group {k + 1}: full superelevation {full}, design {run["full"]}..{run["runoff"]}')
    for rot, sign in signs.items():
        check(len(sign) == 1, f'{name}: {rot} curves drawn with both signs')
    if 'ccw' in signs and 'cw' in signs:
        check(signs['ccw'] != signs['cw'], f'{name}: both turning directions drawn with one sign')
    if 'ccw' in signs:
        check(signs['ccw'] == {True}, f'{name}: a road turning left does not get a positive radius')


def fewest_sheets(road):
    """The fewest sheets the template allows for the road's listed stations:
    at most 30 stations a sheet, the last one's labels (and a VIP's circle
    there) inside the band data cell, the profile view holding the ground,
    the planned line, the VIPs and the tangents to the sheet's edges above
    the datum (the highest multiple of the elevation interval at or below
    them and the curves' dimension lines), each sheet ending at a whole station or at the stretch's end. An
    interval that no view holds is a sheet of its own."""
    design, h = road.design, road.sheets[0].header
    row_height, gap, scale, vertical, data_length, view, step = h[0], h[1], h[2], h[3], h[4], h[5], h[7]
    clearance = max(0.001, (math.trunc(h[13]) + 1) * scale / 1000)
    total = 0
    for index in range(len(design.stretches)):
        stations = []  # (internal, whole)
        for s in road.sheets:
            if s.stretch == index:
                for r, internal in zip(s.stations, s.internal):
                    if not stations or internal > stations[-1][0] + 1e-7:
                        stations.append((internal, r[1] == 0.0))
        n = len(stations)
        if n < 2:
            continue
        # The heights an interval draws: its ends' and the ground line's own
        # points that keep their labels clear.
        interval_heights = []
        for k in range(n - 1):
            a, b = stations[k][0], stations[k + 1][0]
            kept, hs = a, []
            for s, height in design.ground:
                if a < s < b and s - kept >= clearance and b - s >= clearance:
                    hs.append(round(height, 3))
                    kept = s
            interval_heights.append(hs)

        def fits(i, j):
            if j - i + 1 > 30:
                return False
            a, b = stations[i][0], stations[j][0]
            chain = b - a
            on = [p for p in design.pvis if a <= p[0] <= b]
            reach = max(1.0, row_height / 2 - (b - on[-1][0]) * 1000 / scale) if on else 1.0
            if DATA_MARGIN + chain * 1000 / scale + reach > data_length - gap:
                return False
            hs = [design.height(stations[k][0]) for k in range(i, j + 1)]
            hs += [round(design.ground_height(stations[k][0]), 3) for k in range(i, j + 1)]
            for k in range(i, j):
                hs += interval_heights[k]
            hs += [p[1] for p in on] + [design.tangent(a), design.tangent(b)]
            # A vertical curve's dimension line lies halfway between the datum
            # and the curve's height at its VIP, or for a curve the sheet cuts
            # at the middle of its part on the sheet.
            zs = []
            for p in design.pvis[1:-1]:
                lo, hi = p[0] - p[2] / 2, p[0] + p[2] / 2
                if p[2] > 0 and lo < b and hi > a:
                    zs.append(design.height(p[0] if a <= lo and hi <= b else (max(lo, a) + min(hi, b)) / 2))
            datum = math.floor(min(hs + zs) / step) * step
            return (max(hs) - datum) * 1000 / vertical <= view + 1e-9 and \
                (max(zs, default=datum) - datum) * 500 / vertical <= view + 1e-9

        best = [math.inf] * n
        best[0] = 0
        for i in range(n - 1):
            if best[i] == math.inf:
                continue
            ends = []
            for j in range(i + 1, n):
                if not fits(i, j):
                    break
                ends.append(j)
            whole = [j for j in ends if stations[j][1] or j == n - 1]
            for j in (whole or ends or [i + 1]):
                best[j] = min(best[j], best[i] + 1)
        total += best[n - 1]
    return total


def roads(importer, generator, data, figures=None):
    check_road(importer, generator, data, 'road-utf8', figures=figures)
    check_road(importer, generator, data, 'road-sjis', figures=figures)
    check_road(importer, generator, data, 'road-latin1', 'Main line', figures=figures)
    check_road(importer, generator, data, 'road-latin1', 'Rampe-S\u00fcd', 'road-latin1-ramp', figures=figures)
    # J-LandXML's superelevation, only in the cross sections.
    for stem in ('road-crosssects', 'road-highway', 'road-lap', 'road-long', 'road-backward', 'road-steep',
                 'road-short'):
        check_road(importer, generator, data, stem, figures=figures)
    dialects(importer, generator, data)


def dialects(importer, generator, data):
    """A road file in the style of each kind of program that writes them (see data/make_dialect_roads.py)."""
    several = 'dialect-several-alignments'
    check_road(importer, generator, data, several, 'KREIS1', several + '-KREIS1')
    check_road(importer, generator, data, several, 'A1', several + '-A1',
               warnings=['44: warning: PVI \u306f 43 \u884c\u76ee\u3068\u540c\u3058\u70b9\u3067\u3059\u3002'
                         '1\u3064\u306b\u307e\u3068\u3081\u307e\u3057\u305f\u3002'])  # は 43 行目と同じ点です。1つにまとめました。
    check_road(importer, generator, data, several, 'Ramal Oeste \u2014 Glorieta', several + '-ramal')
    check_road(importer, generator, data, 'dialect-points-only',
               warnings=['10: warning: Curve@radius 250.0015 \u3068\u70b9\u304b\u3089\u6c42\u3081\u305f 250.0000 '
                         '\u304c 1 mm \u3092\u8d85\u3048\u3066\u9055\u3044\u307e\u3059\u3002'
                         '\u66f8\u304b\u308c\u305f\u5024\u3092\u4f7f\u3044\u307e\u3059\u3002'])
    check_road(importer, generator, data, 'dialect-circular-curves')
    check_road(importer, generator, data, 'dialect-circular-partial',
               warnings=['18: warning: ProfAlign "Tasaus" \u306e\u7e26\u65ad\u7dda\u5f62\u304c\u306a\u3044 No.50 '
                         '\u304b\u3089 No.54+5.000 \u307e\u3067\u306f\u56f3\u9762\u306b\u3057\u307e\u305b\u3093\u3002'])
    check_road(importer, generator, data, 'dialect-design-variants', design_stem='dialect-design-variants-Z1_NEU',
               options=['--profile', 'Z1_NEU'])
    check_road(importer, generator, data, 'dialect-design-variants', design_stem='dialect-design-variants-Z1',
               options=['--profile', 'Z1', '--ground', 'Gel\u00e4nde 2020'], ground=1)
    check_road(importer, generator, data, 'dialect-unsymmetric',
               warnings=['16: warning: ProfAlign "FG" \u306e\u7e26\u65ad\u7dda\u5f62\u304c\u306a\u3044 No.39+19.938 '
                         '\u304b\u3089 No.40 \u307e\u3067\u306f\u56f3\u9762\u306b\u3057\u307e\u305b\u3093\u3002'])
    check_road(importer, generator, data, 'dialect-road-suite')
    check_road(importer, generator, data, 'dialect-cross-sections')



# ---------------------------------------------------------------- a set against one sheet

def template_at(work, data, horizontal_scale):
    """The bundled example as a template folder, at another horizontal scale."""
    folder = os.path.join(work, 'tmpl')
    shutil.copytree(os.path.join(data, '..', '..', '..', 'examples'), folder,
                    ignore=shutil.ignore_patterns('landxml', '*.dxf'))
    path = os.path.join(folder, 'Tesmo.dat')
    text = open(path, 'rb').read()
    open(path, 'wb').write(text.replace(b'15,2,1000,', b'15,2,%d,' % horizontal_scale, 1))
    return folder


def sheet_set(importer, generator, data):
    """road-short at 1:2000 fits one sheet. Drawn once whole and once as a set
    of sheets of five stations, every sheet of the set shows what its window
    of the whole sheet shows: the same cumulative and interval distances and
    planned heights at every station, the same superelevation levels (within
    the whole millimetres the dashed lines are written in), and the same
    grade lines (the straight grades between the VIPs) at every station, to
    the thousandth of a millimetre the lines are written in."""
    design = Design(os.path.join(data, 'road-short.design.json'))
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-set-') as work:
        shutil.copy(os.path.join(data, 'road-short.xml'), work)
        template_at(work, data, 2000)
        whole = os.path.join(work, 'whole')
        os.mkdir(whole)
        folders, _ = import_road(importer, whole, '../road-short.xml', ['--template', '../tmpl'], 'road-short whole')
        if folders is None or not check(folders == ['0001'], f'road-short whole: {folders}'):
            return
        parts = os.path.join(work, 'parts')
        os.mkdir(parts)
        folders, _ = import_road(importer, parts, '../road-short.xml', ['--template', '../tmpl',
                                                                         '--stations-per-sheet', '5'],
                                 'road-short in parts')
        if folders is None or not check(len(folders) >= 5, f'road-short in parts: {folders}'):
            return
        one = Road(os.path.join(whole, 'sheets'), ['0001'], design).sheets[0]
        one_view = SheetView(one)
        for folder in folders:
            part = Sheet(os.path.join(parts, 'sheets', folder))
            view = SheetView(part)
            name = f'road-short/{folder}'
            offset = one.chainage[[tuple(r[:2]) for r in one.stations].index(tuple(part.stations[0][:2]))]
            for r, c in zip(part.stations, part.chainage):
                where = f'{name} No.{int(r[0])}+{r[1]:.3f}'
                for key in ('追加距離', '単距離', '計画高'):
                    got, want = view.value(key, c), one_view.value(key, offset + c)
                    check(got == want and got, f'{where}: {key} {got}, the whole sheet {want}')
                for kind in ('PHANTOM', 'HIDDEN'):
                    got, want = view.superelevation(kind, c), one_view.superelevation(kind, offset + c)
                    check(got and want and min(abs(g - w) for g in got for w in want) <= 1.0,
                          f'{where}: {kind} superelevation at {got}, the whole sheet {want}')
                # Two grade lines meet at a VIP; a sheet that ends there has one.
                got, want = view.grade(c, design.grades), one_view.grade(offset + c, design.grades)
                check(got and want and all(any(abs(g - w) <= 0.0002 for w in want) for g in got) and
                      all(any(abs(g - w) <= 0.0002 for g in got) for w in want),
                      f'{where}: grade lines at {got} m, the whole sheet {want} m')


class SheetView:
    """What a drawing shows at a chainage of its sheet."""

    def __init__(self, sheet):
        self.sheet = sheet
        h = sheet.header
        self.row_height, pitch, self.scale = h[0], h[0] + h[1], h[2]
        self.vertical, self.datum = h[3], h[6]
        self.titles = open(os.path.join(sheet.folder, 'temp.cd5'), 'rb').read().decode('cp932').split()
        self.row_y = lambda k: BAND_ORIGIN_Y + (k - 1) * pitch
        self.datum_y = BAND_ORIGIN_Y + len(self.titles) * pitch + PROFILE_GAP
        self.dxf = Dxf(os.path.join(sheet.folder, DRAWING))

    def x(self, chainage):
        return DATA_X + chainage * 1000 / self.scale

    def value(self, key, chainage):
        k = band_row(self.titles, key)
        dy = -8 if key == '追加距離' else -6
        return self.dxf.vertical_texts_at(self.x(chainage) + 1, self.row_y(k) + self.row_height / 2 + dy)

    def superelevation(self, kind, chainage):
        k = band_row(self.titles, '片勾配摺付図')
        lines = [(x1, y1 - self.row_y(k), x2, y2 - self.row_y(k)) for x1, y1, x2, y2, _, t in self.dxf.lines
                 if t == kind and self.row_y(k) - 0.6 <= min(y1, y2) <= self.row_y(k) + self.row_height + 0.6
                 and min(x1, x2) >= DATA_X - 0.6]
        return polyline_y(lines, self.x(chainage), 0.5)

    def grade(self, chainage, grades):
        """The heights of the grade lines at the chainage: the lines of the view that slope as one of the
        design's grades (the chords of a vertical curve slope in between)."""
        paper = [g * self.scale / self.vertical for g in grades]
        lines = [(x1, y1, x2, y2) for x1, y1, x2, y2, layer, t in self.dxf.lines
                 if layer == 'D-STR' and min(y1, y2) > self.datum_y and abs(x2 - x1) > 3 and
                 any(abs((y2 - y1) / (x2 - x1) - g) < 1e-4 for g in paper)]
        return sorted(self.datum + (y - self.datum_y) * self.vertical / 1000
                      for y in polyline_y(lines, self.x(chainage), 0.0005))


# ---------------------------------------------------------------- sizes

# What the importer writes (the set and the console) stays within this many
# times the road file, plus this much per sheet.
OUTPUT_PER_INPUT_BYTE = 200
OUTPUT_PER_SHEET = 150_000


def sizes(importer):
    """Roads of 2 km dense in what the importer writes a row for: a grade
    point every 0.5 m, a curve group every metre (turning either way in
    turn), a ground point every centimetre."""
    head = ('<?xml version="1.0" encoding="UTF-8"?>\n<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" '
            'version="1.2"><Units><Metric linearUnit="meter"/></Units><Alignments><Alignment name="a" length="2000" '
            'staStart="0"><CoordGeom>%s</CoordGeom><Profile><ProfAlign name="p">%s</ProfAlign><ProfSurf name="g">'
            '<PntList2D>%s</PntList2D></ProfSurf></Profile></Alignment></Alignments></LandXML>\n')
    line, level, flat = '<Line length="2000"/>', '<PVI>0 10</PVI><PVI>2000 10</PVI>', '0 10 2000 10'
    roads = {
        'grade points': head % (line, ''.join('<PVI>%g %g</PVI>' % (k / 2, 10 + k % 2 * 0.05) for k in range(4001)),
                                flat),
        'curve groups': head % (''.join('<Curve rot="%s" radius="500" length="1"/>' % ('cw' if k % 2 else 'ccw')
                                        for k in range(2000)), level, flat),
        'ground points': head % (line, level, ' '.join('%g %g' % (k / 100, 10 + k % 7 / 100) for k in range(200001))),
    }
    for name, text in roads.items():
        with tempfile.TemporaryDirectory(prefix='profile-sheet-import-size-') as work:
            with open(os.path.join(work, 'road.xml'), 'w') as f:
                f.write(text)
            status, out, err = run(importer, ['road.xml', 'sheets'], work)
            if not check(status == 0, f'{name}: exit status {status}, {err!r}'):
                continue
            written = len(out) + len(err) + sum(os.path.getsize(os.path.join(d, f))
                                                for d, _, files in os.walk(os.path.join(work, 'sheets')) for f in files)
            sheets = len(os.listdir(os.path.join(work, 'sheets')))
            bound = OUTPUT_PER_INPUT_BYTE * len(text) + OUTPUT_PER_SHEET * sheets
            check(written <= bound, f'{name}: {written} bytes written for {len(text)} bytes of road, '
                                    f'{sheets} sheets: more than {bound}')


# ---------------------------------------------------------------- refusals

def refused(importer, name, args, files=None, status=1, expect=None, make=None):
    """Runs the importer in a scratch folder holding `files`; it must refuse, write nothing and say why."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-refusal-') as work:
        for file_name, data in (files or {}).items():
            with open(os.path.join(work, file_name), 'wb') as f:
                f.write(data)
        if make:
            make(work)
        before = sorted(os.listdir(work))
        got, out, err = run(importer, args, work)
        check(got == status, f'{name}: exit status {got}, expected {status}; error output {err!r}')
        check(out == b'', f'{name}: output {out!r}')
        message = err.decode('cp932', errors='replace').replace('\r\n', '\n')  # Windows writes CR LF
        check(err.endswith(b'\n') and (expect is None or expect in message), f'{name}: message {message!r}')
        check(sorted(os.listdir(work)) == before, f'{name}: the folder changed: {sorted(os.listdir(work))}')


def refusals(importer, data):
    utf8 = open(os.path.join(data, 'road-utf8.xml'), 'rb').read()
    latin1 = open(os.path.join(data, 'road-latin1.xml'), 'rb').read()

    def variant(old, new, base=utf8):
        assert old in base, old
        return {'road.xml': base.replace(old, new, 1)}

    # The command line: usage on standard error with status 2; --help on standard output with 0.
    refused(importer, 'no arguments', [], status=2, expect='profile-sheet-import ROAD.xml [OUTDIR]')
    refused(importer, 'a road file alone that is not there', ['road.xml'], expect='road.xml: error:')
    refused(importer, 'unknown option', ['road.xml', 'out', '--scale', '500'], status=2, expect='--scale')
    refused(importer, 'option without value', ['road.xml', 'out', '--template'], status=2, expect='--template')
    for value in ('1', '31', 'ten'):
        refused(importer, f'--stations-per-sheet {value}', ['road.xml', 'out', '--stations-per-sheet', value],
                status=2, expect='--stations-per-sheet')
    with tempfile.TemporaryDirectory() as work:
        status, out, err = run(importer, ['--help'], work)
        check(status == 0 and err == b'' and out.decode('cp932').startswith('使い方'), f'--help: {status} {out!r} {err!r}')
        status, out, err = run(importer, ['--version'], work)
        check(status == 0 and err == b'' and re.fullmatch(rb'profile-sheet-import \d+\.\d+\.\d+ \((Linux|Windows) \S+\)\r?\n', out),
              f'--version: {status} {out!r} {err!r}')
        if any(part.endswith('.exe') for part in importer):
            status, out, err = run(importer, ['/?'], work)
            check(status == 0 and err == b'' and out.decode('cp932').startswith('使い方'), f'/?: {status} {out!r} {err!r}')

    road = {'road.xml': utf8}
    refused(importer, 'existing OUTDIR', ['road.xml', 'out'], road, expect='out: error:',
            make=lambda w: os.mkdir(os.path.join(w, 'out')))
    sep = '\\' if any(part.endswith('.exe') for part in importer) else '/'  # of the paths the messages show
    refused(importer, 'OUTDIR in a missing folder', ['road.xml', 'missing/out'], road,
            expect=f'missing{sep}out: error: ')
    refused(importer, 'missing road file', ['nothing.xml', 'out'], expect='nothing.xml: error:')
    refused(importer, 'template folder without its files', ['road.xml', 'out', '--template', 'tmpl'], road,
            expect='Tesmo.dat', make=lambda w: os.mkdir(os.path.join(w, 'tmpl')))

    def template_with_scale_zero(work):
        path = os.path.join(template_at(work, data, 1000), 'Tesmo.dat')
        text = open(path, 'rb').read()
        open(path, 'wb').write(text.replace(b'15,2,1000,', b'15,2,0,', 1))
    refused(importer, 'a template the generator refuses', ['road.xml', 'out', '--template', 'tmpl'], road,
            expect='Tesmo.dat', make=template_with_scale_zero)
    refused(importer, 'several alignments without --alignment', ['road.xml', 'out'], {'road.xml': latin1},
            expect='"Main line", "Rampe-S?d"')
    refused(importer, 'an alignment that is not there', ['road.xml', 'out', '--alignment', 'Ramp B'],
            {'road.xml': latin1}, expect='"Ramp B"')

    # What the reader refuses, end to end.
    refused(importer, 'DOCTYPE', ['road.xml', 'out'],
            variant(b"<LandXML ", b'<!DOCTYPE LandXML [<!ENTITY a "aaaa">]>\n<LandXML '), expect='DOCTYPE')
    refused(importer, 'imperial units', ['road.xml', 'out'],
            variant(b'<Units><Metric', b'<Units><Imperial linearUnit="foot"/><Metric'), expect='Imperial')
    refused(importer, 'stations that run against the road', ['road.xml', 'out'],
            variant(b'staAhead="785.00000000"', b'staAhead="785.00000000" staIncrement="decreasing"'),
            expect='staIncrement')
    refused(importer, 'no ProfAlign', ['road.xml', 'out'],
            {'road.xml': utf8[:utf8.index(b'<ProfAlign')] + utf8[utf8.index(b'</ProfAlign>') + 12:]},
            expect='ProfAlign')
    refused(importer, 'a number that does not parse', ['road.xml', 'out'],
            variant(b'<PVI>0.00000000 81.37100000</PVI>', b'<PVI>0.00000000 81.371.00</PVI>'), expect='PVI')
    refused(importer, 'an unclosed root', ['road.xml', 'out'], {'road.xml': utf8.replace(b'</LandXML>', b'')})
    refused(importer, 'nesting too deep', ['road.xml', 'out'],
            variant(b'<Application', b'<a>' * 1000 + b'</a>' * 1000 + b'<Application'))
    refused(importer, 'a file that is not XML', ['road.xml', 'out'],
            {'road.xml': open(os.path.join(data, '..', '..', 'data', 'small', 'Tesmo.dat'), 'rb').read()},
            expect='road.xml:1: error: XMLファイルではありません。')
    refused(importer, 'an encoding the system does not know', ['road.xml', 'out'],
            variant(b"encoding='utf-8'", b"encoding='x-no-such-table'"), expect='x-no-such-table')

    # A template whose sheets hold 128 m of road at 1:1000, and 500 m stations:
    # from BC2 at 205.009 to EC2 at 360.204 no sheet reaches (nor further on).
    def short_frame(work):
        os.mkdir(os.path.join(work, 'tmpl'))
        header = '15,2,1000,100,150,110,40,5,20,0,0,0,20,2,4,3,3,3,2,2,1,0.9,0.8,0.8,0.9,0.8'
        files = {'Tesmo.dat': header + '\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n', 'temp.cd5': '測点\r\n計画高\r\n',
                 'GasouT.dat': '3\r\n 7 1 0.00 D-TTL-BAND\r\n 3 1 0.25 D-STR\r\n 1 2 0.00 D-BGD\r\n'}
        for file_name, text in files.items():
            with open(os.path.join(work, 'tmpl', file_name), 'wb') as f:
                f.write(text.encode('cp932'))
    refused(importer, 'stations too far apart for a sheet', ['road.xml', 'out', '--template', 'tmpl'],
            variant(b'<Property label="main" value="20"/>', b'<Property label="main" value="500"/>'),
            expect='No.0+205.009', make=short_frame)

    # A road of 10,000 km: more sheets than a set holds, refused at once.
    long_road = utf8.replace(b'<Line length="116.89183062">', b'<Line length="10000116.89183062">', 1)
    long_road = re.sub(rb'<PVI>1534.85500000 ', b'<PVI>10001534.85500000 ', long_road)
    refused(importer, 'a road of 10,000 km', ['road.xml', 'out'], {'road.xml': long_road}, expect='枚以上')

    def huge(work):
        with open(os.path.join(work, 'road.xml'), 'wb') as f:
            f.write(utf8)
            f.truncate(257 << 20)  # sparse: no disk is used
    refused(importer, 'a file over 256 MB', ['road.xml', 'out'], make=huge, expect='256MB')
    dialect_refusals(importer, data, utf8)


def dialect_refusals(importer, data, utf8):
    def dialect(stem):
        return {'road.xml': open(os.path.join(data, stem + '.xml'), 'rb').read()}

    several = dialect('dialect-several-alignments')
    # Every alignment listed: those that can be imported, and a note for each of the others.
    refused(importer, 'several alignments, two of them refused', ['road.xml', 'out'], several,
            expect='"KREIS1", "A1", "Ramal Oeste ? Glorieta"\nroad.xml:63: note: Alignment "A2" ')
    refused(importer, 'several alignments: the note of one without profile', ['road.xml', 'out'], several,
            expect='road.xml:71: note: Alignment "A3" \u306f\u8aad\u307f\u8fbc\u3081\u307e\u305b\u3093: Profile/ProfAlign')
    refused(importer, 'one station at two heights', ['road.xml', 'out', '--alignment', 'A2'], several,
            expect='road.xml:63: error: PVI \u306f 62 \u884c\u76ee')
    refused(importer, 'an alignment without profile', ['road.xml', 'out', '--alignment', 'A3'], several,
            expect='Alignment "A3" \u306bProfile/ProfAlign')
    variants = dialect('dialect-design-variants')
    refused(importer, 'several ProfAligns without --profile', ['road.xml', 'out'], variants,
            expect='--profile\u3067\u9078\u3093\u3067\u304f\u3060\u3055\u3044: "Z1", "Z1_NEU"')
    refused(importer, 'a ProfAlign that is not there', ['road.xml', 'out', '--profile', 'Z2'], variants,
            expect='ProfAlign "Z2" \u304c\u3042\u308a\u307e\u305b\u3093\u3002Alignment\u306b\u3042\u308bProfAlign: "Z1", "Z1_NEU"')
    refused(importer, 'a ProfSurf that is not there', ['road.xml', 'out', '--profile', 'Z1', '--ground', 'DGM'],
            variants, expect='ProfSurf "DGM" \u304c\u3042\u308a\u307e\u305b\u3093')
    refused(importer, 'not XML at all', ['road.xml', 'out'], {'road.xml': b'PK\x03\x04\x14\x00\x00\x00 zipped'},
            expect='road.xml:1: error: XML')
    refused(importer, 'a single-byte file that declares UTF-16', ['road.xml', 'out'],
            {'road.xml': utf8.replace(b"encoding='utf-8'", b"encoding='UTF-16'", 1)}, expect='"UTF-16"')
    euc = dialect('dialect-cross-sections')['road.xml']
    refused(importer, 'bytes that are not EUC-JP', ['road.xml', 'out'],
            {'road.xml': euc.replace(b'"/>\r\n  <Application', b'\xa4"/>\r\n  <Application', 1)},
            expect='road.xml:3: error: \u6587\u5b57\u30b3\u30fc\u30c9 "EUC-JP"')
    refused(importer, 'a syntax error', ['road.xml', 'out'],
            {'road.xml': utf8.replace(b'<CoordGeom>', b'<CoordGeom x=1>', 1)}, expect='XML')
    # A grade line over less than one station interval of the road.
    start = utf8.index(b'<PVI>0.00000000 81.37100000</PVI>')
    end = utf8.index(b'</ProfAlign>')
    short = utf8[:start] + b'<PVI>300 80</PVI><PVI>315 81</PVI>' + utf8[end:]
    refused(importer, 'a grade line shorter than a station interval', ['road.xml', 'out'], {'road.xml': short},
            expect='No.15 \u304b\u3089 No.15+15.000 \u307e\u3067\u3067\u3001\u6e2c\u70b9\u9593\u9694 20.000 m')
    beside = utf8[:start] + b'<PVI>3000 80</PVI><PVI>3100 81</PVI>' + utf8[end:]
    refused(importer, 'a grade line beside the road', ['road.xml', 'out'], {'road.xml': beside},
            expect='\u7e26\u65ad\u7dda\u5f62\u306fAlignment\u306e\u7bc4\u56f2\u306b\u3042\u308a\u307e\u305b\u3093')


def users(importer, data):
    """What a new user meets first, under code page 932 and 1252 on Windows: a road file and its
    folder named in Japanese with an emoji and a blank; the set written beside the road file when
    no OUTDIR is given (as when the file is dropped onto the program), named after it, then -2; and
    the refusals that say what to do: the arguments the wrong way round, a missing folder to make
    OUTDIR in, an OUTDIR that exists."""
    road = open(os.path.join(data, 'road-sjis.xml'), 'rb').read()
    windows = any(part.endswith('.exe') for part in importer)
    sep = '\\' if windows else '/'
    folder, name = '\u25cb\u25cb\u7dda \U0001F600', '\u9053\u8def A.xml'  # ○○線 😀, 道路 A.xml
    shown_folder = '\u25cb\u25cb\u7dda ?'  # the emoji, which Shift-JIS lacks
    given = folder + '/' + name
    if program_command.missing_locales():
        check(False, f'locales {program_command.missing_locales()} are not installed: tools/packages.sh generates them')
        return
    for lang in program_command.UTF8_LOCALES:
        env = dict(os.environ, LANG=lang)

        def go(args, work):
            done = subprocess.run(importer + args, cwd=work, stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=300, env=env)
            return done.returncode, done.stdout.decode('cp932'), done.stderr.decode('cp932')
        with tempfile.TemporaryDirectory(prefix='profile-sheet-import-users-') as work:
            os.mkdir(os.path.join(work, folder))
            with open(os.path.join(work, given), 'wb') as f:
                f.write(road)
            for set_name in ('\u9053\u8def A', '\u9053\u8def A-2'):
                status, out, err = go([given], work)
                shown = shown_folder + sep + set_name
                check(status == 0 and err == '' and f' {shown} ' in out,
                      f'{lang}: no OUTDIR: status {status}, output {out[-120:]!r}, error output {err!r}')
                made = os.path.join(work, folder, set_name)
                sheets = sorted(os.listdir(made)) if os.path.isdir(made) else []
                check(len(sheets) >= 2 and all(os.path.isfile(os.path.join(made, s, 'Tesmora.dxf')) for s in sheets),
                      f'{lang}: no OUTDIR: {made} holds {sheets}')
            before = sorted(os.listdir(os.path.join(work, folder)))

            def refused_here(what, args, pieces):
                status, out, err = go(args, work)
                check(status == 1 and out == '' and all(p in err for p in pieces) and err.count('\n') == 1,
                      f'{lang}: {what}: status {status}, error output {err!r}')
                check(sorted(os.listdir(os.path.join(work, folder))) == before and
                      sorted(os.listdir(work)) == [folder], f'{lang}: {what}: something was written')
            # The existing road file given as OUTDIR: the right order, with the user's own names.
            out_given = folder + '/sheets'
            refused_here('the arguments swapped', [out_given, given],
                         [f'{shown_folder}{sep}{name}: error: ', f'profile-sheet-import {shown_folder}{sep}{name} '
                          f'{shown_folder}{sep}sheets'])
            refused_here('a missing folder to make OUTDIR in', [given, folder + '/missing/sheets'],
                         [f'{shown_folder}{sep}missing{sep}sheets: error: ', f' {shown_folder}{sep}missing '])
            # An OUTDIR that exists: the first free name is suggested (-2 is taken).
            refused_here('an existing OUTDIR', [given, folder + '/\u9053\u8def A'],
                         [f'{shown_folder}{sep}\u9053\u8def A: error: ', f'{shown_folder}{sep}\u9053\u8def A-3'])


def print_figures(figures):
    print('road: sheets (fewest), stations showing their distance, band lines out of their cell, '
          'view lines out of the view (dimension lines below the datum), crossfall readings off by more than 0.75 mm')
    for name, f in figures:
        print(f'{name}: {f.sheets} ({f.fewest}), {f.distances}/{f.stations}, {f.lines_out}/{f.lines}, '
              f'{f.view_out}/{f.view_lines} ({f.dimension_below}), {f.readings_off}/{f.readings}')


def main():
    importer, generator, data, scenario = shlex.split(sys.argv[1]), shlex.split(sys.argv[2]), sys.argv[3], sys.argv[4]
    if scenario == 'roads':
        roads(importer, generator, data)
    elif scenario == 'set':
        sheet_set(importer, generator, data)
    elif scenario == 'refusals':
        refusals(importer, data)
    elif scenario == 'users':
        users(importer, data)
    elif scenario == 'sizes':
        sizes(importer)
    elif scenario == 'figures':
        figures = []
        if len(sys.argv) == 5:
            roads(importer, generator, data, figures)
        for path in sys.argv[5:]:
            folder, stem = os.path.dirname(os.path.abspath(path)), os.path.basename(path)[:-4]
            check_road(importer, generator, folder, stem, figures=figures)
        print_figures(figures)
    else:
        sys.exit(f'unknown scenario {scenario}')
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
