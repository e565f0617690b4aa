#!/usr/bin/env python3
"""Writes the dialect roads: one road file in the style of each kind of
program that writes LandXML road files as the importer meets them, each
with the design of every Alignment it holds (*.design.json, the form of
the other test roads, internal stations):

    python3 make_dialect_roads.py      (in this folder)

dialect-several-alignments.xml  a road-design package that writes a
    project's alignments into one file (windows-1252, LandXML 1.0): five
    alignments, one PVI written twice alike in "A1", one station at two
    heights in "A2", no profile in "A3".
dialect-points-only.xml  a free CAD program (iso-8859-2, LandXML 1.2
    without a namespace): lines and arcs by their points alone, one arc
    with a written radius 1.5 mm off its points.
dialect-circular-curves.xml  a Nordic road design system (UTF-8 with a
    byte order mark): circular vertical curves (CircCurve, radius signed
    crest or sag, and length), some too sharp for one parabola.
dialect-circular-partial.xml  another Nordic system (ISO-8859-15):
    CircCurve by radius alone, and a grade line from 1085 to the end of an
    alignment from 1000.
dialect-design-variants.xml  a road and bridge design system
    (windows-1250): two design variants of one grade line, Z1 and Z1_NEU,
    up to 0.87 m apart, and two ground lines.
dialect-unsymmetric.xml  a civil design suite's metric export (UTF-16
    with a byte order mark): unsymmetric parabolas (UnsymParaCurve), and a
    grade line that ends 62 mm before EP.
dialect-road-suite.xml  a road design suite (windows-1252): arcs given
    by length and points (no radius), station 1000 at the start.
dialect-cross-sections.xml  a J-LandXML writer (EUC-JP): superelevation
    only in the design cross sections, the carriageway written lane by lane
    beside a sidewalk, at every whole station and every change of
    crossfall.

Curves in the grade line: a PVI is [station, height, 0], a ParaCurve
[station, height, length], a CircCurve [station, height, 0, "circle",
radius], an UnsymParaCurve [station, height, 0, "unsym", length in, length
out]. "cover" is the stretch the grade line covers, where it is less than
the alignment.
"""
import json
import math

from make_road_latin1 import curve_groups, walk

INTERVAL = 20.0
NAMESPACE = {'1.0': 'http://www.landxml.org/schema/LandXML-1.0', '1.2': 'http://www.landxml.org/schema/LandXML-1.2'}


def fmt(v):
    return '%.8f' % v


# ---------------------------------------------------------------- the grade line

def grades(pvis):
    return [(b[1] - a[1]) / (b[0] - a[0]) for a, b in zip(pvis, pvis[1:])]


def circle_of(c, h, g1, g2, radius):
    """The circle tangent to both grades, found from its centre: R from both lines, on their inner side."""
    sag = 1.0 if g2 > g1 else -1.0
    n1, n2 = math.sqrt(1 + g1 * g1), math.sqrt(1 + g2 * g2)
    dx = sag * radius * (n2 - n1) / (g1 - g2)
    cx, cy = c + dx, h + sag * radius * n1 + g1 * dx
    return sag, cx, cy, cx + sag * radius * g1 / n1, cx + sag * radius * g2 / n2


def height(pvis, s):
    """The design's grade line: straight grades; at an interior PVI a symmetric parabola, the true circle, or an
    unsymmetric parabola (two parabolas with a common tangent at the PVI's station)."""
    g = grades(pvis)
    for i in range(1, len(pvis) - 1):
        c, h = pvis[i][0], pvis[i][1]
        kind = pvis[i][3] if len(pvis[i]) > 3 else 'para'
        if kind == 'para' and pvis[i][2] > 0 and abs(s - c) <= pvis[i][2] / 2:
            length = pvis[i][2]
            d = s - (c - length / 2)
            return h + g[i - 1] * (s - c) + (g[i] - g[i - 1]) * d * d / (2 * length)
        if kind == 'circle':
            sag, cx, cy, a, b = circle_of(c, h, g[i - 1], g[i], pvis[i][4])
            if a <= s <= b:
                return cy - sag * math.sqrt(pvis[i][4] ** 2 - (s - cx) ** 2)
        if kind == 'unsym':
            lin, lout = pvis[i][4], pvis[i][5]
            common = (lin * g[i - 1] + lout * g[i]) / (lin + lout)
            if c - lin <= s <= c:
                d = s - (c - lin)
                return h - g[i - 1] * lin + g[i - 1] * d + (common - g[i - 1]) * d * d / (2 * lin)
            if c < s <= c + lout:
                d = s - c
                return h + lin * (common - g[i - 1]) / 2 + common * d + (g[i] - common) * d * d / (2 * lout)
    i = 0
    while i + 2 < len(pvis) and s > pvis[i + 1][0]:
        i += 1
    return pvis[i][1] + g[i] * (s - pvis[i][0])


def extents(pvis):
    """Where each interior curve begins and ends; they must follow one another between the PVIs."""
    g = grades(pvis)
    out = []
    for i in range(1, len(pvis) - 1):
        c, h = pvis[i][0], pvis[i][1]
        kind = pvis[i][3] if len(pvis[i]) > 3 else 'para'
        if kind == 'para':
            out.append((c - pvis[i][2] / 2, c + pvis[i][2] / 2))
        elif kind == 'circle':
            out.append(circle_of(c, h, g[i - 1], g[i], pvis[i][4])[3:5])
        else:
            out.append((c - pvis[i][4], c + pvis[i][5]))
    bounds = [pvis[0][0]] + [x for e in out for x in e] + [pvis[-1][0]]
    assert bounds == sorted(bounds), bounds
    return out


def profile_xml(pvis, name, style):
    """A ProfAlign's lines; style: 'radius-signed' writes CircCurve@radius negative for crests, 'radius-only'
    leaves the length out."""
    g = grades(pvis)
    extents(pvis)
    out = ['        <ProfAlign name="%s">' % name]
    for i, p in enumerate(pvis):
        c, h = p[0], p[1]
        kind = p[3] if len(p) > 3 else 'para'
        if i in (0, len(pvis) - 1) or (kind == 'para' and p[2] == 0):
            out.append('          <PVI>%s %s</PVI>' % (fmt(c), fmt(h)))
        elif kind == 'para':
            out.append('          <ParaCurve length="%.6f">%s %s</ParaCurve>' % (p[2], fmt(c), fmt(h)))
        elif kind == 'circle':
            sag, _, _, a, b = circle_of(c, h, g[i - 1], g[i], p[4])
            radius = p[4] * sag
            if style == 'radius-only':
                out.append('          <CircCurve radius="%.1f">%.3f %.3f</CircCurve>' % (radius, c, h))
            else:
                out.append('          <CircCurve length="%.3f" radius="%.1f">%.3f %.3f</CircCurve>' % (
                    b - a, radius, c, h))
        else:
            out.append('          <UnsymParaCurve lengthIn="%.3f" lengthOut="%.3f" desc="asymmetric">%s %s'
                       '</UnsymParaCurve>' % (p[4], p[5], fmt(c), fmt(h)))
    out.append('        </ProfAlign>')
    return out


# ---------------------------------------------------------------- the plan

def plan(start, elements, x0, y0, heading0, style):
    """The CoordGeom lines and the design's elements and curve groups. Lines and arcs are exact; clothoids are
    integrated. style: 'full' (every attribute), 'points' (no Line@length, Curve@length or Curve@radius),
    'no-radius' (Curve without radius)."""
    lines, elems = [], []
    s, x, y, heading = start, x0, y0, heading0
    for number, (kind, length, rot, radius, start_name, end_name, *extra) in enumerate(elements):
        sign = 1.0 if rot == 'ccw' else -1.0
        if kind == 'Line':
            x1, y1, heading1 = x + length * math.cos(heading), y + length * math.sin(heading), heading
        elif kind == 'Curve':
            cx, cy = x - sign * radius * math.sin(heading), y + sign * radius * math.cos(heading)
            heading1 = heading + sign * length / radius
            x1, y1 = cx + sign * radius * math.sin(heading1), cy - sign * radius * math.cos(heading1)
        else:
            x1, y1, heading1 = walk(x, y, heading, kind, length, rot, radius)
        start_tag = '<Start%s>%s %s</Start>' % (' name="%s"' % start_name if start_name else '', fmt(y), fmt(x))
        end_tag = '<End%s>%s %s</End>' % (' name="%s"' % end_name if end_name else '', fmt(y1), fmt(x1))
        if kind == 'Line':
            attributes = '' if style == 'points' else ' length="%s"' % fmt(length)
            lines.append('<Line%s>%s%s</Line>' % (attributes, start_tag, end_tag))
            elems.append({'kind': 'Line', 's0': s, 's1': s + length})
        elif kind == 'Curve':
            written = extra[0] if extra else radius  # a radius written apart from the points
            attributes = ' rot="%s"' % rot
            if style == 'full':
                attributes += ' radius="%s" length="%s"' % (fmt(written), fmt(length))
            elif style == 'no-radius':
                attributes += ' length="%s" crvType="arc" chord="%s"' % (
                    fmt(length), fmt(2 * radius * math.sin(length / (2 * radius))))
            elif written != radius:
                attributes += ' radius="%s"' % fmt(written)
            lines.append('<Curve%s>%s<Center>%s %s</Center>%s</Curve>' % (attributes, start_tag, fmt(cy), fmt(cx),
                                                                          end_tag))
            # The sheets draw the radius as written.
            elems.append({'kind': 'Curve', 's0': s, 's1': s + length, 'rot': rot, 'R': written,
                          'names': [start_name, end_name]})
        else:
            r0 = 'INF' if radius[0] is None else fmt(radius[0])
            r1 = 'INF' if radius[1] is None else fmt(radius[1])
            lines.append('<Spiral length="%s" radiusStart="%s" radiusEnd="%s" rot="%s" spiType="clothoid">%s%s'
                         '</Spiral>' % (fmt(length), r0, r1, rot, start_tag, end_tag))
            elems.append({'kind': 'Spiral', 's0': s, 's1': s + length, 'rot': rot, 'rs': radius[0],
                          're': radius[1], 'names': [start_name, end_name]})
        s += length
        x, y, heading = x1, y1, heading1
    groups = curve_groups(elems)
    return lines, elems, groups, s


def ground_of(pvis, start, end, lift=0.0):
    points, s, k = [], start, 0
    step = [7.3, 11.9, 9.1, 13.4, 8.2]
    while s < end:
        points.append([round(s, 3), round(height(pvis, s) + lift + 0.9 * math.sin(s / 37.0) +
                                          0.5 * math.sin(s / 11.0 + 1.0) - 0.3, 3)])
        s += step[k % len(step)]
        k += 1
    points.append([round(end, 3), round(height(pvis, end) + lift + 0.9 * math.sin(end / 37.0) +
                                        0.5 * math.sin(end / 11.0 + 1.0) - 0.3, 3)])
    return points


def runs_of(groups, spiral_share=0.6, e_values=(6.0, 5.0, 4.0, 8.0, 3.0, 7.0)):
    """A superelevation run for each curve group: its ramps on the clothoids (or 25 m for a plain arc)."""
    runs = []
    for k, g in enumerate(groups):
        ramp = g['spiral'] * spiral_share if g['spiral'] > 0 else 25.0
        begin = g['s0'] if g['spiral'] > 0 else g['s0'] - ramp / 2
        end = g['s1'] if g['spiral'] > 0 else g['s1'] + ramp / 2
        runs.append({'begin': round(begin, 3), 'full': round(begin + ramp, 3), 'runoff': round(end - ramp, 3),
                     'end': round(end, 3), 'e': e_values[k % len(e_values)]})
    return runs


def superelevation_xml(runs):
    return [('      <Superelevation><BeginRunoffSta>%s</BeginRunoffSta><FullSuperSta>%s</FullSuperSta>'
             '<FullSuperelev>%.3f</FullSuperelev><RunoffSta>%s</RunoffSta><EndofRunoutSta>%s</EndofRunoutSta>'
             '</Superelevation>') % (fmt(r['begin']), fmt(r['full']), r['e'], fmt(r['runoff']), fmt(r['end']))
            for r in runs]


def crossfall(runs, groups, side, s):
    """The crossfall of one side at s by the design rule: normal -2 %; the outside rises straight to +e at full
    and back; the inside keeps -2 % until the outside passes +2 %, then falls to -e."""
    for r, g in zip(runs, groups):
        if not (r['begin'] < s < r['end']):
            continue
        outside = side == ('right' if g['rot'] == 'ccw' else 'left')
        e = r['e']
        if r['full'] <= s <= r['runoff']:
            return e if outside else -e
        up = s < r['full']
        a, b = (r['begin'], r['full']) if up else (r['end'], r['runoff'])
        if outside:
            return -2.0 + (e + 2.0) * (s - a) / (b - a)
        turn = a + (b - a) * 4.0 / (2.0 + e)
        if (s <= turn) if up else (s >= turn):
            return -2.0
        return -2.0 + (-e + 2.0) * (s - turn) / (b - turn)
    return -2.0


def cross_sections_xml(pvis, runs, groups, start, end):
    stations = set()
    n = math.ceil(start / INTERVAL)
    while n * INTERVAL <= end:
        stations.add(round(n * INTERVAL, 6))
        n += 1
    stations |= {start, end}
    for r in runs:
        for s in (r['begin'], r['full'], r['runoff'], r['end'],
                  r['begin'] + (r['full'] - r['begin']) * 4.0 / (2.0 + r['e']),
                  r['end'] - (r['end'] - r['runoff']) * 4.0 / (2.0 + r['e'])):
            stations.add(round(s, 6))
    out = ['      <CrossSects>']
    for s in sorted(stations):
        z = height(pvis, s)
        out.append('        <CrossSect name="%.3f" sta="%s">' % (s, fmt(s)))
        for side, sign in (('left', -1.0), ('right', 1.0)):
            c = crossfall(runs, groups, side, s) / 100
            # two lanes of 1.75 m, written apart, and a sidewalk beyond
            out.append(('          <DesignCrossSectSurf name="\u8eca\u9053" desc="\u7b2c1\u8eca\u7dda" side="%s">'
                        '<CrossSectPnt code="PL-1-%sp1">%s %s</CrossSectPnt><CrossSectPnt code="PL-1-%sp2">%s %s'
                        '</CrossSectPnt></DesignCrossSectSurf>') % (
                side, side[0].upper(), fmt(0.0), fmt(z), side[0].upper(), fmt(sign * 1.75), fmt(z + 1.75 * c)))
            out.append(('          <DesignCrossSectSurf name="\u8eca\u9053" desc="\u7b2c2\u8eca\u7dda" side="%s">'
                        '<CrossSectPnt code="PL-1-%sp2">%s %s</CrossSectPnt><CrossSectPnt code="PL-1-%sp3">%s %s'
                        '</CrossSectPnt></DesignCrossSectSurf>') % (
                side, side[0].upper(), fmt(sign * 1.75), fmt(z + 1.75 * c), side[0].upper(), fmt(sign * 3.5),
                fmt(z + 3.5 * c)))
            out.append(('          <DesignCrossSectSurf name="\u6b69\u9053" side="%s"><CrossSectPnt>%s %s'
                        '</CrossSectPnt><CrossSectPnt>%s %s</CrossSectPnt></DesignCrossSectSurf>') % (
                side, fmt(sign * 3.5), fmt(z + 3.5 * c + 0.2), fmt(sign * 5.5), fmt(z + 3.5 * c + 0.24)))
        out.append('        </CrossSect>')
    out.append('      </CrossSects>')
    return out


# ---------------------------------------------------------------- an alignment and a file

def alignment(name, start, elements, origin, style='full', profiles=(('P1', None),), superelevation='elements',
              grounds=(('Ground', 0.0),), equation=None, cover=None, profile_style='', run_share=0.6, stems=None):
    """The Alignment's lines and the designs of its grade lines (one per ProfAlign, in order), each to be
    written as STEM.design.json (by `stems`, one per ProfAlign; None leaves a design out)."""
    x0, y0, heading0 = origin
    geom, elems, groups, end = plan(start, elements, x0, y0, heading0, style)
    runs = runs_of(groups, run_share)
    first_pvis = profiles[0][1]
    length = end - start
    out = ['    <Alignment name="%s" length="%s" staStart="%s">' % (name, fmt(length), fmt(start))]
    if equation:
        out.append('      <StaEquation staBack="%s" staInternal="%s" staAhead="%s"/>' % (
            fmt(equation['staBack']), fmt(equation['staInternal']), fmt(equation['staAhead'])))
    out.append('      <CoordGeom>')
    out += ['        ' + g for g in geom]
    out.append('      </CoordGeom>')
    grounds_written = []
    if first_pvis is not None:
        out.append('      <Profile>')
        for profile_name, pvis in profiles:
            out += profile_xml(pvis, profile_name, profile_style)
        for ground_name, lift in grounds:
            points = ground_of(first_pvis, start, end, lift)
            grounds_written.append(points)
            out.append('        <ProfSurf name="%s"><PntList2D>%s</PntList2D></ProfSurf>' % (
                ground_name, ' '.join('%s %s' % (fmt(a), fmt(b)) for a, b in points)))
        out.append('      </Profile>')
    if superelevation == 'elements':
        out += superelevation_xml(runs)
    elif superelevation == 'cross-sections':
        out += cross_sections_xml(first_pvis, runs, groups, start, end)
    out.append('      <Feature name="Interval"><Property label="main" value="%g"/></Feature>' % INTERVAL)
    out.append('    </Alignment>')
    designs = []
    for k, (profile_name, pvis) in enumerate(profiles):
        stem = stems[k] if stems else ''
        if pvis is None or stem is None:
            continue
        designs.append({'stem': stem, 'sta0': start, 'end': end, 'elems': elems, 'groups': groups, 'pvis': pvis,
                        'ground': grounds_written[0], 'equation': equation, 'superelevation': runs,
                        'interval': INTERVAL, 'name': name, 'profile': profile_name, 'cover': cover,
                        'grounds': grounds_written})
    return out, designs


def write(stem, version, encoding, alignments, line_end='\r\n', bom=b'', namespace=True, application='road',
          project='Test road'):
    head = ['<?xml version="1.0" encoding="%s"?>' % encoding,
            '<LandXML%s version="%s" date="2026-12-07" time="10:00:00">' % (
                ' xmlns="%s"' % NAMESPACE[version] if namespace else '', version),
            '  <Project name="%s"/>' % project,
            '  <Application name="%s" version="1"/>' % application,
            '  <Units><Metric areaUnit="squareMeter" linearUnit="meter" volumeUnit="cubicMeter" '
            'temperatureUnit="celsius" pressureUnit="HPA" angularUnit="decimal degrees" '
            'directionUnit="decimal degrees"/></Units>',
            '  <Alignments>']
    lines = head
    designs = []
    for xml, alignment_designs in alignments:
        lines += xml
        designs += alignment_designs
    lines += ['  </Alignments>', '</LandXML>', '']
    text = line_end.join(lines)
    codec = {'UTF-16': 'utf-16-le'}.get(encoding, encoding)
    with open(stem + '.xml', 'wb') as f:
        f.write(bom + text.encode(codec))
    for design in designs:
        with open(stem + design.pop('stem') + '.design.json', 'w', encoding='utf-8') as f:
            json.dump(design, f, indent=1, ensure_ascii=False)
            f.write('\n')


# ---------------------------------------------------------------- the roads

def s_curve(start=0.0):
    return [
        ('Line', 120.0, None, None, 'BP', None),
        ('Spiral', 40.0, 'ccw', (None, 300.0), 'KA1-1', 'KE1-1'),
        ('Curve', 110.0, 'ccw', 300.0, 'KE1-1', 'KE1-2'),
        ('Spiral', 40.0, 'ccw', (300.0, None), 'KE1-2', 'KA1-2'),
        ('Line', 130.0, None, None, None, None),
        ('Curve', 95.0, 'cw', 450.0, 'BC2', 'EC2'),
        ('Line', 125.0, None, None, None, 'EP'),
    ]


def several_alignments():
    rampa = [('Line', 60.0, None, None, 'BP', None), ('Curve', 70.0, 'cw', 120.0, 'BC1', 'EC1'),
             ('Line', 70.0, None, None, None, 'EP')]
    kreis_pvis = [[0.0, 112.0, 0.0], [230.0, 117.5, 120.0], [470.0, 113.2, 140.0], [660.0, 116.0, 0.0]]
    a1_pvis = [[0.0, 98.0, 0.0], [265.656, 125.815, 0.0], [660.0, 101.0, 0.0]]
    a2_pvis = [[0.0, 50.0, 0.0], [100.0, 51.0, 0.0], [200.0, 50.5, 0.0]]
    ramal_pvis = [[0.0, 60.0, 0.0], [100.0, 62.0, 60.0], [200.0, 61.0, 0.0]]
    roads = [alignment('KREIS1', 0.0, s_curve(), (4200.0, -3100.0, 0.6), profiles=(('Rasante', kreis_pvis),),
                       stems=['-KREIS1']),
             alignment('A1', 0.0, s_curve(), (4500.0, -3300.0, 0.9), profiles=(('Rasante A1', a1_pvis),),
                       stems=['-A1']),
             alignment('A2', 0.0, rampa, (4700.0, -3000.0, 1.2), profiles=(('Rasante A2', a2_pvis),), stems=[None]),
             alignment('A3', 0.0, rampa, (4900.0, -3200.0, 1.4), profiles=(('none', None),), superelevation=None),
             alignment('Ramal Oeste \u2014 Glorieta', 0.0, rampa, (5100.0, -3300.0, 1.6),
                       profiles=(('Rasante', ramal_pvis),), stems=['-ramal'])]
    write('dialect-several-alignments', '1.0', 'windows-1252', roads, application='Proyecto vial',
          project='Acceso \u00e1rea log\u00edstica')
    # A1's PVI written twice alike, as the file that showed it; A2's station
    # 100 at two heights, a line apart.
    with open('dialect-several-alignments.xml', 'rb') as f:
        text = f.read()
    for line, again in ((b'          <PVI>265.65600000 125.81500000</PVI>', b'          <PVI>265.6560 125.8150</PVI>'),
                        (b'          <PVI>100.00000000 51.00000000</PVI>', b'          <PVI>100.0000 51.4000</PVI>')):
        assert text.count(line) == 1, line
        text = text.replace(line, line + b'\r\n' + again)
    with open('dialect-several-alignments.xml', 'wb') as f:
        f.write(text)


def points_only():
    elements = [
        ('Line', 180.0, None, None, None, None),
        ('Curve', 140.0, 'ccw', 250.0, None, None, 250.0015),  # its written radius 1.5 mm off the points
        ('Line', 150.0, None, None, None, None),
        ('Curve', 120.0, 'cw', 400.0, None, None),
        ('Line', 110.0, None, None, None, None),
    ]
    pvis = [[0.0, 240.0, 0.0], [210.0, 243.1, 100.0], [470.0, 238.6, 120.0], [700.0, 241.0, 0.0]]
    road = alignment('Droga \u0142\u0105cz\u0105ca', 0.0, elements, (5552000.0, 6512000.0, 2.1), style='points',
                     profiles=(('Niweleta', pvis),))
    write('dialect-points-only', '1.2', 'iso-8859-2', [road], line_end='\n', namespace=False,
          application='cad', project='\u015acie\u017cka')


def circular_curves():
    elements = [
        ('Line', 150.0, None, None, 'BP', None),
        ('Spiral', 60.0, 'cw', (None, 500.0), 'KA1-1', 'KE1-1'),
        ('Curve', 160.0, 'cw', 500.0, 'KE1-1', 'KE1-2'),
        ('Spiral', 60.0, 'cw', (500.0, None), 'KE1-2', 'KA1-2'),
        ('Line', 300.0, None, None, None, None),
        ('Curve', 200.0, 'ccw', 800.0, 'BC2', 'EC2'),
        ('Line', 170.0, None, None, None, 'EP'),
    ]
    # Mountain grades: a crest where one parabola would be 1.9 mm off the
    # circle, a sag, a sharp crest and a long sag, each of several
    # parabolas.
    pvis = [[0.0, 100.0, 0.0], [180.0, 114.4, 0, 'circle', 1000.0], [400.0, 105.6, 0, 'circle', 1500.0],
            [600.0, 113.6, 0, 'circle', 300.0], [800.0, 93.6, 0, 'circle', 2000.0], [1100.0, 96.6, 0.0]]
    road = alignment('Fv123', 0.0, elements, (6650000.0, 250000.0, 0.3), profiles=(('Profil 1', pvis),))
    write('dialect-circular-curves', '1.2', 'UTF-8', [road], bom=b'\xef\xbb\xbf', application='veg',
          project='Fylkesvei 123')


def circular_partial():
    elements = [
        ('Line', 140.0, None, None, 'BP', None),
        ('Curve', 160.0, 'ccw', 600.0, 'BC1', 'EC1'),
        ('Line', 110.0, None, None, None, None),
        ('Spiral', 50.0, 'cw', (None, 450.0), 'KA2-1', 'KE2-1'),
        ('Curve', 90.0, 'cw', 450.0, 'KE2-1', 'KE2-2'),
        ('Spiral', 50.0, 'cw', (450.0, None), 'KE2-2', 'KA2-2'),
        ('Line', 57.0, None, None, None, 'EP'),
    ]
    pvis = [[1085.0, 42.0, 0.0], [1260.0, 45.5, 0, 'circle', 2500.0], [1480.0, 41.9, 0, 'circle', 1800.0],
            [1657.0, 44.0, 0.0]]
    road = alignment('Tie 4', 1000.0, elements, (6700000.0, 3420000.0, 1.1), profiles=(('Tasaus', pvis),),
                     profile_style='radius-only', cover=[1085.0, 1657.0])
    write('dialect-circular-partial', '1.2', 'ISO-8859-15', [road], application='tie',
          project='Maantie 4 \u20ac-hanke')


def design_variants():
    elements = s_curve()
    z1 = [[0.0, 301.2, 0.0], [210.0, 305.4, 140.0], [440.0, 302.0, 160.0], [660.0, 304.5, 0.0]]
    z1_neu = [[0.0, 301.2, 0.0], [215.0, 306.27, 140.0], [440.0, 302.4, 160.0], [660.0, 304.5, 0.0]]
    road = alignment('Achse 1', 0.0, elements, (5650000.0, 4480000.0, 0.2),
                     profiles=(('Z1', z1), ('Z1_NEU', z1_neu)), stems=['-Z1', '-Z1_NEU'],
                     grounds=(('Gel\u00e4nde', 0.0), ('Gel\u00e4nde 2020', 0.35)))
    write('dialect-design-variants', '1.2', 'windows-1250', [road], application='Stra\u00dfe und Br\u00fccke',
          project='Ortsumgehung S\u00fcd')


def unsymmetric():
    elements = [
        ('Line', 200.0, None, None, 'BP', None),
        ('Curve', 150.0, 'ccw', 350.0, 'BC1', 'EC1'),
        ('Line', 180.0, None, None, None, None),
        ('Curve', 120.0, 'cw', 500.0, 'BC2', 'EC2'),
        ('Line', 150.0, None, None, None, 'EP'),
    ]
    end = 800.0
    pvis = [[0.0, 10.0, 0.0], [230.0, 14.6, 0, 'unsym', 80.0, 140.0], [520.0, 9.8, 0, 'unsym', 120.0, 60.0],
            [end - 0.062, 12.0, 0.0]]
    road = alignment('CL-Main', 0.0, elements, (1500000.0, 900000.0, 0.0), profiles=(('FG', pvis),),
                     cover=[0.0, end - 0.062])
    write('dialect-unsymmetric', '1.2', 'UTF-16', [road], bom=b'\xff\xfe', application='civil',
          project='Metric export')


def road_suite():
    elements = [
        ('Line', 90.0, None, None, 'BP', None),
        ('Curve', 130.0, 'cw', 260.0, 'BC1', 'EC1'),
        ('Line', 100.0, None, None, None, None),
        ('Spiral', 45.0, 'ccw', (None, 320.0), 'KA2-1', 'KE2-1'),
        ('Curve', 75.0, 'ccw', 320.0, 'KE2-1', 'KE2-2'),
        ('Spiral', 45.0, 'ccw', (320.0, None), 'KE2-2', 'KA2-2'),
        ('Line', 95.0, None, None, None, 'EP'),
    ]
    pvis = [[1000.0, 55.0, 0.0], [1180.0, 58.6, 110.0], [1400.0, 56.0, 90.0], [1580.0, 57.5, 0.0]]
    road = alignment('Route 9 \u2013 Connector', 1000.0, elements, (210000.0, 640000.0, 2.8), style='no-radius',
                     profiles=(('Proposed', pvis),))
    write('dialect-road-suite', '1.2', 'windows-1252', [road], application='roads', project='County \u00a7 9')


def cross_sections():
    elements = [
        ('Line', 160.0, None, None, 'BP', None),
        ('Spiral', 70.0, 'cw', (None, 380.0), 'KA1-1', 'KE1-1'),
        ('Curve', 130.0, 'cw', 380.0, 'KE1-1', 'KE1-2'),
        ('Spiral', 70.0, 'cw', (380.0, None), 'KE1-2', 'KA1-2'),
        ('Line', 140.0, None, None, None, None),
        ('Spiral', 60.0, 'ccw', (None, 300.0), 'KA2-1', 'KE2-1'),
        ('Curve', 90.0, 'ccw', 300.0, 'KE2-1', 'KE2-2'),
        ('Spiral', 60.0, 'ccw', (300.0, None), 'KE2-2', 'KA2-2'),
        ('Line', 120.0, None, None, None, 'EP'),
    ]
    pvis = [[0.0, 31.0, 0.0], [300.0, 35.5, 160.0], [620.0, 33.2, 180.0], [900.0, 36.0, 0.0]]
    road = alignment('\u25cb\u25cb\u7dda', 0.0, elements, (-34000.0, -12000.0, 0.7),
                     profiles=(('\u7e26\u65ad\u7dda\u5f62 1', pvis),), superelevation='cross-sections',
                     run_share=1.0)
    write('dialect-cross-sections', '1.2', 'EUC-JP', [road], application='\u8a2d\u8a08',
          project='\u8a66\u9a13\u9053\u8def')


def main():
    several_alignments()
    points_only()
    circular_curves()
    circular_partial()
    design_variants()
    unsymmetric()
    road_suite()
    cross_sections()


if __name__ == '__main__':
    main()
