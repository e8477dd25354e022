#!/usr/bin/python3
"""Makes the sample drawings of the drawing editor.

    make_samples.py [FOLDER]               site-plan.dxf and many-entities.dxf in FOLDER
                                           (default: the folder of this script)
    make_samples.py --bench COUNT FILE     a drawing of COUNT entities for the plot benchmark
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


def site_plan(path):
    doc = ezdxf.new("R2000")
    add_layers(doc, SITE_LAYERS)
    msp = doc.modelspace()
    ox, oy = 1000.0, 500.0  # the site's lower-left corner in world units (metres)

    # The parcel: straight sides and a rounded corner (bulge).
    msp.add_lwpolyline([(ox + 10, oy + 10, 0, 0, 0), (ox + 190, oy + 10, 0, 0, 0.4),
                        (ox + 200, oy + 40, 0, 0, 0), (ox + 200, oy + 140, 0, 0, 0),
                        (ox + 10, oy + 140, 0, 0, 0)], format="xyseb", close=True,
                       dxfattribs={"layer": "PARCELS"})
    # Buildings: two houses and an L-shaped barn.
    rectangle(msp, ox + 30, oy + 80, 40, 25, "BUILDINGS")
    rectangle(msp, ox + 85, oy + 90, 30, 30, "BUILDINGS")
    msp.add_lwpolyline([(ox + 140, oy + 60), (ox + 185, oy + 60), (ox + 185, oy + 125),
                        (ox + 165, oy + 125), (ox + 165, oy + 80), (ox + 140, oy + 80)],
                       close=True, dxfattribs={"layer": "BUILDINGS"})
    # Roads: a straight street, a curved drive (arc) and a lane with bends.
    msp.add_line((ox, oy + 5), (ox + 210, oy + 5), dxfattribs={"layer": "ROADS"})
    msp.add_line((ox, oy + 0), (ox + 210, oy + 0), dxfattribs={"layer": "ROADS"})
    msp.add_arc((ox + 50, oy + 40), radius=30, start_angle=200, end_angle=340,
                dxfattribs={"layer": "ROADS"})
    msp.add_lwpolyline([(ox + 120, oy + 5, 0, 0, 0), (ox + 120, oy + 40, 0, 0, -0.5),
                        (ox + 140, oy + 55, 0, 0, 0), (ox + 150, oy + 55, 0, 0, 0)],
                       format="xyseb", dxfattribs={"layer": "ROADS"})
    # Trees.
    rng = random.Random(4)
    for _ in range(24):
        msp.add_circle((ox + rng.uniform(20, 190), oy + rng.uniform(20, 70)), radius=rng.uniform(1.5, 4),
                       dxfattribs={"layer": "VEGETATION"})
    # A pond with a curved shore.
    msp.add_lwpolyline([(ox + 60, oy + 125, 0, 0, 0.6), (ox + 60, oy + 110, 0, 0, 0.3),
                        (ox + 75, oy + 112, 0, 0, 0.5)], format="xyseb", close=True,
                       dxfattribs={"layer": "WATER"})
    # Labels.
    for text, x, y, height, rotation in [("House A", 32, 92, 3, 0), ("House B", 87, 104, 3, 0),
                                         ("Barn", 168, 100, 3, 90), ("Pond", 62, 116, 2.5, 0),
                                         ("Main Street", 80, 1.2, 2.5, 0)]:
        msp.add_text(text, dxfattribs={"layer": "TEXT", "height": height, "rotation": rotation,
                                       "insert": (ox + x, oy + y)})
    # Construction lines (not plotted) and a cable (on a layer that is off).
    for i in range(0, 211, 30):
        msp.add_line((ox + i, oy - 10), (ox + i, oy + 150), dxfattribs={"layer": "CONSTRUCTION"})
    msp.add_line((ox, oy + 75), (ox + 210, oy + 75), dxfattribs={"layer": "UTILITIES"})

    set_view_and_page_setup(doc, centre=(ox + 105, oy + 72), height=170,
                            window=((ox - 5, oy - 5), (ox + 215, oy + 150)))
    doc.saveas(path)


def many_entities(path, count, seed=7, size=1000.0):
    """`count` entities (lines, polylines with bulges, circles, arcs, texts)
    spread over a square of `size` units on five layers."""
    doc = ezdxf.new("R2000")
    layers = [("L%d" % i, colour, True, True) for i, colour in enumerate([1, 2, 3, 4, 5])]
    add_layers(doc, layers)
    msp = doc.modelspace()
    rng = random.Random(seed)
    for i in range(count):
        layer = layers[i % len(layers)][0]
        x, y = rng.uniform(0, size), rng.uniform(0, size)
        kind = i % 5
        attribs = {"layer": layer}
        if kind == 0:
            msp.add_line((x, y), (x + rng.uniform(-20, 20), y + rng.uniform(-20, 20)), dxfattribs=attribs)
        elif kind == 1:
            points = [(x + rng.uniform(-15, 15), y + rng.uniform(-15, 15), 0, 0, rng.choice([0, 0, 0.5, -0.3]))
                      for _ in range(4)]
            msp.add_lwpolyline(points, format="xyseb", dxfattribs=attribs)
        elif kind == 2:
            msp.add_circle((x, y), radius=rng.uniform(1, 10), dxfattribs=attribs)
        elif kind == 3:
            start = rng.uniform(0, 360)
            msp.add_arc((x, y), radius=rng.uniform(1, 10), start_angle=start,
                        end_angle=start + rng.uniform(30, 300), dxfattribs=attribs)
        else:
            attribs.update(height=rng.uniform(1, 4), insert=(x, y))
            msp.add_text("T%d" % i, dxfattribs=attribs)
    half = size / 2
    set_view_and_page_setup(doc, centre=(half, half), height=size * 1.05,
                            window=((0, 0), (size, size)))
    doc.saveas(path)


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
        many_entities(argv[3], int(argv[2]), seed=11)
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
