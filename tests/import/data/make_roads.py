#!/usr/bin/env python3
"""Writes the importer's own J-LandXML test roads (UTF-8, LandXML 1.2
namespace, J-LandXML criterion) and their designs in the form of the other
test roads (*.design.json, internal stations):

    python3 make_roads.py      (in this folder)

- road-long.xml: 5.59 km of highway: clothoid curves of radius 450 to 3000 m
  with clothoids of 100 to 200 m, a plain arc of 2500 m, a reverse curve
  whose superelevation ramps overlap (they join), long vertical curves,
  grades to 2.6 % and a forward station equation (30 m ahead) at 2950.
- road-backward.xml: 2.03 km from No.-2+5 with a backward station equation
  at 900 (ahead 860: the display stations 860 to 900 occur twice) inside an
  arc and a vertical curve; its project's name has a character that code
  page 932 lacks.
- road-steep.xml: 2.4 km of mountain road on grades of 7 to 9 %, so steep
  that the profile view of a full sheet cannot hold it.
- road-short.xml: 420 m from No.-1+5, short enough for one sheet at 1:2000:
  a clothoid curve and an arc turning the other way, their ramps joined.

The geometry and the ground come from make_road_latin1.py.
"""
import json
import math

from make_road_latin1 import alignment

ROADS = {
    'road-long': {
        'project': '国道912号 改良工事',
        'name': '国道912号 本線',
        'start': 0.0,
        'origin': (-24150.25, 8012.5, math.radians(18.0)),
        'elements': [
            ('Line', 180.0, None, None, 'BP', None),
            ('Spiral', 150.0, 'ccw', (None, 3000.0), 'KA1-1', 'KE1-1'),
            ('Curve', 420.0, 'ccw', 3000.0, 'KE1-1', 'KE1-2'),
            ('Spiral', 150.0, 'ccw', (3000.0, None), 'KE1-2', 'KA1-2'),
            ('Line', 350.0, None, None, None, None),
            ('Spiral', 120.0, 'cw', (None, 800.0), 'KA2-1', 'KE2-1'),
            ('Curve', 380.0, 'cw', 800.0, 'KE2-1', 'KE2-2'),
            ('Spiral', 120.0, 'cw', (800.0, None), 'KE2-2', 'KA2-2'),
            ('Line', 60.0, None, None, None, None),
            ('Spiral', 100.0, 'ccw', (None, 450.0), 'KA3-1', 'KE3-1'),
            ('Curve', 260.0, 'ccw', 450.0, 'KE3-1', 'KE3-2'),
            ('Spiral', 100.0, 'ccw', (450.0, None), 'KE3-2', 'KA3-2'),
            ('Line', 400.0, None, None, None, None),
            ('Spiral', 140.0, 'cw', (None, 1500.0), 'KA4-1', 'KE4-1'),
            ('Curve', 500.0, 'cw', 1500.0, 'KE4-1', 'KE4-2'),
            ('Spiral', 140.0, 'cw', (1500.0, None), 'KE4-2', 'KA4-2'),
            ('Line', 300.0, None, None, None, None),
            ('Curve', 350.0, 'ccw', 2500.0, 'BC5', 'EC5'),
            ('Line', 250.0, None, None, None, None),
            ('Spiral', 200.0, 'cw', (None, 1200.0), 'KA6-1', 'KE6-1'),
            ('Curve', 300.0, 'cw', 1200.0, 'KE6-1', 'KE6-2'),
            ('Spiral', 200.0, 'cw', (1200.0, None), 'KE6-2', 'KA6-2'),
            ('Line', 420.0, None, None, None, 'EP'),
        ],
        'equation': {'staInternal': 2950.0, 'staBack': 2950.0, 'staAhead': 2980.0},
        'arc_full': 30.0,
        'pvis': [[0.0, 40.0, 0.0], [700.0, 58.0, 400.0], [1500.0, 46.0, 500.0], [2400.0, 64.0, 300.0],
                 [3300.0, 55.0, 600.0], [4200.0, 70.0, 400.0], [5000.0, 60.0, 300.0], [5590.0, 66.0, 0.0]],
        # Ramps (before the first key point, after the last) and percent, per group.
        'ramps': [(15.0, 15.0, 2.5), (15.0, 35.0, 6.0), (35.0, 15.0, 7.0), (20.0, 20.0, 4.0), (60.0, 60.0, 3.0),
                  (20.0, 20.0, 5.0)],
    },
    'road-backward': {
        'project': '\U00020bb7野川バイパス',
        'name': '北回り線',
        'start': -35.0,
        'origin': (-30500.0, 1200.0, math.radians(101.0)),
        'elements': [
            ('Line', 200.0, None, None, 'BP', None),
            ('Spiral', 80.0, 'ccw', (None, 350.0), 'KA1-1', 'KE1-1'),
            ('Curve', 180.0, 'ccw', 350.0, 'KE1-1', 'KE1-2'),
            ('Spiral', 80.0, 'ccw', (350.0, None), 'KE1-2', 'KA1-2'),
            ('Line', 250.0, None, None, None, None),
            ('Curve', 300.0, 'cw', 900.0, 'BC2', 'EC2'),
            ('Line', 200.0, None, None, None, None),
            ('Spiral', 100.0, 'cw', (None, 600.0), 'KA3-1', 'KE3-1'),
            ('Curve', 240.0, 'cw', 600.0, 'KE3-1', 'KE3-2'),
            ('Spiral', 100.0, 'cw', (600.0, None), 'KE3-2', 'KA3-2'),
            ('Line', 300.0, None, None, None, 'EP'),
        ],
        'equation': {'staInternal': 900.0, 'staBack': 900.0, 'staAhead': 860.0},
        'pvis': [[-35.0, 20.0, 0.0], [400.0, 31.0, 240.0], [880.0, 24.0, 300.0], [1500.0, 36.0, 400.0],
                 [1995.0, 30.0, 0.0]],
        'ramps': [(20.0, 20.0, 7.0), (50.0, 50.0, 4.0), (20.0, 20.0, 5.0)],
        # An arc's run-off lies half on the arc.
        'arc_full': 25.0,
    },
    'road-steep': {
        'project': '県道 峠越え',
        'name': '峠線',
        'start': 0.0,
        'origin': (-8000.0, -3000.0, math.radians(240.0)),
        'elements': [
            ('Line', 150.0, None, None, 'BP', None),
            ('Spiral', 60.0, 'cw', (None, 200.0), 'KA1-1', 'KE1-1'),
            ('Curve', 120.0, 'cw', 200.0, 'KE1-1', 'KE1-2'),
            ('Spiral', 60.0, 'cw', (200.0, None), 'KE1-2', 'KA1-2'),
            ('Line', 200.0, None, None, None, None),
            ('Spiral', 70.0, 'ccw', (None, 300.0), 'KA2-1', 'KE2-1'),
            ('Curve', 200.0, 'ccw', 300.0, 'KE2-1', 'KE2-2'),
            ('Spiral', 70.0, 'ccw', (300.0, None), 'KE2-2', 'KA2-2'),
            ('Line', 300.0, None, None, None, None),
            ('Curve', 150.0, 'cw', 400.0, 'BC3', 'EC3'),
            ('Line', 250.0, None, None, None, None),
            ('Spiral', 50.0, 'ccw', (None, 150.0), 'KA4-1', 'KE4-1'),
            ('Curve', 100.0, 'ccw', 150.0, 'KE4-1', 'KE4-2'),
            ('Spiral', 50.0, 'ccw', (150.0, None), 'KE4-2', 'KA4-2'),
            ('Line', 570.0, None, None, None, 'EP'),
        ],
        'equation': None,
        'pvis': [[0.0, 200.0, 0.0], [500.0, 240.0, 120.0], [1000.0, 285.0, 160.0], [1500.0, 320.0, 200.0],
                 [1900.0, 352.0, 240.0], [2400.0, 317.0, 0.0]],
        'ramps': [(20.0, 20.0, 8.0), (20.0, 20.0, 7.0), (40.0, 40.0, 6.0), (15.0, 15.0, 8.0)],
        'arc_full': 20.0,
    },
    'road-short': {
        'project': '試験 取付',
        'name': '取付道路',
        'start': -15.0,
        'origin': (-2000.0, 500.0, math.radians(45.0)),
        'elements': [
            ('Line', 45.0, None, None, 'BP', None),
            ('Spiral', 40.0, 'ccw', (None, 250.0), 'KA1-1', 'KE1-1'),
            ('Curve', 70.0, 'ccw', 250.0, 'KE1-1', 'KE1-2'),
            ('Spiral', 40.0, 'ccw', (250.0, None), 'KE1-2', 'KA1-2'),
            ('Line', 50.0, None, None, None, None),
            ('Curve', 80.0, 'cw', 400.0, 'BC2', 'EC2'),
            ('Line', 95.0, None, None, None, 'EP'),
        ],
        'equation': None,
        'pvis': [[-15.0, 30.0, 0.0], [120.0, 34.5, 100.0], [300.0, 31.0, 120.0], [405.0, 33.0, 0.0]],
        'ramps': [(15.0, 15.0, 6.0), (40.0, 20.0, 4.0)],
        'arc_full': 20.0,
    },
}


def superelevation(road):
    """Per curve group: from `before` ahead of its first key point to `after`
    past its last, full over the arc (of a plain arc, `arc_full` in)."""
    runs = []
    s = road['start']
    groups = []
    current = None
    for kind, length, rot, _, _, _ in road['elements']:
        if kind == 'Line' or (current and current['rot'] != rot):
            current = None
        if kind != 'Line':
            if current is None:
                current = {'rot': rot, 'parts': []}
                groups.append(current)
            current['parts'].append((kind, s, s + length))
        s += length
    for group, (before, after, e) in zip(groups, road['ramps']):
        parts = group['parts']
        arcs = [p for p in parts if p[0] == 'Curve']
        if len(parts) == 1:
            full, runoff = parts[0][1] + road['arc_full'], parts[0][2] - road['arc_full']
        else:
            full, runoff = arcs[0][1], arcs[-1][2]
        runs.append((round(parts[0][1] - before, 3), round(full, 3), round(runoff, 3), round(parts[-1][2] + after, 3),
                     e))
    return runs


def main():
    for stem, road in ROADS.items():
        design = {'name': road['name'], 'equation': road['equation'], 'pvis': road['pvis'],
                  'superelevation': superelevation(road)}
        x, y, heading = road['origin']
        xml, design_json = alignment(design, road['start'], road['elements'], x, y, heading)
        head = ['<?xml version="1.0" encoding="UTF-8"?>',
                '<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" date="2026-12-08" '
                'time="10:00:00">',
                '  <Project name="%s"><Feature><Property label="applicationCriterion" value="MlitLandXmlVer.1.6"/>'
                '</Feature></Project>' % road['project'],
                '  <Application name="road-design" version="4.2"/>',
                '  <Units><Metric areaUnit="squareMeter" linearUnit="meter" volumeUnit="cubicMeter" '
                'temperatureUnit="celsius" pressureUnit="HPA" angularUnit="decimal dd.mm.ss" '
                'directionUnit="decimal dd.mm.ss"/></Units>',
                '  <Alignments>']
        tail = ['  </Alignments>', '</LandXML>', '']
        with open(stem + '.xml', 'wb') as f:
            f.write('\n'.join(head + xml + tail).encode('utf-8'))
        design_json['project'] = road['project']
        with open(stem + '.design.json', 'w', encoding='utf-8') as f:
            json.dump(design_json, f, indent=1, ensure_ascii=False)
            f.write('\n')


if __name__ == '__main__':
    main()
