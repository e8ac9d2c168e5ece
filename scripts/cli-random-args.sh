#!/usr/bin/env bash
# Runs zentrima-cli with many random argument sets and checks what a script relies on: the
# exit status is 0, 1 or 2; every non-zero exit says why on standard error; no run ever
# shows a sanitizer report (build the program with -DZENTRIMA_SANITIZE=ON), takes more than
# five seconds or leaves a temporary file behind.
#   scripts/cli-random-args.sh [PROGRAM] [COUNT] [SEED] [JOBS]
# Defaults: build-test/src/cli/zentrima-cli, 10000 runs, seed 1, 2 runs at a time. Every run
# has its own empty home, config folder and current folder in a scratch folder of the
# script's own; -o names only files there: hostile ones among them (a FIFO nobody reads, a
# read-only file, a loop of links, a link to itself, a file with a second hard link, a setuid
# file, a link planted in a shared sticky folder, a name through /proc/self/cwd, the
# process's own standard output). As root, private copies of the null and full devices are
# made there, and some runs drop to the user nobody or run under a file-size limit. No real
# device is ever named, so a program that replaces what it writes to harms nothing outside.
# Failing argument sets are listed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

program=$(realpath "${1:-build-test/src/cli/zentrima-cli}")
count=${2:-10000}
seed=${3:-1}
jobs=${4:-2}
[[ -x $program ]] || { echo "no program at $program" >&2; exit 2; }

exec python3 - "$program" "$count" "$seed" "$jobs" <<'PYTHON'
import concurrent.futures, os, random, re, shutil, subprocess, sys, tempfile

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
           "n" * 256, "link", "fifo", "lonely-fifo", "readonly.txt", "loop1", "self",
           "hard.txt", "setuid", "shared/planted", "/proc/self/cwd/old.txt", "old.txt"]
root = os.geteuid() == 0
scratch = tempfile.mkdtemp(prefix="zentrima-random-scratch-")
os.chmod(scratch, 0o755)

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

# Commands that succeed, so that a third of the runs reach the writer with an -o target.
valid = [["sample", "unpaired", "--sd", "1"], ["power", "paired", "--pairs", "2", "--sd", "1"],
         ["sample", "one-sample", "--sd", "1", "--page", "cells"],
         ["sample", "one-sample", "--sd", "1", "--page", "tradeoff"]]

def arguments(rng):
    if rng.random() < 0.33:
        return rng.choice(valid) + [rng.choice(["-o", "--output"]), rng.choice(outputs)]
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

def prepare(home, as_nobody):
    os.mkdir(os.path.join(home, "dir"))
    os.mkfifo(os.path.join(home, "fifo"))
    os.mkfifo(os.path.join(home, "lonely-fifo"))
    os.symlink("target.txt", os.path.join(home, "link"))
    os.symlink("/proc/self/fd/1", os.path.join(home, "stdout"))
    os.symlink("loop2", os.path.join(home, "loop1"))
    os.symlink("loop1", os.path.join(home, "loop2"))
    os.symlink("self", os.path.join(home, "self"))
    for name in ("readonly.txt", "hard.txt", "setuid", "old.txt", "victim.txt"):
        with open(os.path.join(home, name), "w") as f:
            f.write("old\n")
    os.chmod(os.path.join(home, "readonly.txt"), 0o444)
    os.chmod(os.path.join(home, "setuid"), 0o4755)
    os.link(os.path.join(home, "hard.txt"), os.path.join(home, "hard-twin.txt"))
    os.mkdir(os.path.join(home, "shared"))
    os.chmod(os.path.join(home, "shared"), 0o1777)
    os.symlink("../victim.txt", os.path.join(home, "shared", "planted"))
    if root:
        # Private copies of the null and full devices (major 1, minors 3 and 7).
        os.mknod(os.path.join(home, "null"), 0o20666, os.makedev(1, 3))
        os.mknod(os.path.join(home, "full"), 0o20666, os.makedev(1, 7))
        os.lchown(os.path.join(home, "shared", "planted"), 65534, 65534)
        if as_nobody:
            for folder, names, files in os.walk(home):
                for name in [folder] + [os.path.join(folder, n) for n in names + files]:
                    if name != os.path.join(home, "shared"):
                        os.lchown(name, 65534, 65534)

def cpu_ticks(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except (OSError, IndexError, ValueError):
        return None

def run_watched(command, home, env, owner):
    """Runs command; a run still going after 5 s is a hang when it has stopped using the
    processor (waiting on a FIFO, say), and only slow when the machine's load holds it up."""
    process = subprocess.Popen(command, cwd=home, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, **owner)
    out, err, waited, last, still = b"", b"", 0, None, 0
    while True:
        try:
            more_out, more_err = process.communicate(timeout=1)
            out, err = out + (more_out or b""), err + (more_err or b"")
            return subprocess.CompletedProcess(command, process.returncode, out, err), False, \
                waited >= 5
        except subprocess.TimeoutExpired:
            waited += 1
        if waited < 5:
            continue
        ticks = cpu_ticks(process.pid)
        still = still + 1 if ticks is not None and ticks == last else 0
        last = ticks
        if still >= 3 or waited >= 300:
            process.kill()
            more_out, more_err = process.communicate()
            return subprocess.CompletedProcess(command, -9, out + more_out, err + more_err), \
                True, True

def listing(home):
    return {os.path.relpath(os.path.join(folder, n), home)
            for folder, names, files in os.walk(home) for n in names + files}

def run(index):
    rng = random.Random(seed * 1000003 + index)
    args = arguments(rng)
    as_nobody = root and rng.random() < 0.1
    size_limit = rng.random() < 0.1
    home = tempfile.mkdtemp(prefix="run-", dir=scratch)
    try:
        prepare(home, as_nobody)
        before = listing(home)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_RUNTIME_DIR=home, LC_ALL="C.UTF-8")
        # A FIFO without a reader would keep an old writer waiting: a reader drains "fifo";
        # "lonely-fifo" has none and must be refused.
        reader = subprocess.Popen(["cat", os.path.join(home, "fifo")],
                                  stdout=subprocess.DEVNULL)
        command = [program] + args
        if size_limit:
            command = ["sh", "-c", 'ulimit -f 1; exec "$0" "$@"'] + command
        owner = dict(user=65534, group=65534, extra_groups=[]) if as_nobody else {}
        try:
            done, hung, slow = run_watched(command, home, env, owner)
        finally:
            try:
                os.close(os.open(os.path.join(home, "fifo"), os.O_WRONLY | os.O_NONBLOCK))
            except OSError:
                pass  # the reader has seen its end already
            reader.wait()
        leftovers = sorted(n for n in listing(home) - before
                           if os.path.basename(n).startswith("."))
    finally:
        shutil.rmtree(home, ignore_errors=True)
    err = done.stderr.decode("utf-8", "replace")
    problems = []
    if hung:
        problems.append("no exit within 5 s, waiting without using the processor")
    elif done.returncode not in (0, 1, 2):
        problems.append("exit status %d" % done.returncode)
    if done.returncode != 0 and not hung and not err.strip():
        problems.append("no message")
    if sanitizer.search(err):
        problems.append("sanitizer report")
    if leftovers:
        problems.append("left behind: " + ", ".join(leftovers))
    return done.returncode, problems, args, err, slow

statuses = {}
failures = []
slow_runs = 0
with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
    for status, problems, args, err, slow in pool.map(run, range(count)):
        slow_runs += slow
        statuses[status] = statuses.get(status, 0) + 1
        if problems:
            failures.append((problems, args, err))

print("runs: %d (seed %d)" % (count, seed))
for status in sorted(statuses):
    print("exit %d: %d" % (status, statuses[status]))
shutil.rmtree(scratch, ignore_errors=True)
print("runs over 5 s that kept using the processor (machine load): %d" % slow_runs)
print("failing argument sets: %d" % len(failures))
for problems, args, err in failures[:20]:
    shown = [a if len(a) <= 80 else a[:80] + "..." for a in args]
    print("  %s: %r\n    %s" % (", ".join(problems), shown, err.strip()[:300]))
sys.exit(1 if failures else 0)
PYTHON
