"""Acceptance of profile-sheet drawings by independent DXF readers.

  acceptance.py check DRAWING INPUT_DIR          check one drawing against its inputs
  acceptance.py inputs PROGRAM -- DIR...         run the program on input folders, check each drawing
  acceptance.py generated PROGRAM --             the same for inputs written here (small, large, ...)
  acceptance.py broken PROGRAM -- DIR            broken copies of a good drawing must all be rejected
  acceptance.py librecad PROGRAM -- DIR          LibreCAD turns the drawing into a PDF with ink on it
  acceptance.py set PROGRAM -- DIR...            sheets of a set (with Tsuzuki.dat): ezdxf reads them
                                                 without being told the encoding, and shows the
                                                 Japanese texts
  acceptance.py librecad-set PROGRAM -- DIR      LibreCAD decodes a sheet of a set's Shift-JIS texts
                                                 as it decodes the same texts written in UTF-8

PROGRAM is the command that runs profile-sheet (see tests/support/program_command.py).

Run it with /usr/bin/python3: ezdxf comes from the Debian package python3-ezdxf.
"""
import collections
import math
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    import ezdxf
except ImportError:
    sys.exit(f"FAIL: {sys.executable} cannot import ezdxf; install python3-ezdxf "
             "(tests/acceptance/setup.sh does) and run with /usr/bin/python3")

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))
import program_command  # noqa: E402
import sheet_model  # noqa: E402

INPUTS = ("Tesmo.dat", "GasouT.dat", "temp.cd5")
CONTINUATION = "Tsuzuki.dat"  # a sheet of a set has one as well
KINDS = {"LINE", "TEXT", "CIRCLE"}
INFINITY_CAPTION = "R=\u221e"


def check(drawing, input_dir):
    """Every problem a reader finds in the drawing; an empty list means accepted."""
    try:
        doc = ezdxf.readfile(str(drawing), encoding="cp932", errors="strict")
    except Exception as error:  # structure and decoding errors alike
        return [f"does not load: {type(error).__name__}: {error}"]
    profile, layer_names, titles = sheet_model.load_inputs(input_dir)
    layer_names = {name.decode("cp932") for name in layer_names}
    problems = []
    if "KANJI" not in doc.styles:
        problems.append("text style KANJI missing from the STYLE table")
    for name in sorted(layer_names - {layer.dxf.name for layer in doc.layers}):
        problems.append(f"layer {name} of GasouT.dat missing from the LAYER table")
    for layer in doc.layers:
        if layer.dxf.linetype not in doc.linetypes:
            problems.append(f"layer {layer.dxf.name} names missing line type {layer.dxf.linetype}")

    counts, texts = collections.Counter(), []
    for index, entity in enumerate(doc.modelspace(), 1):
        kind, layer = entity.dxftype(), entity.dxf.layer
        where = f"entity {index} ({kind})"
        if kind not in KINDS:
            problems.append(f"{where}: entity kind not drawn by the sheet")
        if layer not in layer_names or layer not in doc.layers:
            problems.append(f"{where}: layer {layer!r} is not a layer of GasouT.dat in the drawing")
        if entity.dxf.hasattr("linetype"):
            if entity.dxf.linetype not in doc.linetypes:
                problems.append(f"{where}: line type {entity.dxf.linetype} missing from LTYPE")
            kind += "/" + entity.dxf.linetype
        if entity.dxftype() == "TEXT":
            if entity.dxf.style != "KANJI":
                problems.append(f"{where}: text style {entity.dxf.style!r}, not KANJI")
            texts.append(entity.dxf.text)
        counts[layer, kind] += 1

    # No fix is known to be harmless here: a drawing the auditor has to mend is rejected.
    auditor = doc.audit()
    problems += [f"auditor error: {e.message}" for e in auditor.errors]
    problems += [f"auditor fix: {e.message}" for e in auditor.fixes]

    expected = sheet_model.expected_counts(profile, titles)
    for key in sorted(set(expected) | set(counts)):
        if expected.get(key, 0) != counts.get(key, 0):
            problems.append(f"{key[0]} {key[1]}: {counts.get(key, 0)} entities, "
                            f"the inputs call for {expected.get(key, 0)}")

    wanted = [t.decode("cp932") for t in titles] or [""]
    if list(reversed(texts[:len(wanted)])) != wanted:
        problems.append(f"row titles read back as {list(reversed(texts[:len(wanted)]))}, "
                        f"temp.cd5 holds {wanted}")
    straights = len(profile["curves"]) if sheet_model.band_row(titles, "平面線形曲率図") else 0
    if texts.count(INFINITY_CAPTION) != straights:
        problems.append(f"{texts.count(INFINITY_CAPTION)} captions {INFINITY_CAPTION}, "
                        f"{straights} expected")
    missing = (collections.Counter(n[2].decode("cp932") for n in profile["notes"])
               - collections.Counter(texts))
    if missing:
        problems.append(f"annotation texts not read back: {sorted(missing)}")
    return problems


def run_program(binary, input_dir, work):
    """Runs the program on the three inputs in a scratch folder; returns the drawing's path."""
    work.mkdir(parents=True, exist_ok=True)
    for name in INPUTS:
        if not (Path(input_dir) / name).is_file():
            raise SystemExit(f"FAIL: {input_dir} lacks {name}")
        shutil.copy(Path(input_dir) / name, work / name)
    if (Path(input_dir) / CONTINUATION).is_file():
        shutil.copy(Path(input_dir) / CONTINUATION, work / CONTINUATION)
    done = subprocess.run(binary, cwd=work, capture_output=True, timeout=60)
    if done.returncode != 0 or done.stdout:
        raise SystemExit(f"FAIL: {' '.join(binary)} in {work}: status {done.returncode}, "
                         f"output {done.stdout!r}")
    return work / "Tesmora.dxf"


def check_runs(binary, cases):
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for name, input_dir in cases:
            problems = check(run_program(binary, input_dir, Path(tmp) / name), input_dir)
            print(f"{'ok  ' if not problems else 'FAIL'} {name}")
            for problem in problems[:20]:
                print(f"     {problem}")
            failed += bool(problems)
    return failed


# Generated inputs -----------------------------------------------------------

ALL_TITLES = ["測点番号", "地盤高", "計画高", "切土高", "盛土高", "追加距離", "単距離",
              "縦断勾配線", "平面線形曲率図", "片勾配摺付図"]
LAYERS = " 7  1  0.00 D-TTL-BAND\n 3  1  0.25 D-STR\n 1  2  0.00 D-BGD\n"


def station_of(ch, interval=20.0):
    return int(ch // interval), round(ch - interval * int(ch // interval), 3)


def profile_text(header, ground, stations, vips, curves, supers, notes, runoff=None):
    def table(count_line, rows):
        return [count_line] + [",".join(map(str, row)) for row in rows]
    lines = [",".join(map(str, header))]
    lines += table(str(len(ground)), ground) + table(str(len(stations)), stations)
    lines += table(str(len(vips)), vips) + table(f"{len(curves)},0.0", curves)
    lines += table(f"{len(supers)}" + (f",{runoff}" if runoff else ""), supers)
    lines += table(f"{len(notes)}f", [(n, p, f'"{t}"') for n, p, t in notes])
    return "\n".join(lines) + "\n"


def stations_at(chainages):
    rows, previous = [], 0.0
    for ch in chainages:
        rows.append((*station_of(ch), 0.0, ch - previous))
        previous = ch
    return rows


def generated_inputs():
    """{name: (Tesmo.dat, temp.cd5 titles)}: every folder also gets LAYERS as GasouT.dat."""
    header = [10, 2, 1000, 100, 400, 60, 10.0, 1.0, 20, 0, 0, 0, 20,
              2.5, 3.5, 2.5, 3, 3, 2, 2.0, 0.8, 1.0, 0.8, 1.0, 1.0, 0.8]
    small = profile_text(header, [(0, 0.0, 12.0), (1, 5.5, 13.2), (2, 0.0, 12.5)],
                         stations_at([0.0, 20.0, 40.0]), [(0, 0.0, 12.0, 0), (2, 0.0, 13.0, 0)],
                         [(0, 5.0, 1, 15.0, 120.0)], [(0, 5.0, 1, 15.0, 4.0)], [(1, 0.0, "起点")])

    big = [12, 3, 500, 200, 1300, 100, 38.0, 2.0, 20, 0, 0, 0, 25,
           2, 3.5, 2.5, 3, 3, 2, 2.0, 0.8, 1.0, 0.8, 1.0, 1.0, 0.8]
    station_ch = sorted([20.0 * k for k in range(28)] + [110.0, 347.5])  # 30, the limit
    ground_ch = sorted(set(station_ch) | {3.5 * k for k in range(155)})
    height = lambda ch: round(45 + 4 * math.sin(ch / 60) + 1.5 * math.sin(ch / 17), 3)
    vips = [(*station_of(ch), round(44 + 3 * math.sin(ch / 45), 2), 0 if ch == 200 else 20)
            for ch in [40.0 * k for k in range(14)] + [540.0]]
    spans = [(0, 70), (110, 140), (180, 225), (260, 300), (360, 400), (460, 500)]
    radii = [300.0, -250.0, 600.0, -180.0, 0.0, 450.0]
    large = profile_text(
        big, [(*station_of(ch), height(ch)) for ch in ground_ch], stations_at(station_ch), vips,
        [(*station_of(a), *station_of(b), r) for (a, b), r in zip(spans, radii)],
        [(*station_of(a + 10), *station_of(b - 10), 3.0 + k, 0.0) for k, (a, b) in enumerate(spans)],
        [(*station_of(ch), t) for ch, t in zip(range(15, 540, 60),
                                               ["BC", "EC", "函渠", "橋梁始点", "橋梁終点", "BVC",
                                                "EVC", "交差点", "水路"])], runoff=15.0)
    empty = profile_text(header, [], [], [], [], [], [])
    return {"small": (small, ALL_TITLES), "large": (large, ALL_TITLES),
            "missing-rows": (small, ["計画高", "縦断勾配線", "備考", "単距離"]),
            "no-rows": (small, []), "empty-tables": (empty, ALL_TITLES)}


def write_generated(root):
    cases = []
    for name, (profile, titles) in generated_inputs().items():
        folder = root / f"input-{name}"
        folder.mkdir(parents=True)
        (folder / "Tesmo.dat").write_bytes(profile.encode("cp932"))
        (folder / "temp.cd5").write_bytes("".join(t + "\r\n" for t in titles).encode("cp932"))
        (folder / "GasouT.dat").write_text(f"3\n{LAYERS}")
        cases.append((name, folder))
    return cases


# Broken drawings -------------------------------------------------------------

def breakages(lines):
    """(name, broken lines) pairs, each a fault a real reader must not let pass."""
    ent = lines.index(b"ENTITIES")
    at = lambda value, start=ent: lines.index(value, start)
    def replaced(i, value):
        return lines[:i] + [value] + lines[i + 1:]
    style = at(b"KANJI", 0)
    first_line = at(b"LINE")
    bgd = at(b"D-BGD", 0)
    return [
        ("TEXT style renamed on the entity", replaced(at(b"KANJI"), b"KANJI2")),
        ("KANJI entry removed from the STYLE table", lines[:style - 2] + lines[style + 18:]),
        ("group code 10 of a LINE without its value", lines[:first_line + 8] + lines[first_line + 9:]),
        ("group code 1 of a TEXT without its value", lines[:at(b"KANJI") - 2] + lines[at(b"KANJI") - 1:]),
        ("entity on an undefined layer", replaced(first_line + 2, b"D-NONE")),
        ("D-BGD entry removed from the LAYER table", lines[:bgd - 2] + lines[bgd + 8:]),
        ("LINE names a line type missing from LTYPE", replaced(at(b"HIDDEN"), b"DASHED")),
        ("CIRCLE turned into an ARC", replaced(at(b"CIRCLE"), b"ARC")),
        ("one LINE lost", lines[:first_line] + lines[first_line + 20:]),
        ("a title with a broken Shift-JIS byte", replaced(at(b"KANJI") - 2, b"\x81\x20")),
        ("a row title changed", replaced(at(b"KANJI") - 2, b"XX")),
        ("the infinity sign lost", [b"R=8" if ln == "R=∞".encode("cp932") else ln for ln in lines]),
        ("EOF missing", lines[:-2]),
    ]


def check_breakages(binary, input_dir):
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        good = run_program(binary, input_dir, Path(tmp) / "good")
        problems = check(good, input_dir)
        print(f"{'ok  ' if not problems else 'FAIL'} unbroken drawing accepted {problems[:3]}")
        failed += bool(problems)
        for name, broken in breakages(good.read_bytes().split(b"\r\n")):
            path = Path(tmp) / "broken.dxf"
            path.write_bytes(b"\r\n".join(broken))
            problems = check(path, input_dir)
            print(f"{'ok  ' if problems else 'FAIL'} {name}: "
                  f"{problems[0] if problems else 'accepted'}")
            failed += not problems
    return failed


def check_librecad(binary, input_dir):
    librecad = shutil.which("librecad")
    if not librecad or not shutil.which("pdftoppm"):
        sys.exit("FAIL: librecad or pdftoppm missing; install librecad poppler-utils "
                 "(tests/acceptance/setup.sh does)")
    with tempfile.TemporaryDirectory() as tmp:
        drawing = run_program(binary, input_dir, Path(tmp))
        pdf = drawing.with_suffix(".pdf")  # its -o takes no value in this version
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tmp)
        try:  # LibreCAD waits for a dialog nobody sees on a drawing it cannot read
            done = subprocess.run([librecad, "dxf2pdf", "-a", str(drawing)],
                                  env=env, capture_output=True, timeout=60)
        except subprocess.TimeoutExpired:
            sys.exit("FAIL: librecad dxf2pdf hung on the drawing (it does so on unreadable ones)")
        log = (done.stdout + done.stderr).decode(errors="replace")
        if done.returncode != 0 or "ERROR" in log or not pdf.is_file():
            sys.exit(f"FAIL: librecad dxf2pdf: status {done.returncode}\n{log}")
        gray = subprocess.run(["pdftoppm", "-r", "20", "-gray", str(pdf)],
                              capture_output=True, check=True).stdout
        ink = sum(1 for b in gray[gray.index(b"255\n") + 4:] if b < 128)
        print(f"{'ok  ' if ink > 500 else 'FAIL'} librecad dxf2pdf: {pdf.stat().st_size} bytes, "
              f"{ink} dark pixels at 20 dpi")
        return ink <= 500


# Sheets of a set -----------------------------------------------------------

def continuation_names(input_dir):
    """The road's and the project's names as the sheet writes them."""
    names = []
    for line in (Path(input_dir) / CONTINUATION).read_bytes().decode("cp932").splitlines():
        keyword, _, text = line.partition(" ")
        if keyword == "ROAD":
            names.append("路線名 " + text.strip())
        elif keyword == "PROJECT":
            names.append("業務名 " + text.strip())
    return names


def check_set(drawing, input_dir):
    """A sheet of a set read as any reader that follows the DXF rules reads it: ezdxf without
    an encoding takes the code page from the HEADER."""
    try:
        doc = ezdxf.readfile(str(drawing), errors="strict")
    except Exception as error:
        return [f"does not load without an encoding: {type(error).__name__}: {error}"]
    problems = []
    if doc.encoding != "cp932" or doc.dxfversion != "AC1009":
        problems.append(f"read as {doc.encoding}, version {doc.dxfversion}: not cp932, AC1009")
    _, layer_names, titles = sheet_model.load_inputs(input_dir)
    layer_names = {name.decode("cp932") for name in layer_names}
    texts = [e.dxf.text for e in doc.modelspace().query("TEXT")]
    for wanted in [t.decode("cp932") for t in titles] + continuation_names(input_dir):
        if wanted not in texts:
            problems.append(f"{wanted!r} not among the texts read back")
    if any(e.dxf.layer not in layer_names for e in doc.modelspace()):
        problems.append("an entity on a layer that GasouT.dat does not define")
    auditor = doc.audit()
    problems += [f"auditor: {e.message}" for e in auditor.errors + auditor.fixes]
    return problems


def check_set_runs(binary, folders):
    failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        for folder in folders:
            name = Path(folder).name
            problems = check_set(run_program(binary, folder, Path(tmp) / name), folder)
            print(f"{'ok  ' if not problems else 'FAIL'} {name} read without an encoding")
            for problem in problems[:20]:
                print(f"     {problem}")
            failed += bool(problems)
    return failed


def librecad_pixels(drawing, tmp):
    """LibreCAD's dxf2pdf of the drawing, as grey pixels at 50 dpi."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tmp)
    try:
        done = subprocess.run(["librecad", "dxf2pdf", "-a", str(drawing)], env=env, capture_output=True,
                              timeout=60)
    except subprocess.TimeoutExpired:
        sys.exit(f"FAIL: librecad dxf2pdf hung on {drawing.name}")
    pdf = drawing.with_suffix(".pdf")
    if done.returncode != 0 or not pdf.is_file():
        sys.exit(f"FAIL: librecad dxf2pdf on {drawing.name}: status {done.returncode}")
    return subprocess.run(["pdftoppm", "-r", "50", "-gray", str(pdf)], capture_output=True, check=True).stdout


def check_librecad_set(binary, input_dir):
    """LibreCAD draws the sheet exactly as it draws the same sheet with its texts in UTF-8 (a
    drawing of version AC1021, whose texts every reader takes as UTF-8): it decodes the Shift-JIS
    by the declared code page. Without the declaration it draws something else."""
    if not shutil.which("librecad") or not shutil.which("pdftoppm"):
        sys.exit("FAIL: librecad or pdftoppm missing; install librecad poppler-utils "
                 "(tests/acceptance/setup.sh does)")
    with tempfile.TemporaryDirectory() as tmp:
        drawing = run_program(binary, input_dir, Path(tmp) / "sheet")
        lines = drawing.read_bytes().split(b"\r\n")
        utf8 = [{b"AC1009": b"AC1021", b"ANSI_932": b"ANSI_1252"}.get(line, line).decode("cp932").encode("utf-8")
                for line in lines]
        (Path(tmp) / "utf8.dxf").write_bytes(b"\r\n".join(utf8))
        undeclared = lines[lines.index(b"ENDSEC") + 1:]
        (Path(tmp) / "undeclared.dxf").write_bytes(b"\r\n".join(undeclared))
        sheet, same, other = (librecad_pixels(Path(tmp) / name, tmp)
                              for name in ("sheet/Tesmora.dxf", "utf8.dxf", "undeclared.dxf"))
        ok = sheet == same and sheet != other
        print(f"{'ok  ' if ok else 'FAIL'} librecad: the sheet drawn as its UTF-8 twin "
              f"({sheet == same}), unlike the sheet without its HEADER ({sheet != other})")
        return not ok


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    command, args = argv[1], argv[2:]
    if command != "check":
        program, _, rest = program_command.split(args)
        args = [program] + rest
    if command == "check":
        problems = check(args[0], args[1])
        print("\n".join(problems) or "ok")
        return bool(problems)
    if command == "inputs":
        return check_runs(args[0], [(Path(d).name, Path(d)) for d in args[1:]])
    if command == "generated":
        with tempfile.TemporaryDirectory() as tmp:
            return check_runs(args[0], write_generated(Path(tmp)))
    if command == "broken":
        return check_breakages(args[0], args[1])
    if command == "librecad":
        return check_librecad(args[0], args[1])
    if command == "set":
        return check_set_runs(args[0], args[1:])
    if command == "librecad-set":
        return check_librecad_set(args[0], args[1])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(1 if main(sys.argv) else 0)
