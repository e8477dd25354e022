#!/usr/bin/python3
"""The create command from start to end, with the photo editor stand-in and
with GIMP side by side: acad-host runs TAVO_IMGCREATE on a generated site of
N plottable layers, plotted as PNG at W x H pixels (a user size of the PNG
device), and the editor stacks the plots into the layered document and makes
a PNG picture. For each run: wall time, the peak resident memory of every
process (bench/run_measure.py) and the size of the layered document.

    create_bench.py [--layers 30] [--sizes 6622x4677] [--editors photoshop,gimp]
                    [--build build] [--out build/create-bench] [--markdown FILE]

--layers and --sizes take comma-separated lists and run every combination.
With one combination and both editors it also checks the goals: the
stand-in's document at most 1.5 times GIMP's, its run within 2 times GIMP's
time and within 2 GB. Run with Debian's interpreter (python3-ezdxf).
"""
import argparse
import json
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SITE = (1000.0, 706.3)  # the generated site's size in drawing units (samples/make_samples.py)


def drawing(out, layers):
    path = os.path.join(out, "drawings", "site-%d-layers.dxf" % layers)
    if not os.path.exists(path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run([sys.executable, os.path.join(ROOT, "samples", "make_samples.py"), "--layers", str(layers), path],
                       check=True)
    return path


def run_once(build, out, layers, size, editor):
    folder = os.path.join(out, "%d-layers-%s" % (layers, size), editor)
    shutil.rmtree(folder, ignore_errors=True)
    work, user = os.path.join(folder, "work"), os.path.join(folder, "user")
    os.makedirs(work)
    os.makedirs(user)
    shutil.copy(drawing(out, layers), os.path.join(work, "bench.dxf"))
    width, height = size.split("x")
    script = os.path.join(folder, "create.scr")
    with open(script, "w") as f:
        f.write('PAGESETUP device="PublishToWeb PNG.pc3" media="%s x %s Pixels" type=window window=0,0,%g,%g\n'
                "TAVO_IMGCREATE\n" % (width, height, SITE[0], SITE[1]))
    answers = os.path.join(ROOT, "samples", "demo", "create-%s.answers" % editor)
    command = [os.path.join(build, "bin", "acad-host"), "--script", script, "--answers", answers,
               "--transcript", os.path.join(folder, "transcript.txt"), "--drive", "D=" + work, "--user-dir", user]
    env = dict(os.environ)
    if editor == "gimp":
        programs = os.path.join(folder, "C")
        shutil.copytree(os.path.join(build, "bin", "gimp"), os.path.join(programs, "gimp"))
        command += ["--drive", "C=" + programs]
        env["RW_GIMP_UNATTENDED"] = "1"
    command.append(os.path.join(work, "bench.dxf"))
    measured = os.path.join(folder, "measure.json")
    with open(os.path.join(folder, "output.log"), "w") as log:
        status = subprocess.run([sys.executable, os.path.join(ROOT, "bench", "run_measure.py"), "--json", measured, "--"]
                                + command, stdout=log, stderr=subprocess.STDOUT, env=env).returncode
    with open(measured) as f:
        result = json.load(f)
    psd, picture = os.path.join(work, "bench.psd"), os.path.join(work, "bench.png")
    result.update(editor=editor, layers=layers, size=size, status=status, folder=folder,
                  psd_mib=round(os.path.getsize(psd) / 2 ** 20, 1) if os.path.exists(psd) else None,
                  picture=os.path.exists(picture))
    return result


def row(r):
    done = r["status"] == 0 and r["psd_mib"] is not None and r["picture"]
    return "| %d | %s | %s | %.1f | %.0f | %.0f | %s |%s" % (
        r["layers"], r["size"].replace("x", " × "), r["editor"], r["seconds"], r["run_peak_mib"],
        r["largest_process_mib"], r["psd_mib"], "" if done else " (failed: see %s)" % r["folder"])


HEADER = ("| layers | pixels | editor | seconds | run peak MiB | largest process MiB | PSD MiB |\n"
          "|---:|---|---|---:|---:|---:|---:|")


def goals(results):
    by = {r["editor"]: r for r in results}
    ps, gimp = by["photoshop"], by["gimp"]
    checks = [("document <= 1.5 x GIMP's", ps["psd_mib"] is not None and gimp["psd_mib"] is not None
               and ps["psd_mib"] <= 1.5 * gimp["psd_mib"], "%s vs %s MiB" % (ps["psd_mib"], gimp["psd_mib"])),
              ("time <= 2 x GIMP's", ps["seconds"] <= 2 * gimp["seconds"], "%.1f vs %.1f s" % (ps["seconds"], gimp["seconds"])),
              ("memory <= 2 GB", ps["run_peak_mib"] <= 2048, "%.0f MiB" % ps["run_peak_mib"])]
    for name, ok, figures in checks:
        print("%-28s %-4s %s" % (name, "met" if ok else "MISSED", figures))
    return all(ok for _, ok, _ in checks)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--layers", default="30")
    parser.add_argument("--sizes", default="6622x4677")
    parser.add_argument("--editors", default="photoshop,gimp")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "create-bench"))
    parser.add_argument("--markdown", help="appends the table's rows to this file")
    args = parser.parse_args()
    out = os.path.abspath(args.out)
    print(HEADER)
    results = []
    for layers in [int(n) for n in args.layers.split(",")]:
        for size in args.sizes.split(","):
            for editor in args.editors.split(","):
                results.append(run_once(os.path.abspath(args.build), out, layers, size, editor))
                print(row(results[-1]), flush=True)
                if args.markdown:
                    with open(args.markdown, "a") as f:
                        f.write(row(results[-1]) + "\n")
    if len(results) == 2 and {r["editor"] for r in results} == {"photoshop", "gimp"}:
        return 0 if goals(results) else 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
