#!/usr/bin/python3
"""Drawings made with ezdxf for the drawing editor's tests.

    make_drawings.py FOLDER      writes every-VERSION.dxf (text) and every-VERSION-binary.dxf
                                 for each version, with every kind of entity in model space and
                                 in nested blocks, attributes, extended data, extension
                                 dictionaries, true colours, linetypes and lineweights
    make_drawings.py --check ORIGINAL SAVED
                                 audits SAVED and compares the entity types of model space and
                                 of every block with ORIGINAL; prints what differs
"""
import sys

import ezdxf
from ezdxf.math import Vec3

VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]


def add_everything(doc, space, modern):
    """One entity of each kind, with the attributes real drawings carry."""
    space.add_line((0, 0), (10, 5), dxfattribs={"color": 1, "linetype": "DASHED", "layer": "Walls"})
    space.add_circle((5, 5), 2, dxfattribs={"lineweight": 50} if modern else {})
    space.add_arc((5, 5), 3, 10, 170)
    space.add_point((1, 2))
    space.add_text("Stra\u00dfe", dxfattribs={"height": 2.5, "rotation": 30})
    space.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
    space.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 1), (0, 1, 1)])
    space.add_polyline2d([(0, 0), (3, 0), (3, 3)], close=True)
    space.add_polyline3d([(0, 0, 0), (1, 1, 1), (2, 0, 3)])
    space.add_trace([(0, 0), (1, 0), (0, 1), (1, 1)])
    dim = space.add_linear_dim(base=(0, 4), p1=(0, 0), p2=(10, 0))
    dim.render()
    if not modern:
        return
    space.add_lwpolyline([(0, 0, 0, 0, 0.5), (4, 0), (4, 4)], dxfattribs={"true_color": ezdxf.rgb2int((10, 200, 30))})
    space.add_mtext("{\\fArial|b1;Bold} \\P second line \\C1;red", dxfattribs={"char_height": 1.5})
    space.add_ellipse((0, 0), major_axis=(4, 1), ratio=0.5)
    space.add_spline([(0, 0), (2, 3), (5, 1), (8, 4)])
    space.add_xline((0, 0), (1, 1))
    space.add_ray((0, 0), (1, -1))
    hatch = space.add_hatch(color=3)
    hatch.paths.add_polyline_path([(0, 0), (5, 0), (5, 5)], is_closed=True)
    space.add_leader([(0, 0), (3, 3), (6, 3)])
    mesh = space.add_mesh()
    with mesh.edit_data() as data:
        data.vertices = [(0, 0, 0), (1, 0, 0), (1, 1, 0)]
        data.faces = [(0, 1, 2)]
    space.add_wipeout([(0, 0), (2, 0), (2, 2)])
    space.add_mline([(0, 0), (5, 5)]) if hasattr(space, "add_mline") else None
    line = space.add_line((20, 20), (30, 30))
    line.set_xdata("ACME", [(1000, "kept data"), (1040, 2.5), (1070, 7)])
    xdict = line.new_extension_dict()
    xdict.add_dictionary_var("NOTE", "checked")


def make(version, path, binary):
    doc = ezdxf.new(version, setup=True)
    doc.appids.new("ACME")
    doc.layers.add("Walls", color=1)
    doc.layers.add("Gel\u00e4nde", color=3).dxf.plot = 0 if version != "R12" else None
    modern = version != "R12"
    inner = doc.blocks.new("INNER")
    add_everything(doc, inner, modern)
    inner.add_attdef("NUMBER", (0, 0), dxfattribs={"height": 1})
    outer = doc.blocks.new("OUTER")
    outer.add_blockref("INNER", (5, 5))
    outer.add_circle((0, 0), 1)
    msp = doc.modelspace()
    add_everything(doc, msp, modern)
    ref = msp.add_blockref("INNER", (50, 50))
    ref.add_attrib("NUMBER", "12", (50, 50))
    msp.add_blockref("OUTER", (80, 0), dxfattribs={"xscale": 2})
    if binary:
        doc.saveas(path, fmt="bin")
    else:
        doc.saveas(path)


def types(doc):
    out = {"*model": [e.dxftype() for e in doc.modelspace()]}
    for block in doc.blocks:
        if block.name.lower() not in ("*model_space", "*paper_space"):
            out[block.name.upper()] = [e.dxftype() for e in block]
    return out


def check(original, saved):
    problems = []
    doc = ezdxf.readfile(saved)
    auditor = doc.audit()
    for error in auditor.errors:
        problems.append("audit error: %s" % error.message)
    for fix in auditor.fixes:
        problems.append("audit fix: %s" % fix.message)
    before, after = types(ezdxf.readfile(original)), types(doc)
    for name, entities in before.items():
        if after.get(name) != entities:
            problems.append("%s: %s became %s" % (name, entities, after.get(name)))
    print("\n".join(problems) if problems else "same")
    return 1 if problems else 0


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        return check(sys.argv[2], sys.argv[3])
    folder = sys.argv[1]
    for version in VERSIONS:
        make(version, "%s/every-%s.dxf" % (folder, version), False)
        make(version, "%s/every-%s-binary.dxf" % (folder, version), True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
