#!/usr/bin/env python3
"""Writes road-latin1.xml, a J-LandXML road in ISO-8859-1 without the LandXML
namespace, made from the design below, and the designs of its two
Alignments in the form of the other test roads: road-latin1.design.json (the
main line) and road-latin1-ramp.design.json.

    python3 make_road_latin1.py      (in this folder)

The design, in internal stations: a main line from No.10 (200 m) with a
left-hand clothoid curve running straight into a right-hand one (an S-curve
whose clothoids meet at the inflection point), a plain left-hand arc, a
station equation at 850 (the stations jump ahead by 20 m) inside a vertical
curve, and a right-hand clothoid curve; and a short ramp with one arc, so
that the file holds two Alignments. Coordinates are computed by integrating
the curvature, as a design program would; the names of the key points are
the usual KA/KE/BC/EC ones.
"""
import json
import math

INTERVAL = 20.0


def main_line():
    # (kind, length, rot, radius or (start radius, end radius), start name, end name)
    return 200.0, [
        ('Line', 110.0, None, None, 'BP', None),
        ('Spiral', 40.0, 'ccw', (None, 250.0), 'KA1-1', 'KE1-1'),
        ('Curve', 80.0, 'ccw', 250.0, 'KE1-1', 'KE1-2'),
        ('Spiral', 40.0, 'ccw', (250.0, None), 'KE1-2', 'KA1-2'),
        ('Spiral', 35.0, 'cw', (None, 180.0), 'KA2-1', 'KE2-1'),
        ('Curve', 60.0, 'cw', 180.0, 'KE2-1', 'KE2-2'),
        ('Spiral', 35.0, 'cw', (180.0, None), 'KE2-2', 'KA2-2'),
        ('Line', 100.0, None, None, None, None),
        ('Curve', 90.0, 'ccw', 500.0, 'BC3', 'EC3'),
        ('Line', 110.0, None, None, None, None),
        ('Spiral', 30.0, 'cw', (None, 400.0), 'KA4-1', 'KE4-1'),
        ('Curve', 70.0, 'cw', 400.0, 'KE4-1', 'KE4-2'),
        ('Spiral', 30.0, 'cw', (400.0, None), 'KE4-2', 'KA4-2'),
        ('Line', 100.0, None, None, None, 'EP'),
    ]


MAIN = {
    'name': 'Main line',
    'equation': {'staInternal': 850.0, 'staBack': 850.0, 'staAhead': 870.0},
    'pvis': [[200.0, 30.0, 0.0], [380.0, 33.6, 120.0], [640.0, 28.4, 160.0], [860.0, 31.0, 100.0],
             [1130.0, 29.5, 0.0]],
    # (begin, full, runoff, end, percent): one per curve group
    'superelevation': [(310.0, 350.0, 430.0, 470.0, 6.0), (470.0, 505.0, 565.0, 600.0, 8.0),
                       (680.0, 710.0, 780.0, 810.0, 4.0), (900.0, 930.0, 1000.0, 1030.0, 5.0)],
}

RAMP = {
    'name': 'Rampe-S\u00fcd',
    'equation': None,
    'pvis': [[0.0, 30.0, 0.0], [80.0, 33.0, 60.0], [160.0, 31.0, 0.0]],
    'superelevation': [(20.0, 40.0, 120.0, 140.0, 6.0)],
}


def ramp():
    return 0.0, [
        ('Line', 40.0, None, None, 'BP', None),
        ('Curve', 80.0, 'cw', 60.0, 'BC1', 'EC1'),
        ('Line', 40.0, None, None, None, 'EP'),
    ]


def curvature(kind, rot, radius, t):
    """Curvature (1/m, positive turning left) at fraction t of an element."""
    if kind == 'Line':
        return 0.0
    sign = 1.0 if rot == 'ccw' else -1.0
    if kind == 'Curve':
        return sign / radius
    k0 = 0.0 if radius[0] is None else 1.0 / radius[0]
    k1 = 0.0 if radius[1] is None else 1.0 / radius[1]
    return sign * (k0 + (k1 - k0) * t)


def walk(x, y, heading, kind, length, rot, radius, steps=2000):
    """Integrates the element with the midpoint rule; returns the end."""
    h = length / steps
    for i in range(steps):
        k = curvature(kind, rot, radius, (i + 0.5) / steps)
        mid = heading + k * h / 2
        x += h * math.cos(mid)
        y += h * math.sin(mid)
        heading += k * h
    return x, y, heading


def ground_height(s, grade):
    """A rolling ground line near the grade line."""
    return grade + 0.9 * math.sin(s / 37.0) + 0.5 * math.sin(s / 11.0 + 1.0) - 0.3


def grade_height(s, pvis):
    """The design's grade line: straight grades, symmetric parabolas."""
    grades = [(pvis[i + 1][1] - pvis[i][1]) / (pvis[i + 1][0] - pvis[i][0]) for i in range(len(pvis) - 1)]
    for i in range(1, len(pvis) - 1):
        c, h, length = pvis[i]
        if length > 0 and abs(s - c) <= length / 2:
            d = s - (c - length / 2)
            return h + grades[i - 1] * (s - c) + (grades[i] - grades[i - 1]) * d * d / (2 * length)
    for i in range(len(pvis) - 1):
        if s <= pvis[i + 1][0] or i == len(pvis) - 2:
            return pvis[i][1] + grades[i] * (s - pvis[i][0])


def fmt(v):
    return '%.8f' % v


def curve_groups(elems):
    """Consecutive curve elements turning one way, numbered along the road."""
    groups = []
    current = None
    for e in elems:
        if e['kind'] == 'Line' or (current and current['rot'] != e['rot']):
            current = None
        if e['kind'] == 'Line':
            continue
        if current is None:
            current = {'rot': e['rot'], 'R': None, 's0': e['s0'], 's1': e['s1'], 'spiral': 0.0,
                       'n': len(groups) + 1}
            groups.append(current)
        current['s1'] = e['s1']
        if e['kind'] == 'Curve':
            current['R'] = e['R']
        else:
            current['spiral'] = e['s1'] - e['s0']
    return groups


def alignment(design, start, elements, x0, y0, heading0):
    lines = []
    elems = []
    s = start
    x, y, heading = x0, y0, heading0
    geom = []
    for kind, length, rot, radius, start_name, end_name in elements:
        x1, y1, heading1 = walk(x, y, heading, kind, length, rot, radius)
        start_tag = '<Start%s>%s %s</Start>' % (' name="%s"' % start_name if start_name else '', fmt(y), fmt(x))
        end_tag = '<End%s>%s %s</End>' % (' name="%s"' % end_name if end_name else '', fmt(y1), fmt(x1))
        if kind == 'Line':
            geom.append('<Line length="%s">%s%s</Line>' % (fmt(length), start_tag, end_tag))
            elems.append({'kind': 'Line', 's0': s, 's1': s + length})
        elif kind == 'Curve':
            sign = 1.0 if rot == 'ccw' else -1.0
            cx = x - sign * radius * math.sin(heading)
            cy = y + sign * radius * math.cos(heading)
            geom.append('<Curve rot="%s" radius="%s" length="%s">%s<Center>%s %s</Center>%s</Curve>' % (
                rot, fmt(radius), fmt(length), start_tag, fmt(cy), fmt(cx), end_tag))
            elems.append({'kind': 'Curve', 's0': s, 's1': s + length, 'rot': rot, 'R': radius,
                          'names': [start_name, end_name]})
        else:
            r0 = 'INF' if radius[0] is None else fmt(radius[0])
            r1 = 'INF' if radius[1] is None else fmt(radius[1])
            finite = radius[0] if radius[0] is not None else radius[1]
            geom.append(('<Spiral length="%s" radiusStart="%s" radiusEnd="%s" rot="%s" spiType="clothoid">%s%s'
                         '<Feature><Property label="A" value="%.3f"/></Feature></Spiral>') % (
                fmt(length), r0, r1, rot, start_tag, end_tag, math.sqrt(finite * length)))
            elems.append({'kind': 'Spiral', 's0': s, 's1': s + length, 'rot': rot, 'rs': radius[0],
                          're': radius[1], 'names': [start_name, end_name]})
        s += length
        x, y, heading = x1, y1, heading1
    end = s

    groups = curve_groups(elems)

    pvis = design['pvis']
    ground = []
    s_ground = start
    step = [7.3, 11.9, 9.1, 13.4, 8.2]
    k = 0
    while s_ground < end:
        ground.append([round(s_ground, 3), round(ground_height(s_ground, grade_height(s_ground, pvis)), 3)])
        s_ground += step[k % len(step)]
        k += 1
    ground.append([round(end, 3), round(ground_height(end, grade_height(end, pvis)), 3)])

    out = ['    <Alignment name="%s" length="%s" staStart="%s">' % (design['name'], fmt(end - start), fmt(start))]
    if design['equation']:
        q = design['equation']
        out.append('      <StaEquation staBack="%s" staInternal="%s" staAhead="%s"/>' % (
            fmt(q['staBack']), fmt(q['staInternal']), fmt(q['staAhead'])))
    out.append('      <CoordGeom>')
    out += ['        ' + g for g in geom]
    out.append('      </CoordGeom>')
    out.append('      <Profile>')
    out.append('        <ProfAlign name="Profile 1">')
    for i, (c, h, length) in enumerate(pvis):
        if i in (0, len(pvis) - 1) or length == 0:
            out.append('          <PVI>%s %s</PVI>' % (fmt(c), fmt(h)))
        else:
            out.append('          <ParaCurve length="%.6f">%s %s</ParaCurve>' % (length, fmt(c), fmt(h)))
    out.append('        </ProfAlign>')
    out.append('        <ProfSurf name="Existing ground"><PntList2D>%s</PntList2D></ProfSurf>' % ' '.join(
        '%s %s' % (fmt(a), fmt(b)) for a, b in ground))
    out.append('      </Profile>')
    supers = []
    for begin, full, runoff, endrun, e in design['superelevation']:
        out.append(('      <Superelevation staStart="%s" staEnd="%s"><BeginRunoffSta>%s</BeginRunoffSta>'
                    '<FullSuperSta>%s</FullSuperSta><FullSuperelev>%.3f</FullSuperelev><RunoffSta>%s</RunoffSta>'
                    '<EndofRunoutSta>%s</EndofRunoutSta></Superelevation>') % (
            fmt(begin), fmt(endrun), fmt(begin), fmt(full), e, fmt(runoff), fmt(endrun)))
        supers.append({'begin': begin, 'full': full, 'runoff': runoff, 'end': endrun, 'e': e})
    out.append('      <Feature name="Interval"><Property label="main" value="%g"/></Feature>' % INTERVAL)
    out.append('    </Alignment>')
    design_json = {'sta0': start, 'end': end, 'elems': elems, 'groups': groups, 'pvis': pvis, 'ground': ground,
                   'equation': design['equation'], 'superelevation': supers, 'interval': INTERVAL,
                   'name': design['name']}
    return out, design_json


def main():
    start, elements = main_line()
    main_xml, main_design = alignment(MAIN, start, elements, -12034.5, 4821.25, math.radians(32.0))
    start, elements = ramp()
    ramp_xml, ramp_design = alignment(RAMP, start, elements, -11890.0, 4700.0, math.radians(75.0))
    head = ['<?xml version="1.0" encoding="ISO-8859-1"?>',
            '<LandXML version="1.2" date="2026-11-30" time="16:20:00">',
            '  <Project name="Umgehungsstra\u00dfe Nord" desc="Probe f\u00fcr den Import">'
            '<Feature><Property label="applicationCriterion" value="MlitLandXmlVer.1.5"/></Feature></Project>',
            '  <Application name="road-design" version="4.2"/>',
            '  <Units><Metric areaUnit="squareMeter" linearUnit="meter" volumeUnit="cubicMeter" '
            'temperatureUnit="celsius" pressureUnit="HPA" angularUnit="decimal dd.mm.ss" '
            'directionUnit="decimal dd.mm.ss"/></Units>',
            '  <Alignments>']
    tail = ['  </Alignments>', '</LandXML>', '']
    text = '\r\n'.join(head + main_xml + ramp_xml + tail)
    with open('road-latin1.xml', 'wb') as f:
        f.write(text.encode('iso-8859-1'))
    for name, design in (('road-latin1', main_design), ('road-latin1-ramp', ramp_design)):
        with open(name + '.design.json', 'w', encoding='utf-8') as f:
            json.dump(design, f, indent=1, ensure_ascii=False)
            f.write('\n')


if __name__ == '__main__':
    main()
