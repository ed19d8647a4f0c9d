#!/usr/bin/env python3
"""Writes the guard's alarm sound: a short two-tone siren, 16-bit mono PCM."""
import math
import struct
import sys
import wave

RATE = 22050
TONES = [(988.0, 0.14), (740.0, 0.14)] * 3   # (frequency in Hz, seconds)
GAP = 0.02                                    # silence after each tone
FADE = 0.006                                  # soft edges: no clicks
VOLUME = 0.6


def tone(freq, seconds):
    n = int(RATE * seconds)
    fade = max(1, int(RATE * FADE))
    out = []
    for i in range(n):
        edge = min(1.0, i / fade, (n - 1 - i) / fade)
        # A little third harmonic makes it cut through like a buzzer.
        s = math.sin(2 * math.pi * freq * i / RATE) + 0.3 * math.sin(6 * math.pi * freq * i / RATE)
        out.append(int(32767 * VOLUME * edge * s / 1.3))
    return out


def main(path):
    samples = []
    for freq, seconds in TONES:
        samples += tone(freq, seconds)
        samples += [0] * int(RATE * GAP)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main(sys.argv[1])
