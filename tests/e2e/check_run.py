#!/usr/bin/env python3
"""Exit statuses and output of the real profile-sheet-check, in scratch folders.

usage: check_run.py EXAMPLES_DIR CASES_DIR PROGRAM [ARG...]

PROGRAM [ARG...] is the command that runs the checker (e.g. wine profile-sheet-check.exe).
The statuses: 0 nothing found, 1 only warnings, 2 an error, 3 a file unreadable or refused by
the generator, 4 wrong usage. Findings and the summary go to standard output, usage errors to
standard error; the checker writes no file. Exit status 0 when every check holds; otherwise
each failed check is printed and the status is 1.
"""
import os
import shutil
import subprocess
import sys
import tempfile

INPUTS = ('Tesmo.dat', 'temp.cd5', 'GasouT.dat')
CONTINUATION = 'Tsuzuki.dat'  # a sheet of a set has one as well
STATION_LIMIT = '計画高数が30個の制限を超えています。'.encode('cp932')
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(command, args, source=None, leave_out=(), edit=None, cwd_is_folder=False, folders=()):
    """Runs the checker on a copy of source's inputs in folder 'road' of a scratch root.
    Returns (status, stdout, stderr) with CR LF line ends read as LF."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-check-') as root:
        folder = os.path.join(root, 'road')
        os.mkdir(folder)
        if source:
            for name in INPUTS + (CONTINUATION,):
                if name not in leave_out and os.path.exists(os.path.join(source, name)):
                    shutil.copy(os.path.join(source, name), folder)
        for name in folders:
            os.mkdir(os.path.join(folder, name))
        if edit:
            path = os.path.join(folder, edit[0])
            text = open(path, 'rb').read()
            assert edit[1] in text, edit
            open(path, 'wb').write(text.replace(edit[1], edit[2], 1))
        before = sorted(os.listdir(folder))
        done = subprocess.run(command + args, cwd=folder if cwd_is_folder else root, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=60)
        check(sorted(os.listdir(folder)) == before and os.listdir(root) == ['road'],
              f'{args}: files written: {sorted(os.listdir(folder))}')
    crlf = lambda b: b.replace(b'\r\n', b'\n')
    return done.returncode, crlf(done.stdout), crlf(done.stderr)


def expect(what, got, status, out_lines=None, out_end=None, err_empty=True):
    code, out, err = got
    check(code == status, f'{what}: exit status {code}, expected {status}; output {out!r}')
    lines = out.split(b'\n')
    if out_lines is not None:
        check(lines[:len(out_lines)] == out_lines, f'{what}: output {out!r}')
    if out_end is not None:
        check(out.endswith(out_end), f'{what}: output ends {out[-80:]!r}')
    if err_empty:
        check(err == b'', f'{what}: error output {err!r}')


def main(argv):
    examples, cases = argv[1], argv[2]
    # The runs change folder: paths in the command become absolute.
    command = [os.path.abspath(a) if os.path.exists(a) else a for a in argv[3:]]
    small = os.path.join(cases, 'small')

    expect('example', run(command, ['road'], examples), 0, [b'0 errors, 0 warnings', b''])
    # Without a folder the current one is read, and the files are named bare.
    code, out, err = run(command, [], small, cwd_is_folder=True)
    expect('small', (code, out, err), 1, out_end=b'\n0 errors, 1 warnings\n')
    check(out.startswith(b'Tesmo.dat:26: warning: '), f'small: output {out!r}')
    expect('annotation past the last station',
           run(command, ['road'], examples, edit=('Tesmo.dat', b'13,4.0,"', b'15,4.0,"')), 2,
           out_end=b'\n1 errors, 0 warnings\n')
    code, out, err = run(command, ['road/'], os.path.join(cases, 'station-limit'))
    expect('station limit', (code, out, err), 3)
    check(out.startswith(b'road/Tesmo.dat:25: error: ' + STATION_LIMIT + b'\n'), f'station limit: output {out!r}')
    expect('missing band row list', run(command, ['road'], examples, leave_out=('temp.cd5',)), 3,
           [b"road/temp.cd5: error: can't create temp.cd5", b'1 errors, 0 warnings', b''])
    expect('missing folder', run(command, ['elsewhere']), 3,
           [b"elsewhere/Tesmo.dat: error: can't create Tesmo.dat", b"elsewhere/temp.cd5: error: can't create temp.cd5",
            b"elsewhere/GasouT.dat: error: can't create GasouT.dat", b'3 errors, 0 warnings', b''])

    # A sheet of a set: its continuation file is read beside the three, and
    # a finding in it is named by its own file and line.
    set_middle = os.path.join(cases, 'set-middle')
    expect('sheet of a set', run(command, ['road'], set_middle), 0, [b'0 errors, 0 warnings', b''])
    code, out, err = run(command, ['road'], set_middle, edit=(CONTINUATION, b'LAST 14,0.0', b'LAST 13,0.0'))
    expect('LAST not the last station', (code, out, err), 2, out_end=b'\n1 errors, 0 warnings\n')
    check(out.startswith(b'road/Tsuzuki.dat:5: error: LAST No.13+0.0 '), f'LAST: output {out!r}')
    expect('a folder named Tsuzuki.dat', run(command, ['road'], examples, folders=(CONTINUATION,)), 3,
           [b"road/Tsuzuki.dat: error: can't create Tsuzuki.dat", b'1 errors, 0 warnings', b''])

    for option in ('--help', '-h'):
        code, out, err = run(command, [option])
        expect(option, (code, out, err), 0)
        check(out.startswith(b'usage: profile-sheet-check [DIR]\n') and b'4 wrong usage' in out, f'{option}: {out!r}')
    for args in (['--bogus'], ['road', 'other']):
        code, out, err = run(command, args, examples)
        expect(' '.join(args), (code, out, err), 4, [b''], err_empty=False)
        check(b'usage: profile-sheet-check [DIR]\n' in err, f'{args}: error output {err!r}')

    for failure in dict.fromkeys(failures):
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
