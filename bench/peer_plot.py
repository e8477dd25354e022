#!/usr/bin/python3
"""The peer of the plot benchmark: plots the page setup window of a DXF's
model layout to PNG with ezdxf's drawing add-on and matplotlib.

    peer_plot.py DRAWING.dxf OUT.png WIDTH HEIGHT

Prints the seconds spent reading, drawing and writing (interpreter start-up
and imports excluded) as "peer-seconds S".
"""
import logging
import sys
import time

import matplotlib

matplotlib.use("Agg")
# The drawings' text style names the font "txt", which matplotlib does not have:
# it falls back to its default font, quietly.
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)
import matplotlib.pyplot as plt  # noqa: E402
import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def window_in_world(doc):
    """The model layout's plot window (display coordinates, the same as world
    coordinates in the benchmark's untwisted view)."""
    layout = doc.layouts.get("Model").dxf_layout.dxf
    return layout.plot_window_x1, layout.plot_window_y1, layout.plot_window_x2, layout.plot_window_y2


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    path, out, width, height = argv[1], argv[2], int(argv[3]), int(argv[4])
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    x1, y1, x2, y2 = window_in_world(doc)
    dpi = 100
    figure = plt.figure(figsize=(width / dpi, height / dpi), dpi=dpi)
    axes = figure.add_axes([0, 0, 1, 1])
    context = RenderContext(doc)
    Frontend(context, MatplotlibBackend(axes)).draw_layout(doc.modelspace(), finalize=True)
    # Fit the window into the page, centred, aspect kept (as the plot does).
    scale = min(width / (x2 - x1), height / (y2 - y1))
    cx, cy = (x1 + x2) / 2, (y1 + y2) / 2
    axes.set_xlim(cx - width / scale / 2, cx + width / scale / 2)
    axes.set_ylim(cy - height / scale / 2, cy + height / scale / 2)
    figure.savefig(out, dpi=dpi, facecolor="white")
    print("peer-seconds %.3f" % (time.perf_counter() - start))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
