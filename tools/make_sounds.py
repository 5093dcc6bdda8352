#!/usr/bin/env python3
"""Synthesises the game's sounds: resources/sounds/<NAME>.wav, uncompressed PCM.

    python3 tools/make_sounds.py             # writes every recording into resources/sounds/
    python3 tools/make_sounds.py OUT_DIR     # writes them elsewhere

The voice is a piezo buzzer's: square waves switched on and off in short notes and chirps,
with band-limited edges, softened a little by a one-pole low-pass as the small disc would. Only the standard library is
used and nothing is random, so the files come out byte for byte the same on every run.

Name           rate   bits  channels  length   when the game plays it
WVBONUS        22050  8     1         0.02 s   unlocking, a key, gold, the vase, the map
WVDEATH        22050  8     1         1.0 s    the hero dies
WVDEATHENEMY   44100  16    1         0.5 s    a figure is hit or killed
WVDEFEND       44100  16    1         0.2 s    (carried, not played)
WVGAMEOVER     22050  8     1         0.4 s    the last life is lost
WVLEVEL        22050  8     1         1.6 s    (carried, not played)
WVMOVE         22050  8     2         0.06 s   a step of the hero, the snake, the spider, animations
WVMOVEENEMY    22050  8     1         0.01 s   (carried, not played)
WVUNLOCKEXIT   22050  8     2         1.2 s    a level is complete
WVSCORE        22050  8     1         0.03 s   each point counted into the score
WVCOIN         22050  8     1         0.2 s    the ankh or the amulet is taken
"""

import math
import os
import sys
import wave

# Overall loudness: a buzzer is shrill, so every recording stays well below full scale.
MASTER = 0.75

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.join(HERE, "..", "resources", "sounds")

# Equal-tempered pitches used below (Hz).
NOTE = {
    "E4": 329.63, "F4": 349.23, "G#4": 415.30, "A4": 440.00, "B4": 493.88,
    "C5": 523.25, "C#5": 554.37, "D5": 587.33, "E5": 659.26, "F5": 698.46, "G#5": 830.61,
    "A5": 880.00, "B5": 987.77, "C6": 1046.50, "C#6": 1108.73, "E6": 1318.51, "A6": 1760.00,
    "G3": 196.00, "C4": 261.63, "G4": 392.00, "D#4": 311.13,
}


def blep(t, dt):
    """Polynomial correction that rounds off a jump at phase 0, so high notes do not alias."""
    if t < dt:
        x = t / dt
        return x + x - x * x - 1.0
    if t > 1.0 - dt:
        x = (t - 1.0) / dt
        return x * x + x + x + 1.0
    return 0.0


def square(t, dt, duty):
    """Square wave at phase t (0..1): high until `duty`, then low."""
    naive = 1.0 if t < duty else -1.0
    return naive + blep(t, dt) - blep((t - duty) % 1.0, dt)


class Voice:
    """A buzzer: a square wave whose pitch, loudness and duty can change from note to note."""

    def __init__(self, rate, cutoff=5500.0):
        self.rate = rate
        self.samples = []
        self.phase = 0.0
        self.lp = 0.0
        self.alpha = 1.0 - math.exp(-2.0 * math.pi * cutoff / rate)

    def _emit(self, value):
        self.lp += (value - self.lp) * self.alpha
        self.samples.append(self.lp)

    def tone(self, seconds, f0, f1=None, level=0.6, duty=0.5, attack=0.001, release=0.002,
             vibrato=0.0, vibrato_hz=0.0):
        """One note from pitch f0 gliding to f1 (exponentially), with short edges against clicks."""
        f1 = f0 if f1 is None else f1
        n = int(round(seconds * self.rate))
        a = max(1, int(attack * self.rate))
        r = max(1, int(release * self.rate))
        for i in range(n):
            t = i / max(1, n - 1)
            f = f0 * (f1 / f0) ** t
            if vibrato:
                f *= 1.0 + vibrato * math.sin(2.0 * math.pi * vibrato_hz * i / self.rate)
            dt = f / self.rate
            self.phase = (self.phase + dt) % 1.0
            env = min(1.0, (i + 1) / a, (n - i) / r)
            self._emit(level * env * square(self.phase, dt, duty))

    def rest(self, seconds):
        for _ in range(int(round(seconds * self.rate))):
            self._emit(0.0)
        self.phase = 0.0

    def fill_to(self, seconds):
        """Pads with silence (or cuts) to exactly the given length."""
        n = int(round(seconds * self.rate))
        while len(self.samples) < n:
            self._emit(0.0)
        del self.samples[n:]


# ---------------------------------------------------------------- the sounds

def bonus():
    v = Voice(22050)
    v.tone(0.009, NOTE["E6"], level=0.55, release=0.0005)
    v.tone(0.011, NOTE["A6"], level=0.55, attack=0.0005)
    v.fill_to(0.02)
    return v


def death():
    # eight falling beeps, each sliding down a little: the classic "lost a life" wail
    v = Voice(22050)
    f = 1400.0
    for _ in range(8):
        v.tone(0.085, f, f * 0.82, level=0.6)
        v.rest(0.04)
        f *= 0.80
    v.fill_to(1.0)
    return v


def death_enemy():
    # a hit: a quick two-tone warble that drops and stops
    v = Voice(44100, cutoff=7000.0)
    for k in range(6):
        hi = 2200.0 * 0.88 ** k
        v.tone(0.035, hi, level=0.6)
        v.tone(0.035, hi * 0.7, level=0.6)
        v.rest(0.012)
    v.fill_to(0.5)
    return v


def defend():
    v = Voice(44100, cutoff=7000.0)
    v.tone(0.07, NOTE["A5"], level=0.55)
    v.rest(0.02)
    v.tone(0.09, NOTE["E6"], level=0.55, duty=0.4)
    v.fill_to(0.2)
    return v


def game_over():
    v = Voice(22050)
    for name, length in (("C5", 0.11), ("G4", 0.11), ("C4", 0.16)):
        v.tone(length, NOTE[name], level=0.6)
        v.rest(0.01)
    v.fill_to(0.4)
    return v


def level():
    # a little tune on the "desert" scale E F G# A B C: up, a turn, and a held last note
    v = Voice(22050)
    tune = [("E5", 0.1), ("F5", 0.1), ("G#5", 0.1), ("A5", 0.2), ("G#5", 0.1), ("F5", 0.1),
            ("E5", 0.2), ("B4", 0.1), ("C5", 0.1), ("B4", 0.1)]
    for name, length in tune:
        v.tone(length - 0.015, NOTE[name], level=0.55)
        v.rest(0.015)
    v.tone(0.28, NOTE["E5"], level=0.55, vibrato=0.012, vibrato_hz=9.0)
    v.fill_to(1.6)
    return v


def move():
    v = Voice(22050)
    v.tone(0.035, 2093.0, level=0.5)
    v.fill_to(0.06)
    return v


def move_enemy():
    v = Voice(22050)
    v.tone(0.006, 3000.0, level=0.45, attack=0.0003, release=0.001)
    v.fill_to(0.01)
    return v


def unlock_exit():
    # the door opens: a rising arpeggio twice, then a fast trill on the top note
    v = Voice(22050)
    for name in ("A4", "C#5", "E5", "A5", "C#5", "E5", "A5", "C#6"):
        v.tone(0.07, NOTE[name], level=0.55)
        v.rest(0.012)
    for k in range(8):
        v.tone(0.035, NOTE["E6"] if k % 2 == 0 else NOTE["C#6"], level=0.55)
    v.tone(0.18, NOTE["A6"], level=0.5)
    v.fill_to(1.2)
    return v


def score():
    v = Voice(22050)
    v.tone(0.018, 2637.0, level=0.45)
    v.fill_to(0.03)
    return v


def coin():
    v = Voice(22050)
    v.tone(0.05, NOTE["B5"], level=0.55)
    v.tone(0.13, NOTE["E6"], level=0.55, release=0.03)
    v.fill_to(0.2)
    return v


# name: (maker, rate, bytes per sample, channels)
SOUNDS = {
    "WVBONUS": (bonus, 22050, 1, 1),
    "WVDEATH": (death, 22050, 1, 1),
    "WVDEATHENEMY": (death_enemy, 44100, 2, 1),
    "WVDEFEND": (defend, 44100, 2, 1),
    "WVGAMEOVER": (game_over, 22050, 1, 1),
    "WVLEVEL": (level, 22050, 1, 1),
    "WVMOVE": (move, 22050, 1, 2),
    "WVMOVEENEMY": (move_enemy, 22050, 1, 1),
    "WVUNLOCKEXIT": (unlock_exit, 22050, 1, 2),
    "WVSCORE": (score, 22050, 1, 1),
    "WVCOIN": (coin, 22050, 1, 1),
}


def encode(samples, width, channels):
    out = bytearray()
    for s in samples:
        s = max(-1.0, min(1.0, s * MASTER))
        if width == 1:
            frame = bytes((int(round(128 + 127 * s)),))
        else:
            frame = int(round(32767 * s)).to_bytes(2, "little", signed=True)
        out += frame * channels
    return bytes(out)


def main():
    out_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT)
    os.makedirs(out_dir, exist_ok=True)
    for name, (maker, rate, width, channels) in SOUNDS.items():
        voice = maker()
        assert voice.rate == rate, name
        peak = max(abs(s) for s in voice.samples) * MASTER
        assert peak < 0.7, "%s would come too close to clipping (peak %.2f)" % (name, peak)
        path = os.path.join(out_dir, name + ".wav")
        with wave.open(path, "wb") as w:
            w.setnchannels(channels)
            w.setsampwidth(width)
            w.setframerate(rate)
            w.writeframes(encode(voice.samples, width, channels))
        print("wrote %s (%.3f s)" % (path, len(voice.samples) / rate))


if __name__ == "__main__":
    main()
