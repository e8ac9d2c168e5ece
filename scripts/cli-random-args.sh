#!/usr/bin/env bash
# Runs zentrima-cli with many random argument sets and checks what a script relies on: the
# exit status is 0, 1 or 2; every non-zero exit says why on standard error; no run ever
# shows a sanitizer report (build the program with -DZENTRIMA_SANITIZE=ON).
#   scripts/cli-random-args.sh [PROGRAM] [COUNT] [SEED] [JOBS]
# Defaults: build-test/src/cli/zentrima-cli, 10000 runs, seed 1, 2 runs at a time. Every run
# has its own empty home, config folder and current folder; -o names only files there,
# among them links to /dev/null, /dev/full and /proc/self/fd/1 (never those names themselves,
# so that a program that replaces what it writes to, as an old one did as root, harms
# nothing outside). Failing argument sets are listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

program=$(realpath "${1:-build-test/src/cli/zentrima-cli}")
count=${2:-10000}
seed=${3:-1}
jobs=${4:-2}
[[ -x $program ]] || { echo "no program at $program" >&2; exit 2; }

exec python3 - "$program" "$count" "$seed" "$jobs" <<'PYTHON'
import concurrent.futures, os, random, re, subprocess, sys, tempfile

program, count, seed, jobs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])

goals = ["sample", "power", "size", "", "SAMPLE"]
designs = ["unpaired", "paired", "one-sample", "anova", "survival", "proportions", "chi",
           "", "Unpaired"]
options = ["--sd", "--r", "--sd-diff", "--n1", "--n2", "--sd1", "--sd2", "--pairs", "--n",
           "--groups", "--df-treatment", "--ms-groups", "--df-residual", "--ms-residual",
           "--proportion", "--higher", "--lower", "--p1", "--p2", "--tabulate", "--alpha",
           "--tails", "--powers", "--ns", "--no-settings", "--page", "--format", "--select",
           "-o", "--output", "--help", "--version", "--method", "--colour", "-x", "--", "-"]
numbers = ["1", "0", "-1", "0.5", "2", "10", "1e3", "1e308", "1e400", "-1e400", "4e-320",
           "0x10", "0x1p3", "inf", "-inf", "nan", "NaN", "infinity", " 1", "1 ", "1,5", "1.5.5",
           "", "+1", "--1", "9999999999", "10000000000", "2147483648", "-2147483649", "3.0",
           "0.05", "0.001", "0.0005", "0.999", "1e-300", "\u00e9", "\u0661", "1\u00a0"]
words = ["increase", "hazard-ratio", "hazard-ratio-worse", "difference", "ratio", "change",
         "relative-risk", "risk-reduction", "tradeoff", "report", "data", "cells", "text",
         "html", "html-links", "n=3&pow=2", "pow=1", "n=0&pow=0", "n=-1&pow=2", "n=99999999999",
         "pow=", "?n=1", "approximate", "exact"]
lists = ["90,80", "80 ,90", "100", "1,000", "3.5", "", ",,,", "99.999999999999",
         ",".join(str(i) for i in range(2, 120)), "1e1", "5a", "0x10", "-5", "2,3,4"]
outputs = ["out.txt", "dir/", "missing/out.txt", "null", "full", "stdout", "n" * 255,
           "n" * 256, "link", "fifo"]

def value(rng):
    kind = rng.random()
    if kind < 0.45:
        return rng.choice(numbers)
    if kind < 0.65:
        return rng.choice(words)
    if kind < 0.85:
        return rng.choice(lists)
    if kind < 0.9:
        return rng.choice(outputs)
    if kind < 0.95:
        return "".join(chr(rng.randrange(1, 0x3000)) for _ in range(rng.randrange(1, 30)))
    return rng.choice("7x,.") * rng.randrange(1000, 100000)

def arguments(rng):
    args = []
    if rng.random() < 0.9:
        args.append(rng.choice(goals))
    if rng.random() < 0.9:
        args.append(rng.choice(designs))
    for _ in range(rng.randrange(0, 12)):
        option = rng.choice(options)
        args.append(option)
        if option in ("-o", "--output"):
            args.append(rng.choice(outputs))
        elif rng.random() < 0.9:
            args.append(value(rng))
    if rng.random() < 0.1:
        rng.shuffle(args)
    return args

sanitizer = re.compile(r"AddressSanitizer|UndefinedBehaviorSanitizer|LeakSanitizer|runtime error:")

def run(index):
    rng = random.Random(seed * 1000003 + index)
    args = arguments(rng)
    with tempfile.TemporaryDirectory(prefix="zentrima-random-") as home:
        os.mkdir(os.path.join(home, "dir"))
        os.mkfifo(os.path.join(home, "fifo"))
        os.symlink("target.txt", os.path.join(home, "link"))
        for name, target in (("null", "/dev/null"), ("full", "/dev/full"),
                             ("stdout", "/proc/self/fd/1")):
            os.symlink(target, os.path.join(home, name))
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_RUNTIME_DIR=home, LC_ALL="C.UTF-8")
        # A FIFO without a reader would keep the writer waiting: a reader drains it.
        reader = subprocess.Popen(["cat", os.path.join(home, "fifo")],
                                  stdout=subprocess.DEVNULL)
        try:
            done = subprocess.run([program] + args, cwd=home, env=env, capture_output=True,
                                  timeout=120)
        finally:
            try:
                os.close(os.open(os.path.join(home, "fifo"), os.O_WRONLY | os.O_NONBLOCK))
            except OSError:
                pass  # the reader has seen its end already
            reader.wait()
    err = done.stderr.decode("utf-8", "replace")
    problems = []
    if done.returncode not in (0, 1, 2):
        problems.append("exit status %d" % done.returncode)
    if done.returncode != 0 and not err.strip():
        problems.append("no message")
    if sanitizer.search(err):
        problems.append("sanitizer report")
    return done.returncode, problems, args, err

statuses = {}
failures = []
with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
    for status, problems, args, err in pool.map(run, range(count)):
        statuses[status] = statuses.get(status, 0) + 1
        if problems:
            failures.append((problems, args, err))

print("runs: %d (seed %d)" % (count, seed))
for status in sorted(statuses):
    print("exit %d: %d" % (status, statuses[status]))
print("failing argument sets: %d" % len(failures))
for problems, args, err in failures[:20]:
    shown = [a if len(a) <= 80 else a[:80] + "..." for a in args]
    print("  %s: %r\n    %s" % (", ".join(problems), shown, err.strip()[:300]))
sys.exit(1 if failures else 0)
PYTHON
