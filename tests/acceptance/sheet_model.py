"""An independent model of what profile-sheet draws, for the acceptance checks.

Reads the three input files with their scanf-style grammar and derives, from the
drawing rules of the sheet, how many entities of each kind land on each layer.
It models counts only: positions and printed values are left to the golden tests.
"""
import collections
import re
from pathlib import Path

_WS = b" \t\n\r\v\f"
_INT = re.compile(rb"[+-]?\d+")
_REAL = re.compile(rb"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")


class Scanner:
    """Just enough of scanf: %d, %lf, %s, literal bytes and white-space directives."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def _skip(self):
        while self.pos < len(self.data) and self.data[self.pos] in _WS:
            self.pos += 1

    def scan(self, fmt):
        """Returns the values converted before the first mismatch."""
        out = []
        for part in re.findall(r"%lf|%d|%s|\s+|.", fmt):
            if part.isspace():
                self._skip()
            elif part in ("%d", "%lf", "%s"):
                self._skip()
                if part == "%s":
                    m = re.compile(rb"[^ \t\n\r\v\f]+").match(self.data, self.pos)
                else:
                    m = (_INT if part == "%d" else _REAL).match(self.data, self.pos)
                if not m:
                    return out
                self.pos = m.end()
                out.append(m.group() if part == "%s" else (int if part == "%d" else float)(m.group()))
            elif self.data[self.pos:self.pos + 1] == part.encode():
                self.pos += 1
            else:
                return out
        return out


def _rows(sc, count_fmt, row_fmt, width):
    head = sc.scan(count_fmt)
    count = head[0] if head else 0
    rows = []
    for _ in range(max(count, 0)):
        values = sc.scan(row_fmt)
        rows.append(values + [0] * (width - len(values)))
    return rows, head


def read_profile(data):
    sc = Scanner(data)
    header = [0.0] + sc.scan(",".join(["%lf"] * 26))
    header += [0.0] * (27 - len(header))
    p = {"h": header}
    p["ground"], _ = _rows(sc, "%d\n", "%d,%lf,%lf", 3)
    p["stations"], _ = _rows(sc, "%d\n", "%d,%lf,%lf,%lf", 4)
    p["vips"], _ = _rows(sc, "%d\n", "%d,%lf,%lf,%lf", 4)
    p["curves"], _ = _rows(sc, "%d,%lf\n", "%d,%lf,%d,%lf,%lf", 5)
    p["supers"], head = _rows(sc, "%d,%lf\n", "%d,%lf,%d,%lf,%lf,%lf", 6)
    if len(head) == 2:
        header[13] = head[1]
    p["notes"], _ = _rows(sc, "%df\n", "%d,%lf,%s\n", 3)
    for row in p["notes"]:
        row[2] = row[2][1:-1] if isinstance(row[2], bytes) else b""
    return p


def read_layer_names(data):
    sc = Scanner(data)
    count = (sc.scan("%d") or [0])[0]
    return [(sc.scan(" %d  %d  %lf %s\n") + [0, 0, 0, b""])[3] for _ in range(max(count, 0))]


def read_titles(data):
    return data.split()[:20]


def chainage(stations, number, plus):
    total = 0.0
    for i, (n, p, _, interval) in enumerate(stations):
        if number > n or (number == n and plus > p):
            total += interval
            continue
        if number == n and plus == p:
            return total + interval
        return total + (plus - (stations[i - 1][1] if i else 0.0))
    return 0.0


def band_row(titles, key):
    """Row index (1 = bottom) of the first title sharing the key's first character, else 0."""
    rows = list(reversed(titles)) or [b""]
    for k, title in enumerate(rows, 1):
        if len(title) >= 2 and title[:2] == key.encode("cp932")[:2]:
            return k
    return 0


def expected_counts(profile, titles):
    """{(layer, kind): count}, kind being TEXT, CIRCLE, LINE or LINE/<line type>."""
    h, st = profile["h"], profile["stations"]
    ground, vips = profile["ground"], profile["vips"]
    rows = max(len(titles), 1)
    c = collections.Counter()
    band, frame, bgd = "D-TTL-BAND", "D-STR", "D-BGD"

    c[band, "LINE"] += 8 * rows                      # title and data cells
    c[band, "TEXT"] += rows                          # row titles
    c[band, "TEXT"] += len(st) + len(ground)         # station numbers, ground heights
    c[band, "LINE"] += len(st) * (rows - 1)          # station ticks in every gap

    levels = 1                                       # level 1 is always labelled
    while (levels + 1) * h[8] * 1000 / h[4] <= h[6]:
        levels += 1
    c[frame, "LINE"] += 2 + 3 + 5 * levels + levels  # datum, axis, scale symbol, ticks
    c[frame, "TEXT"] += 3 + levels                   # two scales, datum, level labels
    c[bgd, "LINE"] += len(ground) + max(len(ground) - 1, 0)
    ys = [(g[2] - h[7]) * 1000 / h[4] for g in ground]
    for q in range(1, 21):
        level = ((q * h[8] + h[7]) - h[7]) * 1000 / h[4]
        for ya, yb in zip(ys, ys[1:]):
            crosses = (ya > level and yb < level) or (ya < level and yb > level)
            if crosses or (ya >= level and yb >= level):
                c[bgd, "LINE/HIDDEN"] += 1

    station_ch = [chainage(st, s[0], s[1]) for s in st]
    matched = sum(1 for g in ground if chainage(st, g[0], g[1]) in station_ch)
    c[band, "TEXT"] += 3 * len(st) + matched         # planned, cumulative, interval; cut or fill

    c[frame, "LINE"] += len(vips) + max(len(vips) - 1, 0)   # VIP markers, grade lines
    for v in vips[1:-1]:
        centre = chainage(st, v[0], v[1])
        begin, end = centre - v[3] / 2, centre + v[3] / 2
        if begin != end:
            inside = sum(1 for ch in station_ch if begin <= ch <= end)
            c[frame, "LINE"] += 10 + 4 + 1 + inside  # chords, arrowheads, dimension, offsets
            c[frame, "TEXT"] += 2 + inside           # length, radius, offsets
    c[frame, "CIRCLE"] += len(vips)                  # grade-line row
    c[frame, "TEXT"] += len(vips) + 2 * max(len(vips) - 1, 0)
    c[frame, "LINE"] += 5 * max(len(vips) - 1, 0)

    if band_row(titles, "平面線形曲率図"):
        c[band, "LINE"] += 4 * len(profile["curves"]) + 1
        c[band, "TEXT"] += 8 * len(profile["curves"])
    if band_row(titles, "片勾配摺付図"):
        n = len(profile["supers"])
        c[band, "LINE"] += 1
        c[band, "LINE/PHANTOM"] += 1 + 4 * n + 1
        c[band, "LINE/HIDDEN"] += 1 + 4 * n + 1
        c[band, "TEXT"] += 2 + 2 * n
    c[band, "LINE"] += 2 * len(profile["notes"])
    c[band, "TEXT"] += 2 * len(profile["notes"])
    return {k: v for k, v in c.items() if v}


def load_inputs(folder):
    folder = Path(folder)
    return (read_profile((folder / "Tesmo.dat").read_bytes()),
            read_layer_names((folder / "GasouT.dat").read_bytes()),
            read_titles((folder / "temp.cd5").read_bytes()))
