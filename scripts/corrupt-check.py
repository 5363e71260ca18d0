#!/usr/bin/env python3
"""Corrupted inputs for every reader of the tools, run under the sanitizers.

Starts from valid files the tools make themselves (kntsample, kntinfow -W, tonworkw) and the
fuzz corpus, makes corrupted variants of each (truncations, byte flips, header fields at their
extremes, edited lines for the text formats), runs the tools that read them, each in a folder of
its own with a timeout, and counts per format:

  crashes   a signal, or a sanitizer report (AddressSanitizer, UndefinedBehaviorSanitizer)
  leaks     a LeakSanitizer report
  hangs     no end within the timeout
  exits     an exit status other than 0 (done) or 1 (failed)
  lost      an input changed, or an output that existed before replaced by a failed run
  strays    a failed run left a file behind

Runs that fail cleanly (exit 1) are counted as "refused". Every case that counts is kept under WORK/findings with its input, command and output.
Exit status 0 when nothing counted, 1 otherwise, 2 for a usage error.

  corrupt-check.py BIN [--per-format N] [--jobs N] [--timeout S] [--formats a,b] [--work DIR]
"""

import argparse
import concurrent.futures
import hashlib
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CORPUS = ROOT / "tests" / "fuzz" / "corpus"
SENTINEL = b"an earlier output that a failed run must leave alone\n"

# ---------------------------------------------------------------------------------------------
# Formats: the seeds of each, the name its corrupted copy takes, and the runs that read it.
# In a command, IN is the corrupted file and OUT the output; every file of `helpers` lies beside.


@dataclass
class Format:
    name: str
    suffix: str                 # the corrupted file is "in" + suffix
    text: bool                  # edited line by line as well as byte by byte
    primary: list               # every file goes through these commands
    others: list                # and every other file through one of these in turn
    helpers: tuple = ()         # helper files (names in the seed folder) copied beside it
    big_endian: bool = False    # header fields are written big-endian
    makes_files: bool = False   # its runs make files of their own (scripts): no stray count
    seeds: list = field(default_factory=list)


def formats():
    pack = ["kinetpackw", "IN", "OUT.knt", "/O"]
    to_flic = ["pixworkw", "IN", "OUT.flc", "/O"]
    to_pictures = ["pixworkw", "IN", "OUT.bmp", "/O"]
    picture = dict(text=False, primary=[pack], others=[to_flic, to_pictures])
    mix = ["kinetmixw", "base.knt", "IN", "OUT.knt", "/O"]
    tone = ["tonworkw", "IN", "OUT.wav", "/O"]
    return [
        Format("knt", ".knt", False, [["kntinfow", "IN", "-F"]], [
            ["kinetplayw", "IN", "/F"],
            ["kinetplayw", "IN", "/F", "/P", "/L2"],
            pack,
            ["kinetmixw", "IN", "tune.wav", "OUT.knt", "/O"],
            tone,
            ["kntthumb", "-s", "32", "IN", "OUT.png"],
            to_flic,
            ["kntinfow", "IN", "-S2", "-WOUT.bmp", "-O"],
        ], helpers=("tune.wav",)),
        Format("flic", ".flc", **picture),
        Format("avi", ".avi", text=False, primary=[pack], others=[to_flic, tone]),
        Format("bmp", ".bmp", **picture),
        Format("pcx", ".pcx", **picture),
        Format("tga", ".tga", **picture),
        Format("gif", ".gif", **picture),
        Format("png", ".png", big_endian=True, **picture),
        Format("apng", ".png", big_endian=True, **picture),
        Format("rawframes", ".raw", **picture),
        Format("wav", ".wav", False, [tone], [mix, pack]),
        Format("rawsound", ".pcm", False, [tone + ["/Y4", "/D11025"]],
               [mix + ["/Y1", "/D8000"], tone + ["/Y3", "/D22050", "/K7"]]),
        Format("list", ".lst", True, [pack], [to_flic],
               helpers=("pic.bmp", "anim.flc", "ser001.bmp", "ser002.bmp", "ser003.bmp")),
        Format("wavelist", ".lst", True, [tone], [mix], helpers=("a.wav", "b.wav")),
        Format("hint", ".txt", True, [["kinetpackw", "base.knt", "OUT.knt", "/@IN", "/O"]], []),
        Format("script", ".ss", True, [["kinetscriptw", "IN"]], [],
               helpers=("pic.bmp", "a.wav"), makes_files=True),
    ]


# ---------------------------------------------------------------------------------------------
# Seeds


def run_quietly(command, cwd):
    done = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True,
                          env=tool_environment(cwd), timeout=120)
    if done.returncode != 0:
        sys.exit(f"corrupt-check: making a seed failed: {' '.join(command)}\n"
                 + done.stdout.decode(errors="replace") + done.stderr.decode(errors="replace"))


def raw_frames(frames, width, height):
    """A raw frame file: the header, then each frame's palette and padded lines."""
    stride = (width + 3) & ~3
    out = bytearray(b"RAWB" + struct.pack("<4I", frames, width, height, 6666))
    for f in range(frames):
        out += bytes((i * 7 + f) & 0xFF for i in range(768))
        for y in range(height):
            out += bytes(((x + y + f * 3) // 4) & 0xFF for x in range(width)) + bytes(stride - width)
    return bytes(out)


SCRIPTS = {
    "flow.ss": 'VARSET A 5\nVARSET B "x%A%y"\nIF A > 4 GOSUB "sub"\nSTRLENGTH L B\nEND\n'
               ':sub\nCOMPUTE N = A * 3\nRETURN\n',
    "bitmap.ss": "BITMAPALLOC B 16 12\nBITMAPLINE B 0 0 15 11 3\nBITMAPBOX B 1 1 4 4 2\n"
                 "BITMAPALLOC C 4 4\nBITMAPTOBITMAPTRANS C B -2 -2 0\n"
                 "BITMAPSETPALETTEVALUE B 3 255\nANIMATIONLOADTOBITMAP \"pic.bmp\" D\nBITMAPFREE D\n",
    "files.ss": 'FILECREATE F "o.txt"\nFILEWRITE F "line"\nFILECLOSE F\nFILEOPEN F "o.txt"\n'
                'FILEREAD L F\nFILEEOF E F\nFILECLOSE F\nFILEFIND N "*.*"\nSTRPIECE P 2 3 L\n',
    "strings.ss": 'VARSET S "alpha beta gamma"\nSTRPIECE P 2 4 S\nSTRUCASE U S\n'
                  'COMPUTE X = 2147483647 / 3\nVARPUSH S\nVARPOP\n',
    "screen.ss": 'SCREENGRAPHICS OK 64 48\nANIMATIONLOADTOBITMAP "base.knt" P\n'
                 'BITMAPTOSCREEN P 0 0\nSCREENBOX 0 0 63 47 60\nTEXTSETXY 2 2\nTEXT "hello"\n'
                 'ANIMATIONPLAY R 0 0 1 128 "base.knt"\n',
}


def make_seeds(bin_dir, folder):
    """Writes the seed files of every format into folder/<format>/ and the helpers into folder."""
    tool = lambda name: str(bin_dir / name)
    folder.mkdir(parents=True)
    run_quietly([tool("kntsample"), "base.knt", "/W64", "/H48", "/N8"], folder)
    run_quietly([tool("kntsample"), "quiet.knt", "/W40", "/H30", "/N5", "/Q"], folder)
    run_quietly([tool("kinetpackw"), "base.knt", "ring.knt", "/G", "/N0", "/O"], folder)
    run_quietly([tool("kinetpackw"), "base.knt", "doubled.knt", "/Z2", "/O"], folder)
    run_quietly([tool("kntinfow"), "base.knt", "-Wanim.flc"], folder)
    for kind in ("bmp", "pcx", "tga", "gif", "png"):
        run_quietly([tool("kntinfow"), "base.knt", "-S3", "-E3", f"-Wframe.{kind}"], folder)
    run_quietly([tool("tonworkw"), "base.knt", "tune.wav"], folder)
    run_quietly([tool("tonworkw"), "base.knt", "a.wav", "/R8000", "/B8", "/C1", "/E300"], folder)
    run_quietly([tool("tonworkw"), "base.knt", "b.wav", "/R11025", "/B16", "/C2", "/E200"],
                folder)
    run_quietly([tool("tonworkw"), "base.knt", "tune.pcm", "/E250"], folder)
    shutil.copy(folder / "frame.bmp", folder / "pic.bmp")
    for n in (1, 2, 3):
        shutil.copy(folder / "frame.bmp", folder / f"ser00{n}.bmp")

    seeds = {
        "knt": ["base.knt", "quiet.knt", "ring.knt", "doubled.knt"],
        "flic": ["anim.flc"], "bmp": ["frame.bmp"], "pcx": ["frame.pcx"],
        "tga": ["frame.tga"], "gif": ["frame.gif"], "png": ["frame.png"],
        "wav": ["tune.wav", "a.wav", "b.wav"], "rawsound": ["tune.pcm"],
    }
    written = {}
    for name, files in seeds.items():
        written[name] = [(folder / f).read_bytes() for f in files]
    # The video-file corpus starts with a byte of open flags.
    written["knt"] += [p.read_bytes()[1:] for p in sorted((CORPUS / "fuzz_knt_file").iterdir())]
    corpus = {"flic": "fuzz_flic", "avi": "fuzz_avi", "bmp": "fuzz_bmp",
              "pcx": "fuzz_pcx", "tga": "fuzz_tga", "wav": "fuzz_wav"}
    for name, sub in corpus.items():
        written.setdefault(name, []).extend(p.read_bytes() for p in sorted((CORPUS / sub).iterdir()))
    animations = CORPUS / "fuzz_picture_animation"
    written["gif"] += [p.read_bytes() for p in sorted(animations.glob("*.gif"))]
    written["apng"] = [p.read_bytes() for p in sorted(animations.glob("*.png"))]
    written["rawframes"] = [raw_frames(3, 21, 9), raw_frames(1, 64, 4)]
    written["list"] = [b"# parts of three files\npic.bmp\nanim.flc /S2 /E5\n"
                       b"ser???.bmp*1-3 /E2\n", b"anim.flc /S7\n\n\"pic.bmp\"\n"]
    written["wavelist"] = [b"a.wav\nb.wav /S50 /E150\n", b"# two\nb.wav\na.wav /S10\n"]
    written["hint"] = [b"1 4 0 1\n5 8 60000 0\n", b"2 2 -50 1\n3 9 -450 0\n"]
    written["script"] = [text.encode() for text in SCRIPTS.values()]
    return written


# ---------------------------------------------------------------------------------------------
# Corruptions


def extremes(width, length):
    top = (1 << (8 * width)) - 1
    values = {0, 1, 2, top, top - 1, top >> 1, (top >> 1) + 1, 0x100, length, length + 1,
              length * 2, length // 2}
    return sorted(v & top for v in values)


def header_offsets(data, rng):
    """Every offset of the first 96 bytes, and offsets spread over the rest of the file."""
    near = list(range(min(len(data), 96)))
    far = [rng.randrange(len(data)) for _ in range(48)] if len(data) > 96 else []
    return near + far


def set_field(data, offset, width, value, big_endian):
    if offset + width > len(data):
        return None
    out = bytearray(data)
    out[offset:offset + width] = value.to_bytes(width, "big" if big_endian else "little")
    return bytes(out)


def truncations(data, count):
    lengths = range(len(data)) if len(data) <= count else \
        sorted({len(data) * i // count for i in range(count)})
    return [data[:n] for n in lengths]


def byte_flips(data, rng):
    out = bytearray(data)
    for _ in range(rng.choice((1, 1, 2, 3, 8, 32))):
        at = rng.randrange(len(out))
        out[at] = rng.choice((out[at] ^ (1 << rng.randrange(8)), rng.randrange(256), 0, 0xFF))
    return bytes(out)


NUMBERS = [b"0", b"-1", b"1", b"-2147483648", b"2147483647", b"4294967295", b"99999999999",
           b"-99999999999", b"65536"]


def line_edit(data, rng):
    lines = data.split(b"\n")
    at = rng.randrange(len(lines))
    line = lines[at]
    choice = rng.randrange(7)
    if choice == 0:    # a number at an extreme
        digits = [i for i, c in enumerate(line) if chr(c).isdigit()]
        if digits:
            i = rng.choice(digits)
            j = i
            while j < len(line) and chr(line[j]).isdigit():
                j += 1
            line = line[:i] + rng.choice(NUMBERS) + line[j:]
        else:
            line += b" " + rng.choice(NUMBERS)
    elif choice == 1:  # a line twice, or a line gone
        lines.insert(at, line) if rng.random() < 0.5 else lines.pop(at)
        return b"\n".join(lines)
    elif choice == 2:  # a word cut
        line = line[:rng.randrange(len(line) + 1)]
    elif choice == 3:  # quotes, switches and signs where they do not belong
        piece = rng.choice((b'"', b"/", b"-", b"%", b"*", b"?", b"/S", b"/E", b"\\", b";"))
        i = rng.randrange(len(line) + 1)
        line = line[:i] + piece + line[i:]
    elif choice == 4:  # a very long word
        line += b" " + b"x" * rng.choice((255, 256, 4096, 70000))
    elif choice == 5:  # control bytes and bytes above 127
        line += bytes(rng.randrange(256) for _ in range(rng.randrange(1, 6)))
    else:              # the line ends differently
        line += rng.choice((b"\r", b"\0", b"\t"))
    lines[at] = line
    return b"\n".join(lines)


def corruptions(fmt, seeds, count, rng):
    """Up to `count` distinct corrupted variants of the seeds, in a fixed order for a seed."""
    made, seen = [], set(seeds)

    def add(data, how):
        if data is not None and data not in seen and len(made) < count:
            seen.add(data)
            made.append((how, data))

    share = max(1, count // (3 * len(seeds)))
    for s, data in enumerate(seeds):
        for cut in truncations(data, share):
            add(cut, f"seed {s} cut to {len(cut)}")
    if not fmt.text:
        fields = []
        for s, data in enumerate(seeds):
            for offset in header_offsets(data, rng):
                for width in (1, 2, 4):
                    for value in extremes(width, len(data)):
                        fields.append((s, offset, width, value))
        rng.shuffle(fields)
        for s, offset, width, value in fields[:count // 3]:
            add(set_field(seeds[s], offset, width, value, fmt.big_endian),
                f"seed {s} bytes {offset}+{width} set to {value}")
    tries = 0
    while len(made) < count and tries < count * 20:
        tries += 1
        s = rng.randrange(len(seeds))
        data = seeds[s]
        if fmt.text and rng.random() < 0.7:
            for _ in range(rng.choice((1, 1, 2, 4))):
                data = line_edit(data, rng)
            add(data, f"seed {s} lines edited")
        else:
            add(byte_flips(data, rng), f"seed {s} bytes flipped")
    return made


# ---------------------------------------------------------------------------------------------
# Runs

# Runs, runs that failed as they should (exit 1), then the faults.
COUNTS = ("runs", "refused", "crashes", "leaks", "hangs", "exits", "lost", "strays")
FAULTS = COUNTS[2:]


def tool_environment(folder):
    env = dict(os.environ)
    env.update({
        "SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy", "QT_QPA_PLATFORM": "offscreen",
        "KINET_STATUS": "terminal", "HOME": str(folder), "TMPDIR": str(folder),
        "XDG_CONFIG_HOME": str(folder), "XDG_RUNTIME_DIR": str(folder),
        "ASAN_OPTIONS": "detect_leaks=1:exitcode=86:handle_abort=1",
        "LSAN_OPTIONS": "exitcode=87",
        "UBSAN_OPTIONS": "print_stacktrace=1:halt_on_error=1:exitcode=88",
    })
    return env


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def snapshot(folder):
    return {p.name: digest(p) for p in folder.iterdir() if p.is_file()}


@dataclass
class Outcome:
    faults: list       # the fault counts this run adds to
    status: object     # exit status, a signal name, or "timeout"
    output: bytes


def run_case(bin_dir, folder, command, timeout, makes_files):
    """Runs one command in `folder` (which holds IN, its helpers and an earlier OUT.*)."""
    before = snapshot(folder)
    argv = [str(bin_dir / command[0])] + command[1:]
    process = subprocess.Popen(argv, cwd=folder, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, env=tool_environment(folder),
                               start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        status = process.returncode
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        status = "timeout"
    faults = []
    text = output.decode(errors="replace")
    if status == "timeout":
        faults.append("hangs")
    elif "ERROR: LeakSanitizer" in text:
        faults.append("leaks")
    elif status < 0 or "ERROR: AddressSanitizer" in text or "runtime error:" in text \
            or status in (86, 88):
        faults.append("crashes")
        if status < 0:
            status = signal.Signals(-status).name
    elif status not in (0, 1):
        faults.append("exits")
    after = snapshot(folder)
    failed = status != 0
    for name, value in before.items():
        kept = after.get(name) == value
        if not kept and (not name.startswith("OUT.") or failed):
            faults.append("lost")
            break
    if failed and not makes_files and status != "timeout" and set(after) - set(before):
        faults.append("strays")
    return Outcome(faults, status, output)


class Runner:
    def __init__(self, bin_dir, work, seed_folder, timeout, jobs):
        self.bin_dir, self.work, self.seed_folder, self.timeout = bin_dir, work, seed_folder, timeout
        self.local = threading.local()
        self.lock = threading.Lock()
        self.next_folder = 0
        self.findings = 0
        self.pool = concurrent.futures.ThreadPoolExecutor(max_workers=jobs)

    def folder(self):
        """This thread's own folder, emptied."""
        if not hasattr(self.local, "folder"):
            with self.lock:
                self.next_folder += 1
                self.local.folder = self.work / f"run{self.next_folder}"
        folder = self.local.folder
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        return folder

    def one_file(self, fmt, how, data, commands):
        counts = dict.fromkeys(COUNTS, 0)
        for command in commands:
            folder = self.folder()
            name = "in" + fmt.suffix
            (folder / name).write_bytes(data)
            for helper in fmt.helpers:
                shutil.copy(self.seed_folder / helper, folder / helper)
            shutil.copy(self.seed_folder / "base.knt", folder / "base.knt")
            words = [name if w == "IN" else w.replace("/@IN", "/@" + name) for w in command]
            for word in words:
                out = word[2:] if word.startswith("-WOUT.") else word
                if out.startswith("OUT."):
                    # An earlier output, and for picture outputs the first of an earlier series.
                    (folder / out).write_bytes(SENTINEL)
                    (folder / ("OUT01" + out[3:])).write_bytes(SENTINEL)
            outcome = run_case(self.bin_dir, folder, words, self.timeout, fmt.makes_files)
            counts["runs"] += 1
            counts["refused"] += outcome.status == 1
            for fault in outcome.faults:
                counts[fault] += 1
            if outcome.faults:
                self.keep(fmt, how, data, words, outcome)
        return counts

    def keep(self, fmt, how, data, words, outcome):
        with self.lock:
            self.findings += 1
            case = self.work / "findings" / f"{fmt.name}-{self.findings:04d}-{outcome.faults[0]}"
        case.mkdir(parents=True)
        (case / ("in" + fmt.suffix)).write_bytes(data)
        (case / "what.txt").write_text(
            f"{how}\ncommand: {' '.join(words)}\nstatus: {outcome.status}\n"
            f"faults: {', '.join(outcome.faults)}\n")
        (case / "output.txt").write_bytes(outcome.output[-20000:])


def table(rows):
    lines = ["format      " + "".join(f"{c:>9}" for c in COUNTS)]
    total = dict.fromkeys(COUNTS, 0)
    for name, files, counts in rows:
        lines.append(f"{name:<12}" + "".join(f"{counts[c]:>9}" for c in COUNTS)
                     + f"   ({files} files)")
        for c in COUNTS:
            total[c] += counts[c]
    lines.append(f"{'all':<12}" + "".join(f"{total[c]:>9}" for c in COUNTS))
    return "\n".join(lines), total


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("bin", type=Path, help="the folder of the built tools")
    parser.add_argument("--per-format", type=int, default=1000, help="corrupted files per format")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=float, default=10.0, help="seconds per run")
    parser.add_argument("--formats", default="", help="comma-separated formats (default all)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the random choices")
    parser.add_argument("--work", type=Path, help="working folder (default a new temporary one)")
    args = parser.parse_args()

    bin_dir = args.bin.resolve()
    chosen = [f for f in formats() if not args.formats or f.name in args.formats.split(",")]
    if not chosen:
        parser.error(f"no such format: {args.formats}")
    work = args.work.resolve() if args.work else Path(tempfile.mkdtemp(prefix="corrupt-"))
    if work.exists() and any(work.iterdir()):
        parser.error(f"{work} is not empty")
    work.mkdir(parents=True, exist_ok=True)
    seed_folder = work / "seeds"
    seeds = make_seeds(bin_dir, seed_folder)
    runner = Runner(bin_dir, work, seed_folder, args.timeout, args.jobs)

    rows = []
    started = time.monotonic()
    for fmt in chosen:
        rng = random.Random(f"{args.seed}-{fmt.name}")
        cases = corruptions(fmt, seeds[fmt.name], args.per_format, rng)
        jobs = []
        for i, (how, data) in enumerate(cases):
            commands = list(fmt.primary)
            if fmt.others and i % 2 == 0:  # every other file through a second tool as well
                commands.append(fmt.others[i // 2 % len(fmt.others)])
            jobs.append(runner.pool.submit(runner.one_file, fmt, how, data, commands))
        counts = dict.fromkeys(COUNTS, 0)
        for job in jobs:
            for c, n in job.result().items():
                counts[c] += n
        rows.append((fmt.name, len(cases), counts))
        print(f"{fmt.name}: {len(cases)} files, {counts['runs']} runs, "
              f"{sum(counts[c] for c in FAULTS)} faults "
              f"({time.monotonic() - started:.0f} s)", flush=True)
    runner.pool.shutdown()

    text, total = table(rows)
    print(text)
    faults = sum(total[c] for c in FAULTS)
    if faults:
        print(f"findings: {work / 'findings'}")
        return 1
    if not args.work:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
