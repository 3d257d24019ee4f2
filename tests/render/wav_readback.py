"""Reads back the WAV files the tools write and finds the tools' own numbers in them.

Each case runs a tool with --wav and --format json, then checks the file's format and
level, and, by Fourier analysis of each sound in it, the frequencies and amplitudes the
tool printed. Usage: wav_readback.py BIN_DIR. Exits 77 (skipped) without numpy.
"""
import json
import os
import subprocess
import sys
import tempfile
import wave
from case_table import run_table

try:
    import numpy as np
except ImportError:
    print("numpy is missing (Debian: python3-numpy): WAV read-back skipped")
    sys.exit(77)

RATE = 48000
PEAK = round(32768 * 10 ** (-1 / 20))  # -1 dBFS


def spectrum(samples):
    """Magnitudes of a Hann-windowed stretch, zero-padded eightfold, and the bin width."""
    size = 8 * len(samples)
    window = np.hanning(len(samples))
    magnitudes = np.abs(np.fft.rfft(samples * window, size)) / (window.sum() / 2)
    return magnitudes, RATE / size


def amplitude_at(samples, frequency_hz):
    magnitudes, step = spectrum(samples)
    centre = int(round(frequency_hz / step))
    return magnitudes[max(centre - 4, 0):centre + 5].max()


def strongest_hz(samples):
    magnitudes, step = spectrum(samples)
    k = int(np.argmax(magnitudes[1:])) + 1
    a, b, c = np.log(magnitudes[k - 1:k + 2] + 1e-300)
    return (k + 0.5 * (a - c) / (a - 2 * b + c)) * step


def sounds(samples, count):
    """The sounds of a file played in turn, each without its fades."""
    length = len(samples) // count
    edge = int(0.02 * RATE)
    return [samples[i * length + edge:(i + 1) * length - edge] for i in range(count)]


def close(found, expected, tolerance, what):
    assert abs(found - expected) <= tolerance, f"{what}: found {found}, expected {expected}"


# Checks: each takes the samples, the tool's json and the values typed, and asserts what the
# tool printed.
def tones(frequencies):
    """One sound after another, each a tone at the frequency the tool gave for it."""
    def check(samples, result, values):
        expected = frequencies(result, values)
        for i, (part, hz) in enumerate(zip(sounds(samples, len(expected)), expected)):
            close(strongest_hz(part), hz, 0.05 + 2e-4 * hz, f"sound {i + 1}")
    return check


def harmonics(samples, result, values):
    """Each harmonic alone, then all of them together with amplitudes 1/n."""
    rows = result["harmonics"]
    parts = sounds(samples, len(rows) + 1)
    for part, row in zip(parts, rows):
        close(strongest_hz(part), row["frequency_hz"], 0.05, f"harmonic {row['harmonic']}")
    together = parts[-1]
    fundamental = amplitude_at(together, rows[0]["frequency_hz"])
    for row in rows:
        ratio = amplitude_at(together, row["frequency_hz"]) / fundamental
        close(ratio, 1 / row["harmonic"], 0.01 / row["harmonic"], f"chord {row['harmonic']}")


def am_sidebands(samples, result, values):
    part = sounds(samples, 1)[0]
    carrier, modulator = values[0], values[1]
    upper = result["upper_sideband_hz"]
    close(upper, carrier + modulator, 1e-9, "upper sideband")
    reference = amplitude_at(part, carrier)
    expected = result["sideband_amplitude"]
    for hz in (abs(carrier - modulator), upper):
        close(amplitude_at(part, hz) / reference, expected, 0.01 * expected,
              f"sideband at {hz} Hz")


def fm_sidebands(samples, result, values):
    """The spectrum as heard, relative to its strongest line, as the tool's table says."""
    part = sounds(samples, 1)[0]
    heard = result["heard"]
    strongest = max(heard, key=lambda row: abs(row["amplitude"]))
    reference = amplitude_at(part, strongest["frequency_hz"])
    for row in heard:
        expected = abs(row["amplitude"] / strongest["amplitude"])
        close(amplitude_at(part, row["frequency_hz"]) / reference, expected,
              0.01 * expected + 2e-4, f"line at {row['frequency_hz']} Hz")


def beats(samples, result, values):
    """The envelope's strongest rhythm: the rectified signal's spectrum below 50 Hz."""
    part = sounds(samples, 1)[0]
    envelope = np.abs(part.astype(float))
    block = RATE // 1000  # 1 ms steps: ample for beats up to 50 Hz
    envelope = envelope[:len(envelope) // block * block].reshape(-1, block).mean(axis=1)
    envelope -= envelope.mean()
    size = 64 * len(envelope)
    magnitudes = np.abs(np.fft.rfft(envelope * np.hanning(len(envelope)), size))
    step = 1000 / size
    found = (int(np.argmax(magnitudes[1:int(50 / step)])) + 1) * step
    close(found, result["beat_frequency_hz"], 0.02 * result["beat_frequency_hz"], "beats")


# tool, arguments, check. Sounds in turn: as many as the tool's table has rows.
CASES = [
    ("tolveni.exe", ["69"], tones(lambda r, v: [r["frequency_hz"]])),
    ("tolveni.exe", ["60.5", "432"], tones(lambda r, v: [r["frequency_hz"]])),
    # The typed frequency, then the nearest note, deviation_cents below it.
    ("braskel.exe", ["445"], tones(lambda r, v: [v[0], v[0] * 2 ** (-r["deviation_cents"] / 1200)])),
    ("lipra.exe", ["220", "6"], harmonics),
    ("quav.exe", ["1000", "100", "0.5"], am_sidebands),
    ("quav.exe", ["50", "120", "1"], am_sidebands),  # the lower sideband reflected
    ("zirr.exe", ["1000", "100", "2"], fm_sidebands),
    ("zirr.exe", ["300", "200", "1.5", "6"], fm_sidebands),  # reflected sidebands summed
    ("rumbeldv.exe", ["5"], tones(lambda r, v: [row["frequency_hz"] for row in r["steps"]])),
    ("hopri.exe", ["440", "442"], beats),
    ("hopri.exe", ["1000", "1007.5"], beats),
    ("grendax.exe", ["440", "20"], tones(lambda r, v: [v[0], r["observed_frequency_hz"]])),
]


def run_case(bin_dir, folder, number, tool, args, check):
    path = os.path.join(folder, f"case-{number}.wav")
    command = [os.path.join(bin_dir, tool), "--format", "json", "--wav", path] + args
    done = subprocess.run(command, capture_output=True, text=True)
    assert done.returncode == 0, f"status {done.returncode}: {done.stderr}"
    result = json.loads(done.stdout)
    with wave.open(path, "rb") as file:
        assert (file.getnchannels(), file.getsampwidth(), file.getframerate()) == (1, 2, RATE)
        samples = np.frombuffer(file.readframes(file.getnframes()), dtype="<i2")
    assert np.abs(samples.astype(int)).max() == PEAK, "peak not at -1 dBFS"
    # Each sound fades in from silence and out to it.
    assert abs(int(samples[0])) <= 1 and abs(int(samples[-1])) <= 1, "no fade"
    check(samples, result, [float(arg) for arg in args])


def main():
    with tempfile.TemporaryDirectory() as folder:
        run_table(CASES, lambda number, case: run_case(sys.argv[1], folder, number, *case))

if __name__ == "__main__":
    main()
