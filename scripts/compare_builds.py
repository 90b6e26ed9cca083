#!/usr/bin/env python3
"""Compares two builds of q42cli byte for byte: every output a user or a script sees.

    python3 scripts/compare_builds.py OLD_Q42CLI NEW_Q42CLI [--programs N] [--seed S]

Runs both builds over the examples, the guide's programs and generated programs (assembler text
with every operation and operand form, broken lines among them, and code files of random words)
with `asm`, `run --trace`, `run --json`, `decode` and a `debug` script, in Russian and English,
and compares standard output, standard error and the exit status. A redesign that must change
nothing a user sees is checked with it against the build before. Exit status 1 on a difference.
"""

import argparse
import concurrent.futures
import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

TWO_OPERANDS = ["MOV", "ADD", "SUB", "CMP", "MUL", "DIV", "AND", "OR", "XOR"]
ONE_OPERAND = ["NOT", "PUSH", "POP", "ADDSP", "SUBSP", "TOSP", "FRMSP", "SL", "SR", "ASR"]
JUMPS = ["JMP", "JGE", "JL", "JNE", "JE", "JLE", "JG", "CALL"]
BRANCHES = ["BR", "BGE", "BL", "BNE", "BE", "BLE", "BG", "BCALL"]
BARE = ["NOP", "RET", "BRET", "PUSHPS", "POPPS", "PAGE0", "MYPAGE"]

INPUT = "12\n-3\nTRUE\n70000\nabc\nFALSE\n5\n"
DEBUG_SCRIPT = ("break 3\nbreak 7\nwatch 0040\nrun\nregs\nstep 3\nnext 2\nback 2\nexplain\n"
                "where\nlist\nuntil 9\ncontinue\nfinish\nmem 0000 8\nscreen\ndelete\n"
                "continue\nquit\n")


def operand(rng, names, byte=False, written=False):
    register = f"R{rng.randrange(4)}"
    forms = [register, register, f"({register})"]
    if names:
        forms.append(rng.choice(names))
    if not written:
        forms += [f"#{rng.randint(-20, 20)}", f"#'{rng.choice('A0z!')}'",
                  f"#{rng.choice(['0', '7FFFH', '8000H', '255', '-1', '1234', '0FFFFH'])}"]
        if names:
            forms.append(f"#{rng.choice(names)}")
    return rng.choice(forms) + ("%" if byte else "")


def valid_statement(rng, labels, constants):
    names = labels + constants
    kind = rng.random()
    if kind < 0.45:
        name, byte = rng.choice(TWO_OPERANDS), rng.random() < 0.2
        source_byte = byte or (name == "MOV" and rng.random() < 0.2)
        return (f"{name} {operand(rng, names, source_byte)},"
                f"{operand(rng, names, byte, written=True)}")
    if kind < 0.6:
        name = rng.choice(ONE_OPERAND)
        return f"{name} {operand(rng, names, written=name not in ('PUSH', 'ADDSP', 'SUBSP', 'TOSP'))}"
    if kind < 0.68:
        return f"{rng.choice(JUMPS)} {operand(rng, names)}"
    if kind < 0.76 and labels:
        return f"{rng.choice(BRANCHES)} {rng.choice(labels)}"
    if kind < 0.82:
        port = rng.choice(["P.0", "P1", "2", "P.3", "P.5", "P.15"])
        if rng.random() < 0.5:
            return f"IN {port},{operand(rng, names, written=True)}"
        return f"OUT {operand(rng, names)},{port}"
    if kind < 0.88:
        return rng.choice(["CALL #4000H", "CALL #4010H", "CALL #4182H", "CALL #4180H"])
    if kind < 0.92:
        return rng.choice(BARE)
    if kind < 0.96:
        return f"DW {rng.choice(['0', '-1', '1234H', '0E0FH', '32767'])}"
    return rng.choice(["DS Hi!", "DS a;b", "HLT"])


BROKEN = ["MOV R0", "ADD ,R1", "FOO R1", "MOV #,R0", "MOV R0,#5", "1X: NOP", "PUSH R0%", "BR 99",
          "MOV R4,R0", "MOV (R1+R2),R0", "ADD #70000,R0", "IN P.16,R0", "ADD #1,R0%", "DW X",
          "A: B: NOP", "L0: NOP", "MOV #'ab',R0", "CMP R0%,R1", "BR FAR", "NOT #3", "DS", "RW 2"]


def statement(rng, labels, constants, broken):
    if broken and rng.random() < 0.15:
        return rng.choice(BROKEN)
    return valid_statement(rng, labels, constants)


def generated_program(rng):
    count = rng.randint(3, 30)
    broken = rng.random() < 0.25
    labels = [f"L{i}" for i in range(rng.randint(1, 4))]
    constants = [f"C{i}" for i in range(rng.randint(0, 2))]
    lines = [f"C{i} = {rng.choice(['40H', '4000H', '3', '-2', '0FFH'])}" for i in range(len(constants))]
    spots = {rng.randrange(count): label for label in labels}
    for i in range(count):
        text = statement(rng, labels, constants, broken)
        prefix = f"{spots[i]}: " if i in spots else "        "
        comment = "  ; note" if rng.random() < 0.1 else ""
        lines.append(prefix + text + comment)
    if rng.random() < 0.8:
        lines.append("        HLT")
    for label in labels:
        if label not in spots.values():
            lines.append(f"{label}: DW {rng.randint(-32768, 32767)}")
    if broken and rng.random() < 0.3:
        lines.append("FAR: NOP")
    return "\n".join(lines) + "\n"


def generated_code(rng):
    count = rng.randint(1, 40)
    words = [f"{rng.randrange(65536):04X}" for _ in range(count)]
    return "\r\n".join(words + ["."]) + "\r\n"


def guide_programs():
    programs = []
    for guide in sorted((ROOT / "docs").glob("guide.*.md")):
        block, inside = [], False
        for line in guide.read_text(encoding="utf-8").splitlines():
            if not inside and line.startswith("```asm"):
                inside, block = True, []
            elif inside and line == "```":
                inside = False
                programs.append("\n".join(block) + "\n")
            elif inside:
                block.append(line)
    return programs


def cases(count, seed):
    found = []
    for path in sorted((ROOT / "examples").rglob("*.asm")):
        stdin = path.with_suffix(".in")
        found.append((path.name, path.read_bytes(), stdin.read_text() if stdin.exists() else INPUT, ".asm"))
    for i, program in enumerate(guide_programs()):
        found.append((f"guide{i}.asm", program.encode(), INPUT, ".asm"))
    rng = random.Random(seed)
    for i in range(count):
        found.append((f"gen{i}.asm", generated_program(rng).encode(), INPUT, ".asm"))
    for i in range(count // 2):
        found.append((f"gen{i}.cod", generated_code(rng).encode(), INPUT, ".cod"))
    return found


def commands(suffix):
    runs = [["run", "--trace", "-", "--max-steps", "400"], ["run", "--json", "--max-steps", "400"],
            ["run", "--dump", "--max-steps", "400"], ["decode"], ["debug", "--max-steps", "400"]]
    if suffix == ".asm":
        runs.append(["asm"])
    return [[*run[:1], "--lang", lang, *run[1:]] for run in runs for lang in ("ru", "en")]


def run_one(binary, args, path, stdin):
    result = subprocess.run([binary, *args, str(path)], input=stdin.encode(), capture_output=True,
                            timeout=60, cwd=path.parent)
    return result.returncode, result.stdout, result.stderr


def compare_case(old, new, case, folder):
    name, text, stdin, suffix = case
    path = Path(folder) / name
    path.write_bytes(text)
    differences = []
    for args in commands(suffix):
        feed = DEBUG_SCRIPT if args[0] == "debug" else stdin
        before, after = run_one(old, args, path, feed), run_one(new, args, path, feed)
        if before != after:
            differences.append((name, " ".join(args), before, after))
    return differences


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--programs", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=42)
    options = parser.parse_args()
    old, new = os.path.abspath(options.old), os.path.abspath(options.new)
    found = cases(options.programs, options.seed)
    differences = []
    with tempfile.TemporaryDirectory() as folder:
        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
            for result in pool.map(lambda case: compare_case(old, new, case, folder), found):
                differences += result
    for name, args, before, after in differences[:10]:
        print(f"DIFFERENT: {name}: q42cli {args}\n  old: {before!r:.600}\n  new: {after!r:.600}")
    print(f"{len(found)} programs, {len(differences)} differences")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
