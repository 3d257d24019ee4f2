#!/usr/bin/env python3
"""Runs the tools of two builds on the same random inputs and compares them.

    scripts/compare_builds.py OLD_BIN NEW_BIN [--cases N] [--seed S] [--argv-cases M]
                              [--catalogue TSV]

OLD_BIN and NEW_BIN are build folders' bin/, each holding <command> for every tool of the
catalogue. The tools are the rows of the tool_catalogue.tsv that configuring a build writes
beside its bin/ (cmake/tool_catalogue.cmake): NEW_BIN's, else OLD_BIN's, else the one
--catalogue names. For each tool, N cases are drawn from its usage line (read
from OLD_BIN's --help): values of every magnitude, the edges of each value's range and
just beside them, numbers written in several ways, words, and sometimes too few or too
many values, so that refusals are compared as well as results. They are fed through
--batch, one process per output format (text, csv, json) and, for the pitch tools, per
naming option (--flats, --middle-c C3). M more cases per tool (a few hundred) run as
arguments, each in its own process with its own options, some of them answering the
questions on standard input instead, besides --help and --version.

Standard output, standard error and the exit status must match byte for byte. A batch
that differs is halved until the lines that differ on their own are found (a few per
batch at most). Each tool's line gives the cases compared and the differences; each
difference the tool, its arguments or batch line and a short diff. A run that outlasts
its time limit counts as a difference, and every tool runs within 2 GiB of address space.
Exit status 1 when anything differs, 0 when nothing does.
"""

import argparse
import concurrent.futures
import itertools
import random
import resource
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

CATALOGUE_FILE = "tool_catalogue.tsv"
FORMATS = ("text", "csv", "json")
# Lines of one batch that differ on their own, looked for before the rest is left unsearched.
MOST_FOUND_PER_BATCH = 5
# Differences shown per tool; the rest are counted.
MOST_SHOWN_PER_TOOL = 6
BATCH_TIMEOUT_S = 120
RUN_TIMEOUT_S = 20
# The address space each tool may take (inherited from this script): a tool that grows
# without end fails here instead of pressing on everything else the machine runs.
MEMORY_LIMIT_BYTES = 2 << 30

# Texts no tool takes as a number. Those with blanks, or empty, cannot stand in a batch line.
WORDS = ("abc", "12abc", "inf", "-inf", "nan", "NaN", "0x10", "1,5", "1e400", "-1e400",
         "1e-400", "+", "-", ".", "e5", "1e", "1e+", "--", "\u00bd", "1.2.3", "SPL", "dbu")
BLANK_WORDS = ("", " ", " 5", "5 ", "\t7", "5\r", "1 2", " \t")
UNKNOWN_OPTIONS = (["--reference", "1"], ["-x"], ["--format", "xml"], ["--format"],
                   ["--middle-c", "C5"], ["--flat"], ["--batch"], ["-"])


@dataclass
class Argument:
    name: str
    required: bool
    words: tuple = ()  # names the value may be given by, as SPL for a reference


@dataclass
class Tool:
    command: str
    arguments: list
    pitch: bool  # takes --flats and --middle-c

    @property
    def required(self):
        return sum(a.required for a in self.arguments)


def tool_commands(catalogue_tsv):
    """The commands of the catalogue's rows, in their order, from the lines of
    tool_catalogue.tsv: number, label, description and command, separated by tabs."""
    commands = []
    for line in catalogue_tsv.splitlines():
        fields = line.split("\t")
        if len(fields) != 4 or not fields[3]:
            raise ValueError(f"not a catalogue row: {line!r}")
        commands.append(fields[3])
    if not commands:
        raise ValueError("the catalogue lists no tools")
    return commands


def catalogue_path(old_bin, new_bin, given=None):
    """The catalogue to read: `given`, else the one beside NEW_BIN, else beside OLD_BIN."""
    if given is not None:
        return given
    beside = [folder.parent / CATALOGUE_FILE for folder in (new_bin, old_bin)]
    return next((path for path in beside if path.is_file()), beside[0])


def parse_usage(line):
    """The arguments of a usage line: `usage: cmd A [B=1|SPL] [C]`."""
    arguments = []
    for token in line.split()[2:]:
        optional = token.startswith("[")
        name, _, default = token.strip("[]").partition("=")
        words = tuple(w for w in default.split("|")[1:] if w)
        arguments.append(Argument(name, not optional, words))
    return arguments


def read_tool(binary_folder, command):
    help_text = subprocess.run([str(binary_folder / command), "--help"], capture_output=True,
                               text=True, timeout=RUN_TIMEOUT_S).stdout
    usage = next(line for line in help_text.splitlines() if line.startswith("usage:"))
    return Tool(command, parse_usage(usage), "--flats" in help_text)


def typical_value(name, rng):
    """A value in the range where the argument named `name` is usually given."""
    u = rng.uniform
    if name in ("LENGTH_M", "WIDTH_M", "HEIGHT_M"):
        return 10 ** u(0, 1.5)
    if name == "MAX_HZ":
        return 10 ** u(0.5, 2.3)
    if name == "BITS":
        return rng.randint(2, 32)
    if name == "COUNT":
        return rng.randint(1, 30)
    if name == "DIVISIONS":
        return rng.randint(1, 60)
    if name == "MIDI_NUMBER":
        return rng.choice((rng.randint(0, 127), u(0, 127)))
    if name == "SAMPLE":
        return rng.choice((rng.randint(-40000, 40000), u(-2.0 ** 31, 2.0 ** 31)))
    if name == "TEMPERATURE_C":
        return rng.choice((rng.randint(-100, 200), u(-100, 200)))
    if name == "DEPTH":
        return u(0, 1)
    if name == "INDEX":
        return u(0, 12)
    if name in ("SOURCE_SPEED", "LISTENER_SPEED"):
        return u(-343, 343)
    if name == "A4_HZ":
        return u(400, 480)
    if name.startswith("LEVEL_DB"):
        return u(-150, 0) if name == "LEVEL_DBFS" else u(-200, 200)
    if name in ("POWER_W", "REFERENCE_W"):
        return 10 ** u(-14, 4)
    return 10 ** u(-3, 4.5)  # frequencies, distances, amplitudes, references


# The edges of what each argument allows, with the values beside them, and the forms that
# must be refused (an integer written 16.0).
EDGES = {
    "BITS": (1, 2, 3, 15, 16, 17, 31, 32, 33, -16, "16.0", "1e1", "+16", "016"),
    "COUNT": (0, 1, 2, 99, 100, 101, 999, 1000, 1001, -1, "10.0", "1e2"),
    "DIVISIONS": (0, 1, 2, 12, 1199, 1200, 1201, -12, "12.0"),
    "MIDI_NUMBER": (0, 127, 60, 69, -1e-9, 127.0000001, 126.99999999999999, 128, -0.0),
    "SAMPLE": (-32768, 32767, 32768, -32769, -2147483648, 2147483647, 2147483648, 0.5, -1,
               1, 0, -8388608, 8388607),
    "TEMPERATURE_C": (-100, 200, -100.00000000000001, 200.00000000000003, -273.15, 0, 20,
                      -99.99999999999999),
    "DEPTH": (0, 1, 1.0000000000000002, 1e-300, 0.5),
    "INDEX": (0, 100, 100.00000000000001, 2.404825557695773, 3.8317059702075125, 1e-300,
              99.5),
    "SOURCE_SPEED": (343.215, 343.21499999999997, -343.215, 343.2150000001, 0, -1e9),
    "LISTENER_SPEED": (-343.215, -343.21499999999997, 343.215, 0, 1e9),
    "A4_HZ": (440, 415, 1e-300, 1.7976931348623157e308),
    "MAX_HZ": (230.554, 230.555, 300, 5.72024, 5.720241, 1e-12),
    "LEVEL_DBFS": (0, -0.0, 1e-9, -1e-9, -90.30899869919435, -96.32959861247399, -1e300),
    "REFERENCE": (1, 0, -1, 2e-05, "SPL", "spl", "dBu", "DBU", "dBV", "dbv", "SPL1"),
}
EDGES.update(dict.fromkeys(("LENGTH_M", "WIDTH_M", "HEIGHT_M"),
                           (0, -0.0, -1, 1, 1e-9, 1e-6, 1e6, 0.1, 5e-324, "1e400", "1e-320")))
# A room whose sides differ by a factor beyond the largest double (1e300 by 1e-9, or 12 by
# 2.2e-308) makes YOMBRIC run for minutes and exhaust its memory, in the build of f76c168
# as well. Its values keep to magnitudes from 1e-12 to 1e12 (or fail to parse), whichever
# side an answer lands on, so that the comparison finishes; the fault is YOMBRIC's to mend.
OWN_EDGES_ONLY = ("yombric.exe",)
COMMON_EDGES = (0, -0.0, 1, -1, 1e-300, 5e-324, 2.2250738585072014e-308, 1e300,
                1.7976931348623157e308, -1.7976931348623157e308, 0.1, 1e-12)


def number_text(value, rng):
    """value written in one of the ways a person might write it."""
    if isinstance(value, str):
        return value
    if isinstance(value, int) and rng.random() < 0.8:
        return str(value)
    value = float(value)
    style = rng.randrange(8)
    if style == 0:
        return repr(value)
    if style == 1:
        return f"{value:.6g}"
    if style == 2:
        return f"{value:.17g}"
    if style == 3:
        return f"{value:.3e}"
    if style == 4:
        return f"{value:E}"
    if style == 5:
        return f"{value:+g}"
    if style == 6 and 1e-6 < abs(value) < 1e15:
        return f"{value:.10f}".rstrip("0")
    text = f"{value:g}"
    return text.replace("0.", ".", 1) if text.startswith(("0.", "-0.")) else text


def value_text(argument, tool, rng, blanks_allowed):
    """One random value for argument."""
    choice = rng.random()
    # A huge or tiny room has more modes than can be listed, and counting them is the
    # slowest refusal there is: rare, so that the whole run stays short.
    wild_share = 0.005 if tool.command == "yombric.exe" else 0.2
    if choice < wild_share:
        sign = -1 if rng.random() < 0.3 else 1
        return number_text(sign * 10 ** rng.uniform(-8, 8), rng)
    choice = (choice - wild_share) / (1 - wild_share)
    if choice < 0.6:
        return number_text(typical_value(argument.name, rng), rng)
    if choice < 0.75:
        edges = EDGES.get(argument.name, ()) + argument.words
        own_only = tool.command in OWN_EDGES_ONLY
        pool = edges if edges and (own_only or rng.random() < 0.8) else COMMON_EDGES
        return number_text(rng.choice(pool), rng)
    if choice < 0.85:
        return str(rng.randint(-3, 20))
    if choice < 0.93 and argument.words:
        return rng.choice(argument.words)
    if blanks_allowed and rng.random() < 0.3:
        return rng.choice(BLANK_WORDS)
    return rng.choice(WORDS)


def value_count(tool, rng, at_least_one):
    """How many values a case gives: mostly a valid number, sometimes too few or too many."""
    total = len(tool.arguments)
    choice = rng.random()
    if choice < 0.07 and tool.required > (1 if at_least_one else 0):
        return rng.randint(1 if at_least_one else 0, tool.required - 1)
    if choice < 0.14:
        return total + rng.randint(1, 3)
    return rng.randint(tool.required, total)


def case_values(tool, rng, blanks_allowed):
    count = value_count(tool, rng, at_least_one=not blanks_allowed)
    values = []
    for i in range(count):
        argument = tool.arguments[min(i, len(tool.arguments) - 1)]
        values.append(value_text(argument, tool, rng, blanks_allowed))
    return values


def batch_line(tool, rng):
    """One line of a batch: its values separated by blanks, sometimes loosely."""
    values = case_values(tool, rng, blanks_allowed=False)
    separator = rng.choice((" ", " ", " ", "  ", "\t", " \t "))
    line = separator.join(values)
    if rng.random() < 0.05:
        line = rng.choice((" ", "\t")) + line + rng.choice(("", " ", "\r"))
    return line


def argv_case(tool, rng):
    """(arguments, standard input) of a case run on its own."""
    groups = []  # options, each with its value, kept together when shuffled
    format_choice = rng.randrange(5)
    if format_choice < 3:
        groups.append(rng.choice(([f"--format={FORMATS[format_choice]}"],
                                  ["--format", FORMATS[format_choice]])))
    if tool.pitch:
        if rng.random() < 0.4:
            groups.append(["--flats"])
        if rng.random() < 0.4:
            groups.append(["--middle-c", rng.choice(("C3", "C4"))])
    if rng.random() < 0.03:
        groups.append(list(rng.choice(UNKNOWN_OPTIONS)))
    rng.shuffle(groups)
    options = [part for group in groups for part in group]

    if rng.random() < 0.1:
        # Interactive: the answers come on standard input, some of them empty (the default)
        # or refused, and the input may end early.
        answers = []
        for argument in tool.arguments:
            if rng.random() < 0.2:
                answers.append(rng.choice(WORDS))
            answers.append("" if not argument.required and rng.random() < 0.3
                           else value_text(argument, tool, rng, blanks_allowed=False))
        answers = answers[:rng.randint(0, len(answers))] if rng.random() < 0.2 else answers
        return options, "".join(a + "\n" for a in answers).encode()

    values = case_values(tool, rng, blanks_allowed=True)
    if rng.random() < 0.1:
        return options + ["--"] + values, b""
    if rng.random() < 0.2:
        return values + options, b""
    return options + values, b""


@dataclass(frozen=True)
class Outcome:
    stdout: bytes
    stderr: bytes
    status: object  # the exit status, or "timeout"


def run(program, arguments, stdin, timeout):
    try:
        done = subprocess.run([str(program)] + arguments, input=stdin, capture_output=True,
                              timeout=timeout)
        return Outcome(done.stdout, done.stderr, done.returncode)
    except subprocess.TimeoutExpired as expired:
        return Outcome(expired.stdout or b"", expired.stderr or b"", "timeout")


def differ(old, new):
    """Whether two outcomes differ, a run that timed out counting as a difference."""
    return old != new or "timeout" in (old.status, new.status)


def line_text(lines, index):
    if index >= len(lines):
        return "(no such line)"
    text = lines[index].decode(errors="backslashreplace")
    return text if text.isprintable() else repr(text)


def short_diff(old, new):
    """Where two outcomes part: the first line that differs in each stream, with the count of
    lines that differ, and the statuses when these differ or a run timed out."""
    report = []
    for stream in ("stdout", "stderr"):
        old_lines = getattr(old, stream).split(b"\n")
        new_lines = getattr(new, stream).split(b"\n")
        pairs = list(itertools.zip_longest(old_lines, new_lines))
        differing = [i for i, (a, b) in enumerate(pairs) if a != b]
        if differing:
            first = differing[0]
            report += [f"{stream} line {first + 1} ({len(differing)} of {len(pairs)} lines differ)",
                       f"  old: {line_text(old_lines, first)}",
                       f"  new: {line_text(new_lines, first)}"]
    if old.status != new.status or "timeout" in (old.status, new.status):
        report.append(f"status: old {old.status}, new {new.status}")
    return "\n".join("    " + line for line in report)


@dataclass
class Tally:
    batch_cases: int = 0  # batch lines, counted once in each format
    argv_cases: int = 0
    differences: int = 0
    at_least: bool = False  # a batch held more differences than were looked for
    reports: list = field(default_factory=list)


class Comparison:
    def __init__(self, old_bin, new_bin, pool):
        self.old_bin = old_bin
        self.new_bin = new_bin
        self.pool = pool

    def both(self, command, arguments, stdin, timeout):
        futures = [self.pool.submit(run, folder / command, arguments, stdin, timeout)
                   for folder in (self.old_bin, self.new_bin)]
        return futures[0].result(), futures[1].result()

    def batch_differences(self, command, arguments, lines, outcomes):
        """The lines of a differing batch that differ on their own (or the batch, when none
        does), as (line or None, old, new), at most MOST_FOUND_PER_BATCH of them; and whether
        the search stopped before the end."""
        found = []

        def search(chunk, old, new):
            if len(found) >= MOST_FOUND_PER_BATCH:
                return True
            if len(chunk) == 1:
                found.append((chunk[0], old, new))
                return False
            before = len(found)
            stopped = False
            for half in (chunk[:len(chunk) // 2], chunk[len(chunk) // 2:]):
                half_old, half_new = self.both(command, arguments, batch_input(half),
                                               BATCH_TIMEOUT_S)
                if differ(half_old, half_new):
                    stopped |= search(half, half_old, half_new)
            if len(found) == before and not stopped:
                found.append((None, old, new))  # only the lines together differ
            return stopped

        stopped = search(lines, *outcomes)
        return found, stopped

    def compare_tool(self, tool, cases, argv_cases, rng):
        tally = Tally()
        lines = [batch_line(tool, rng) for _ in range(cases)]
        option_sets = ([[], ["--flats"], ["--middle-c", "C3"], ["--flats", "--middle-c", "C3"]]
                       if tool.pitch else [[]])
        groups = [lines[i::len(option_sets)] for i in range(len(option_sets))]
        for output_format in FORMATS:
            for options, group in zip(option_sets, groups):
                arguments = ["--batch", "--format", output_format] + options
                old, new = self.both(tool.command, arguments, batch_input(group),
                                     BATCH_TIMEOUT_S)
                tally.batch_cases += len(group)
                if not differ(old, new):
                    continue
                if "timeout" in (old.status, new.status):
                    # Halving it would take a time-out per step: the batch is reported whole.
                    tally.differences += 1
                    tally.reports.append(f"{tool.command} {' '.join(arguments)}, the batch of "
                                         f"{len(group)} lines:\n" + short_diff(old, new))
                    continue
                found, stopped = self.batch_differences(tool.command, arguments, group,
                                                        (old, new))
                tally.differences += len(found)
                tally.at_least |= stopped
                for line, line_old, line_new in found:
                    what = (f"the batch of {len(group)} lines together" if line is None
                            else f"line {line!r}")
                    tally.reports.append(f"{tool.command} {' '.join(arguments)}, {what}:\n"
                                         + short_diff(line_old, line_new))

        runs = [(["--help"], b""), (["-h"], b""), (["--version"], b"")]
        runs += [argv_case(tool, rng) for _ in range(argv_cases)]
        for arguments, stdin in runs:
            old, new = self.both(tool.command, arguments, stdin, RUN_TIMEOUT_S)
            tally.argv_cases += 1
            if differ(old, new):
                tally.differences += 1
                answers = f" with input {stdin!r}" if stdin else ""
                tally.reports.append(f"{tool.command} {arguments!r}{answers}:\n"
                                     + short_diff(old, new))
        return tally


def batch_input(lines):
    return "".join(line + "\n" for line in lines).encode()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old_bin", type=Path)
    parser.add_argument("new_bin", type=Path)
    parser.add_argument("--cases", type=int, default=3000,
                        help="batch cases per tool, spread over its formats' runs")
    parser.add_argument("--argv-cases", type=int, default=300,
                        help="cases per tool run each in a process of its own")
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--catalogue", type=Path, default=None,
                        help=f"the {CATALOGUE_FILE} of the tools to compare (default: the one "
                             "beside NEW_BIN, else beside OLD_BIN)")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else random.randrange(2 ** 32)
    resource.setrlimit(resource.RLIMIT_AS, (MEMORY_LIMIT_BYTES, MEMORY_LIMIT_BYTES))
    catalogue = catalogue_path(args.old_bin, args.new_bin, args.catalogue)
    try:
        commands = tool_commands(catalogue.read_text())
    except (OSError, ValueError) as error:
        sys.exit(f"compare_builds.py: {catalogue}: {getattr(error, 'strerror', None) or error} "
                 "(configure a build to write it, or name one with --catalogue)")
    for folder in (args.old_bin, args.new_bin):
        missing = [c for c in commands if not (folder / c).is_file()]
        if missing:
            sys.exit(f"compare_builds.py: {folder} has no {', '.join(missing)}")

    print(f"seed {seed}: {args.cases} batch cases (each in {len(FORMATS)} formats) and "
          f"{args.argv_cases} argument runs per tool")
    started = time.monotonic()
    total_cases = total_differences = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        comparison = Comparison(args.old_bin, args.new_bin, pool)
        for command in commands:
            tool = read_tool(args.old_bin, command)
            # Each tool's cases come from a generator of its own, so a tool's cases stay the
            # same with the same seed however the others change.
            rng = random.Random(f"{seed}:{command}")
            tool_started = time.monotonic()
            tally = comparison.compare_tool(tool, args.cases, args.argv_cases, rng)
            total_cases += tally.batch_cases + tally.argv_cases
            total_differences += tally.differences
            print(f"{command:14} {tally.batch_cases:6} batch cases, {tally.argv_cases:4} runs: "
                  f"{'at least ' if tally.at_least else ''}{tally.differences} differ "
                  f"({time.monotonic() - tool_started:.1f} s)")
            for report in tally.reports[:MOST_SHOWN_PER_TOOL]:
                print(report)
            if len(tally.reports) > MOST_SHOWN_PER_TOOL:
                print(f"    ... {len(tally.reports) - MOST_SHOWN_PER_TOOL} more not shown")
            sys.stdout.flush()
    elapsed = time.monotonic() - started
    print(f"{total_differences} differences in {total_cases} cases compared, {elapsed:.0f} s "
          f"(seed {seed})")
    return 1 if total_differences else 0


if __name__ == "__main__":
    sys.exit(main())
