#!/usr/bin/python3
"""Compares the plotter with ezdxf's drawing add-on (the peer).

    render_compare.py PLOT_DRIVER [RENDER_DRIVER] [--work FOLDER] [--only NAME,...]

Makes a set of drawings with ezdxf that together cover every entity type and
property the plotter draws, plots each with PLOT_DRIVER (the drawing editor:
the file opened into its database, plotted through the page setup) and with
ezdxf.addons.drawing (matplotlib) on the same window and page size, and prints
per drawing the ink recall (share of the peer's dark pixels that have ours
within 2 pixels) and precision (the reverse). The goal is 0.95 for both on
every drawing of the first table. The second table holds the drawings where
the peer is wrong, each with the reason; they are measured, not held to the
goal, and what they show is checked by the renderer's own tests.

With RENDER_DRIVER (the renderer on the file's tags, without the database)
the column "tags" gives the share of ink on which both of our paths agree: a
value below 1 means the database path loses or changes something.

The drawings and pictures go to a temporary folder unless one is named.
"""
import argparse
import logging
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

import matplotlib

matplotlib.use("Agg")
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
logging.getLogger("ezdxf").setLevel(logging.ERROR)
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.config import Configuration  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402
from ezdxf.entities.acad_table import AcadTableBlockContent  # noqa: E402
from ezdxf.lldxf.extendedtags import ExtendedTags  # noqa: E402
from ezdxf import reorder  # noqa: E402

WIDTH, HEIGHT, DPI = 800, 600, 100
WINDOW = (0, 0, 100, 75)
GOAL = 0.95


def new_doc():
    doc = ezdxf.new("R2018", setup=True)
    doc.header["$LTSCALE"] = 1
    return doc, doc.modelspace()


def curves(work):
    doc, msp = new_doc()
    doc.header["$PDMODE"] = 35
    doc.header["$PDSIZE"] = 3
    for i, colour in enumerate((1, 3, 5, 7, 30)):
        msp.add_line((5, 5 + i * 3), (30, 8 + i * 3), dxfattribs={"color": colour})
    msp.add_xline((50, 40), (1, 0.3))
    msp.add_ray((10, 70), (1, -0.2))
    msp.add_circle((50, 20), 8)
    msp.add_arc((75, 20), 8, 30, 250)
    msp.add_ellipse((50, 50), major_axis=(12, 4), ratio=0.4)
    msp.add_ellipse((80, 50), major_axis=(0, 8), ratio=0.5, start_param=0.5, end_param=4)
    msp.add_open_spline([(5, 30), (12, 45), (20, 28), (30, 44), (36, 32)])
    msp.add_spline([(60, 62), (70, 72), (80, 60), (92, 70)])
    msp.add_rational_spline([(5, 55), (12, 68), (22, 68), (30, 55)], weights=[1, 3, 3, 1])
    for x in (85, 90, 95):
        msp.add_point((x, 5))
    return doc


def polylines(work):
    doc, msp = new_doc()
    msp.add_lwpolyline([(5, 5, 0, 0, 0.5), (25, 5), (25, 20, 0, 0, -0.7), (5, 20)], format="xyseb", close=True)
    msp.add_lwpolyline([(35, 5), (55, 10), (45, 22)], dxfattribs={"const_width": 1.5})
    msp.add_lwpolyline([(65, 5, 0.5, 3), (85, 5, 3, 0), (95, 20)], format="xyse")
    p = msp.add_polyline2d([(5, 30), (20, 30), (20, 42)], dxfattribs={"color": 1})
    p.vertices[0].dxf.bulge = 0.4
    msp.add_polyline3d([(30, 30, 0), (45, 35, 5), (40, 45, 10)])
    mesh = msp.add_polymesh((3, 3))
    for m in range(3):
        for n in range(3):
            mesh.set_mesh_vertex((m, n), (55 + m * 5, 30 + n * 5, 0))
    face = msp.add_polyface()
    face.append_face([(75, 30), (90, 30), (90, 42), (75, 42)])
    msp.add_solid([(5, 50), (20, 50), (5, 65), (20, 65)], dxfattribs={"color": 5})
    msp.add_trace([(30, 50), (45, 52), (30, 60), (45, 62)], dxfattribs={"color": 3})
    msp.add_3dface([(55, 50), (70, 50), (70, 65), (55, 62)])
    msp.add_3dface([(75, 50), (90, 50), (90, 65), (75, 62)], dxfattribs={"invisible": 1 | 4})
    return doc


def text(work):
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    doc.styles.add("TIMES", font="times.ttf")
    doc.styles.add("COUR", font="cour.ttf")
    y = 70
    for style in ("ARIAL", "TIMES", "COUR"):
        msp.add_text("Style %s 123" % style, dxfattribs={"style": style, "height": 3}).set_placement((5, y))
        y -= 6
    aligns = ["LEFT", "CENTER", "RIGHT", "MIDDLE", "TOP_LEFT", "MIDDLE_CENTER", "BOTTOM_RIGHT"]
    for i, a in enumerate(aligns):
        t = msp.add_text("Al%d" % i, dxfattribs={"style": "ARIAL", "height": 2.5})
        t.set_placement((60, 70 - i * 5), align=ezdxf.enums.TextEntityAlignment[a])
    msp.add_text("Aligned", dxfattribs={"style": "ARIAL", "height": 2}).set_placement(
        (5, 40), (40, 45), align=ezdxf.enums.TextEntityAlignment.ALIGNED)
    msp.add_text("Fit text", dxfattribs={"style": "ARIAL", "height": 3}).set_placement(
        (5, 32), (45, 32), align=ezdxf.enums.TextEntityAlignment.FIT)
    msp.add_text("Wide", dxfattribs={"style": "ARIAL", "height": 3, "width": 1.8}).set_placement((5, 22))
    msp.add_text("Rotated", dxfattribs={"style": "ARIAL", "height": 3, "rotation": 30}).set_placement((60, 15))
    msp.add_text("Mirror", dxfattribs={"style": "ARIAL", "height": 3, "text_generation_flag": 2}).set_placement((30, 12))
    msp.add_text("Upside", dxfattribs={"style": "ARIAL", "height": 3, "text_generation_flag": 4}).set_placement((35, 22))
    msp.add_text("Standard %%d %%p", dxfattribs={"height": 3}).set_placement((5, 5))
    blk = doc.blocks.new("TAG")
    blk.add_circle((0, 0), 2)
    blk.add_attdef("NAME", (3, 0), dxfattribs={"height": 2, "style": "ARIAL"})
    ref = msp.add_blockref("TAG", (80, 35))
    ref.add_auto_attribs({"NAME": "Attrib"})
    return doc


def text_oblique(work):
    """TEXT leaning by its own oblique angle and by its style's, where the
    peer is wrong (see PEER_WRONG)."""
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    doc.styles.add("LEANING", font="arial.ttf").dxf.oblique = 15
    msp.add_text("Oblique 20", dxfattribs={"style": "ARIAL", "height": 4, "oblique": 20}).set_placement((5, 50))
    msp.add_text("Style leans 15", dxfattribs={"style": "LEANING", "height": 4}).set_placement((5, 30))
    return doc


def mtext(work):
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    msp.add_mtext("A paragraph of wrapped text that runs over several lines in its box.",
                  dxfattribs={"style": "ARIAL", "char_height": 2.5, "width": 40, "insert": (5, 70)})
    msp.add_mtext("First\\PSecond paragraph\\P{\\H1.5x;Bigger} and {\\C1;red} {\\fTimes New Roman|b0|i0;serif}",
                  dxfattribs={"style": "ARIAL", "char_height": 2.5, "insert": (55, 70), "width": 40})
    for i, att in enumerate((1, 5, 9)):
        msp.add_mtext("Attach %d\\Pline two" % att, dxfattribs={
            "style": "ARIAL", "char_height": 2, "insert": (20 + i * 30, 35), "attachment_point": att})
        msp.add_circle((20 + i * 30, 35), 0.5)
    msp.add_mtext("Rotated text", dxfattribs={"style": "ARIAL", "char_height": 3, "insert": (10, 20), "rotation": 20})
    msp.add_mtext("Spacing\\Pdouble", dxfattribs={"style": "ARIAL", "char_height": 2, "insert": (60, 20),
                                                  "line_spacing_factor": 2})
    return doc


def mtext_codes(work):
    """The inline codes both renderers know. A formatting group holds one word
    and has nothing after it: the peer changes the spaces around and inside
    one (see mtext_spacing)."""
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    lines = ["Plain and \\W1.5;wide", "Plain and {\\H2x;high}", "{\\Lunderlined}", "{\\Ooverlined}",
             "{\\Kstruck}", "{\\Q15;oblique}", "{\\C1;index}", "{\\c16711680;true}",
             "{\\fCourier New|b1|i0;mono}", "back \\\\", "\\{braces\\}", "A\\PB\\Pparagraphs"]
    for i, line in enumerate(lines):
        msp.add_mtext(line, dxfattribs={"style": "ARIAL", "char_height": 2.5, "width": 40,
                                        "insert": (5 + 50 * (i % 2), 72 - 11 * (i // 2))})
    return doc


def mtext_spacing(work):
    """Words around formatting groups and escaped braces, spaces inside a
    font change and a non-breaking space, where the peer is wrong (see
    PEER_WRONG)."""
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    attribs = {"style": "ARIAL", "char_height": 2.5, "width": 90}
    msp.add_mtext("words {\\C1;red colour} then words", dxfattribs=dict(attribs, insert=(5, 70)))
    msp.add_mtext("words {\\Lunderlined} then words", dxfattribs=dict(attribs, insert=(5, 58)))
    msp.add_mtext("words {\\fCourier New|b1|i0;bold mono} then words", dxfattribs=dict(attribs, insert=(5, 46)))
    msp.add_mtext("escaped \\{braces\\} then words", dxfattribs=dict(attribs, insert=(5, 34)))
    msp.add_mtext("no\\~break space", dxfattribs=dict(attribs, insert=(5, 22)))
    return doc


def mtext_stacks_and_tracking(work):
    """Stacked fractions and tracking, where the peer is wrong (see PEER_WRONG)."""
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    attribs = {"style": "ARIAL", "char_height": 2.5, "width": 90}
    msp.add_mtext("Stack \\S1/2; and \\S3#4; and \\Sx^y; done", dxfattribs=dict(attribs, insert=(5, 60)))
    msp.add_mtext("\\T2;tracked\\T1; and plain", dxfattribs=dict(attribs, insert=(5, 30)))
    return doc


def multileader(work):
    from ezdxf.math import Vec2
    from ezdxf.render import mleader
    doc, msp = new_doc()
    builder = msp.add_multileader_mtext("Standard")
    builder.set_content("Multileader text", char_height=3)
    builder.add_leader_line(mleader.ConnectionSide.left, [Vec2(10, 20)])
    builder.build(insert=Vec2(40, 50))
    box = doc.blocks.new("BOX")
    box.add_lwpolyline([(0, 0), (8, 0), (8, 8), (0, 8)], close=True)
    builder = msp.add_multileader_block("Standard")
    builder.set_content(name="BOX", scale=1)
    builder.add_leader_line(mleader.ConnectionSide.left, [Vec2(60, 10)])
    builder.build(insert=Vec2(80, 30))
    return doc


def blocks(work):
    """Nested blocks, layer 0 and BYBLOCK colour, linetype and lineweight
    inside them, scales, rotation, mirroring, MINSERT rows and columns, and
    references with a negative extrusion."""
    doc, msp = new_doc()
    leaf = doc.blocks.new("LEAF")
    leaf.add_circle((0, 0), 2, dxfattribs={"color": 0})
    leaf.add_line((-2, 0), (2, 0), dxfattribs={"layer": "0"})
    tree = doc.blocks.new("TREE", base_point=(0, -5))
    tree.add_line((0, -5), (0, 0), dxfattribs={"color": 34})
    tree.add_blockref("LEAF", (0, 2))
    tree.add_blockref("LEAF", (-2, 0), dxfattribs={"xscale": 0.6, "yscale": 0.6})
    doc.layers.add("TREES", color=3)
    msp.add_blockref("TREE", (10, 60), dxfattribs={"layer": "TREES"})
    msp.add_blockref("TREE", (25, 60), dxfattribs={"color": 1, "xscale": 2, "yscale": 2, "rotation": 30})
    msp.add_blockref("TREE", (50, 60), dxfattribs={"color": 5, "xscale": -1.5, "yscale": 1.5})
    m = msp.add_blockref("TREE", (10, 15), dxfattribs={"layer": "TREES"})
    m.grid(size=(3, 5), spacing=(10, 12))
    msp.add_blockref("TREE", (-80, 20), dxfattribs={"extrusion": (0, 0, -1), "color": 6, "rotation": 20})
    msp.add_circle((-85, 50), 5, dxfattribs={"extrusion": (0, 0, -1), "color": 4})
    msp.add_arc((-85, 65), 5, 0, 90, dxfattribs={"extrusion": (0, 0, -1), "color": 2})
    # BYBLOCK linetype and lineweight take the reference's (dashes long
    # enough to show their gaps).
    doc.header["$LTSCALE"] = 4
    rail = doc.blocks.new("RAIL")
    rail.add_line((0, 0), (30, 0), dxfattribs={"linetype": "BYBLOCK", "lineweight": -2, "color": 0})
    rail.add_line((0, 3), (30, 3), dxfattribs={"linetype": "BYBLOCK", "lineweight": -2, "color": 0})
    msp.add_blockref("RAIL", (65, 30), dxfattribs={"linetype": "DASHED", "lineweight": 0, "color": 1})
    msp.add_blockref("RAIL", (65, 15), dxfattribs={"linetype": "CONTINUOUS", "lineweight": 70, "color": 5})
    return doc


def hatch(work):
    doc, msp = new_doc()
    h = msp.add_hatch(color=3)
    h.paths.add_polyline_path([(5, 5), (40, 5), (40, 35), (5, 35)], is_closed=True, flags=1)
    h.paths.add_polyline_path([(15, 15), (30, 15), (30, 25), (15, 25)], is_closed=True, flags=16)
    h = msp.add_hatch(color=5)
    h.set_pattern_fill("ANSI31", color=5, scale=0.5, angle=0)
    h.paths.add_polyline_path([(50, 5, 0), (90, 5, 0.5), (90, 35, 0), (50, 35, 0)], is_closed=True)
    h = msp.add_hatch(color=1)
    h.set_pattern_fill("ANSI37", color=1, scale=0.5, angle=30)
    path = h.paths.add_edge_path()
    path.add_line((5, 45), (30, 45))
    path.add_arc((30, 55), 10, -90, 90)
    path.add_line((30, 65), (5, 65))
    path.add_line((5, 65), (5, 45))
    h = msp.add_hatch(color=2)
    h.set_gradient((200, 0, 0), (0, 0, 200))
    path = h.paths.add_edge_path()
    path.add_ellipse((60, 55), major_axis=(12, 0), ratio=0.6)
    h = msp.add_hatch(color=4)
    path = h.paths.add_edge_path()
    path.add_spline(control_points=[(80, 45), (95, 48), (92, 65), (78, 60)], knot_values=[0, 0, 0, 0, 1, 1, 1, 1], degree=3)
    path.add_line((78, 60), (80, 45))
    return doc


def dimensions(work):
    doc, msp = new_doc()
    msp.add_line((10, 10), (50, 10))
    d = msp.add_linear_dim(base=(10, 20), p1=(10, 10), p2=(50, 10), dimstyle="EZDXF")
    d.render()
    d = msp.add_aligned_dim(p1=(60, 10), p2=(90, 30), distance=5, dimstyle="EZDXF")
    d.render()
    msp.add_circle((30, 50), 10)
    d = msp.add_radius_dim(center=(30, 50), radius=10, angle=45, dimstyle="EZDXF")
    d.render()
    msp.add_leader([(60, 50), (70, 60), (85, 60)], dxfattribs={"dimstyle": "EZDXF"})
    return doc


def table(work):
    """ACAD_TABLE: drawn through its anonymous block, which ezdxf cannot
    make a table for; the entity is written from its groups."""
    doc, msp = new_doc()
    block = doc.blocks.new_anonymous_block(type_char="T")
    rows, columns, cell_w, cell_h = 4, 3, 20, 8
    for r in range(rows + 1):
        block.add_line((0, -r * cell_h), (columns * cell_w, -r * cell_h))
    for c in range(columns + 1):
        block.add_line((c * cell_w, 0), (c * cell_w, -rows * cell_h))
    for r in range(rows):
        for c in range(columns):
            block.add_mtext("R%dC%d" % (r + 1, c + 1), dxfattribs={
                "char_height": 3, "attachment_point": 5,
                "insert": ((c + 0.5) * cell_w, -(r + 0.5) * cell_h)})
    groups = ["0", "ACAD_TABLE", "5", doc.entitydb.next_handle(), "330", msp.layout_key, "100", "AcDbEntity",
              "8", "0", "100", "AcDbBlockReference", "2", block.name, "10", "15", "20", "60", "30", "0",
              "100", "AcDbTable", "280", "0", "91", str(rows), "92", str(columns)]
    entity = AcadTableBlockContent.load(ExtendedTags.from_text("\n".join(groups) + "\n"), doc)
    doc.entitydb.add(entity)
    msp.add_entity(entity)
    return doc


def properties(work):
    """Linetypes with $LTSCALE and the entity's scale, lineweights, true
    colours, transparency, and layers that are off, frozen or not plotted."""
    doc, msp = new_doc()
    doc.header["$LTSCALE"] = 2
    for i, lt in enumerate(("DASHED", "CENTER", "DOT", "DASHDOT", "HIDDEN")):
        msp.add_line((5, 70 - i * 5), (45, 70 - i * 5), dxfattribs={"linetype": lt})
    msp.add_line((5, 40), (45, 40), dxfattribs={"linetype": "DASHED", "ltscale": 3})
    for i, lw in enumerate((0, 35, 70, 140, 211)):
        msp.add_line((55, 70 - i * 6), (95, 70 - i * 6), dxfattribs={"lineweight": lw})
    for i, rgb in enumerate(((255, 0, 0), (0, 160, 0), (0, 0, 255))):
        c = msp.add_circle((10 + i * 12, 25), 4)
        c.rgb = rgb
    c = msp.add_circle((50, 25), 4, dxfattribs={"lineweight": 100})
    c.transparency = 0.5
    doc.layers.add("RED", color=1, lineweight=50)
    doc.layers.add("OFF", color=2).off()
    doc.layers.add("FROZEN", color=3).freeze()
    doc.layers.add("NOPLOT", color=4).dxf.plot = 0
    doc.layers.add("DASHLAYER", color=6, linetype="DASHED")
    msp.add_line((60, 30), (95, 30), dxfattribs={"layer": "RED"})
    msp.add_line((60, 20), (95, 20), dxfattribs={"layer": "DASHLAYER"})
    for layer in ("OFF", "FROZEN", "NOPLOT"):
        msp.add_circle((80, 10), 3, dxfattribs={"layer": layer})
    return doc


def misc(work):
    doc, msp = new_doc()
    for y in range(5, 70, 4):
        msp.add_line((5, y), (95, y), dxfattribs={"color": 5})
    msp.add_wipeout([(20, 20), (50, 20), (50, 50), (20, 50)])
    msp.add_text("over wipeout", dxfattribs={"height": 3}).set_placement((22, 33))
    return doc


def draw_order(work):
    """SORTENTSTABLE: two wipeouts made after the lines, one moved below them
    (the lines show through it) and one left on top (it hides them)."""
    doc, msp = new_doc()
    for y in range(5, 70, 4):
        msp.add_line((5, y), (95, y), dxfattribs={"color": 5})
    below = msp.add_wipeout([(10, 20), (40, 20), (40, 50), (10, 50)])
    msp.add_wipeout([(60, 20), (90, 20), (90, 50), (60, 50)])
    msp.set_redraw_order({below.dxf.handle: "1"})
    return doc


def mirrored(work):
    """Entities with a negative extrusion, as a mirror in the drawing editor
    leaves them: their object coordinates run in -x."""
    doc, msp = new_doc()
    doc.styles.add("ARIAL", font="arial.ttf")
    down = {"extrusion": (0, 0, -1)}
    msp.add_lwpolyline([(-5, 5, 0, 0, 0.4), (-30, 5), (-30, 20), (-5, 20)], format="xyseb", close=True,
                       dxfattribs=dict(down, color=1))
    msp.add_text("Mirrored", dxfattribs=dict(down, style="ARIAL", height=3, insert=(-40, 30)))
    # MTEXT and ELLIPSE place themselves in world coordinates; the MTEXT's
    # direction is given (without it the peer takes its rotation as a world
    # angle, we in its object coordinates, as for TEXT).
    msp.add_mtext("Mirrored MTEXT\\Ptwo lines", dxfattribs=dict(down, style="ARIAL", char_height=2.5,
                                                                insert=(90, 45), text_direction=(-1, 0, 0)))
    msp.add_ellipse((70, 15), major_axis=(8, 3), ratio=0.5, start_param=0, end_param=4,
                    dxfattribs=dict(down, color=5))
    msp.add_solid([(-60, 40), (-75, 40), (-60, 55)], dxfattribs=dict(down, color=3))
    h = msp.add_hatch(color=6, dxfattribs=down)
    h.set_pattern_fill("ANSI31", color=6, scale=0.5)
    h.paths.add_polyline_path([(-80, 55), (-95, 55), (-95, 70), (-80, 70)], is_closed=True)
    h = msp.add_hatch(color=4, dxfattribs=down)
    h.paths.add_polyline_path([(-5, 55), (-25, 55), (-25, 70), (-5, 70)], is_closed=True)
    return doc


def image(work):
    """IMAGE with a polygon clip boundary over a picture file made here."""
    doc, msp = new_doc()
    picture = os.path.join(work, "picture.png")
    y, x = np.mgrid[0:64, 0:96]
    rgb = np.stack([(x * 2.6) % 256, (y * 4) % 256, ((x + y) * 1.5) % 256], axis=2).astype(np.uint8)
    plt.imsave(picture, rgb)
    definition = doc.add_image_def(filename=picture, size_in_pixel=(96, 64))
    img = msp.add_image(definition, insert=(10, 10), size_in_units=(60, 40))
    img.set_boundary_path([(0, 0), (96, 0), (96, 32), (48, 64), (0, 32)])
    msp.add_line((5, 5), (95, 5))
    return doc


DRAWINGS = [("curves", curves), ("polylines", polylines), ("text", text), ("mtext", mtext),
            ("mtext codes", mtext_codes), ("blocks", blocks), ("hatch", hatch), ("dimensions", dimensions),
            ("table", table), ("multileader", multileader), ("properties", properties), ("misc", misc),
            ("draw order", draw_order), ("mirrored", mirrored)]

# Drawings where the peer (python3-ezdxf 0.18.1) draws wrongly, with the reason.
PEER_WRONG = [
    ("text oblique", text_oblique, "the peer draws TEXT upright, ignoring its oblique angle and its style's"),
    ("mtext stacks", mtext_stacks_and_tracking,
     "the peer ignores \\T (tracking), lays a stacked fraction (\\S) out as two full-size lines that push "
     "its line down, and does not stack a tolerance (x^y)"),
    ("mtext spacing", mtext_spacing,
     "the peer widens the spaces inside a formatting group and every space after one (by about 3 pixels each "
     "here), adds about 2 units after an escaped brace, all but drops the space inside a font change, runs an "
     "underline on under the space after its group, and prints \\~ as it stands instead of a non-breaking space"),
    ("image", image, "the peer does not draw IMAGE entities"),
]


def give_peer_our_fonts():
    """matplotlib finds fonts by family name and knows no metric aliases, so
    the peer would draw Arial, Times New Roman and Courier New in DejaVu: give
    it the same installed substitutes fontconfig gives us."""
    import dataclasses
    from matplotlib import font_manager
    aliases = {"Arial": "Liberation Sans", "Times New Roman": "Liberation Serif", "Courier New": "Liberation Mono"}
    for alias, family in aliases.items():
        for entry in list(font_manager.fontManager.ttflist):
            if entry.name == family:
                font_manager.fontManager.ttflist.append(dataclasses.replace(entry, name=alias))
    matplotlib.rcParams["font.sans-serif"] = ["Liberation Sans"] + matplotlib.rcParams["font.sans-serif"]
    font_manager.fontManager._findfont_cached.cache_clear()


def peer_render(path, out):
    """Renders with the peer; returns its seconds (reading to writing the picture).

    The peer's defaults are set right where they differ from a plot: layers
    that are not plotted are left out (export mode), lineweights are taken as
    millimetres rather than points, XLINE and RAY run to the page's edges
    instead of 20 units, points follow $PDMODE and $PDSIZE, and entities come
    in the draw order of the SORTENTSTABLE."""
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    figure = plt.figure(figsize=(WIDTH / DPI, HEIGHT / DPI), dpi=DPI)
    axes = figure.add_axes([0, 0, 1, 1])
    axes.set_axis_off()
    props = LayoutProperties.modelspace()
    props.set_colors("#ffffff")
    msp = doc.modelspace()
    ctx = RenderContext(doc, export_mode=True)
    ctx.set_current_layout(msp)
    ctx.current_layout_properties = props
    config = Configuration.defaults().with_changes(
        lineweight_scaling=72 / 25.4, infinite_line_length=1e4, pdmode=doc.header.get("$PDMODE", 0),
        pdsize=doc.header.get("$PDSIZE", 0) or None)
    order = list(msp.get_redraw_order())
    entities = reorder.ascending(msp, order) if order else msp
    Frontend(ctx, MatplotlibBackend(axes), config=config).draw_entities(entities)
    x1, y1, x2, y2 = WINDOW
    scale = min(WIDTH / (x2 - x1), HEIGHT / (y2 - y1))
    axes.set_xlim(x1, x1 + WIDTH / scale)
    axes.set_ylim(y1, y1 + HEIGHT / scale)
    figure.savefig(out, dpi=DPI, facecolor="white")
    plt.close(figure)
    return time.perf_counter() - start


def ink(path):
    img = plt.imread(path)[:, :, :3]
    # Dark or coloured: anything clearly away from the white page.
    return img.min(axis=2) < 0.75


def dilate(mask, r):
    out = mask.copy()
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if dx * dx + dy * dy > r * r:
                continue
            out |= np.roll(np.roll(mask, dy, axis=0), dx, axis=1)
    return out


def run_driver(command, dxf, out):
    """Runs a driver (its command line up to the drawing); returns the seconds it reports."""
    x1, y1, x2, y2 = WINDOW
    run = subprocess.run([command[0], dxf, out, str(WIDTH), str(HEIGHT), str(x1), str(y1), str(x2), str(y2)]
                         + command[1:], capture_output=True, text=True)
    if run.returncode != 0:
        raise RuntimeError("%s failed on %s: %s" % (command[0], dxf, run.stderr.strip()))
    return float(run.stdout.split()[-1])


def compare(name, make, args, work):
    """One row: recall, precision, the agreement of our two paths, ink counts and times."""
    name = name.replace(" ", "-")
    dxf = os.path.join(work, name + ".dxf")
    make(work).saveas(dxf)
    ours, peer = os.path.join(work, name + "-ours.png"), os.path.join(work, name + "-peer.png")
    ours_seconds = run_driver([args.plot_driver], dxf, ours)
    peer_seconds = peer_render(dxf, peer)
    a, b = ink(ours), ink(peer)
    recall = (b & dilate(a, 2)).sum() / max(b.sum(), 1)
    precision = (a & dilate(b, 2)).sum() / max(a.sum(), 1)
    tags = float("nan")
    if args.render_driver:
        direct = os.path.join(work, name + "-tags.png")
        # The tags' renderer takes the plot's lineweight resolution as an argument.
        run_driver([args.render_driver, str(DPI / 25.4)], dxf, direct)
        c = ink(direct)
        tags = 1 - (a ^ c).sum() / max((a | c).sum(), 1)
    return recall, precision, tags, a.sum(), b.sum(), ours_seconds, peer_seconds


HEAD = "%-14s %7s %9s %6s %9s %9s %7s %7s"
ROW = "%-14s %7.3f %9.3f %6.3f %9d %9d %7.3f %7.3f"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("plot_driver")
    parser.add_argument("render_driver", nargs="?")
    parser.add_argument("--work", help="folder for the drawings and pictures (kept)")
    parser.add_argument("--only", help="comma-separated drawing names")
    args = parser.parse_args(argv[1:])
    give_peer_our_fonts()
    work = args.work or tempfile.mkdtemp(prefix="render-compare-")
    os.makedirs(work, exist_ok=True)
    only = set(args.only.split(",")) if args.only else None
    below = []
    for title, drawings in (("goal: recall and precision >= %.2f" % GOAL, [(n, m, None) for n, m in DRAWINGS]),
                            ("where the peer is wrong (not held to the goal)", PEER_WRONG)):
        rows = [d for d in drawings if only is None or d[0] in only]
        if not rows:
            continue
        print(title)
        print(HEAD % ("drawing", "recall", "precision", "tags", "ours ink", "peer ink", "ours s", "peer s"))
        for name, make, reason in rows:
            figures = compare(name, make, args, work)
            print(ROW % ((name,) + figures))
            if reason:
                print("  %s" % reason)
            elif min(figures[0], figures[1]) < GOAL:
                below.append(name)
        print()
    if not args.work:
        shutil.rmtree(work)
    else:
        print("pictures in", work)
    if below:
        print("below the goal:", ", ".join(below))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
