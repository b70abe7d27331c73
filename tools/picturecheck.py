#!/usr/bin/env python3
"""Pictures before and after a change: every export, thumbnail and compare
picture of a corpus of graph files, made by two builds of velantro, compared
byte for byte.

    tools/picturecheck.py corpus DIR --ibggen PATH      makes the corpus
    tools/picturecheck.py shoot DIR OUT --velantro PATH  makes the pictures
    tools/picturecheck.py diff OUT1 OUT2                 names what differs

The corpus holds the examples, generated files of every kind and mutations of
them (header values changed, lines cut, swapped or doubled), so that refused
and odd files are drawn too.
"""

import argparse
import hashlib
import os
import random
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

HEADER_CHANGES = [
    ("MEDIA_TYPE=", ["CD-R", "DVD-R", "HD DVD-R", "BD-R", "HDD", "XYZ", "", "DV", "BD-RE DL"]),
    ("MEDIA_CAPACITY=", ["0", "1", "359847", "2295104", "4173824", "12219392", "3907029168", "-5", "1e30", "abc"]),
    ("DATA_SECTORS=", ["0", "1", "1846052", "99999999", "-1", "x"]),
    ("DATA_TYPE=", ["MODE1/2048", "MODE2/2352", "MODE1/0", "MODE1/32767", "", "MODE1/4096"]),
    ("MEDIA_LAYER_BREAK=", ["0", "1000", "1150000", "-7"]),
    ("VERIFY_SPEED_START=", ["0", "100", "6.41"]),
    ("DATE=", ["", "2026-06-28 17:55:00", "07.12.2026 10:39:28", "nonsense"]),
    ("DEVICE_MAKEMODEL=", ["", "A" * 200, "<b>x</b>"]),
]


def make_corpus(folder: Path, ibggen: str) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    for example in sorted((ROOT / "examples").glob("*.ibg")):
        (folder / example.name).write_bytes(example.read_bytes())
    kinds = ["dvd-verify", "dvd-dl", "cd-write", "bd-verify", "no-sections", "truncated-write", "empty-write-verify"]
    generated = []
    for index, kind in enumerate(kinds):
        for samples, eol, strategy in [(1000, "crlf", None), (3000, "lf", "cav"), (200, "cr", "zclv"), (5, "crlf", None)]:
            name = folder / f"gen-{kind}-{samples}-{eol}-{strategy or 'own'}.ibg"
            command = [ibggen, "--kind", kind, "--samples", str(samples), "--eol", eol, "--seed", str(index + samples),
                       "-o", str(name)]
            if strategy:
                command += ["--strategy", strategy]
            if samples > 100:
                command += ["--dip", str(samples // 3), "--drop", str(samples // 2)]
            subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
            generated.append(name)
    rng = random.Random(23)
    sources = generated + sorted(folder.glob("*.ibg"))[:9]
    for n in range(300):
        source = rng.choice(sources)
        lines = source.read_bytes().split(b"\n")
        mutation = rng.randrange(4)
        if mutation == 0:
            key, values = rng.choice(HEADER_CHANGES)
            for i, line in enumerate(lines):
                if line.startswith(key.encode()):
                    lines[i] = (key + rng.choice(values)).encode() + (b"\r" if line.endswith(b"\r") else b"")
        elif mutation == 1 and len(lines) > 2:
            del lines[rng.randrange(len(lines)) :]
        elif mutation == 2 and len(lines) > 2:
            i, j = rng.randrange(len(lines)), rng.randrange(len(lines))
            lines[i], lines[j] = lines[j], lines[i]
        elif len(lines) > 2:
            i = rng.randrange(len(lines))
            lines.insert(i, lines[i])
        (folder / f"mut-{n:03}-{source.stem[:40]}.ibg").write_bytes(b"\n".join(lines))


def option_sets(rng: random.Random):
    yield "avg", []
    yield "raw", ["--raw"]
    yield "avg2", ["--average", "2"]
    yield "hide", ["--hide", rng.choice(["write-speed,verify-rpm", "write-cpu,write-buffer,verify-cpu", "verify-speed"])]
    yield "fit", ["--fit"]
    start = rng.randrange(0, 2000000)
    yield "zoom", ["--range", f"{start}:{start + rng.choice([1500, 40000, 400000])}"]
    yield "zoomfit", ["--fit", "--raw", "--range", f"{start}:{start + 90000}"]


def shoot(corpus: Path, out: Path, velantro: str) -> None:
    out.mkdir(parents=True, exist_ok=True)
    files = sorted(corpus.glob("*.ibg"))
    jobs = []
    for index, path in enumerate(files):
        rng = random.Random(index)
        for name, options in option_sets(rng):
            # The whole set for the examples and generated files, two for each mutation.
            if path.name.startswith("mut-") and name not in ("avg", rng.choice(["raw", "fit", "zoom"])):
                continue
            jobs.append(([velantro, "--export", str(out / f"{path.stem}.{name}.png"), *options, str(path)], None))
        if not path.name.startswith("mut-") or index % 5 == 0:
            jobs.append(([velantro, "--thumbnail", "128", str(path), str(out / f"{path.stem}.thumb.png")], None))
        if index % 7 == 0:
            pick = [str(files[(index + k * 13) % len(files)]) for k in range(1 + index % 8)]
            axis = ["--verify"] if index % 2 else []
            jobs.append(([velantro, "--compare", str(out / f"{path.stem}.compare.png"), *axis, *pick], None))

    def run(job):
        command, _ = job
        result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=600)
        return command, result.returncode, result.stderr

    env_jobs = os.cpu_count() or 2
    with ThreadPoolExecutor(env_jobs) as pool, open(out / "status.txt", "w") as status:
        for command, code, err in pool.map(run, jobs):
            target = next((c for c in command if c.endswith(".png")), "?")
            status.write(f"{Path(target).name} {code} {hashlib.sha256(err).hexdigest()[:12]}\n")
    print(f"{len(jobs)} pictures asked for in {out}")


def digest(path: Path) -> str:
    return hashlib.sha256(path.read_bytes()).hexdigest()


def diff(first: Path, second: Path) -> int:
    names = sorted({p.name for p in first.iterdir()} | {p.name for p in second.iterdir()})
    differing = []
    for name in names:
        a, b = first / name, second / name
        if not a.exists() or not b.exists() or digest(a) != digest(b):
            differing.append(name)
    pictures = sum(1 for n in names if n.endswith(".png"))
    print(f"{pictures} pictures, {len(differing)} files differ")
    for name in differing[:40]:
        print("  " + name)
    return 1 if differing else 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    corpus = sub.add_parser("corpus")
    corpus.add_argument("dir", type=Path)
    corpus.add_argument("--ibggen", required=True)
    shot = sub.add_parser("shoot")
    shot.add_argument("dir", type=Path)
    shot.add_argument("out", type=Path)
    shot.add_argument("--velantro", required=True)
    compare = sub.add_parser("diff")
    compare.add_argument("first", type=Path)
    compare.add_argument("second", type=Path)
    args = parser.parse_args()
    if args.command == "corpus":
        make_corpus(args.dir, args.ibggen)
        return 0
    if args.command == "shoot":
        shoot(args.dir, args.out, args.velantro)
        return 0
    return diff(args.first, args.second)


if __name__ == "__main__":
    sys.exit(main())
