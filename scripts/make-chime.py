#!/usr/bin/env python3
"""Writes the alarm chime, resources/sounds/rmdsound.wav: two soft bell notes, a falling major
third, then a rest, so that it sounds like a repeated ding-dong when looped. 16-bit PCM, mono,
22050 Hz, 1.2 s (about 52 KB). Standard library only; the output is the same on every run."""

import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050
LENGTH = 1.2  # seconds, the rest included
PEAK = 0.6  # of full scale: loud enough to notice, not harsh

# (start in seconds, fundamental in Hz): E5, then C5.
NOTES = [(0.0, 659.25), (0.32, 523.25)]
# A bell's partials: (multiple of the fundamental, loudness, decay time in seconds).
PARTIALS = [(1.0, 1.0, 0.45), (2.0, 0.45, 0.25), (3.0, 0.2, 0.15), (4.16, 0.08, 0.08)]
ATTACK = 0.004  # seconds: a soft strike without a click


def note_sample(t, frequency):
    if t < 0:
        return 0.0
    attack = min(1.0, t / ATTACK)
    return attack * sum(
        loudness * math.exp(-t / decay) * math.sin(2 * math.pi * frequency * multiple * t)
        for multiple, loudness, decay in PARTIALS
    )


def chime():
    count = int(RATE * LENGTH)
    fade = int(RATE * 0.1)  # the last tenth of a second fades to nothing, so the loop never clicks
    raw = []
    for i in range(count):
        t = i / RATE
        value = sum(note_sample(t - start, frequency) for start, frequency in NOTES)
        if i >= count - fade:
            value *= (count - 1 - i) / fade
        raw.append(value)
    scale = PEAK / max(abs(v) for v in raw)
    return [round(v * scale * 32767) for v in raw]


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else (
        Path(__file__).resolve().parent.parent / "resources" / "sounds" / "rmdsound.wav")
    target.parent.mkdir(parents=True, exist_ok=True)
    samples = chime()
    with wave.open(str(target), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))
    print(f"{target}: {len(samples)} samples, {target.stat().st_size} bytes")


if __name__ == "__main__":
    main()
