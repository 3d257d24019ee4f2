#!/usr/bin/env python3
"""The tools' csv and json against their schema files, over a table of input shapes.

usage: schemas_test.py BIN_DIR SCHEMA_DIR

Each tool runs one batch mixing the shapes its output takes (named references, no beating,
DC and reflected sidebands, clipping, fractional MIDI numbers, notes outside the MIDI range,
partial bands, rooms without modes, refused lines). Every json object must validate against
the tool's schema, with the same keys in the same order; every csv table must have the
schema's columns as header and rows of that width; each field must be non-null in some
record, so a result the tool declares but never fills is found. Last, a batch whose input
cannot be read must end with status 3 after the results it computed. Exits 77 (skipped)
without python3-jsonschema.
"""
import csv
import io
import json
import os
import socket
import subprocess
import sys

try:
    import jsonschema
except ImportError:
    print("skipped: python3-jsonschema is not installed (Debian: python3-jsonschema)")
    sys.exit(77)

# command, options, batch lines: each tool's shapes, a refused line among them.
SHAPES = [
    ("vorlix.exe", [], ["0.5", "0.5 spl", "2 dBu", "-1 DBV", "0", "x"]),
    ("truska.exe", [], ["-6", "94 SPL", "0 dbu", "1e9"]),
    ("quilbern.exe", [], ["16384", "-32768", "1.5 24", "40000"]),
    ("noskarte.exe", [], ["-6", "0", "-200 8", "1"]),
    ("pelundA.exe", [], ["0.01", "0.001 1", "0"]),
    ("zorivek.exe", [], ["90", "0 1", "x"]),
    ("fenzo.exe", [], ["90 1 2", "80 2 1", "90 0 1"]),
    ("braskel.exe", [], ["440", "453.9", "1 1e10", "0"]),
    ("braskel.exe", ["--flats", "--middle-c", "C3"], ["466.16", "261.6"]),
    ("tolveni.exe", [], ["69", "60.5", "0 432", "128"]),
    ("lipra.exe", [], ["100 3", "1 2", "110 1 432", "0"]),
    ("quav.exe", [], ["1000 100", "100 200", "100 100 0.5", "100 100 2"]),
    ("zirr.exe", [], ["100 100 2 4", "1000 100 0", "100 50 2 3", "100 100 200"]),
    ("rumbeldv.exe", ["--flats"], ["12", "1 100 432", "0"]),
    ("hopri.exe", [], ["440 442", "440 440", "0 1"]),
    ("salduven.exe", [], ["100 200", "200 100"]),
    ("wirn.exe", [], ["10", "0.5 -40", "0"]),
    ("grendax.exe", [], ["440 10", "440 -10 5 30", "440 400"]),
    ("yombric.exe", [], ["5 4 3 60", "1 1 1 300", "5 4 3 10", "30 20 12 1000"]),
    ("yombric.exe", ["--summary"], ["6 4 2 200 20 0.5", "30 20 12 1000 20 2"]),
]


def run(bin_dir, command, args, lines):
    return subprocess.run([os.path.join(bin_dir, command)] + args,
                          input="".join(line + "\n" for line in lines),
                          capture_output=True, text=True, check=False)


def non_null_keys(record, tables):
    keys = {key for key, value in record.items() if value is not None}
    for table in tables:
        for row in record.get(table) or []:
            keys |= {table + "." + key for key, value in row.items() if value is not None}
    return keys


def check_tool(bin_dir, schema, command, shapes):
    failures = []
    validator = jsonschema.Draft202012Validator(schema)
    tables = [key for key, value in schema["properties"].items() if "items" in value]
    every_key = set(schema["properties"]) | {
        table + "." + column
        for table in tables for column in schema["properties"][table]["items"]["properties"]}
    filled = set()
    for options, lines in shapes:
        done = run(bin_dir, command, options + ["--batch", "--format", "json"], lines)
        records = [json.loads(text) for text in done.stdout.splitlines()]
        refused = [record["line"] for record in records if record["error"] is not None]
        if [record["line"] for record in records] != list(range(1, len(lines) + 1)):
            failures.append(f"json: one record a line expected, got {done.stdout!r}")
        if done.returncode != (2 if refused else 0) or len(refused) != done.stderr.count("\n"):
            failures.append(f"json: status {done.returncode}, stderr {done.stderr!r}")
        for record in records:
            failures += [f"json line {record['line']}: {error.message}"
                         for error in validator.iter_errors(record)]
            if list(record) != list(schema["properties"]):
                failures.append(f"json: keys {list(record)}")
            filled |= non_null_keys(record, tables)
        for table, columns in schema["x-csv-tables"].items():
            table_option = ["--table", table] if len(schema["x-csv-tables"]) > 1 else []
            done = run(bin_dir, command,
                       options + table_option + ["--batch", "--format", "csv"], lines)
            rows = list(csv.reader(io.StringIO(done.stdout, newline="")))
            if not rows or rows[0] != columns:
                failures.append(f"csv {table}: header {rows[:1]}")
            widths = {len(row) for row in rows}
            if widths != {len(columns)}:
                failures.append(f"csv {table}: rows of {sorted(widths)} fields")
            if {row[0] for row in rows[1:]} != {str(line) for line in range(1, len(lines) + 1)} \
                    - ({"3"} if command == "yombric.exe" and table != "summary" else set()):
                failures.append(f"csv {table}: lines {[row[0] for row in rows[1:]]}")
    never = sorted(every_key - filled)
    if never:
        failures.append(f"never filled: {never}")
    return failures


def check_unreadable_batches(bin_dir):
    """A directory as standard input, and a connection reset after two lines."""
    failures = []
    command = os.path.join(bin_dir, "braskel.exe")
    directory = os.open(bin_dir, os.O_RDONLY)
    done = subprocess.run([command, "--batch"], stdin=directory, capture_output=True, text=True,
                          check=False)
    os.close(directory)
    if done.returncode != 3 or not done.stderr.startswith("braskel.exe: cannot read the cases: "):
        failures.append(f"a directory: status {done.returncode}, stderr {done.stderr!r}")
    ours, theirs = socket.socketpair()
    # Data left unread on our side makes closing it reset the connection for the tool.
    theirs.send(b"unread")
    tool = subprocess.Popen([command, "--batch", "--format", "csv"], stdin=theirs,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    theirs.close()
    ours.sendall(b"440\n220\n")
    ours.close()
    out, err = tool.communicate(timeout=30)
    if (tool.returncode != 3 or len(out.splitlines()) != 3
            or err != "braskel.exe: cannot read the cases: " + os.strerror(104) + "\n"):
        failures.append(f"a reset connection: status {tool.returncode}, {out!r}, {err!r}")
    return failures


def main():
    bin_dir, schema_dir = sys.argv[1:3]
    failures = []
    by_tool = {}
    for command, options, lines in SHAPES:
        by_tool.setdefault(command, []).append((options, lines))
    for command, shapes in by_tool.items():
        name = command.removesuffix(".exe") + ".schema.json"
        with open(os.path.join(schema_dir, name), encoding="utf-8") as file:
            schema = json.load(file)
        failures += [f"{command}: {failure}"
                     for failure in check_tool(bin_dir, schema, command, shapes)]
    if len(by_tool) != len(os.listdir(schema_dir)):
        failures.append(f"{len(by_tool)} tools checked, {len(os.listdir(schema_dir))} schemas")
    failures += check_unreadable_batches(bin_dir)
    for failure in failures:
        print(failure)
    print(f"{len(SHAPES)} batches of {len(by_tool)} tools: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
