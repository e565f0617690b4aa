#!/usr/bin/env python3
"""Whole runs of profile-sheet-import on real road files, in scratch folders.

usage: import_run.py IMPORTER GENERATOR DATA_DIR roads      every road of DATA_DIR: its sheets against its design
       import_run.py IMPORTER GENERATOR DATA_DIR refusals   every refusal: a message, status 1 or 2, nothing written
       import_run.py IMPORTER GENERATOR DATA_DIR users      names beyond ASCII, no OUTDIR, refusals that say what to do

IMPORTER and GENERATOR are commands, split as a shell splits them, so that a
Windows build runs as "wine64 profile-sheet-import.exe". The programs run in
the scratch folder with relative paths. DATA_DIR holds the roads (*.xml) and
their designs (*.design.json, internal stations).

What a road's sheets must show, read from the files the importer wrote:
- every listed station's planned height, as the drawing writes it in the
  planned-height row, is the design's grade line there within 1 mm, and so is
  its ground height in the ground-height row;
- the sheets run from BP to EP, neighbouring sheets share their boundary
  station, every whole station is listed, no sheet has more than 30 and each
  fits its frame;
- every curve group has a curve row with its radius, signed one way for each
  turning direction, and each sheet has one superelevation row per curve row,
  with the run of that row's curve;
- each drawing is what profile-sheet draws from the sheet's three files.
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
INPUTS = ('Tesmo.dat', 'temp.cd5', 'GasouT.dat')
DRAWING = 'Tesmora.dxf'
# Layout of the band rows on the sheet, in paper millimetres.
BAND_ORIGIN_Y = 50.0
DATA_X = 170.0
DATA_MARGIN_X = 20.0


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
        if d.get('cover'):  # the grade line covers only part: the sheets cover that part
            self.begin, self.end = d['cover']
        self.pvis = d['pvis']
        self.ground = d['grounds'][ground] if 'grounds' in d else d['ground']
        self.groups = [g for g in d['groups'] if min(g['s1'], self.end) - max(g['s0'], self.begin) > 0.001]
        self.runs = [r for r, g in zip(d['superelevation'], d['groups']) if g in self.groups]
        self.equation = d['equation']
        self.grades = [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(self.pvis, self.pvis[1:])]

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

    def ground_height(self, s):
        pts = self.ground
        i = bisect.bisect_left([q[0] for q in pts], s)
        if i == 0:
            return pts[0][1]
        if i == len(pts):
            return pts[-1][1]
        (s0, h0), (s1, h1) = pts[i - 1], pts[i]
        return h0 + (h1 - h0) * (s - s0) / (s1 - s0)

    def internal(self, display):
        """The internal station of a display station."""
        q = self.equation
        if q and display >= q['staAhead'] - 1e-9:
            return display - q['staAhead'] + q['staInternal']
        return display


# ---------------------------------------------------------------- the files written

def numbers(line):
    return [float(v) for v in line.replace(',', ' ').split()]


class Sheet:
    """The profile data file of one sheet, as the generator reads it (one row per line, as the importer writes)."""

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
        super_count_line = numbers(lines[pos])
        self.runoff = super_count_line[1] if len(super_count_line) > 1 else self.header[12]
        self.superelevation = table(5)
        self.annotations = table(3)
        self.chainage = []
        total = 0.0
        for row in self.stations:
            total += row[3]
            self.chainage.append(total)

    def display(self, number, plus):
        return number * self.header[8] + plus


class Dxf:
    """The TEXT entities of a drawing: (x, y, rotation, text)."""

    def __init__(self, path):
        lines = open(path, 'rb').read().decode('cp932').split('\r\n')
        self.texts = []
        i = 0
        while i + 1 < len(lines):
            if lines[i] == '0' and lines[i + 1] == 'TEXT':
                entity = {}
                i += 2
                while i + 1 < len(lines) and lines[i] != '0':
                    entity.setdefault(lines[i].strip(), lines[i + 1])
                    i += 2
                self.texts.append((float(entity['10']), float(entity['20']), float(entity.get('50', '0')),
                                   entity.get('1', '')))
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


# ---------------------------------------------------------------- one road

def check_road(importer, generator, data, stem, alignment=None, design_stem=None, options=(), ground=0,
               warnings=()):
    """Imports the road and checks its sheets against its design; `warnings` are the warning lines of the
    reader ("FILE:LINE: warning: ..." without the file name) that the output must hold, and no others."""
    design = Design(os.path.join(data, (design_stem or stem) + '.design.json'), ground)
    name = f'{stem}' + (f' ({alignment})' if alignment else '') + (f' {" ".join(options)}' if options else '')
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-') as work:
        shutil.copy(os.path.join(data, stem + '.xml'), work)
        args = [stem + '.xml', 'sheets'] + (['--alignment', alignment] if alignment else []) + list(options)
        status, out, err = run(importer, args, work)
        if not check(status == 0, f'{name}: exit status {status}, error output {err!r}'):
            return
        check(err == b'', f'{name}: error output {err!r}')
        table = out.decode('cp932').splitlines()
        read = [line[len(stem) + 5:] for line in table if line.startswith(stem + '.xml:')]
        check(read == list(warnings), f'{name}: warnings of the reader {read}, expected {list(warnings)}')
        check(table and table[0].startswith('図面'), f'{name}: no table: {table[:1]}')
        check(sorted(os.listdir(work)) == sorted([stem + '.xml', 'sheets']), f'{name}: left over {os.listdir(work)}')
        folders = sorted(os.listdir(os.path.join(work, 'sheets')))
        check(folders == ['%02d' % (k + 1) for k in range(len(folders))], f'{name}: folders {folders}')
        check(len(table) >= len(folders) + 1, f'{name}: {len(table)} table lines for {len(folders)} sheets')
        sheets = []
        for folder in folders:
            path = os.path.join(work, 'sheets', folder)
            check(sorted(os.listdir(path)) == sorted(INPUTS + (DRAWING,)), f'{name}/{folder}: {os.listdir(path)}')
            sheets.append(Sheet(path))
            check_drawn_as_generator_draws(generator, path, f'{name}/{folder}')
            check_sheet(sheets[-1], design, f'{name}/{folder}')
            check_drawn_grade(sheets[-1], design, f'{name}/{folder}')
        check_coverage(sheets, design, name)
        check_curves(sheets, design, name)


def check_drawn_as_generator_draws(generator, folder, name):
    with tempfile.TemporaryDirectory(prefix='profile-sheet-import-draw-') as work:
        for f in INPUTS:
            shutil.copy(os.path.join(folder, f), work)
        status, out, _ = run(generator, [], work)
        check(status == 0 and out == b'', f'{name}: profile-sheet exit status {status}, output {out!r}')
        same = open(os.path.join(work, DRAWING), 'rb').read() == open(os.path.join(folder, DRAWING), 'rb').read()
        check(same, f'{name}: the drawing differs from what profile-sheet draws from its files')


def check_sheet(sheet, design, name):
    h = sheet.header
    row_height, gap, scale = h[0], h[1], h[2]
    pitch = row_height + gap
    titles = open(os.path.join(sheet.folder, 'temp.cd5'), 'rb').read().decode('cp932').split()
    dxf = Dxf(os.path.join(sheet.folder, DRAWING))
    planned_row, ground_row = band_row(titles, '計画高'), band_row(titles, '地盤高')
    check(len(sheet.stations) <= 30, f'{name}: {len(sheet.stations)} stations')
    check(DATA_MARGIN_X + sheet.chainage[-1] * 1000 / scale <= h[4] - gap,
          f'{name}: the last station at {sheet.chainage[-1]} m runs past the frame')
    ground_at = {(r[0], r[1]): r[2] for r in sheet.ground}
    for (number, plus, _, _), c in zip(sheet.stations, sheet.chainage):
        s = design.internal(sheet.display(number, plus))
        x = DATA_X + c * 1000 / scale + 1
        where = f'{name} No.{int(number)}+{plus:.3f}'
        # Stations closer than 0.1 mm on paper share their texts' position.
        texts = dxf.vertical_texts_at(x, BAND_ORIGIN_Y + (planned_row - 1) * pitch + row_height / 2 - 6)
        check(any(abs(float(t) - design.height(s)) <= 0.001 for t in texts),
              f'{where}: planned heights drawn {texts}, design {design.height(s):.4f}')
        if check((number, plus) in ground_at, f'{where}: no ground point at the station'):
            texts = dxf.vertical_texts_at(x, BAND_ORIGIN_Y + (ground_row - 1) * pitch + row_height / 2 - 6)
            check(any(abs(float(t) - design.ground_height(s)) <= 0.001 for t in texts),
                  f'{where}: ground heights drawn {texts}, design {design.ground_height(s):.4f}')
    check(sorted(sheet.ground, key=lambda r: sheet.display(r[0], r[1])) == sheet.ground, f'{name}: ground unsorted')
    # Nothing lies off the sheet (the generator would draw it at chainage 0
    # or at its plus), VIPs ascend and carry no curve at the sheet's ends,
    # and the interval distances are the stations' differences.
    first, last = sheet.display(*sheet.stations[0][:2]), sheet.display(*sheet.stations[-1][:2])
    positions = [r[0:2] for r in sheet.ground + sheet.vips + sheet.annotations]
    positions += [r[0:2] for r in sheet.curves + sheet.superelevation] + [r[2:4] for r in sheet.curves + sheet.superelevation]
    check(all(first <= sheet.display(*p) <= last for p in positions), f'{name}: a position off the sheet')
    vips = [sheet.display(r[0], r[1]) for r in sheet.vips]
    check(all(a < b for a, b in zip(vips, vips[1:])) and vips[0] == first and vips[-1] == last and
          sheet.vips[0][3] == 0 and sheet.vips[-1][3] == 0, f'{name}: VIPs {sheet.vips}')
    for a, b in zip(sheet.stations, sheet.stations[1:]):
        check(abs(b[3] - ((b[0] - a[0]) * h[8] + (b[1] - a[1]))) < 1e-9, f'{name}: interval distance {b}')
    heights = [r[2] for r in sheet.ground] + [r[2] for r in sheet.vips]
    check(min(heights) >= h[6] and h[6] % h[7] == 0, f'{name}: datum {h[6]} above the lowest height {min(heights)}')


def check_drawn_grade(sheet, design, name):
    """The grade line as the sheet's VIP table draws it (straight between VIPs, a symmetric parabola of its
    length centred on each), every metre: within 1 mm of the design's, circles and unsymmetric curves included."""
    vips = [(design.internal(sheet.display(r[0], r[1])), r[2], r[3]) for r in sheet.vips]
    slopes = [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(vips, vips[1:])]

    def drawn(x):
        for i in range(1, len(vips) - 1):
            c, h, length = vips[i]
            if length > 0 and abs(x - c) <= length / 2:
                d = x - (c - length / 2)
                return h + slopes[i - 1] * (x - c) + (slopes[i] - slopes[i - 1]) * d * d / (2 * length)
        i = max(0, min(bisect.bisect_right([v[0] for v in vips], x) - 1, len(vips) - 2))
        return vips[i][1] + slopes[i] * (x - vips[i][0])

    first, last = vips[0][0], vips[-1][0]
    worst, at = 0.0, first
    steps = max(1, int(last - first))
    for k in range(steps + 1):
        x = first + (last - first) * k / steps
        off = abs(drawn(x) - design.height(x))
        if off > worst:
            worst, at = off, x
    check(worst <= 0.001, f'{name}: the drawn grade line is {worst * 1000:.3f} mm off the design at {at:.3f}')


def check_coverage(sheets, design, name):
    first = [design.internal(s.display(*s.stations[0][:2])) for s in sheets]
    last = [design.internal(s.display(*s.stations[-1][:2])) for s in sheets]
    check(abs(first[0] - design.begin) < 0.001, f'{name}: the first sheet starts at {first[0]}, BP at {design.begin}')
    check(abs(last[-1] - design.end) < 0.001, f'{name}: the last sheet ends at {last[-1]}, EP at {design.end}')
    for k in range(len(sheets) - 1):
        check(abs(last[k] - first[k + 1]) < 1e-9, f'{name}: sheets {k + 1} and {k + 2} do not share a station')
    whole = set()
    for s in sheets:
        whole |= {int(r[0]) for r in s.stations if r[1] == 0.0}
    # Every whole display station of the road, on either side of the equation.
    interval, q = design.interval, design.equation
    stretches = [(design.begin, design.end)] if not q else [
        (design.begin, q['staBack']), (q['staAhead'], q['staAhead'] + design.end - q['staInternal'])]
    expected = set()
    for a, b in stretches:
        n = int(-(-(a - 0.001) // interval))
        while n * interval <= b + 0.001:
            expected.add(n)
            n += 1
    check(whole == expected, f'{name}: whole stations missing {sorted(expected - whole)}, extra {sorted(whole - expected)}')


def check_curves(sheets, design, name):
    rows = []  # (internal from, internal to, radius, superelevation row)
    for s in sheets:
        check(len(s.superelevation) == len(s.curves),
              f'{s.folder}: {len(s.curves)} curve rows, {len(s.superelevation)} superelevation rows')
        for curve, superelevation in zip(s.curves, s.superelevation):
            a = design.internal(s.display(curve[0], curve[1]))
            b = design.internal(s.display(curve[2], curve[3]))
            rows.append((a, b, curve[4], superelevation, s))
    signs = {}
    for k, g in enumerate(design.groups):
        on = [r for r in rows if min(r[1], g['s1']) - max(r[0], g['s0']) > 0.001]
        if not check(on, f'{name}: curve group {k + 1} (R={g["R"]}) has no curve row'):
            continue
        run = design.runs[k]
        for a, b, radius, superelevation, sheet in on:
            check(abs(radius) == g['R'], f'{name}: curve group {k + 1} drawn with R={radius}, design {g["R"]}')
            signs.setdefault(g['rot'], set()).add(radius > 0)
            check(superelevation[4] == run['e'],
                  f'{name}: curve group {k + 1} pairs with superelevation {superelevation[4]} %, design {run["e"]} %')
            full_super = (design.internal(sheet.display(*superelevation[0:2])),
                          design.internal(sheet.display(*superelevation[2:4])))
            first = design.internal(sheet.display(*sheet.stations[0][:2]))
            lastst = design.internal(sheet.display(*sheet.stations[-1][:2]))
            check(abs(full_super[0] - min(max(run['full'], first), lastst)) < 0.001 and
                  abs(full_super[1] - min(max(run['runoff'], first), lastst)) < 0.001,
                  f'{name}: curve group {k + 1}: full superelevation {full_super}, design {run["full"]}..{run["runoff"]}')
    # The run-off length of each sheet: the longest of its runs' (FullSuperSta - BeginRunoffSta).
    for s in sheets:
        first = design.internal(s.display(*s.stations[0][:2]))
        last = design.internal(s.display(*s.stations[-1][:2]))
        on = [r for g, r in zip(design.groups, design.runs) if min(g['s1'], last) - max(g['s0'], first) > 0.001]
        if s.superelevation and on:
            longest = max(r['full'] - r['begin'] for r in on)
            check(abs(s.runoff - longest) < 0.002, f'{s.folder}: run-off length {s.runoff}, design {longest}')
    for rot, sign in signs.items():
        check(len(sign) == 1, f'{name}: {rot} curves drawn with both signs')
    if 'ccw' in signs and 'cw' in signs:
        check(signs['ccw'] != signs['cw'], f'{name}: both turning directions drawn with one sign')
    if 'ccw' in signs:
        check(signs['ccw'] == {True}, f'{name}: a road turning left does not get a positive radius')


def roads(importer, generator, data):
    check_road(importer, generator, data, 'road-utf8')
    check_road(importer, generator, data, 'road-sjis')
    check_road(importer, generator, data, 'road-latin1', 'Main line')
    check_road(importer, generator, data, 'road-latin1', 'Rampe-S\u00fcd', 'road-latin1-ramp')
    # J-LandXML's superelevation, only in the cross sections.
    check_road(importer, generator, data, 'road-crosssects')
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
        shutil.copytree(os.path.join(data, '..', '..', '..', 'examples'), os.path.join(work, 'tmpl'),
                        ignore=shutil.ignore_patterns('landxml', '*.dxf'))
        path = os.path.join(work, 'tmpl', 'Tesmo.dat')
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
    refused(importer, 'a station equation that runs backwards', ['road.xml', 'out'],
            variant(b'staAhead="785.00000000"', b'staAhead="770.00000000"'), expect='StaEquation')
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
    # from EC2 at 360.204 to KA3-1 at 534.674 no sheet reaches.
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
            expect='No.0+360.204', make=short_frame)

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


def main():
    importer, generator, data, scenario = shlex.split(sys.argv[1]), shlex.split(sys.argv[2]), sys.argv[3], sys.argv[4]
    if scenario == 'roads':
        roads(importer, generator, data)
    elif scenario == 'refusals':
        refusals(importer, data)
    elif scenario == 'users':
        users(importer, data)
    else:
        sys.exit(f'unknown scenario {scenario}')
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
