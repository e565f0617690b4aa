#!/usr/bin/env python3
"""Exit statuses and output of the real profile-sheet-check, in scratch folders.

usage: check_run.py EXAMPLES_DIR CASES_DIR PROGRAM [ARG...]

PROGRAM [ARG...] is the command that runs the checker (e.g. wine profile-sheet-check.exe).
The statuses: 0 nothing found, 1 only warnings, 2 an error, 3 a file unreadable or refused by
the generator, 4 wrong usage. Findings and the summary go to standard output, usage errors to
standard error; the checker writes no file. A folder of sheet folders (an importer's set) is
checked sheet by sheet, each finding named by its folder; paths use the platform's separator,
and names beyond ASCII work under Wine with code page 932 and 1252 alike. Exit status 0 when every check holds; otherwise
each failed check is printed and the status is 1.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import program_command  # noqa: E402

INPUTS = ('Tesmo.dat', 'temp.cd5', 'GasouT.dat')
CONTINUATION = 'Tsuzuki.dat'  # a sheet of a set has one as well
STATION_LIMIT = '計画高数が30個の制限を超えています。'.encode('cp932')
USAGE = '使い方: profile-sheet-check [DIR]\n'.encode('cp932')
SAVED_AS_UTF8 = 'このファイルは UTF-8 で保存されています。Shift-JIS で保存し直してください'.encode('cp932')
failures = []
windows = False
sep = b'/'  # of the paths the checker shows


def check(ok, what):
    if not ok:
        failures.append(what)


def run(command, args, source=None, leave_out=(), edit=None, cwd_is_folder=False, folder_name='road', env=None,
        folders=()):
    """Runs the checker on a copy of source's inputs in folder 'road' of a scratch root.
    Returns (status, stdout, stderr) with CR LF line ends read as LF."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-check-') as root:
        folder = os.path.join(root, folder_name)
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
            if callable(edit[1]):
                open(path, 'wb').write(edit[1](text))
            else:
                assert edit[1] in text, edit
                open(path, 'wb').write(text.replace(edit[1], edit[2], 1))
        before = sorted(os.listdir(folder))
        done = subprocess.run(command + args, cwd=folder if cwd_is_folder else root, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=60, env=env)
        check(sorted(os.listdir(folder)) == before and os.listdir(root) == [folder_name],
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


def sheet_set(command, examples, cases):
    """A set as profile-sheet-import writes it: sheets/01, 02, 03 and a folder without input files.
    Sheet 02 draws its ground above the profile view (a warning), sheet 03 has an annotation past
    its last station (an error)."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-check-') as root:
        sheets = os.path.join(root, 'sheets')
        edits = {'02': (b'5,0.0,50.35', b'5,0.0,51.5'), '03': (b'13,4.0,"', b'15,4.0,"')}
        for name in ('01', '02', '03'):
            os.makedirs(os.path.join(sheets, name))
            for f in INPUTS:
                text = open(os.path.join(examples, f), 'rb').read()
                if f == 'Tesmo.dat' and name in edits:
                    text = text.replace(*edits[name], 1)
                open(os.path.join(sheets, name, f), 'wb').write(text)
        os.makedirs(os.path.join(sheets, 'notes'))
        done = subprocess.run(command + ['sheets'], cwd=root, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        out = done.stdout.replace(b'\r\n', b'\n')
        lines = out.split(b'\n')
        check(done.returncode == 2 and len(lines) == 4 and lines[-2:] == [b'1 errors, 1 warnings', b''],
              f'a set: status {done.returncode}, output {out!r}')
        check(lines[0].startswith(b'sheets' + sep + b'02' + sep + b'Tesmo.dat:10: warning: ')
              and lines[1].startswith(b'sheets' + sep + b'03' + sep + b'Tesmo.dat:65: error: '), f'a set: output {out!r}')
        # From inside the set, the sheets are named from there.
        done = subprocess.run(command, cwd=sheets, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        check(done.stdout.startswith(b'02' + sep + b'Tesmo.dat:10: warning: '), f'a set from inside: {done.stdout!r}')
        # A sheet the generator refuses makes the whole set's status 3.
        shutil.copy(os.path.join(cases, 'station-limit', 'Tesmo.dat'), os.path.join(sheets, '01'))
        done = subprocess.run(command + ['sheets'], cwd=root, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        check(done.returncode == 3 and done.stdout.startswith(b'sheets' + sep + b'01' + sep + b'Tesmo.dat:25: error: '),
              f'a set with a refused sheet: {done.returncode} {done.stdout!r}')


def saved_as_utf8(command, examples):
    """A file saved as UTF-8 is one error on its first UTF-8 line, and nothing else is said of it."""
    to_utf8 = lambda text: text.decode('cp932').encode('utf-8')
    code, out, err = run(command, ['road'], examples, edit=('Tesmo.dat', to_utf8))
    expect('Tesmo.dat in UTF-8', (code, out, err), 2, out_end=b'\n1 errors, 0 warnings\n')
    check(out.startswith(b'road' + sep + b'Tesmo.dat:63: error: ' + SAVED_AS_UTF8), f'Tesmo.dat in UTF-8: {out!r}')
    # In UTF-8 the curvature diagram's title is 21 bytes: the generator would refuse it, which
    # sets the status, but only the encoding is reported.
    code, out, err = run(command, ['road'], examples, edit=('temp.cd5', to_utf8))
    expect('temp.cd5 in UTF-8', (code, out, err), 3, out_end=b'\n1 errors, 0 warnings\n')
    check(out.startswith(b'road' + sep + b'temp.cd5:1: error: ' + SAVED_AS_UTF8), f'temp.cd5 in UTF-8: {out!r}')
    code, out, err = run(command, ['road'], examples, edit=('GasouT.dat', lambda text: b'\xef\xbb\xbf' + text))
    expect('GasouT.dat with a byte order mark', (code, out, err), 3, out_end=b'\n1 errors, 0 warnings\n')
    check(out.startswith(b'road' + sep + b'GasouT.dat:1: error: ' + SAVED_AS_UTF8.replace(b'UTF-8', b'UTF-8 (BOM \x95\x74\x82\xab)')),
          f'GasouT.dat with a byte order mark: {out!r}')


def names(command, examples):
    """A folder named in Japanese with an emoji and a space: found under both code pages; the emoji,
    which Shift-JIS lacks, is shown as '?'."""
    name = '\u7e26\u65ad\u56f3 \U0001F600'
    shown = '\u7e26\u65ad\u56f3 ?'.encode('cp932')
    for lang in program_command.UTF8_LOCALES:
        env = dict(os.environ, LANG=lang)
        code, out, err = run(command, [name], examples, leave_out=('temp.cd5',), folder_name=name, env=env)
        expect(f'{lang}: a Japanese folder name', (code, out, err), 3,
               [shown + sep + b"temp.cd5: error: can't create temp.cd5", b'1 errors, 0 warnings', b''])


def main(argv):
    global windows, sep
    examples, cases = argv[1], argv[2]
    # The runs change folder: paths in the command become absolute.
    command = [os.path.abspath(a) if os.path.exists(a) else a for a in argv[3:]]
    windows = any(a.endswith('.exe') for a in command)
    sep = b'\\' if windows else b'/'
    small = os.path.join(cases, 'small')

    expect('example', run(command, ['road'], examples), 0, [b'0 errors, 0 warnings', b''])
    # Without a folder the current one is read, and the files are named bare.
    code, out, err = run(command, [], small, cwd_is_folder=True)
    expect('small', (code, out, err), 1, out_end=b'\n0 errors, 1 warnings\n')
    check(out.startswith(b'Tesmo.dat:26: warning: '), f'small: output {out!r}')
    expect('annotation past the last station',
           run(command, ['road'], examples, edit=('Tesmo.dat', b'13,4.0,"', b'15,4.0,"')), 2,
           out_end=b'\n1 errors, 0 warnings\n')
    # One separator, the platform's, also where the folder was typed with the other.
    code, out, err = run(command, ['road/'], os.path.join(cases, 'station-limit'))
    expect('station limit', (code, out, err), 3)
    check(out.startswith(b'road' + sep + b'Tesmo.dat:25: error: ' + STATION_LIMIT + b'\n'), f'station limit: output {out!r}')
    expect('missing band row list', run(command, ['road'], examples, leave_out=('temp.cd5',)), 3,
           [b'road' + sep + b"temp.cd5: error: can't create temp.cd5", b'1 errors, 0 warnings', b''])
    expect('missing folder', run(command, ['elsewhere']), 3,
           [b'elsewhere' + sep + b"Tesmo.dat: error: can't create Tesmo.dat",
            b'elsewhere' + sep + b"temp.cd5: error: can't create temp.cd5",
            b'elsewhere' + sep + b"GasouT.dat: error: can't create GasouT.dat", b'3 errors, 0 warnings', b''])

    # A sheet of a set: its continuation file is read beside the three, and
    # a finding in it is named by its own file and line.
    set_middle = os.path.join(cases, 'set-middle')
    expect('sheet of a set', run(command, ['road'], set_middle), 0, [b'0 errors, 0 warnings', b''])
    code, out, err = run(command, ['road'], set_middle, edit=(CONTINUATION, b'LAST 14,0.0', b'LAST 13,0.0'))
    expect('LAST not the last station', (code, out, err), 2, out_end=b'\n1 errors, 0 warnings\n')
    check(out.startswith(b'road' + sep + b'Tsuzuki.dat:5: error: LAST No.13+0.0 '), f'LAST: output {out!r}')
    expect('a folder named Tsuzuki.dat', run(command, ['road'], examples, folders=(CONTINUATION,)), 3,
           [b'road' + sep + b"Tsuzuki.dat: error: can't create Tsuzuki.dat", b'1 errors, 0 warnings', b''])

    helps = ['--help', '-h'] + (['/?'] if windows else [])
    for option in helps:
        code, out, err = run(command, [option])
        expect(option, (code, out, err), 0)
        check(out.startswith(USAGE) and '4 使い方の誤り'.encode('cp932') in out, f'{option}: {out!r}')
    code, out, err = run(command, ['--version'])
    expect('--version', (code, out, err), 0)
    check(re.fullmatch(rb'profile-sheet-check \d+\.\d+\.\d+ \((Linux|Windows) \S+\)\n', out), f'--version: {out!r}')
    for args in (['--bogus'], ['road', 'other']):
        code, out, err = run(command, args, examples)
        expect(' '.join(args), (code, out, err), 4, [b''], err_empty=False)
        check(USAGE in err, f'{args}: error output {err!r}')

    sheet_set(command, examples, cases)
    saved_as_utf8(command, examples)
    if program_command.missing_locales():
        check(False, f'locales {program_command.missing_locales()} are not installed: tools/packages.sh generates them')
    else:
        names(command, examples)

    for failure in dict.fromkeys(failures):
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
