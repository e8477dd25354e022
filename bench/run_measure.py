#!/usr/bin/python3
"""Runs a command and measures it: wall time, and the peak resident memory of
every process of the run (the command and all its descendants), sampled from
/proc every few milliseconds. A process's own peak is the kernel's VmHWM; the
run's peak is the largest sum of VmRSS over its processes seen at one time.

    run_measure.py [--json FILE] -- COMMAND [ARG...]

Prints a summary; with --json also writes it as JSON. Exits with the
command's status.
"""
import json
import os
import subprocess
import sys
import time

SAMPLE_SECONDS = 0.01


def status_kib(pid, field):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except (OSError, ValueError):
        pass
    return 0


def process_name(pid):
    try:
        with open("/proc/%d/comm" % pid) as f:
            return f.read().strip()
    except OSError:
        return "?"


def children_of():
    """parent pid -> child pids, from /proc/*/stat."""
    tree = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        ppid = int(stat.rsplit(")", 1)[1].split()[1])
        tree.setdefault(ppid, []).append(int(entry))
    return tree


def descendants(root):
    tree, found, todo = children_of(), [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(tree.get(pid, []))
    return found


def measure(command):
    start = time.monotonic()
    child = subprocess.Popen(command)
    peaks = {}  # pid -> (name, peak KiB)
    run_peak = 0
    while child.poll() is None:
        total = 0
        for pid in descendants(child.pid):
            rss, hwm = status_kib(pid, "VmRSS"), status_kib(pid, "VmHWM")
            total += rss
            name, best = peaks.get(pid, (process_name(pid), 0))
            peaks[pid] = (name, max(best, hwm))
        run_peak = max(run_peak, total)
        time.sleep(SAMPLE_SECONDS)
    wall = time.monotonic() - start
    processes = [{"pid": pid, "name": name, "peak_mib": round(kib / 1024, 1)}
                 for pid, (name, kib) in sorted(peaks.items()) if kib > 0]
    return child.returncode, {"seconds": round(wall, 2), "run_peak_mib": round(run_peak / 1024, 1),
                              "largest_process_mib": max([p["peak_mib"] for p in processes], default=0),
                              "processes": processes}


def main(argv):
    json_path = None
    if len(argv) > 2 and argv[1] == "--json":
        json_path, argv = argv[2], argv[2:]
    if len(argv) < 3 or argv[1] != "--":
        print(__doc__, file=sys.stderr)
        return 2
    status, result = measure(argv[2:])
    print("seconds %.2f, run peak %.1f MiB, largest process %.1f MiB" %
          (result["seconds"], result["run_peak_mib"], result["largest_process_mib"]))
    for p in result["processes"]:
        print("  %-20s pid %-8d peak %8.1f MiB" % (p["name"], p["pid"], p["peak_mib"]))
    if json_path:
        with open(json_path, "w") as f:
            json.dump(result, f, indent=1)
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
