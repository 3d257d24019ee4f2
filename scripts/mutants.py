#!/usr/bin/env python3
"""Plants one fault at a time in the product code and checks that the tests catch it.

    scripts/mutants.py [--count N] [--seed S] [--files REGEX] [--timeout SECONDS]
                       [--build-dir DIR] [--only ID ...] [--list]

(make mutants.) The faults are the small slips a person makes: a comparison flipped
(< and <=, > and >=, == and !=), an arithmetic operator changed (+ and -, * and /), a
constant off by one, a statement deleted, a condition negated. They are found in the
launcher and the tools (test files left out, and the Windows platform file, which is not
compiled here), a sample of them is drawn with the seed, and each in turn is written into
its file, built incrementally in a folder of its own (build-mut, without the man pages)
and tested with ctest, unit tests first, stopping at the first failure (the tests of the
Windows and 32-bit x86 builds left out). The file is restored after every fault,
also when the run is interrupted; a fault still in place from a run that was killed
outright is restored at the next start.

A fault the build refuses counts for nothing; one that the tests catch (or that makes them
exceed the time limit) is caught; the rest survive and are listed as file:line and the
change, to be judged by hand: a test is missing, or the fault does not change behaviour.

Meant for a tree nobody else is editing: a private worktree (git worktree add) when
others are at work in the same one. Product files with uncommitted changes are taken as a
sign that someone is, and the run refuses to start unless told --allow-dirty. Not run in
continuous integration.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PRODUCT_FOLDERS = ("launcher", "tools")
LEFT_OUT = re.compile(r"(_test\.cpp$|platform_win32\.cpp$)")

COMPARISON_FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ARITHMETIC_SWAPS = {"+": "-", "-": "+", "*": "/", "/": "*",
                    "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}
# Binary operators stand between blanks in this code base (clang-format), which tells them
# from template brackets, stream operators, pointers and unary signs.
OPERATOR = re.compile(r"(?<= )(<=|>=|==|!=|\+=|-=|\*=|/=|<|>|\+|-|\*|/)(?= )")
INTEGER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
DECIMAL = re.compile(r"(?<![\w.])(\d+\.\d*|\.\d+|\d+(?=[eE]))([eE][+-]?\d+)?(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
# A condition that declares its variable cannot be negated as it stands.
DECLARING = re.compile(r"^(const )?[\w:<>]+[&*]? \w+ = ")
# The size of an array: a larger one changes nothing anyone can see.
ARRAY_SIZE = re.compile(r"\b(char|int|double|long|unsigned) \w+\[(\d+)\]")
# A statement whose removal still compiles: an assignment or a call, not a declaration.
DELETABLE = re.compile(r"^\s*(\+\+|--)?[\w.\->\[\]:()*]+(\s*(=|\+=|-=|\*=|/=|<<)\s|\(|\+\+;|--;)")
NOT_DELETABLE = re.compile(r"^\s*(return|const|constexpr|static|auto|using|case|default|"
                           r"namespace|template|typedef|struct|class|enum)\b")

JOURNAL_NAME = "mutant-in-place.json"


@dataclass
class Mutant:
    path: str  # relative to ROOT
    line: int  # 1-based
    start: int  # column span in the line that is replaced
    end: int
    replacement: str
    kind: str

    @property
    def ident(self):
        # A constant has two faults at one place, one above and one below.
        value = f":{self.replacement}" if self.kind == "constant" else ""
        return f"{self.path}:{self.line}:{self.start + 1}:{self.kind}{value}"

    def describe(self, original_line):
        before = original_line[self.start:self.end].strip() or original_line.strip()
        after = self.replacement.strip() or "(deleted)"
        return f"{self.path}:{self.line}: {self.kind}: {before} -> {after}"


def masked(line):
    """The line with string and character literals and comments blanked out, so that no
    fault is planted in them; columns stay where they were."""
    out = []
    i = 0
    while i < len(line):
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        if c in "\"'":
            j = i + 1
            while j < len(line) and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, len(line))
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else c)
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out)


def closing_paren(text, open_index):
    depth = 0
    for i in range(open_index, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return None


def bumped_decimal(literal):
    """The decimal literal with the last digit of its significand raised by one (9 wraps
    to 0 and the digit before is raised): 331.3 -> 331.4, 1e-12 -> 2e-12."""
    match = re.match(r"^([\d.]+)([eE][+-]?\d+)?$", literal)
    if not match:
        return None
    mantissa, exponent = match.group(1), match.group(2) or ""
    digits = list(mantissa)
    i = len(digits) - 1
    while i >= 0:
        if digits[i] == ".":
            i -= 1
            continue
        if digits[i] != "9":
            digits[i] = str(int(digits[i]) + 1)
            return "".join(digits) + exponent
        digits[i] = "0"
        i -= 1
    return "1" + "".join(digits) + exponent


def line_mutants(path, number, line, in_block_comment):
    code = masked(line)
    stripped = code.strip()
    if (in_block_comment or not stripped or stripped.startswith("#")
            or "static_assert" in code or stripped.startswith("*")):
        return []
    found = []
    for match in OPERATOR.finditer(code):
        op = match.group(1)
        table = COMPARISON_FLIPS if op in COMPARISON_FLIPS else ARITHMETIC_SWAPS
        kind = "comparison" if op in COMPARISON_FLIPS else "arithmetic"
        found.append(Mutant(path, number, match.start(), match.end(), table[op], kind))
    decimal_spans = []
    for match in DECIMAL.finditer(code):
        bumped = bumped_decimal(match.group(0))
        if bumped:
            decimal_spans.append((match.start(), match.end()))
            found.append(Mutant(path, number, match.start(), match.end(), bumped, "constant"))
    array_sizes = [m.span(2) for m in ARRAY_SIZE.finditer(code)]
    for match in INTEGER.finditer(code):
        if any(a <= match.start() < b for a, b in decimal_spans + array_sizes):
            continue
        value = int(match.group(1))
        found.append(Mutant(path, number, match.start(), match.end(), str(value + 1), "constant"))
        if value > 0:
            found.append(
                Mutant(path, number, match.start(), match.end(), str(value - 1), "constant"))
    for match in CONDITION.finditer(code):
        open_index = match.end() - 1
        close = closing_paren(code, open_index)
        if close is None:
            continue
        inner = line[open_index + 1:close]
        if DECLARING.match(inner):
            continue
        found.append(Mutant(path, number, open_index + 1, close, f"!({inner})", "negation"))
    if (stripped.endswith(";") and DELETABLE.match(code) and not NOT_DELETABLE.match(code)
            and code.count("(") == code.count(")")):
        indent = len(line) - len(line.lstrip())
        found.append(Mutant(path, number, indent, len(line.rstrip("\n")), ";", "deletion"))
    return found


def candidate_mutants(file_filter):
    listed = subprocess.run(["git", "ls-files", *PRODUCT_FOLDERS], cwd=ROOT, check=True,
                            capture_output=True, text=True).stdout.split()
    mutants = []
    for path in sorted(listed):
        if not path.endswith((".cpp", ".hpp")) or LEFT_OUT.search(path):
            continue
        if file_filter and not re.search(file_filter, path):
            continue
        in_block = False
        previous = ""
        for number, line in enumerate((ROOT / path).read_text().splitlines(), start=1):
            # A statement that continues the one before (a wrapped argument list) is not one
            # of its own.
            continued = previous and not previous.endswith((";", "{", "}", ")", ":"))
            for mutant in line_mutants(path, number, line, in_block):
                if mutant.kind == "deletion" and continued:
                    continue
                mutants.append(mutant)
            if "/*" in line and "*/" not in line:
                in_block = True
            elif "*/" in line:
                in_block = False
            previous = masked(line).strip() or previous
    return mutants


def uncommitted(paths):
    status = subprocess.run(["git", "status", "--porcelain", "--", *paths], cwd=ROOT,
                            check=True, capture_output=True, text=True).stdout
    return [line[3:] for line in status.splitlines()]


def apply(mutant, text):
    lines = text.split("\n")
    line = lines[mutant.line - 1]
    lines[mutant.line - 1] = line[:mutant.start] + mutant.replacement + line[mutant.end:]
    return "\n".join(lines)


class Interrupted(Exception):
    pass


def raise_interrupted(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


STOP_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}


def write_whole(file, text):
    """Replaces the file's text in one step: a reader, or a run stopped halfway, sees the
    old text or the new one, never a mixture."""
    with tempfile.NamedTemporaryFile("w", dir=file.parent, delete=False) as out:
        out.write(text)
    os.chmod(out.name, file.stat().st_mode if file.exists() else 0o644)
    os.replace(out.name, file)


class PlantedFault:
    """Writes a mutant into its file for the length of a with-block and always puts the
    original back. A journal beside the build holds the original while the fault is in
    place, so that a run killed outright is mended at the next start; Ctrl+C and the like
    wait while a file or the journal is written."""

    def __init__(self, mutant, journal):
        self.file = ROOT / mutant.path
        self.journal = journal
        self.original = self.file.read_text()
        self.mutated = apply(mutant, self.original)

    def __enter__(self):
        signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)
        try:
            write_whole(self.journal, json.dumps(
                {"path": str(self.file), "original": self.original, "mutated": self.mutated}))
            write_whole(self.file, self.mutated)
        finally:
            signal.pthread_sigmask(signal.SIG_UNBLOCK, STOP_SIGNALS)
        return self

    def __exit__(self, *exc):
        restore_from_journal(self.journal)
        return False


def restore_from_journal(journal):
    """Puts back the file a journal names, unless someone else has changed it since."""
    signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)
    try:
        if not journal.exists():
            return
        entry = json.loads(journal.read_text())
        file = Path(entry["path"])
        current = file.read_text() if file.exists() else None
        if current == entry["mutated"]:
            write_whole(file, entry["original"])
        elif current != entry["original"]:
            print(f"warning: {file} changed while a fault was planted; left as it is",
                  file=sys.stderr)
        journal.unlink()
    finally:
        signal.pthread_sigmask(signal.SIG_UNBLOCK, STOP_SIGNALS)


def run(command, timeout, log):
    """Runs command; returns its status, or None when it exceeded timeout seconds."""
    with open(log, "w") as out:
        try:
            process = subprocess.Popen(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT,
                                       start_new_session=True)
        except OSError as error:
            out.write(str(error))
            return 1
        try:
            return process.wait(timeout=timeout)
        except (subprocess.TimeoutExpired, Interrupted, KeyboardInterrupt) as reason:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            if isinstance(reason, subprocess.TimeoutExpired):
                return None
            raise


def failed_test(log):
    for line in Path(log).read_text(errors="replace").splitlines():
        match = re.search(r"\d+ - (\S+) \(", line)
        if match:
            return match.group(1)
    return "?"


def test_steps(build, timeout):
    # Unit tests first: they are quick, and catch most faults before the end-to-end tests
    # start a single program. The Windows and 32-bit x86 tests build the suite again for
    # another target, and would take minutes per fault.
    common = ["ctest", "--test-dir", str(build), "--stop-on-failure", "-j",
              str(os.cpu_count() or 2), "--timeout", str(timeout)]
    return [common + ["-L", "unit", "-LE", "windows|i386"],
            common + ["-LE", "unit|windows|i386"]]


def build_and_test(build, timeout, log):
    """'not built', 'caught', 'timed out' or 'survived'; and the failed test, if any."""
    started = time.monotonic()
    status = run(["cmake", "--build", str(build)], timeout, log)
    if status != 0:
        return ("not built" if status is not None else "timed out"), ""
    for step in test_steps(build, timeout):
        left = timeout - (time.monotonic() - started)
        status = run(step, max(left, 1), log) if left > 0 else None
        if status is None:
            return "timed out", ""
        if status != 0:
            return "caught", failed_test(log)
    return "survived", ""


def configure(build):
    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=Release", "-DQUESDRAL_TESTS=ON",
                    "-DQUESDRAL_WINDOWS_TESTS=OFF", "-DQUESDRAL_I386_TESTS=OFF",
                    "-DQUESDRAL_MAN_PAGES=OFF"], check=True, stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[1].strip(),
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=60, help="faults to plant (default 60)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--files", default="", help="only files whose path matches this regex")
    parser.add_argument("--timeout", type=int, default=600,
                        help="seconds for the build and tests of one fault (default 600)")
    parser.add_argument("--build-dir", default=str(ROOT / "build-mut"))
    parser.add_argument("--only", nargs="+", default=[], metavar="ID",
                        help="plant exactly these faults (ids as --list prints them)")
    parser.add_argument("--list", action="store_true",
                        help="print the sampled faults and plant none")
    parser.add_argument("--allow-dirty", action="store_true",
                        help="plant faults in files with uncommitted changes too")
    args = parser.parse_args()

    build = Path(args.build_dir).resolve()
    journal = build / JOURNAL_NAME
    restore_from_journal(journal)

    candidates = candidate_mutants(args.files)
    if args.only:
        by_id = {m.ident: m for m in candidates}
        unknown = [i for i in args.only if i not in by_id]
        if unknown:
            parser.error("no such fault: " + ", ".join(unknown))
        sample = [by_id[i] for i in args.only]
    else:
        sample = random.Random(args.seed).sample(candidates, min(args.count, len(candidates)))
        sample.sort(key=lambda m: (m.path, m.line, m.start))
    lines = {}

    def original_line(m):
        if m.path not in lines:
            lines[m.path] = (ROOT / m.path).read_text().split("\n")
        return lines[m.path][m.line - 1]

    print(f"{len(sample)} of {len(candidates)} possible faults, seed {args.seed}")
    if args.list:
        for m in sample:
            print(f"{m.ident}  {m.describe(original_line(m))}")
        return 0
    dirty = uncommitted(sorted({m.path for m in sample}))
    if dirty and not args.allow_dirty:
        print("uncommitted changes in " + ", ".join(dirty) + ": someone may be editing them.\n"
              "Run from a worktree of your own (git worktree add /tmp/mutants HEAD), or pass "
              "--allow-dirty.", file=sys.stderr)
        return 2

    build.mkdir(parents=True, exist_ok=True)
    signal.signal(signal.SIGTERM, raise_interrupted)
    signal.signal(signal.SIGHUP, raise_interrupted)
    configure(build)
    log = build / "mutant.log"
    print("checking that the tests pass without a fault ...", flush=True)
    outcome, test = build_and_test(build, args.timeout * 3, log)
    if outcome != "survived":
        print(f"the tests do not pass as the tree stands ({outcome} {test}); see {log}")
        return 2

    results = []
    try:
        for index, mutant in enumerate(sample, start=1):
            description = mutant.describe(original_line(mutant))
            started = time.monotonic()
            with PlantedFault(mutant, journal):
                outcome, test = build_and_test(build, args.timeout, log)
            results.append((mutant, description, outcome))
            seconds = time.monotonic() - started
            print(f"[{index}/{len(sample)}] {outcome:9} {description}"
                  f"{'  (' + test + ')' if test else ''}  {seconds:.0f}s", flush=True)
    except (Interrupted, KeyboardInterrupt):
        print("interrupted; every file is as it was", file=sys.stderr)
    finally:
        restore_from_journal(journal)
        # The build folder now holds objects of the last fault; the next build redoes them.

    built = [r for r in results if r[2] != "not built"]
    caught = [r for r in built if r[2] in ("caught", "timed out")]
    survivors = [r for r in built if r[2] == "survived"]
    print()
    print(f"planted {len(results)}, built {len(built)}, caught {len(caught)}, "
          f"survived {len(survivors)}")
    if built:
        print(f"score: {100.0 * len(caught) / len(built):.1f}% of the faults that built")
    for mutant, description, _ in survivors:
        print(f"survived: {description}   [{mutant.ident}]")
    return 0 if not survivors else 1


if __name__ == "__main__":
    sys.exit(main())
