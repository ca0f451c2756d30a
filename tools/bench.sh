#!/usr/bin/env bash
# Times the zip archive and image libraries against the standard tools, side by side in one
# run: extraction against unzip, creation against zip -r -6, JPEG decoding against djpeg, and
# decoding plus a bilinear resize to 1024 x 768 against ImageMagick's convert. Prints a table
# of medians of wall time and of processor time, their ratios (below 1: ours is faster) and
# peak memory, and writes it to build/bench/results.md. A benchmark, not a test: it fails only when something cannot run.
#   tools/bench.sh [runs]      (default 5; the largest inputs run at most 3 times, the
#                              tiny files 2 runs + 1 times)
# The inputs are made once in build/bench/inputs (1.5 GB); the outputs of the runs take about
# 8 GB more while it runs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
dir="$top/build/bench"

bash "$top/tools/setup.sh" >/dev/null || exit 1
mkdir -p "$dir"
echo "== optimised native build (no sanitizers)"
cmake -S "$top" -B "$dir/tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_SANITIZE=OFF >"$dir/configure.log" 2>&1 \
  || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir/tree" --target velmora_bench >"$dir/build.log" 2>&1 || { tail -40 "$dir/build.log"; exit 1; }

echo "== inputs"
python3 - "$dir/inputs" <<'PY'
import os, random, subprocess, sys
root = sys.argv[1]
os.makedirs(root, exist_ok=True)
rng = random.Random(20261210)
words = ["".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randint(2, 10))) for _ in range(5000)]
def text(n):
    out, size = [], 0
    while size < n:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(4, 14))) + "\n"
        out.append(line); size += len(line)
    return "".join(out).encode()[:n]
def made(name):
    return os.path.exists(os.path.join(root, name + ".done"))
def done(name):
    open(os.path.join(root, name + ".done"), "w").close()

if not made("mixed"):  # a few thousand files of every kind and size, in nested folders
    for i in range(3000):
        folder = os.path.join(root, "mixed", "d%02d" % (i % 40), "s%d" % (i % 3))
        os.makedirs(folder, exist_ok=True)
        size = int(min(400000, rng.lognormvariate(8.5, 1.6)))
        kind = i % 4
        data = os.urandom(size) if kind == 0 else (bytes([i % 7]) * size if kind == 1 else text(size))
        open(os.path.join(folder, "f%04d.%s" % (i, ("bin", "dat", "txt", "log")[kind])), "wb").write(data)
    done("mixed")
if not made("big"):  # one 200 MB file: text with incompressible stretches
    pool = text(6 << 20) + os.urandom(2 << 20)
    with open(os.path.join(root, "big.bin"), "wb") as f:
        for i in range(200):
            at = rng.randrange(0, len(pool) - (1 << 20))
            f.write(pool[at:at + (1 << 20)])
    done("big")
for count in (2000, 20000):
    name = "tiny%d" % count
    if not made(name):
        folder = os.path.join(root, name)
        os.makedirs(folder, exist_ok=True)
        for i in range(count):
            open(os.path.join(folder, "t%05d.txt" % i), "wb").write(text(rng.randint(10, 200)))
        done(name)
if not made("picture"):  # 12 megapixels, as JPEG, PNG and BMP
    jpg = os.path.join(root, "picture.jpg")
    subprocess.run(["/usr/bin/convert", "-seed", "7", "-size", "4000x3000", "plasma:fractal", "-blur", "0x1",
                    "-quality", "90", jpg], check=True)
    for ext in ("png", "bmp"):
        subprocess.run(["/usr/bin/convert", jpg, "-type", "TrueColor", os.path.join(root, "picture." + ext)], check=True)
    done("picture")
PY

# The archives, made by Info-ZIP zip.
in="$dir/inputs"
mkzip() {  # mkzip <archive> <folder or file> [zip options]
  local out=$1 what=$2; shift 2
  [ -f "$in/$out" ] && return
  (cd "$in" && zip -q -r "$@" "$out.part" "$what" && mv "$out.part" "$out")
}
mkzip mixed.zip mixed -6
mkzip mixed-stored.zip mixed -0
mkzip big.zip big.bin -6
mkzip big-stored.zip big.bin -0
mkzip tiny2000.zip tiny2000 -6
mkzip tiny20000.zip tiny20000 -6
if [ ! -f "$in/zeros.zip" ]; then
  head -c 1G /dev/zero >"$in/zeros.bin"
  (cd "$in" && zip -q -6 zeros.zip.part zeros.bin && mv zeros.zip.part zeros.zip)
  rm -f "$in/zeros.bin"
fi

echo "== timing ($runs runs each, alternating)"
python3 - "$dir" "$runs" <<'PY'
import os, shutil, statistics, subprocess, sys, time
dir, runs = sys.argv[1], int(sys.argv[2])
inp, work = os.path.join(dir, "inputs"), os.path.join(dir, "work")
bench = os.path.join(dir, "tree", "bin", "velmora_bench")
convert = "/usr/bin/convert"

memory = os.path.join(dir, "peak.txt")

# Wall time of the command; its processor time (user + system) and peak resident memory as
# GNU time reports them (the memory of a process forked from this script would count the
# script's own).
def timed(cmd, cwd=None):
    start = time.perf_counter()
    rc = subprocess.call(["/usr/bin/time", "-f", "%M %U %S", "-o", memory] + cmd, cwd=cwd, stdout=subprocess.DEVNULL)
    took = time.perf_counter() - start
    if rc != 0:
        sys.exit("failed: " + " ".join(cmd))
    peak, user, system = open(memory).read().split()[-3:]
    return took, float(user) + float(system), int(peak) / 1024.0

# Every run writes to a place of its own, and nothing is deleted until the end: a file system
# pays for creating files where many were deleted a few minutes before (ext4 avoids such
# inodes), and that cost would go to whichever tool runs next.
old = work + ".old"
if os.path.exists(work):
    shutil.rmtree(old, ignore_errors=True)
    os.rename(work, old)
os.makedirs(work)
def settle():
    os.sync()

rows = []
def case(task, goal, ours, standard, n=runs):
    t = {"ours": [], "std": []}
    c = {"ours": [], "std": []}
    m = {"ours": 0.0, "std": 0.0}
    settle()
    for i in range(n):
        # Alternating, each side first every other time.
        for side, make in (("ours", ours), ("std", standard))[::1 if i % 2 == 0 else -1]:
            cmd, cwd = make(os.path.join(work, "%d-%s%d" % (len(rows), side, i)))
            os.sync()
            took, cpu, peak = timed(cmd, cwd)
            t[side].append(took)
            c[side].append(cpu)
            m[side] = max(m[side], peak)
    o, s = statistics.median(t["ours"]), statistics.median(t["std"])
    co, cs = statistics.median(c["ours"]), statistics.median(c["std"])
    rows.append((task, o, s, o / s, goal, co, cs, m["ours"], m["std"]))
    print("  %-58s %8.3f s %8.3f s  %5.2f" % (task, o, s, o / s), flush=True)

for name, label, n in (("big.zip", "one 200 MB entry", 3), ("big-stored.zip", "one 200 MB entry, stored", 3),
                       ("mixed.zip", "3,000 mixed files", runs), ("mixed-stored.zip", "3,000 mixed files, stored", runs),
                       ("tiny2000.zip", "2,000 tiny files", 2 * runs + 1),
                       ("tiny20000.zip", "20,000 tiny files", 2 * runs + 1),
                       ("zeros.zip", "one 1 GB entry of zeros", 1)):
    a = os.path.join(inp, name)
    case("extract " + label + " (unzip -q -o)", 1.0,
         lambda out, a=a: ([bench, "extract", a, out], None),
         lambda out, a=a: (["unzip", "-q", "-o", a, "-d", out], None), n=n)
for folder, label in (("mixed", "3,000 mixed files"), ("tiny2000", "2,000 tiny files")):
    src = os.path.join(inp, folder)
    case("create " + label + " (zip -r -6)", 1.0,
         lambda out, src=src: ([bench, "create", ".", out + ".zip"], src),
         lambda out, src=src: (["zip", "-q", "-r", "-6", out + ".zip", "."], src))
jpg = os.path.join(inp, "picture.jpg")
case("decode 12 MP JPEG (djpeg)", 1.3, lambda out: ([bench, "decode", jpg], None),
     lambda out: (["djpeg", "-outfile", "/dev/null", jpg], None))
for ext in ("jpg", "png", "bmp"):
    pic = os.path.join(inp, "picture." + ext)
    case("decode + resize 12 MP %s to 1024x768 (convert)" % ext.upper(), 0.5,
         lambda out, pic=pic: ([bench, "resize", pic, "1024", "768"], None),
         lambda out, pic=pic: ([convert, pic, "-filter", "Triangle", "-resize", "1024x768!", "null:"], None))
shutil.rmtree(work, ignore_errors=True)
shutil.rmtree(old, ignore_errors=True)

lines = ["| task (standard tool) | ours (s) | standard (s) | ratio | goal | CPU ours (s) | CPU standard (s) | CPU ratio | ours peak MB | standard peak MB |",
         "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
for task, o, s, r, goal, co, cs, mo, ms in rows:
    cr = "%.2f" % (co / cs) if cs > 0 else "-"
    lines.append("| %s | %.3f | %.3f | %.2f%s | %.1f | %.3f | %.3f | %s | %.1f | %.1f |"
                 % (task, o, s, r, "" if r <= goal else " (over)", goal, co, cs, cr, mo, ms))
table = "\n".join(lines) + "\n"
open(os.path.join(dir, "results.md"), "w").write(table)
print()
print(table)
print("written to " + os.path.join(dir, "results.md"))
PY
