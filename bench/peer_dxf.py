#!/usr/bin/python3
"""The benchmark's peer for opening and saving a drawing: ezdxf's readfile
and saveas on the same file. Prints "peer-seconds S peak-kb K"."""
import resource
import sys
import time

import ezdxf


def main():
    source, target = sys.argv[1], sys.argv[2]
    start = time.perf_counter()
    doc = ezdxf.readfile(source)
    doc.saveas(target)
    seconds = time.perf_counter() - start
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    print("peer-seconds %.3f peak-kb %d" % (seconds, peak))
    return 0


if __name__ == "__main__":
    sys.exit(main())
