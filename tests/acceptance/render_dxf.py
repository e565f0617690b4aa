#!/usr/bin/python3
"""Renders drawings to a PNG as the README shows sheets: ezdxf's drawing
add-on and matplotlib, white paper, the Shift-JIS texts in a Japanese font
(Debian's fonts-ipafont-gothic). Several drawings are drawn one under the
other, at one scale, in the order given.

usage: render_dxf.py DRAWING.dxf [DRAWING.dxf ...] PICTURE.png
"""
import sys

import ezdxf
import matplotlib.pyplot as plt
from matplotlib import font_manager
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
from ezdxf.addons.drawing.properties import LayoutProperties

*drawings, png = sys.argv[1:]
# The drawing names the font TXT with a big font for its Shift-JIS texts; on
# screen they need a font with Japanese glyphs.
font_manager.fontManager.addfont("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf")
sheets = []
for drawing in drawings:
    doc = ezdxf.readfile(drawing, encoding="cp932", errors="strict")
    doc.styles.get("KANJI").dxf.font = "IPAGothic.ttf"
    sheets.append((doc, ezdxf.bbox.extents(doc.modelspace())))
# Every sheet at the widest one's scale, with 20 mm of paper around each.
width = max(e.size.x for _, e in sheets) + 20
heights = [e.size.y + 20 for _, e in sheets]
figure = plt.figure(figsize=(width / 25.4, sum(heights) / 25.4))
top = sum(heights)
for (doc, extents), height in zip(sheets, heights):
    top -= height
    axes = figure.add_axes([0, top / sum(heights), (extents.size.x + 20) / width, height / sum(heights)])
    paper = LayoutProperties.from_layout(doc.modelspace())
    paper.set_colors("#ffffff")  # white paper, so colour 7 draws black
    Frontend(RenderContext(doc), MatplotlibBackend(axes, adjust_figure=False)).draw_layout(
        doc.modelspace(), finalize=True, layout_properties=paper)
figure.savefig(png, dpi=130, facecolor="white")
print(f"{png}: {width - 20:.0f} x {sum(heights) - 20 * len(sheets):.0f} mm of sheets")
