#!/usr/bin/env python3
"""Whole runs of profile-sheet in a scratch folder.

usage: whole_run.py PROGRAM -- golden CASE_DIR        inputs of CASE_DIR (with its Tsuzuki.dat when
                                                      it has one); drawing, console and status
                                                      equal expected.dxf, expected.stdout,
                                                      expected.status
       whole_run.py PROGRAM -- missing NAME CASE_DIR  the inputs of CASE_DIR without NAME
       whole_run.py PROGRAM -- example EXAMPLES_DIR   the bundled example: document frame, line
                                                      ends, entity counts per kind and layer
       whole_run.py PROGRAM -- full-disk CASE_DIR     the drawing cannot be written (/dev/full)
PROGRAM is the command that runs profile-sheet (see tests/support/program_command.py).
Exit status 0 when every check holds; otherwise each failed check is printed and the status is 1.
"""
import collections
import os
import shutil
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


def console(text):
    return program_command.console(text, line_end)


def check(ok, what):
    if not ok:
        failures.append(what)


def run(command, source, leave_out=(), drawing_before=None, drawing_link=None):
    """Runs the program in a fresh folder holding the inputs of source (less leave_out).
    Returns (status, stdout, stderr, drawing bytes or None)."""
    with tempfile.TemporaryDirectory(prefix='profile-sheet-e2e-') as work:
        for name in INPUTS + (CONTINUATION,):
            if name not in leave_out and os.path.exists(os.path.join(source, name)):
                shutil.copy(os.path.join(source, name), work)
        if drawing_link is not None:
            os.symlink(drawing_link, os.path.join(work, DRAWING))
        if drawing_before is not None:
            with open(os.path.join(work, DRAWING), 'wb') as f:
                f.write(drawing_before)
        done = subprocess.run(command, cwd=work, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        path = os.path.join(work, DRAWING)
        drawing = open(path, 'rb').read() if os.path.exists(path) and drawing_link is None else None
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
    status, out, err, drawing = run(exe, case)
    read = lambda name: open(os.path.join(case, name), 'rb').read()
    check(status == int(read('expected.status')), f'exit status {status}, expected {read("expected.status")!r}')
    check(out == console(read('expected.stdout')), f'console {out!r}, expected {console(read("expected.stdout"))!r}')
    check(err == b'', f'error output {err!r}')
    if drawing is None:
        check(False, 'no drawing written')
    elif drawing != read('expected.dxf'):
        check(False, 'drawing differs, ' + first_difference(read('expected.dxf'), drawing))


def missing(exe, name, case):
    message = console(f"can't create {name}\n".encode())
    earlier = b'0\r\nSECTION\r\n'
    for before in (None, earlier):
        status, out, _, drawing = run(exe, case, leave_out=(name,), drawing_before=before)
        check(status == 1, f'exit status {status}, expected 1')
        check(out == message, f'console {out!r}, expected {message!r}')
        if name == 'Tesmo.dat':
            # Nothing has been opened for writing yet: an earlier drawing stays as it was.
            check(drawing == before, f'drawing {drawing!r} after the run, expected {before!r}')
        else:
            # The drawing was created (or truncated) before the failing open.
            check(drawing == b'', f'drawing {drawing!r} after the run, expected an empty file')


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
    """A drawing that cannot be written whole is a failed run, not a finished one.
    Under Wine this holds because Wine follows the link to /dev/full and gets the
    write error from Linux; Windows itself has no such device."""
    if not os.path.exists('/dev/full'):
        check(False, 'no /dev/full on this machine')
        return
    status, out, _, _ = run(exe, case, drawing_link='/dev/full')
    check(status == 1, f'exit status {status}, expected 1')
    check(out == console(b"can't write Tesmora.dxf\n"), f'console {out!r}')


def main(argv):
    global line_end
    command, line_end, (mode, *args) = program_command.split(argv[1:])
    {'golden': golden, 'missing': missing, 'example': example, 'full-disk': full_disk}[mode](command, *args)
    for failure in dict.fromkeys(failures):
        print(failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
