#!/usr/bin/python3
"""Makes the sample drawings of the drawing editor.

    make_samples.py [FOLDER]               site-plan.dxf and many-entities.dxf in FOLDER
                                           (default: the folder of this script)
    make_samples.py --bench COUNT FILE     a drawing of COUNT entities for the benchmarks
                                           (blocks, hatches, MTEXT, dimensions among them)
    make_samples.py --layers COUNT FILE    a site of COUNT plottable layers for the create benchmark

Run it with Debian's interpreter and python3-ezdxf: /usr/bin/python3.
The drawings are fully determined by this script (fixed random seeds).
"""
import math
import os
import random
import sys

import ezdxf

PNG_DEVICE = "PublishToWeb PNG.pc3"
VGA = "VGA_(640.00_x_480.00_Pixels)"

# name, ACI colour, plottable, on
SITE_LAYERS = [
    ("PARCELS", 2, True, True),
    ("BUILDINGS", 1, True, True),
    ("ROADS", 8, True, True),
    ("VEGETATION", 3, True, True),
    ("WATER", 5, True, True),
    ("TEXT", 7, True, True),
    ("CONSTRUCTION", 6, False, True),  # never plotted
    ("UTILITIES", 4, True, False),  # switched off
]


def add_layers(doc, layers):
    for name, colour, plottable, on in layers:
        layer = doc.layers.add(name, color=colour)
        layer.dxf.plot = 1 if plottable else 0
        if not on:
            layer.off()


def set_view_and_page_setup(doc, centre, height, window):
    """The current view, and the model layout's page setup: the PNG device,
    VGA paper and plot type Window. The window is in display coordinates,
    which are world coordinates while the view is not twisted."""
    doc.set_modelspace_vport(height=height, center=centre)
    layout = doc.layouts.get("Model").dxf_layout
    layout.dxf.page_setup_name = ""
    layout.dxf.plot_configuration_file = PNG_DEVICE
    layout.dxf.paper_size = VGA
    layout.dxf.plot_type = 4
    (x1, y1), (x2, y2) = window
    layout.dxf.plot_window_x1 = x1
    layout.dxf.plot_window_y1 = y1
    layout.dxf.plot_window_x2 = x2
    layout.dxf.plot_window_y2 = y2


def rectangle(msp, x, y, w, h, layer):
    msp.add_lwpolyline([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], close=True,
                       dxfattribs={"layer": layer})


# Where the site's outlines are (relative to its corner), for placing trees
# and the lawn's islands.
HOUSES = [(30, 80, 40, 25), (85, 90, 30, 30)]
BARN = [(140, 60), (185, 60), (185, 125), (165, 125), (165, 80), (140, 80)]
POND = [(60, 125, 0, 0, 0.6), (60, 110, 0, 0, 0.3), (75, 112, 0, 0, 0.5)]
PARCEL = [(10, 10, 0, 0, 0), (190, 10, 0, 0, 0.4), (200, 40, 0, 0, 0), (200, 140, 0, 0, 0), (10, 140, 0, 0, 0)]


def add_tree_blocks(doc):
    """TREE: a trunk, three branches and the crown, which is the nested block
    CROWN (a ring of leaves drawn as arcs). The crown and the branches take
    the reference's colour and layer (layer 0, colour BYBLOCK); the trunk is brown."""
    crown = doc.blocks.new("CROWN")
    lobes = 7
    points = [(math.cos(2 * math.pi * k / lobes), math.sin(2 * math.pi * k / lobes), 0, 0, 0.45)
              for k in range(lobes)]
    crown.add_lwpolyline(points, format="xyseb", close=True, dxfattribs={"layer": "0", "color": 0})
    tree = doc.blocks.new("TREE")
    tree.add_blockref("CROWN", (0, 0), dxfattribs={"layer": "0", "color": 0})
    tree.add_circle((0, 0), 0.18, dxfattribs={"layer": "0", "color": 34})
    for angle in (90, 210, 330):
        a = math.radians(angle)
        tree.add_line((0.18 * math.cos(a), 0.18 * math.sin(a)), (0.6 * math.cos(a), 0.6 * math.sin(a)),
                      dxfattribs={"layer": "0", "color": 0})


def tree_places(rng, count):
    """`count` trees (x, y, size, rotation) in the garden, clear of the
    buildings, the pond, the roads and each other."""
    barn_and_pond = [(140, 60, 45, 20), (165, 60, 20, 65), (55, 108, 21, 18)]  # boxes (x, y, w, h)

    def clear(x, y, r):
        for hx, hy, w, h in HOUSES + barn_and_pond:
            if hx - r - 1 < x < hx + w + r + 1 and hy - r - 1 < y < hy + h + r + 1:
                return False
        drive = math.hypot(x - 50, y - 40)  # the drive's arc
        if y < 42 and abs(drive - 30) < r + 2:
            return False
        if (abs(x - 120) < r + 2 and y < 45) or (118 < x < 152 and abs(y - 50) < r + 6):  # the lane
            return False
        return 12 + r < x < 188 - r and 12 + r < y < 138 - r
    places = []
    while len(places) < count:
        size = rng.uniform(2.5, 5)
        x, y = rng.uniform(12, 188), rng.uniform(12, 138)
        if clear(x, y, size) and all(math.hypot(x - px, y - py) > size + ps + 1 for px, py, ps, _ in places):
            places.append((x, y, size, rng.uniform(0, 360)))
    return places


def add_site_annotations(msp, ox, oy):
    """MTEXT labels and the parcel's depth as a dimension, on layer TEXT."""
    text = {"layer": "TEXT", "style": "Standard"}
    msp.add_mtext("{\\H1.3x;\\LSITE PLAN\\l}  Hillside Farm, parcel 1234",
                  dxfattribs=dict(text, char_height=3.5, insert=(ox + 12, oy + 149), attachment_point=1))
    msp.add_mtext("Lawn and orchard\\P{\\H0.8x;about 1.6 ha}",
                  dxfattribs=dict(text, char_height=3, insert=(ox + 100, oy + 72), attachment_point=5))
    msp.add_mtext("Drive {\\C8;(gravel)}", dxfattribs=dict(text, char_height=3, insert=(ox + 50, oy + 13),
                                                        attachment_point=8))
    msp.add_mtext("All measures in metres; trees after the survey of 2019.",
                  dxfattribs=dict(text, char_height=2.2, width=50, insert=(ox + 213, oy + 149),
                                  attachment_point=3))
    depth = msp.add_linear_dim(base=(ox + 4, oy + 75), p1=(ox + 10, oy + 10), p2=(ox + 10, oy + 140), angle=90,
                               dxfattribs={"layer": "TEXT"},
                               override={"dimtxt": 2.5, "dimasz": 2.5, "dimexe": 1, "dimexo": 1.5, "dimgap": 0.8,
                                         "dimdec": 0, "dimtad": 1})
    depth.render()


def site_plan(path):
    doc = ezdxf.new("R2000")
    add_layers(doc, SITE_LAYERS)
    msp = doc.modelspace()
    ox, oy = 1000.0, 500.0  # the site's lower-left corner in world units (metres)

    def at(points):
        return [(ox + p[0], oy + p[1]) + tuple(p[2:]) for p in points]

    def boundary(points):  # (x, y, bulge) as hatch boundary paths take them
        return [(ox + p[0], oy + p[1], p[4] if len(p) > 4 else 0) for p in points]

    # The parcel: straight sides and a rounded corner (bulge).
    msp.add_lwpolyline(at(PARCEL), format="xyseb", close=True, dxfattribs={"layer": "PARCELS"})
    # Buildings: two houses and an L-shaped barn.
    for x, y, w, h in HOUSES:
        rectangle(msp, ox + x, oy + y, w, h, "BUILDINGS")
    msp.add_lwpolyline(at(BARN), close=True, dxfattribs={"layer": "BUILDINGS"})
    # Roads: a straight street, a curved drive (arc) and a lane with bends.
    msp.add_line((ox, oy + 5), (ox + 210, oy + 5), dxfattribs={"layer": "ROADS"})
    msp.add_line((ox, oy + 0), (ox + 210, oy + 0), dxfattribs={"layer": "ROADS"})
    msp.add_arc((ox + 50, oy + 40), radius=30, start_angle=200, end_angle=340,
                dxfattribs={"layer": "ROADS"})
    msp.add_lwpolyline([(ox + 120, oy + 5, 0, 0, 0), (ox + 120, oy + 40, 0, 0, -0.5),
                        (ox + 140, oy + 55, 0, 0, 0), (ox + 150, oy + 55, 0, 0, 0)],
                       format="xyseb", dxfattribs={"layer": "ROADS"})
    # The lawn: a grass pattern over the parcel, the buildings and the pond
    # left out as islands; the trees stand on it, references to the TREE
    # block, each scaled and turned its own way.
    lawn = msp.add_hatch(color=82, dxfattribs={"layer": "VEGETATION"})
    lawn.set_pattern_fill("GRASS", color=82, scale=0.16, style=0)
    lawn.paths.add_polyline_path(boundary(PARCEL), is_closed=True, flags=1)
    for x, y, w, h in HOUSES:
        lawn.paths.add_polyline_path(boundary([(x, y), (x + w, y), (x + w, y + h), (x, y + h)]), is_closed=True, flags=16)
    for outline in (BARN, POND):
        lawn.paths.add_polyline_path(boundary(outline), is_closed=True, flags=16)
    add_tree_blocks(doc)
    for x, y, size, rotation in tree_places(random.Random(4), 24):
        msp.add_blockref("TREE", (ox + x, oy + y), dxfattribs={
            "layer": "VEGETATION", "xscale": size, "yscale": size, "rotation": rotation})
    # A pond with a curved shore, filled solid, with an island of reeds.
    msp.add_lwpolyline(at(POND), format="xyseb", close=True, dxfattribs={"layer": "WATER"})
    water = msp.add_hatch(color=256, dxfattribs={"layer": "WATER"})
    water.paths.add_polyline_path(boundary(POND), is_closed=True, flags=1)
    island = water.paths.add_edge_path(flags=16)
    island.add_ellipse((ox + 66.5, oy + 111.5), major_axis=(2.2, 0.6), ratio=0.5)
    # Labels: single-line texts, then MTEXT (a title, labels of two lines, a
    # wrapped note) and the parcel's depth as a dimension.
    for text, x, y, height, rotation in [("House A", 32, 92, 3, 0), ("House B", 87, 104, 3, 0),
                                         ("Barn", 168, 100, 3, 90), ("Pond", 62, 116, 2.5, 0),
                                         ("Main Street", 80, 1.2, 2.5, 0)]:
        msp.add_text(text, dxfattribs={"layer": "TEXT", "height": height, "rotation": rotation,
                                       "insert": (ox + x, oy + y)})
    add_site_annotations(msp, ox, oy)
    # Construction lines (not plotted) and a cable (on a layer that is off).
    for i in range(0, 211, 30):
        msp.add_line((ox + i, oy - 10), (ox + i, oy + 150), dxfattribs={"layer": "CONSTRUCTION"})
    msp.add_line((ox, oy + 75), (ox + 210, oy + 75), dxfattribs={"layer": "UTILITIES"})

    set_view_and_page_setup(doc, centre=(ox + 105, oy + 72), height=170,
                            window=((ox - 5, oy - 5), (ox + 215, oy + 150)))
    doc.saveas(path)


# The benchmark's mix, one letter an entity in turn: Line, Polyline, Circle,
# Arc, Text, Insert (the nested TREE block), Hatch (solid with an island, or
# a pattern), Mtext and Dimension.
BENCH_MIX = "LPCATLPCIHLPCATIHMLD"


def many_entities(path, count, seed=7, size=1000.0, mix="LPCAT"):
    """`count` entities of the kinds in `mix` (see BENCH_MIX) spread over a
    square of `size` units on five layers."""
    doc = ezdxf.new("R2000")
    layers = [("L%d" % i, colour, True, True) for i, colour in enumerate([1, 2, 3, 4, 5])]
    add_layers(doc, layers)
    if "I" in mix:
        add_tree_blocks(doc)
    if "D" in mix:
        doc.dimstyles.new("BENCH", dxfattribs={"dimtxt": 2, "dimasz": 1.5, "dimexe": 0.5, "dimexo": 0.5,
                                               "dimdec": 1})
    msp = doc.modelspace()
    rng = random.Random(seed)
    for i in range(count):
        layer = layers[i % len(layers)][0]
        x, y = rng.uniform(0, size), rng.uniform(0, size)
        add_bench_entity(msp, mix[i % len(mix)], i, x, y, rng, {"layer": layer})
    half = size / 2
    set_view_and_page_setup(doc, centre=(half, half), height=size * 1.05,
                            window=((0, 0), (size, size)))
    doc.saveas(path)


def add_bench_entity(msp, kind, i, x, y, rng, attribs):
    if kind == "L":
        msp.add_line((x, y), (x + rng.uniform(-20, 20), y + rng.uniform(-20, 20)), dxfattribs=attribs)
    elif kind == "P":
        points = [(x + rng.uniform(-15, 15), y + rng.uniform(-15, 15), 0, 0, rng.choice([0, 0, 0.5, -0.3]))
                  for _ in range(4)]
        msp.add_lwpolyline(points, format="xyseb", dxfattribs=attribs)
    elif kind == "C":
        msp.add_circle((x, y), radius=rng.uniform(1, 10), dxfattribs=attribs)
    elif kind == "A":
        start = rng.uniform(0, 360)
        msp.add_arc((x, y), radius=rng.uniform(1, 10), start_angle=start,
                    end_angle=start + rng.uniform(30, 300), dxfattribs=attribs)
    elif kind == "T":
        msp.add_text("T%d" % i, dxfattribs=dict(attribs, height=rng.uniform(1, 4), insert=(x, y)))
    elif kind == "I":
        size = rng.uniform(2, 8)
        msp.add_blockref("TREE", (x, y), dxfattribs=dict(attribs, xscale=size, yscale=size,
                                                          rotation=rng.uniform(0, 360)))
    elif kind == "H":
        w, h = rng.uniform(4, 20), rng.uniform(4, 20)
        hatch = msp.add_hatch(color=256, dxfattribs=attribs)
        if i % 2:
            hatch.set_pattern_fill("ANSI31", color=256, scale=0.5, angle=rng.choice([0, 45, 90]))
        hatch.paths.add_polyline_path([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], is_closed=True, flags=1)
        island = hatch.paths.add_edge_path(flags=16)
        island.add_arc((x + w / 2, y + h / 2), min(w, h) / 4, 0, 360)
    elif kind == "M":
        msp.add_mtext("M%d {\\H0.7x;note}\\Pwrapped text of the benchmark" % i,
                      dxfattribs=dict(attribs, char_height=rng.uniform(1, 3), width=25, insert=(x, y)))
    elif kind == "D":
        length = rng.uniform(5, 30)
        msp.add_linear_dim(base=(x, y + 4), p1=(x, y), p2=(x + length, y), dimstyle="BENCH",
                           dxfattribs=attribs).render()


LAYERED_SITE_WIDTH, LAYERED_SITE_HEIGHT = 1000.0, 706.3  # the shape of an A-series sheet


def layered_site(path, count, seed=5, per_layer=150):
    """`count` plottable layers, each with `per_layer` lines, circles,
    polylines and texts in a part of the site of its own (a tenth to all of
    it), so that the layers' contents have bounds of every size. Every fifth
    layer's name has an umlaut."""
    doc = ezdxf.new("R2000")
    layers = [(("B\u00e4ume %02d" if i % 5 == 4 else "LAYER_%02d") % i, 1 + i % 7, True, True)
              for i in range(count)]
    add_layers(doc, layers)
    msp = doc.modelspace()
    rng = random.Random(seed)
    width, height = LAYERED_SITE_WIDTH, LAYERED_SITE_HEIGHT
    for name, _, _, _ in layers:
        share = rng.uniform(0.3, 1.0)
        w, h = width * share, height * share
        left, bottom = rng.uniform(0, width - w), rng.uniform(0, height - h)
        attribs = {"layer": name}
        for k in range(per_layer):
            x, y = left + rng.uniform(0, w), bottom + rng.uniform(0, h)
            kind = k % 4
            if kind == 0:
                msp.add_line((x, y), (x + rng.uniform(-30, 30), y + rng.uniform(-30, 30)), dxfattribs=attribs)
            elif kind == 1:
                msp.add_circle((x, y), radius=rng.uniform(1, 8), dxfattribs=attribs)
            elif kind == 2:
                rectangle(msp, x, y, rng.uniform(5, 40), rng.uniform(5, 30), name)
            else:
                msp.add_text("%s %d" % (name[:6], k), dxfattribs=dict(attribs, height=rng.uniform(2, 6), insert=(x, y)))
    set_view_and_page_setup(doc, centre=(width / 2, height / 2), height=height * 1.05,
                            window=((0, 0), (width, height)))
    doc.saveas(path)


def main(argv):
    if len(argv) == 4 and argv[1] == "--bench":
        many_entities(argv[3], int(argv[2]), seed=11, mix=BENCH_MIX)
        return 0
    if len(argv) == 4 and argv[1] == "--layers":
        layered_site(argv[3], int(argv[2]))
        return 0
    if len(argv) > 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1] if len(argv) == 2 else os.path.dirname(os.path.abspath(__file__))
    site_plan(os.path.join(folder, "site-plan.dxf"))
    many_entities(os.path.join(folder, "many-entities.dxf"), 3000)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
