#!/usr/bin/env python3
"""Hostile and degenerate inputs, by the real binary in scratch folders.

usage: hostile_inputs.py PROGRAM -- CASE_DIR

CASE_DIR holds a complete input set (the small case); PROGRAM is the command that runs
profile-sheet (see tests/support/program_command.py). Each case changes the inputs and checks the console, the exit
status and the drawing: a NUL byte ends a text (the drawing equals that of the text without
the NUL and what follows it, and holds no NUL byte); NaN prints as nan; an input that opens but
cannot be read fails like one that cannot be opened, and leaves an earlier drawing as it was; refusal lines are counted with CR, LF
and CR LF line ends.
"""
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import program_command  # noqa: E402

INPUTS = ('Tesmo.dat', 'GasouT.dat', 'temp.cd5')
DRAWING = 'Tesmora.dxf'
NOT_A_NUMBER = b'\x8d\x73\x96\xda\x82\xc5\x90\x94\x92\x6c\x82\xaa\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\x81\x42\n'  # 行目で数値が読めません。
LAYER_NAME = b'\x82\xcc\x89\xe6\x91\x77\x96\xbc\x82\xaa49\x83\x6f\x83\x43\x83\x67\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42\n'  # の画層名が49バイトの制限を超えています。
OF = b'\x82\xcc'  # の
failures = []
line_end = b'\n'  # of the program's console lines; CR LF on Windows


def console(text):
    return program_command.console(text, line_end)


def check(ok, what):
    if not ok:
        failures.append(what)


def run(command, files, folders=(), drawing_before=None):
    """Runs the program in a fresh folder holding `files` (name -> bytes) and an empty folder
    for each name in `folders`. Returns (status, stdout, drawing bytes or None)."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-hostile-') as work:
        for name, data in files.items():
            with open(os.path.join(work, name), 'wb') as f:
                f.write(data)
        for name in folders:
            os.mkdir(os.path.join(work, name))
        if drawing_before is not None:
            with open(os.path.join(work, DRAWING), 'wb') as f:
                f.write(drawing_before)
        done = subprocess.run(command, cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        path = os.path.join(work, DRAWING)
        drawing = open(path, 'rb').read() if os.path.isfile(path) else None
    return done.returncode, done.stdout, drawing


def changed(inputs, name, old, new):
    assert old in inputs[name], f'{old!r} not in {name}'
    return {**inputs, name: inputs[name].replace(old, new, 1)}


def nul_ends_a_text(command, inputs):
    cases = [
        # what, inputs with a NUL, the same text without it
        ('layer name', changed(inputs, 'GasouT.dat', b'D-STR', b'D-STR\0xy'), inputs),
        ('annotation token', changed(inputs, 'Tesmo.dat', b'"BP"', b'"BP"\0'), inputs),
        ('annotation token inside its quotes', changed(inputs, 'Tesmo.dat', b'"BP"', b'"BP\0"'),
         changed(inputs, 'Tesmo.dat', b'"BP"', b'"B"')),
        ('band title', changed(inputs, 'temp.cd5', b'\x8c\x76', b'\0\x8c\x76'),  # 計画高 and what follows
         {**inputs, 'temp.cd5': inputs['temp.cd5'][:inputs['temp.cd5'].index(b'\x8c\x76')]}),
    ]
    for what, hostile, plain in cases:
        status, out, drawing = run(command, hostile)
        want_status, want_out, want = run(command, plain)
        check(status == want_status == 0 and out == want_out == b'', f'NUL in the {what}: status {status}, console {out!r}')
        check(drawing is not None and b'\0' not in drawing, f'NUL in the {what}: a NUL byte reached the drawing')
        check(drawing == want, f'NUL in the {what}: the drawing differs from that of the text without it')
    # The capacity counts the whole token: 49 bytes and a NUL are 50.
    hostile = changed(inputs, 'GasouT.dat', b'D-STR', b'D-STR' + b'\0' * 45)
    status, out, _ = run(command, hostile)
    check(status == 1 and out == console(b'GasouT.dat' + LAYER_NAME), f'a 50-byte layer token with NULs: {status} {out!r}')


def nan_has_no_sign(command, inputs):
    # Ground heights of -1e308 and 1e308: the grid crossing divides 0 by 0... and beyond.
    hostile = changed(inputs, 'Tesmo.dat', b'\n1,0.0,13.1', b'\n1,0.0,-1e308')
    hostile = changed(hostile, 'Tesmo.dat', b'\n1,10.0,13.5', b'\n1,10.0,1e308')
    # Two VIPs at one chainage: an infinite grade and radius.
    hostile = changed(hostile, 'Tesmo.dat', b'6,0.0,12.5,30.0', b'3,0.0,12.5,30.0')
    status, out, drawing = run(command, hostile)
    check(status == 0 and out == b'', f'degenerate input: status {status}, console {out!r}')
    lines = (drawing or b'').split(b'\r\n')
    check(any(line.strip() == b'nan' or line.endswith(b'nan m') for line in lines), 'degenerate input: no nan printed')
    check(not any(b'-nan' in line for line in lines), 'degenerate input: NaN printed with a sign')


def unreadable_input_fails(command, inputs):
    # A folder in place of an input. On Linux it opens and reading it fails; on Windows, and
    # so under Wine, opening it fails already. Both end alike, but only the Linux build takes
    # the read-error path here.
    for name in INPUTS + ('Tsuzuki.dat',):  # the continuation file, optional, as well
        others = {k: v for k, v in inputs.items() if k != name}
        message = console(f"can't create {name}\n".encode())
        for before in (None, b'an older drawing\r\n'):
            status, out, drawing = run(command, others, folders=(name,), drawing_before=before)
            check(status == 1 and out == message, f'{name} a folder: status {status}, console {out!r}')
            check(drawing == before, f'{name} a folder: drawing {drawing!r:.40}, expected {before!r}')


def lines_end_with_cr_lf_or_either(command, inputs):
    text = inputs['Tesmo.dat'].replace(b'\r\n', b'\n')
    lines = text.split(b'\n')
    lines[12] = lines[12].replace(b'0.0', b'O.0', 1)  # a letter on line 13
    for ending in (b'\r', b'\n', b'\r\n'):
        status, out, _ = run(command, {**inputs, 'Tesmo.dat': ending.join(lines)})
        want = console(b'Tesmo.dat' + OF + b'13' + NOT_A_NUMBER)
        check(status == 1 and out == want, f'line ends {ending!r}: status {status}, console {out!r}')


def main(argv):
    global line_end
    command, line_end, (case,) = program_command.split(argv[1:])
    inputs = {name: open(os.path.join(case, name), 'rb').read() for name in INPUTS}
    for test in (nul_ends_a_text, nan_has_no_sign, unreadable_input_fails, lines_end_with_cr_lf_or_either):
        test(command, inputs)
    for failure in dict.fromkeys(failures):
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
