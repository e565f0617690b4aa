#!/usr/bin/env python3
"""Every refusal of an input value, by the real binary in a scratch folder.

usage: refusal_files.py PROGRAM -- CASE_DIR
PROGRAM is the command that runs profile-sheet (see tests/support/program_command.py).

Each case changes one input file of CASE_DIR (the small case) and checks the console line,
exit status 1 and the drawing: an older one stays exactly as it was, and the run leaves no
other file. A refusal that comes from a file saved as UTF-8 (a byte order mark, UTF-8 text)
says so on a second line. Missing files and the station limit belong to the whole-run tests.
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
UTF8_BOM = '\u306f UTF-8 (BOM \u4ed8\u304d) \u3067\u4fdd\u5b58\u3055\u308c\u3066\u3044\u307e\u3059\u3002'.encode('cp932')  # は UTF-8 (BOM 付き) で保存されています。
UTF8_TEXT = '\u306f UTF-8 \u3067\u4fdd\u5b58\u3055\u308c\u3066\u3044\u307e\u3059\u3002'.encode('cp932')  # は UTF-8 で保存されています。
SAVE_AS = ('Shift-JIS \u3067\u4fdd\u5b58\u3057\u76f4\u3057\u3066\u304f\u3060\u3055\u3044 (\u30e1\u30e2\u5e33\u3067\u306f'
           '\u300c\u540d\u524d\u3092\u4ed8\u3051\u3066\u4fdd\u5b58\u300d\u306e\u6587\u5b57\u30b3\u30fc\u30c9\u3067 "ANSI" \u3092'
           '\u9078\u3073\u307e\u3059\u3002\u65e5\u672c\u8a9e\u7248 Windows \u306e\u5834\u5408)\u3002\n').encode('cp932')
# Shift-JIS で保存し直してください (メモ帳では「名前を付けて保存」の文字コードで "ANSI" を選びます。日本語版 Windows の場合)。
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


CASES = [
    # name, file changed, change, console lines
    ('ground points 500', 'Tesmo.dat', replace(b'\r\n11\r\n', b'\r\n500\r\n'), b'Tesmo.dat' + TABLE_ROWS),
    ('VIPs 50', 'Tesmo.dat', replace(b'\r\n4\r\n0,0.0,12.0', b'\r\n50\r\n0,0.0,12.0'), b'Tesmo.dat' + VIPS),
    ('annotations 50', 'Tesmo.dat', replace(b'\r\n2f\r\n', b'\r\n50f\r\n'), b'Tesmo.dat' + NOTES),
    ('annotation token 50 bytes', 'Tesmo.dat', replace(b'"BP"', b'"' + b'B' * 48 + b'"'),
     b'Tesmo.dat' + NOTE_TEXT),
    ('header value 4 zero', 'Tesmo.dat', header_value(4, b'0'), b'Tesmo.dat' + HEADER),
    ('header value 8 negative', 'Tesmo.dat', header_value(8, b'-1'), b'Tesmo.dat' + HEADER),
    ('text for a ground height', 'Tesmo.dat', replace(b'\r\n1,0.0,13.1\r\n', b'\r\n1,0.0,l3.1\r\n'),
     b'Tesmo.dat' + OF + b'4' + NOT_A_NUMBER),
    ('1001 elevation levels', 'Tesmo.dat', header_value(6, b'10010'), b'Tesmo.dat' + LEVELS),
    ('layers 20', 'GasouT.dat', replace(b'3\r\n', b'20\r\n'), b'GasouT.dat' + LAYERS),
    ('layer name 50 bytes', 'GasouT.dat', replace(b'D-STR', b'D-STR' + b'-' * 45), b'GasouT.dat' + LAYER_NAME),
    ('text for a line type', 'GasouT.dat', replace(b'\r\n3 1 ', b'\r\n3 I '), b'GasouT.dat' + OF + b'3' + NOT_A_NUMBER),
    ('band title 20 bytes', 'temp.cd5', lambda text: b'T' * 20 + b'\r\n' + text, b'temp.cd5' + TITLE),
    # Saved as UTF-8: the byte order mark stands where the first number belongs; the
    # curvature diagram's title takes 21 bytes in UTF-8 (14 in Shift-JIS).
    ('profile data with a byte order mark', 'Tesmo.dat', lambda text: b'\xef\xbb\xbf' + text,
     b'Tesmo.dat' + OF + b'1' + NOT_A_NUMBER + b'Tesmo.dat' + UTF8_BOM + SAVE_AS),
    ('layers with a byte order mark', 'GasouT.dat', lambda text: b'\xef\xbb\xbf' + text,
     b'GasouT.dat' + OF + b'1' + NOT_A_NUMBER + b'GasouT.dat' + UTF8_BOM + SAVE_AS),
    ('band titles in UTF-8', 'temp.cd5', lambda text: text.decode('cp932').encode('utf-8'),
     b'temp.cd5' + TITLE + b'temp.cd5' + UTF8_TEXT + SAVE_AS),
    # A refusal on a line without UTF-8 text does not come from the encoding.
    ('UTF-8 annotations, a letter in a ground height', 'Tesmo.dat',
     lambda text: replace(b'\r\n1,0.0,13.1\r\n', b'\r\n1,0.0,l3.1\r\n')(text).replace(b'"BP"', '"\u8d77\u70b9"'.encode()),
     b'Tesmo.dat' + OF + b'4' + NOT_A_NUMBER),
]


def main(command, line_end, case):
    read = lambda name: open(os.path.join(case, name), 'rb').read()
    failures = []
    for name, changed, change, console in CASES:
        with tempfile.TemporaryDirectory(prefix='profile-sheet-refusal-') as work:
            for f in INPUTS:
                with open(os.path.join(work, f), 'wb') as out:
                    out.write(change(read(f)) if f == changed else read(f))
            older = b'an older drawing\r\n' * 5000
            with open(os.path.join(work, 'Tesmora.dxf'), 'wb') as out:
                out.write(older)
            run = subprocess.run(command, cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
            drawing = open(os.path.join(work, 'Tesmora.dxf'), 'rb').read()
            left = sorted(set(os.listdir(work)) - set(INPUTS) - {'Tesmora.dxf'})
        if run.returncode != 1:
            failures.append(f'{name}: exit status {run.returncode}, expected 1')
        console = program_command.console(console, line_end)
        if run.stdout != console or run.stderr:
            failures.append(f'{name}: console {run.stdout!r} {run.stderr!r}, expected {console!r}')
        if drawing != older:
            failures.append(f'{name}: the older drawing changed ({len(drawing)} bytes)')
        if left:
            failures.append(f'{name}: left behind: {left}')
    print('\n'.join(failures) or f'{len(CASES)} refusals kept their promises')
    return 1 if failures else 0


if __name__ == '__main__':
    command, line_end, (case,) = program_command.split(sys.argv[1:])
    sys.exit(main(command, line_end, case))
