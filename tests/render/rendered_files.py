"""How the tools write the files they render (--wav, --svg): whole or not at all.

One table of runs: the status, a phrase of the message, and the files left in a fresh
folder afterwards. A refusal leaves no file (and no half-written one beside it); a file
that exists is replaced whole; a device, a folder or a link is never written over.
Usage: rendered_files.py BIN_DIR.
"""
import os
import stat
import subprocess
import sys
import tempfile
from case_table import run_table

# tool, arguments ({dir} is the fresh folder), stdin, status, phrase on stderr, files after
# (beside "old.wav" and "link.wav", which every case starts with).
CASES = [
    ("hopri.exe", ["--wav", "{dir}/beats.wav", "440", "442"], None, 0, "", ["beats.wav"]),
    # An existing regular file is replaced, never appended to or left half-written.
    ("tolveni.exe", ["--wav", "{dir}/old.wav", "69"], None, 0, "", []),
    ("zirr.exe", ["--wav", "/dev/null", "1000", "100", "2"], None, 2,
     "'/dev/null': it exists and is not a regular file", []),
    ("quav.exe", ["--wav", "{dir}", "1000", "100"], None, 2, "not a regular file", []),
    ("quav.exe", ["--wav", "{dir}/link.wav", "1000", "100"], None, 2, "not a regular file", []),
    ("quav.exe", ["--wav", "{dir}/no/such/folder.wav", "1000", "100"], None, 3,
     "cannot write the WAV file", []),
    ("zirr.exe", ["--wav", "{dir}/fm.wav", "20000", "5000", "2"], None, 2,
     "sideband +1 of the carrier lies at 25000.0 Hz", []),
    ("lipra.exe", ["--wav", "{dir}/h.wav", "3000", "10"], None, 2, "harmonic 8 lies at", []),
    ("grendax.exe", ["--wav", "{dir}/d.wav", "23000", "100"], None, 2,
     "the observed frequency lies at", []),
    ("rumbeldv.exe", ["--wav", "{dir}/r.wav", "--duration", "2", "100"], None, 2,
     "give --duration 5.05 or more", []),
    ("tolveni.exe", ["--wav", "{dir}/t.wav", "--duration", "0.01", "69"], None, 2,
     "--duration must be a number of seconds", []),
    ("tolveni.exe", ["--wav=", "69"], None, 2, "--wav needs a file name", []),
    # A refused value writes nothing either.
    ("hopri.exe", ["--wav", "{dir}/b.wav", "440", "0"], None, 2, "above 0", []),
    ("yombric.exe", ["--svg", "/dev/null", "5", "4", "3"], None, 2, "not a regular file", []),
    ("quav.exe", ["--svg", "{dir}/old.wav", "--wav", "{dir}/am.wav", "1000", "100"], None, 0,
     "", ["am.wav"]),
    # A batch writes one file per case, numbered by its line; a refused line writes none.
    ("hopri.exe", ["--batch", "--wav", "{dir}/b.wav"], "440 442\n440 -1\n\n100 101\n", 2,
     "line 2:", ["b-1.wav", "b-4.wav"]),
    ("lipra.exe", ["--batch", "--svg", "{dir}/h"], "220 4\n110\n", 0, "", ["h-1", "h-2"]),
]


def run_case(bin_dir, tool, args, stdin, status, phrase, files):
    with tempfile.TemporaryDirectory() as folder:
        old = os.path.join(folder, "old.wav")
        with open(old, "w") as file:
            file.write("old contents")
        os.symlink(old, os.path.join(folder, "link.wav"))
        command = [os.path.join(bin_dir, tool)] + [a.replace("{dir}", folder) for a in args]
        done = subprocess.run(command, input=stdin or "", capture_output=True, text=True)
        assert done.returncode == status, f"status {done.returncode}: {done.stderr}"
        assert phrase in done.stderr, f"message {done.stderr!r} lacks {phrase!r}"
        if status != 0 and stdin is None:
            assert done.stdout == "", "results printed for a refused case"
        left = sorted(os.listdir(folder))
        assert left == sorted(["old.wav", "link.wav"] + files), f"files left: {left}"
        with open(old, "rb") as file:
            replaced = file.read(4)
        expected = {"--wav": b"RIFF", "--svg": b"<?xm"}.get(
            next((a for a, b in zip(args, args[1:]) if b == "{dir}/old.wav"), None), b"old ")
        assert replaced == expected, f"old.wav begins {replaced!r}"
        assert os.path.islink(os.path.join(folder, "link.wav")), "the link was replaced"
    assert stat.S_ISCHR(os.stat("/dev/null").st_mode), "/dev/null is no longer a device"


def main():
    run_table(CASES, lambda number, case: run_case(sys.argv[1], *case))

if __name__ == "__main__":
    main()
