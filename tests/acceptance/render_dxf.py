#!/usr/bin/python3
"""Renders a drawing to a PNG as the README shows sheets: ezdxf's drawing
add-on and matplotlib, white paper, the Shift-JIS texts in a Japanese font
(Debian's fonts-ipafont-gothic).

usage: render_dxf.py DRAWING.dxf PICTURE.png
"""
import sys

import ezdxf
import matplotlib.pyplot as plt
from matplotlib import font_manager
from ezdxf.addons.drawing import Frontend, RenderContext
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
from ezdxf.addons.drawing.properties import LayoutProperties

drawing, png = sys.argv[1:]
# The drawing names the font TXT with a big font for its Shift-JIS texts; on
# screen they need a font with Japanese glyphs.
font_manager.fontManager.addfont("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf")
doc = ezdxf.readfile(drawing, encoding="cp932", errors="strict")
doc.styles.get("KANJI").dxf.font = "IPAGothic.ttf"
sheet = doc.modelspace()
paper = LayoutProperties.from_layout(sheet)
paper.set_colors("#ffffff")  # white paper, so colour 7 draws black
extents = ezdxf.bbox.extents(sheet)
width = (extents.size.x + 20) / 25.4
height = (extents.size.y + 20) / 25.4
figure = plt.figure(figsize=(width, height))
axes = figure.add_axes([0, 0, 1, 1])
Frontend(RenderContext(doc), MatplotlibBackend(axes, adjust_figure=False)).draw_layout(
    sheet, finalize=True, layout_properties=paper)
figure.savefig(png, dpi=130, facecolor="white")
print(f"{png}: {extents.size.x:.0f} x {extents.size.y:.0f} mm of sheet")
