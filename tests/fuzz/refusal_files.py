#!/usr/bin/env python3
"""Every refusal of an input value, by the real binary in a scratch folder.

usage: refusal_files.py PROGRAM -- CASE_DIR
PROGRAM is the command that runs profile-sheet (see tests/support/program_command.py).

Each case changes one input file of CASE_DIR (the small case) and checks the console line,
exit status 1 and the drawing file left behind, which replaces an older one: the start of
the case's complete drawing, up to where the refused value was read. A refusal in the
profile data or the band row list keeps the tables and the ENTITIES opening; one in the
layer definitions keeps the line types, the layer table head and the rows before it (117 +
10 per row lines). Missing files and the station limit belong to the whole-run tests.
"""
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import program_command  # noqa: E402

INPUTS = ('Tesmo.dat', 'GasouT.dat', 'temp.cd5')

# Console messages, Shift-JIS; those naming a file follow its name.
OF = b'\x82\xcc'  # の
TABLE_ROWS = b'\x82\xcc\x95\x5c\x82\xcc\x8d\x73\x90\x94\x82\xaa499\x8d\x73\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の表の行数が499行の制限を超えています。
VIPS = b'\x82\xcc\x8f\x63\x92\x66\x95\xcf\x89\xbb\x93\x5f\x90\x94\x82\xaa49\x8c\xc2\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の縦断変化点数が49個の制限を超えています。
NOTES = b'\x82\xcc\x92\x8d\x8b\x4c\x90\x94\x82\xaa49\x8c\xc2\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の注記数が49個の制限を超えています。
NOTE_TEXT = b'\x82\xcc\x92\x8d\x8b\x4c\x95\xb6\x8e\x9a\x97\xf1\x82\xaa49\x83\x6f\x83\x43\x83\x67\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の注記文字列が49バイトの制限を超えています。
HEADER = b'\x82\xcc1\x8d\x73\x96\xda\x82\xcc3\x94\xd4\x96\xda\x81\x414\x94\xd4\x96\xda\x81\x418\x94\xd4\x96\xda\x82\xcc\x92\x6c\x82\xcd0\x82\xe6\x82\xe8\x91\xe5\x82\xab\x82\xa2\x90\x94\x82\xc5\x82\xc8\x82\xaf\x82\xea\x82\xce\x82\xc8\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42\n'  # の1行目の3番目、4番目、8番目の値は0より大きい数でなければなりません。
NOT_A_NUMBER = b'\x8d\x73\x96\xda\x82\xc5\x90\x94\x92\x6c\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42\n'  # 行目で数値が読めません。
LEVELS = b'\x82\xcc\x8f\x63\x92\x66\x90\x7d\x82\xcc\x95\x57\x8d\x82\x96\xda\x90\xb7\x82\xaa1000\x96\x7b\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の縦断図の標高目盛が1000本の制限を超えています。
LAYERS = b'\x82\xcc\x89\xe6\x91\x77\x90\x94\x82\xaa19\x8c\xc2\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の画層数が19個の制限を超えています。
LAYER_NAME = b'\x82\xcc\x89\xe6\x91\x77\x96\xbc\x82\xaa49\x83\x6f\x83\x43\x83\x67\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の画層名が49バイトの制限を超えています。
TITLE = b'\x82\xcc\x8d\x80\x96\xda\x96\xbc\x82\xaa19\x83\x6f\x83\x43\x83\x67\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の項目名が19バイトの制限を超えています。


def header_value(k, value):
    def change(text):
        first, rest = text.split(b'\n', 1)
        values = first.split(b',')
        values[k - 1] = value
        return b','.join(values) + b'\n' + rest
    return change


def replace(old, new):
    def change(text):
        assert old in text, f'{old!r} not in the input'
        return text.replace(old, new, 1)
    return change


ENTITIES = 'entities'  # the drawing keeps everything up to the ENTITIES opening
CASES = [
    # name, file changed, change, console line, drawing kept (ENTITIES or a number of lines)
    ('ground points 500', 'Tesmo.dat', replace(b'\r\n11\r\n', b'\r\n500\r\n'), b'Tesmo.dat' + TABLE_ROWS, ENTITIES),
    ('VIPs 50', 'Tesmo.dat', replace(b'\r\n4\r\n0,0.0,12.0', b'\r\n50\r\n0,0.0,12.0'), b'Tesmo.dat' + VIPS, ENTITIES),
    ('annotations 50', 'Tesmo.dat', replace(b'\r\n2f\r\n', b'\r\n50f\r\n'), b'Tesmo.dat' + NOTES, ENTITIES),
    ('annotation token 50 bytes', 'Tesmo.dat', replace(b'"BP"', b'"' + b'B' * 48 + b'"'),
     b'Tesmo.dat' + NOTE_TEXT, ENTITIES),
    ('header value 4 zero', 'Tesmo.dat', header_value(4, b'0'), b'Tesmo.dat' + HEADER, ENTITIES),
    ('header value 8 negative', 'Tesmo.dat', header_value(8, b'-1'), b'Tesmo.dat' + HEADER, ENTITIES),
    ('text for a ground height', 'Tesmo.dat', replace(b'\r\n1,0.0,13.1\r\n', b'\r\n1,0.0,l3.1\r\n'),
     b'Tesmo.dat' + OF + b'4' + NOT_A_NUMBER, ENTITIES),
    ('1001 elevation levels', 'Tesmo.dat', header_value(6, b'10010'), b'Tesmo.dat' + LEVELS, ENTITIES),
    ('layers 20', 'GasouT.dat', replace(b'3\r\n', b'20\r\n'), b'GasouT.dat' + LAYERS, 117),
    ('layer name 50 bytes', 'GasouT.dat', replace(b'D-STR', b'D-STR' + b'-' * 45), b'GasouT.dat' + LAYER_NAME, 127),
    ('text for a line type', 'GasouT.dat', replace(b'\r\n3 1 ', b'\r\n3 I '), b'GasouT.dat' + OF + b'3' + NOT_A_NUMBER, 127),
    ('band title 20 bytes', 'temp.cd5', lambda text: b'T' * 20 + b'\r\n' + text, b'temp.cd5' + TITLE, ENTITIES),
]


def kept(complete, rule):
    if rule == ENTITIES:
        opening = b'\r\n2\r\nENTITIES\r\n0\r\n'
        return complete[:complete.index(opening) + len(opening)]
    return b''.join(line + b'\r\n' for line in complete.split(b'\r\n')[:rule])


def main(command, line_end, case):
    read = lambda name: open(os.path.join(case, name), 'rb').read()
    failures = []
    for name, changed, change, console, rule in CASES:
        with tempfile.TemporaryDirectory(prefix='profile-sheet-refusal-') as work:
            for f in INPUTS:
                with open(os.path.join(work, f), 'wb') as out:
                    out.write(change(read(f)) if f == changed else read(f))
            with open(os.path.join(work, 'Tesmora.dxf'), 'wb') as out:
                out.write(b'an older drawing\r\n' * 5000)
            run = subprocess.run(command, cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
            drawing = open(os.path.join(work, 'Tesmora.dxf'), 'rb').read()
        want = kept(read('expected.dxf'), rule)
        if run.returncode != 1:
            failures.append(f'{name}: exit status {run.returncode}, expected 1')
        console = program_command.console(console, line_end)
        if run.stdout != console or run.stderr:
            failures.append(f'{name}: console {run.stdout!r} {run.stderr!r}, expected {console!r}')
        if drawing != want:
            lines = [text.count(b'\n') for text in (drawing, want)]
            failures.append(f'{name}: drawing of {lines[0]} lines, expected {lines[1]}')
    print('\n'.join(failures) or f'{len(CASES)} refusals kept their promises')
    return 1 if failures else 0


if __name__ == '__main__':
    command, line_end, (case,) = program_command.split(sys.argv[1:])
    sys.exit(main(command, line_end, case))
