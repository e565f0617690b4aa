#!/usr/bin/env python3
"""Writes a long J-LandXML highway for the importer's cost: KILOMETRES of
road (default 200) of straights, clothoid curves of 800 and 1500 m turning
either way with their superelevation, a vertical curve every 800 m, a dense
ground line (a point every 7 to 13 m), a forward station equation every
50 km and a backward one in the middle.

    make_long_road.py OUT.xml [KILOMETRES]
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'import', 'data'))
from make_road_latin1 import alignment  # noqa: E402


def road(kilometres):
    pattern = [
        ('Line', 400.0, None, None),
        ('Spiral', 150.0, 'ccw', (None, 1500.0)),
        ('Curve', 500.0, 'ccw', 1500.0),
        ('Spiral', 150.0, 'ccw', (1500.0, None)),
        ('Line', 300.0, None, None),
        ('Spiral', 120.0, 'cw', (None, 800.0)),
        ('Curve', 300.0, 'cw', 800.0),
        ('Spiral', 120.0, 'cw', (800.0, None)),
    ]
    elements, runs, s, k = [], [], 0.0, 0
    while s < kilometres * 1000 - 2100:
        for kind, length, rot, radius in pattern:
            names = (None, None)
            if kind == 'Spiral' and radius[0] is None:
                k += 1
                names = ('KA%d-1' % k, 'KE%d-1' % k)
                group_start = s
            elif kind == 'Spiral':
                names = ('KE%d-2' % k, 'KA%d-2' % k)
                full, runoff = group_start + 150.0 if rot == 'ccw' else group_start + 120.0, s
                runs.append((group_start - 20, full, runoff, s + length + 20, 4.0 if rot == 'ccw' else 6.0))
            elements.append((kind, length, rot, radius) + names)
            s += length
    elements.append(('Line', kilometres * 1000 - s, None, None, None, 'EP'))
    elements[0] = elements[0][:4] + ('BP', None)
    end = kilometres * 1000
    pvis = [[0.0, 50.0, 0.0]]
    x = 800.0
    while x < end - 400:
        pvis.append([x, 50.0 + (8.0 if len(pvis) % 2 else 0.0), 300.0])
        x += 800.0
    pvis.append([end, 50.0 + (8.0 if len(pvis) % 2 else 0.0), 0.0])
    return elements, runs, pvis


def main():
    out = sys.argv[1]
    kilometres = float(sys.argv[2]) if len(sys.argv) > 2 else 200.0
    elements, runs, pvis = road(kilometres)
    design = {'name': 'Highway %g km' % kilometres, 'equation': None, 'pvis': pvis, 'superelevation': runs}
    xml, _ = alignment(design, 0.0, elements, 0.0, 0.0, math.radians(30.0))
    # Station equations: forward every 50 km, backward in the middle.
    equations = []
    for km in range(50, int(kilometres), 50):
        ahead = km * 1000 + 100.0 if km != 100 else km * 1000 - 60.0
        equations.append('      <StaEquation staInternal="%.8f" staAhead="%.8f"/>' % (km * 1000 + 5.0, ahead))
    xml = xml[:1] + equations + xml[1:]
    head = ['<?xml version="1.0" encoding="UTF-8"?>',
            '<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">',
            '  <Project name="Long road"><Feature><Property label="applicationCriterion" '
            'value="MlitLandXmlVer.1.6"/></Feature></Project>',
            '  <Units><Metric linearUnit="meter" areaUnit="squareMeter" volumeUnit="cubicMeter"/></Units>',
            '  <Alignments>']
    with open(out, 'wb') as f:
        f.write('\n'.join(head + xml + ['  </Alignments>', '</LandXML>', '']).encode('utf-8'))


if __name__ == '__main__':
    main()
