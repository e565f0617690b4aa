#!/usr/bin/env python3
"""Writes a road's design (*.design.json) as plain lines that the C++ tests
read without a JSON parser. Run from this folder after changing a design:

    python3 flatten_design.py road-utf8   > road-utf8.design.txt

Lines (numbers as Python's repr, which reads back exactly; "-" for none):
    start S / end S / interval I
    element KIND S0 S1 ROT R RADIUS_START RADIUS_END START_NAME END_NAME
    pvi STATION HEIGHT CURVE_LENGTH
    ground STATION HEIGHT
    equation INTERNAL BACK AHEAD
    superelevation BEGIN FULL RUNOFF END E
Spiral radii that the design leaves null (a straight end) are "inf".
"""
import json
import sys


def number(value):
    return repr(float(value))


def main(stem):
    design = json.load(open(stem + '.design.json', encoding='utf-8'))
    print('start', number(design['sta0']))
    print('end', number(design['end']))
    print('interval', number(design['interval']))
    for e in design['elems']:
        names = e.get('names', ['-', '-'])
        radius = number(e['R']) if 'R' in e else '-'
        if e['kind'] == 'Spiral':
            starts = number(e['rs']) if e['rs'] is not None else 'inf'
            ends = number(e['re']) if e['re'] is not None else 'inf'
        else:
            starts = ends = '-'
        print('element', e['kind'], number(e['s0']), number(e['s1']), e.get('rot', '-'), radius, starts, ends,
              names[0] or '-', names[1] or '-')
    for station, height, length in design['pvis']:
        print('pvi', number(station), number(height), number(length))
    for station, height in design['ground']:
        print('ground', number(station), number(height))
    if design['equation']:
        q = design['equation']
        print('equation', number(q['staInternal']), number(q['staBack']), number(q['staAhead']))
    for s in design['superelevation']:
        print('superelevation', number(s['begin']), number(s['full']), number(s['runoff']), number(s['end']),
              number(s['e']))


if __name__ == '__main__':
    main(sys.argv[1])
