#!/usr/bin/env python3
"""Compares what a sound server played (a raw recording of its sink's monitor) with what the
program asked for.

    heard.py timetable SOUNDS_DIR PLAYS RECORDING
        PLAYS holds lines "play NAME MS" (ms since the first call). Every sound must be heard, in
        order, each stretch of sound as long as expected within 20 ms and starting as long after
        the one before as it was asked for, within 20 ms. A call that comes while another sound
        plays cuts that sound off at that moment.

    heard.py game SOUNDS_DIR SIM_OUTPUT RECORDING
        SIM_OUTPUT holds karvan-sim's state lines for the inputs the game was given, a line every
        few ms; their "sounds" say what the game plays and when. The stretches of sound those
        calls make must all be heard, in order, each as long as expected within 20 ms. Their
        starts are listed but not compared: in a real session a key press arrives when the X
        server delivers it, not on the simulator's millisecond.

Up to NOISE_STRETCHES stretches may be off by up to NOISE_MS (see below) and still pass.

RECORDING is mono signed 16-bit little-endian at 44 100 Hz (parec --format=s16le --rate=44100
--channels=1 --raw). Only the standard library is used.
"""

import json
import os
import struct
import sys
import wave

RATE = 44100
# Louder than this counts as sound; the recordings peak above 10 000, the null sink is silent.
THRESHOLD = 512
# Quieter stretches shorter than this belong to the sound around them: the recordings have
# pauses of up to 40 ms between their notes.
MERGE_MS = 60
TOLERANCE_MS = 20
# A busy machine can hold the sound server up once or twice for a few tens of ms, which moves or
# stretches a sound by that much. So a few stretches may be off by up to NOISE_MS; a fault of the
# output path (a larger buffer, a sound lost, not cut or broken up) shows at many stretches, or
# by far more, or in the count of stretches.
NOISE_MS = 60
NOISE_STRETCHES = 3


def ms_activity(samples, rate):
    """One flag per millisecond: whether any sample in it is louder than the threshold."""
    per_ms = rate / 1000.0
    count = int(len(samples) / per_ms)
    active = [False] * count
    for i in range(count):
        a, b = int(i * per_ms), int((i + 1) * per_ms)
        active[i] = any(abs(v) > THRESHOLD for v in samples[a:b])
    return active


def segments(active):
    """Stretches of sound [start, end) in ms, with short pauses closed."""
    found = []
    start = None
    quiet = 0
    for i, on in enumerate(active):
        if on:
            if start is None:
                start = i
            elif quiet:
                if quiet >= MERGE_MS:
                    found.append((start, i - quiet))
                    start = i
            quiet = 0
        elif start is not None:
            quiet += 1
    if start is not None:
        found.append((start, len(active) - quiet))
    return found


def read_wav(path):
    """A WAV file as mono samples on the 16-bit scale (the mean of its channels) and its rate."""
    with wave.open(path) as w:
        channels, width, rate = w.getnchannels(), w.getsampwidth(), w.getframerate()
        data = w.readframes(w.getnframes())
    if width == 1:
        values = [(b - 128) * 256 for b in data]
    elif width == 2:
        values = list(struct.unpack("<%dh" % (len(data) // 2), data))
    else:
        raise SystemExit("%s: %d-byte samples are not handled" % (path, width))
    mono = [sum(values[i:i + channels]) / channels for i in range(0, len(values), channels)]
    return mono, rate


def recordings(folder):
    """Name (upper case) -> per-ms activity of every WAV file of the folder."""
    found = {}
    for name in os.listdir(folder):
        if name.lower().endswith(".wav"):
            samples, rate = read_wav(os.path.join(folder, name))
            found[name[:-4].upper()] = ms_activity(samples, rate)
    return found


def read_raw(path):
    with open(path, "rb") as f:
        data = f.read()
    data = data[:len(data) // 2 * 2]
    return list(struct.unpack("<%dh" % (len(data) // 2), data))


def expected_segments(sounds, plays):
    """What a listener should hear of the calls [(NAME, ms)]: each sound from its call until it
    ends or the next call comes."""
    if not plays:
        raise SystemExit("no sound was played")
    total = int(plays[-1][1]) + max(len(a) for a in sounds.values()) + 1
    expected = [False] * total
    for i, (name, at) in enumerate(plays):
        if name not in sounds:
            raise SystemExit("no recording named %s" % name)
        until = plays[i + 1][1] if i + 1 < len(plays) else float("inf")
        for k, on in enumerate(sounds[name]):
            if int(at) + k >= until:
                break
            if on:
                expected[int(at) + k] = True
    return segments(expected)


def verdict(failures, noisy):
    """Fails on any stretch missing, extra or off by more than NOISE_MS, or on more than
    NOISE_STRETCHES stretches off by more than TOLERANCE_MS."""
    if noisy and not failures and len(noisy) <= NOISE_STRETCHES:
        print("passed; off by at most %d ms at %s (a busy machine)" %
              (NOISE_MS, ", ".join(str(n) for n in noisy)))
        return 0
    failures = sorted(failures + noisy)
    if failures:
        print("FAILED at", ", ".join(str(f) for f in failures))
        return 1
    return 0


def timetable(sounds_dir, plays_path, recording_path):
    sounds = recordings(sounds_dir)
    plays = []
    with open(plays_path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "play":
                plays.append((parts[1].upper(), float(parts[2])))
    want = expected_segments(sounds, plays)
    heard = segments(ms_activity(read_raw(recording_path), RATE))
    print("%-4s %-22s %16s %16s" % ("", "", "expected ms", "heard ms"))
    print("%-4s %-22s %8s %7s %8s %7s" % ("#", "sound", "start", "length", "start", "length"))
    failures = []
    noisy = []
    # Which calls each expected stretch begins with, for the listing.
    labels = []
    for start, _ in want:
        names = [n for n, at in plays if start - TOLERANCE_MS <= at <= start + 1]
        labels.append(names[0] if names else "?")
    worst_start = worst_length = 0.0
    for i in range(max(len(want), len(heard))):
        w = want[i] if i < len(want) else None
        h = heard[i] if i < len(heard) else None
        line = "%-4d %-22s" % (i + 1, labels[i] if w else "(none expected)")
        line += " %8d %7d" % (w[0] - want[0][0], w[1] - w[0]) if w else " %16s" % "-"
        line += " %8d %7d" % (h[0] - heard[0][0], h[1] - h[0]) if h else " %16s" % "-"
        if w and h:
            # Spacing from the sound before, so that one late sound counts once, not for all
            # that follow it.
            if i == 0:
                start_error = 0
            else:
                start_error = abs((h[0] - heard[i - 1][0]) - (w[0] - want[i - 1][0]))
            length_error = abs((h[1] - h[0]) - (w[1] - w[0]))
            worst_start = max(worst_start, start_error)
            worst_length = max(worst_length, length_error)
            if start_error > TOLERANCE_MS or length_error > TOLERANCE_MS:
                line += "   <- off by %d ms (start), %d ms (length)" % (start_error, length_error)
                if max(start_error, length_error) <= NOISE_MS:
                    noisy.append(i + 1)
                else:
                    failures.append(i + 1)
        else:
            line += "   <- missing" if w else "   <- not asked for"
            failures.append(i + 1)
        print(line)
    print("%d stretches expected, %d heard; worst start %d ms, worst length %d ms" %
          (len(want), len(heard), worst_start, worst_length))
    return verdict(failures, noisy)


def game(sounds_dir, sim_path, recording_path):
    sounds = recordings(sounds_dir)
    plays = []
    with open(sim_path) as f:
        for line in f:
            state = json.loads(line)
            plays += [(name.upper(), float(state["t"])) for name in state.get("sounds", [])]
    want = expected_segments(sounds, plays)
    heard = segments(ms_activity(read_raw(recording_path), RATE))
    print("the game played %d sounds, %d stretches apart; %d heard" %
          (len(plays), len(want), len(heard)))
    print("%-4s %-14s %16s %16s" % ("", "", "expected ms", "heard ms"))
    print("%-4s %-14s %8s %7s %8s %7s" % ("#", "begins with", "start", "length", "start", "length"))
    failures = []
    noisy = []
    for i in range(max(len(want), len(heard))):
        w = want[i] if i < len(want) else None
        h = heard[i] if i < len(heard) else None
        names = [n for n, at in plays if w and w[0] - TOLERANCE_MS <= at <= w[0] + 1]
        line = "%-4d %-14s" % (i + 1, (names[0] if names else "?") if w else "(none expected)")
        line += " %8d %7d" % (w[0] - want[0][0], w[1] - w[0]) if w else " %16s" % "-"
        line += " %8d %7d" % (h[0] - heard[0][0], h[1] - h[0]) if h else " %16s" % "-"
        if w and h:
            error = abs((h[1] - h[0]) - (w[1] - w[0]))
            if error > TOLERANCE_MS:
                line += "   <- length off by %d ms" % error
                (noisy if error <= NOISE_MS else failures).append(i + 1)
        else:
            line += "   <- missing" if w else "   <- not played"
            failures.append(i + 1)
        print(line)
    return verdict(failures, noisy)


def main(argv):
    if len(argv) == 5 and argv[1] == "timetable":
        return timetable(argv[2], argv[3], argv[4])
    if len(argv) == 5 and argv[1] == "game":
        return game(argv[2], argv[3], argv[4])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
