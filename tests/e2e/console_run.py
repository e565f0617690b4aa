#!/usr/bin/env python3
"""Console text of the three programs: Shift-JIS bytes to a pipe, the terminal's own text to a terminal.

usage: console_run.py GENERATOR CHECKER IMPORTER CASES_DIR

Each program is one command line, split as a shell splits it ("wine64 profile-sheet.exe" for a
Windows build). Each program is made to say something in Japanese: through a pipe the bytes are
Shift-JIS, exactly as before; on a terminal (a pseudo-terminal here) they follow the locale, UTF-8
in ja_JP.UTF-8 and '?' for each Japanese character in the C locale. A Windows build writes to
Wine's console with WriteConsoleW, which Wine shows on the terminal in UTF-8 (with the cursor
movements of its console, which are taken out, and its lines broken at the console's width,
which are joined, before comparing).
Exit status 0 when every check holds; otherwise each failed check is printed and the status is 1.
"""
import os
import pty
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

failures = []
LIMIT = '計画高数が30個の制限を超えています。'


def check(ok, what):
    if not ok:
        failures.append(what)


def on_terminal(command, cwd, lang):
    """Runs command with its standard output and error on a new pseudo-terminal; returns what the
    terminal got, with the line ends of the terminal (CR LF) read as LF."""
    master, slave = pty.openpty()
    env = dict(os.environ, LANG=lang, LC_ALL=lang)
    process = subprocess.Popen(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=slave, stderr=slave, env=env)
    os.close(slave)
    got = b''
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:  # the other side closed
            break
        if not chunk:
            break
        got += chunk
    process.wait(timeout=60)
    os.close(master)
    # Wine's console: cursor movements, a cursor step for each blank.
    got = re.sub(rb'\x1b\[1C', b' ', got)
    got = re.sub(rb'\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07', b'', got)
    return got.replace(b'\r\n', b'\n').replace(b'\r', b'')


def through_pipe(command, cwd):
    done = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    return (done.stdout + done.stderr).replace(b'\r\n', b'\n')


def main(argv):
    generator, checker, importer = (shlex.split(a) for a in argv[1:4])
    work = tempfile.mkdtemp(prefix='profile-sheet-console-')
    for name in ('Tesmo.dat', 'temp.cd5', 'GasouT.dat'):
        shutil.copy(os.path.join(argv[4], 'station-limit', name), work)
    # Each program, and a piece of what it says.
    programs = [('profile-sheet', generator, LIMIT + '\n'),
                ('profile-sheet-check', checker, f'Tesmo.dat:25: error: {LIMIT}\n'),
                ('profile-sheet-import', importer + ['--bogus'], 'オプションが違います: --bogus\n使い方: profile-sheet-import')]
    try:
        for name, command, piece in programs:
            windows = any(part.endswith('.exe') for part in command)
            piped = through_pipe(command, work)
            check(piece.encode('cp932') in piped, f'{name}: piped {piped!r:.200}, expected the Shift-JIS of {piece!r}')
            text = piped.decode('cp932')
            got = on_terminal(command, work, 'ja_JP.UTF-8')
            want = text.encode('utf-8')
            if windows:  # Wine's console breaks lines at its width
                got, want = got.replace(b'\n', b''), want.replace(b'\n', b'')
            check(got == want, f'{name}: a UTF-8 terminal got {got!r:.200}, expected {want!r:.200}')
            if not windows:
                # Wine's console needs a locale with its characters; the Linux programs show '?'.
                got = on_terminal(command, work, 'C')
                ascii_text = ''.join(c if ord(c) < 128 else '?' for c in text).encode()
                check(got == ascii_text, f'{name}: a C-locale terminal got {got!r:.200}, expected {ascii_text!r:.200}')
    finally:
        shutil.rmtree(work)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
