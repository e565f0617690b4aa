#!/usr/bin/env python3
"""Whole runs of profile-sheet in a scratch folder.

usage: whole_run.py PROGRAM -- golden CASE_DIR        inputs of CASE_DIR (with its Tsuzuki.dat when it
                                                      has one, and before.dxf as an earlier drawing);
                                                      drawing, console and status equal expected.dxf
                                                      (or, when there is none, the earlier drawing or
                                                      none), expected.stdout, expected.status
       whole_run.py PROGRAM -- missing NAME CASE_DIR  the inputs of CASE_DIR without NAME
       whole_run.py PROGRAM -- example EXAMPLES_DIR   the bundled example: document frame, line
                                                      ends, entity counts per kind and layer
       whole_run.py PROGRAM -- full-disk CASE_DIR     the drawing cannot be written (a file size limit)
       whole_run.py PROGRAM -- unreplaceable CASE_DIR a Tesmora.dxf that cannot be replaced
       whole_run.py PROGRAM -- folders CASE_DIR       profile-sheet DIR ...: each folder drawn, refusals named
       whole_run.py PROGRAM -- command-line CASE_DIR  --help, -h, /? on Windows, --version, unknown options
PROGRAM is the command that runs profile-sheet (see tests/support/program_command.py).
A failed run must leave an earlier drawing exactly as it was (or none) and no file of its own.
Exit status 0 when every check holds; otherwise each failed check is printed and the status is 1.
"""
import collections
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import program_command  # noqa: E402

INPUTS = ('Tesmo.dat', 'GasouT.dat', 'temp.cd5')
CONTINUATION = 'Tsuzuki.dat'  # a sheet of a set has one as well
DRAWING = 'Tesmora.dxf'
failures = []
line_end = b'\n'  # of the program's console lines; CR LF on Windows
windows = False  # whether the program is a Windows build (run under Wine)
# The locales of the runs that take names from the command line: under Wine they set the ANSI
# code page, 932 and 1252 (see tests/support/program_command.py).
locales = program_command.UTF8_LOCALES


def console(text):
    return program_command.console(text, line_end)


def check(ok, what):
    if not ok:
        failures.append(what)


def run(command, source, leave_out=(), drawing_before=None, args=(), file_size_limit=None, make=None):
    """Runs the program in a fresh folder holding the inputs of source (less leave_out), and
    drawing_before as Tesmora.dxf. Returns (status, stdout, stderr, drawing bytes or None). A file
    the run leaves beside the inputs and the drawing is a failure."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-e2e-') as work:
        for name in INPUTS + (CONTINUATION,):
            if name not in leave_out and os.path.exists(os.path.join(source, name)):
                shutil.copy(os.path.join(source, name), work)
        if drawing_before is not None:
            with open(os.path.join(work, DRAWING), 'wb') as f:
                f.write(drawing_before)
        if make:
            make(work)

        def limited():
            # Writing past the limit fails with EFBIG instead of ending the process.
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, file_size_limit))
        done = subprocess.run(command + list(args), cwd=work, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=60, preexec_fn=limited if file_size_limit else None)
        path = os.path.join(work, DRAWING)
        drawing = open(path, 'rb').read() if os.path.isfile(path) else None
        left = sorted(set(os.listdir(work)) - set(INPUTS) - {DRAWING, CONTINUATION})
        check(not left, f'{args}: left behind: {left}')
    return done.returncode, done.stdout, done.stderr, drawing


def first_difference(want, got):
    a, b = want.split(b'\r\n'), got.split(b'\r\n')
    for i in range(max(len(a), len(b))):
        x = a[i] if i < len(a) else b'<end of file>'
        y = b[i] if i < len(b) else b'<end of file>'
        if x != y:
            return f'line {i + 1}: expected {x!r}, got {y!r}'
    return 'same lines, different line ends'


def golden(exe, case):
    read = lambda name: open(os.path.join(case, name), 'rb').read()
    exists = lambda name: os.path.isfile(os.path.join(case, name))
    before = read('before.dxf') if exists('before.dxf') else None
    status, out, err, drawing = run(exe, case, drawing_before=before)
    check(status == int(read('expected.status')), f'exit status {status}, expected {read("expected.status")!r}')
    check(out == console(read('expected.stdout')), f'console {out!r}, expected {console(read("expected.stdout"))!r}')
    check(err == b'', f'error output {err!r}')
    if not exists('expected.dxf'):
        # A failed run: the earlier drawing stays exactly as it was, or there is none.
        check(drawing == before, f'a failed run left a drawing of {len(drawing or b"")} bytes, expected '
                                 f'{"the earlier one" if before else "none"}')
    elif drawing is None:
        check(False, 'no drawing written')
    elif drawing != read('expected.dxf'):
        check(False, 'drawing differs, ' + first_difference(read('expected.dxf'), drawing))


def missing(exe, name, case):
    """Whichever input is missing, an earlier drawing stays as it was and none is made."""
    message = console(f"can't create {name}\n".encode())
    for before in (None, b'0\r\nSECTION\r\n'):
        status, out, _, drawing = run(exe, case, leave_out=(name,), drawing_before=before)
        check(status == 1, f'exit status {status}, expected 1')
        check(out == message, f'console {out!r}, expected {message!r}')
        check(drawing == before, f'drawing {drawing!r:.60} after the run, expected {before!r}')


# Entities of the example's drawing, by kind (HIDDEN and PHANTOM lines apart) and layer.
# The example has 10 band rows, 24 stations (16 whole, 8 plus), 23 ground points (20 of them
# at a station's chainage), 4 VIPs with curves of 60 m and 50 m at the two interior ones
# (6 and 5 stations lie on them, ends included), 2 horizontal curves, 2 superelevation rows
# and 3 annotations. Elevation interval 50 mm, profile height 110 mm: levels 1 and 2.
# Every ground point lies between 45 m (level 1) and 50 m (level 2) except No.5 at 50.35 m.
EXAMPLE_ENTITIES = {
    ('LINE', 'D-TTL-BAND'):
        4 * 10 + 4 * 10      # title and data cell of every band row
        + 24 * 9             # one tick per station in each of the 9 gaps between rows
        + 2 * 4 + 1          # curvature diagram: straight and step per curve, last straight
        + 1                  # superelevation zero line
        + 3 * 2,             # annotation leaders
    ('TEXT', 'D-TTL-BAND'):
        10                   # row titles
        + 24 + 23            # station numbers, ground heights
        + 24 + 20 + 24 + 24  # planned height; cut or fill at 20 ground points; the two distances
        + 2 * 8              # curvature: radius, six captions and the straight's R=inf per curve
        + 2 + 2 * 2          # superelevation legend, two percentages per row
        + 3 * 2,             # annotation text and station
    ('PHANTOM LINE', 'D-TTL-BAND'): 1 + 2 * 4 + 1,  # legend, 4 per row, closing straight
    ('HIDDEN LINE', 'D-TTL-BAND'): 1 + 2 * 4 + 1,   # the same for the left side
    ('LINE', 'D-STR'):
        1 + 1 + 3            # datum line, elevation axis, scale triangle
        + 5 + 5 + 2          # minor ticks of the two intervals, major tick per level
        + 4 + 3              # VIP markers, grade lines between them
        + 2 * (10 + 4 + 1)   # chords, two arrowheads of two strokes, dimension line per curve
        + 6 + 5              # offset line per station on a vertical curve
        + 3 * 5,             # grade symbol per segment
    ('TEXT', 'D-STR'):
        3 + 2                # two scales and the datum; level labels
        + 2 * 2 + 6 + 5      # length and radius per curve; offset per station on a curve
        + 4 + 3 * 2,         # VIP heights; grade and length per segment
    ('CIRCLE', 'D-STR'): 4,  # one per VIP in the grade-line row
    ('LINE', 'D-BGD'): 23 + 22,  # drop line per ground point, ground line segments
    ('HIDDEN LINE', 'D-BGD'):
        22                   # level 1 under every ground segment
        + 2,                 # level 2 from the crossing to No.5 on either side
}


def example_first_stage():
    """(kind, layer) of each entity of the first stage, in drawing order: band cells and titles,
    station and ground rows, then the profile frame, ground line and grid."""
    band, structure, ground = 'D-TTL-BAND', 'D-STR', 'D-BGD'
    seq = []
    for _ in range(10):                       # title cell (4 lines) and its title, bottom row first
        seq += [('LINE', band)] * 4 + [('TEXT', band)]
    seq += [('LINE', band)] * 40              # data cells
    for _ in range(24):                       # station number, then a tick in each of the 9 gaps
        seq += [('TEXT', band)] + [('LINE', band)] * 9
    seq += [('TEXT', band)] * 23              # ground heights
    seq += [('LINE', structure)] * 5          # datum line, elevation axis, scale triangle
    seq += [('TEXT', structure)] * 3          # the two scales and the datum level
    seq += [('LINE', structure)] * 5          # minor ticks up to level 1
    seq += [('LINE', structure), ('TEXT', structure)] + [('LINE', structure)] * 5  # level 1
    seq += [('LINE', structure), ('TEXT', structure)]                              # level 2
    seq += [('LINE', ground)] * (1 + 2 * 22)  # drop line per point, segment from the second on
    seq += [('HIDDEN LINE', ground)] * 24     # grid under the ground line
    return seq


def entities(lines):
    """(kind, layer) and the groups of each entity of the ENTITIES section."""
    i = lines.index(b'ENTITIES') + 2
    while lines[i] != b'ENDSEC':
        kind, groups = lines[i].decode(), {}
        i += 1
        while lines[i] != b'0':
            groups[int(lines[i])] = lines[i + 1]
            i += 2
        i += 1
        line_type = groups.get(6, b'').decode()
        yield (f'{line_type} {kind}'.strip(), groups[8].decode()), groups


def example(exe, folder):
    status, out, err, drawing = run(exe, folder)
    check(status == 0 and out == b'' and err == b'', f'status {status}, console {out!r} {err!r}')
    if drawing is None:
        check(False, 'no drawing written')
        return
    check(drawing.endswith(b'\r\n') and drawing.count(b'\n') == drawing.count(b'\r\n')
          and drawing.count(b'\r') == drawing.count(b'\r\n'), 'a line does not end in CR LF')
    lines = drawing.split(b'\r\n')[:-1]
    head = [b'0', b'SECTION', b'2', b'TABLES', b'0', b'TABLE', b'2', b'LTYPE']
    check(lines[:8] == head, f'document starts {lines[:8]!r}')
    check(lines[-3:] == [b'ENDSEC', b'0', b'EOF'], f'document ends {lines[-3:]!r}')
    counts = collections.Counter()
    order = []
    colours = {'D-TTL-BAND': b'7', 'D-STR': b'3', 'D-BGD': b'1'}
    try:
        for key, groups in entities(lines):
            counts[key] += 1
            order.append(key)
            if key[0] != 'CIRCLE':
                check(groups.get(62) == colours.get(key[1]), f'{key} with colour {groups.get(62)!r}')
    except (IndexError, KeyError, ValueError):
        check(False, f'ENTITIES section cut short or malformed after {sum(counts.values())} entities')
    first = example_first_stage()
    check(order[:len(first)] == first and order[len(first):len(first) + 1] == [('TEXT', 'D-TTL-BAND')],
          'the first stage is not drawn in its order')
    for key in sorted(set(counts) | set(EXAMPLE_ENTITIES)):
        check(counts[key] == EXAMPLE_ENTITIES.get(key, 0),
              f'{key}: {counts[key]} entities, expected {EXAMPLE_ENTITIES.get(key, 0)}')


def full_disk(exe, case):
    """A drawing that cannot be written whole is a failed run, not a finished one, and the earlier
    drawing stays. The disk fills at a file size limit of 16 KiB, a quarter of the drawing: writing
    past it fails (EFBIG), under Wine as on Linux."""
    before = b'an older drawing\r\n'
    status, out, _, drawing = run(exe, case, drawing_before=before, file_size_limit=16384)
    check(status == 1, f'exit status {status}, expected 1')
    check(out == console(b"can't write Tesmora.dxf\n"), f'console {out!r}')
    check(drawing == before, f'full disk: drawing {drawing!r:.60}, expected the earlier one')


def unreplaceable(exe, case):
    """A Tesmora.dxf that cannot be replaced is refused at once: before the layer file is read
    (it is missing here, and the message still names the drawing), and it stays as it was."""
    message = console(b"can't create Tesmora.dxf\n")
    status, out, _, _ = run(exe, case, leave_out=('GasouT.dat',), make=lambda w: os.mkdir(os.path.join(w, DRAWING)))
    check(status == 1 and out == message, f'Tesmora.dxf a folder: status {status}, console {out!r}')

    def read_only(work):
        path = os.path.join(work, DRAWING)
        with open(path, 'wb') as f:
            f.write(b'edited in CAD\r\n')
        os.chmod(path, 0o444)
    # Root may write to a read-only file on Linux; Windows (and Wine) refuse it to everyone.
    if windows or os.geteuid() != 0:
        status, out, _, drawing = run(exe, case, leave_out=('GasouT.dat',), make=read_only)
        check(status == 1 and out == message, f'a read-only Tesmora.dxf: status {status}, console {out!r}')
        check(drawing == b'edited in CAD\r\n', f'a read-only Tesmora.dxf changed: {drawing!r:.60}')


def folders(exe, case):
    """profile-sheet DIR ...: draws in each folder in order; a refusal is named by its folder; the
    status is 0 when every folder was drawn, else 1. Names with spaces, Japanese and an emoji, and
    a folder inside another, in the platform's notation. Under Wine with code page 932 and 1252."""
    want = open(os.path.join(case, 'expected.dxf'), 'rb').read()
    stations31 = os.path.join(os.path.dirname(case), 'station-limit')
    named = {'a': case, 'b b': case, '\u7e26\u65ad\u56f3 \U0001F600': case, 'set/02': stations31}
    sep = b'\\' if windows else b'/'
    for lang in locales:
        def make(work):
            for folder, source in named.items():
                os.makedirs(os.path.join(work, folder))
                for name in INPUTS:
                    if not (folder == 'b b' and name == 'GasouT.dat'):
                        shutil.copy(os.path.join(source, name), os.path.join(work, folder, name))
        with tempfile.TemporaryDirectory(prefix='profile-sheet-e2e-') as work:
            make(work)
            env = dict(os.environ, LANG=lang)
            done = subprocess.run(exe + list(named), cwd=work, stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=60, env=env)
            limit = b'\x8c\x76\x89\xe6\x8d\x82\x90\x94\x82\xaa30\x8c\xc2\x82\xcc\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42'  # 計画高数が30個の制限を超えています。
            expected = console(b"b b: can't create GasouT.dat\n" + b'set' + sep + b'02: ' + limit + b'\n')
            check(done.returncode == 1 and done.stdout == expected and done.stderr == b'',
                  f'{lang}: folders: status {done.returncode}, console {done.stdout!r} {done.stderr!r}')
            for folder in named:
                path = os.path.join(work, folder, DRAWING)
                drawing = open(path, 'rb').read() if os.path.isfile(path) else None
                drawn = folder in ('a', '\u7e26\u65ad\u56f3 \U0001F600')
                check(drawing == (want if drawn else None), f'{lang}: {folder}: drawing of {len(drawing or b"")} bytes')
                left = sorted(set(os.listdir(os.path.join(work, folder))) - set(INPUTS) - {DRAWING})
                check(not left, f'{lang}: {folder}: left behind: {left}')
            done = subprocess.run(exe + ['a', '\u7e26\u65ad\u56f3 \U0001F600'], cwd=work, stdin=subprocess.DEVNULL,
                                  capture_output=True, timeout=60, env=env)
            check(done.returncode == 0 and done.stdout == b'' and done.stderr == b'',
                  f'{lang}: two good folders: status {done.returncode}, console {done.stdout!r} {done.stderr!r}')


def command_line(exe, case):
    usage = '使い方: profile-sheet [DIR ...]'.encode('cp932')
    helps = ['--help', '-h'] + (['/?'] if windows else [])
    for option in helps:
        status, out, err, drawing = run(exe, case, args=[option])
        check(status == 0 and out.startswith(usage) and err == b'' and drawing is None,
              f'{option}: status {status}, output {out[:60]!r}, error output {err!r}, drawing {drawing is not None}')
    if not windows:  # a folder name on Linux
        status, out, _, _ = run(exe, case, args=['/?'])
        check(status == 1 and out == b"/?: can't create Tesmo.dat\n", f'/? on Linux: {status} {out!r}')
    status, out, err, _ = run(exe, case, args=['--version'])
    check(status == 0 and err == b'' and re.fullmatch(
        rb'profile-sheet \d+\.\d+\.\d+ \(' + (b'Windows' if windows else b'Linux') + rb' \S+\)' + line_end, out),
        f'--version: {status} {out!r} {err!r}')
    status, out, err, drawing = run(exe, case, args=['--bogus'])
    check(status == 2 and out == b'' and drawing is None and '--bogus'.encode() in err and usage in err,
          f'--bogus: status {status}, output {out!r}, error output {err[:80]!r}')
    status, out, _, _ = run(exe, case, args=['--', '-x'])
    check(status == 1 and out == console(b"-x: can't create Tesmo.dat\n"), f'-- -x: {status} {out!r}')


def main(argv):
    global line_end, windows
    command, line_end, (mode, *args) = program_command.split(argv[1:])
    windows = line_end == b'\r\n'
    if mode == 'folders' and program_command.missing_locales():
        check(False, f'locales {program_command.missing_locales()} are not installed: tools/packages.sh generates them')
    {'golden': golden, 'missing': missing, 'example': example, 'full-disk': full_disk, 'unreplaceable': unreplaceable,
     'folders': folders, 'command-line': command_line}[mode](command, *args)
    for failure in dict.fromkeys(failures):
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
