#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the hunch meter from outside, by exact walks over its own words.

A player with no hunch is right at each blind guess with probability exactly
1/6. Walking the distribution of (blind guesses, right) step by step, and
absorbing a tally wherever the meter's reading for it, as
tavelquin_meter_bench --readings prints it, states odds of 1 in X or rarer,
gives the chance that the meter EVER says so within the horizon, however often
the player looks: no Monte Carlo. It prints that chance for X = 20, 100 and
1000 and exits 1 if any is above 1/X. Tallies whose chance falls below 1e-30
are dropped; their total is printed, and added to the chance before it is
judged.

It also walks players who are right 1 time in 5, 4 and 3, and prints the
median number of blind guesses until the meter first says "1 in 100" or
rarer, beside the median for an oracle that knows the player's rate (the
likelihood ratio at that rate reaching 100), which no honest meter can beat.

Usage: bench/check_meter.py build/release/bench/tavelquin_meter_bench [HORIZON]
(HORIZON blind guesses, 10000 by default; about a minute.)
"""
import math
import re
import subprocess
import sys
from fractions import Fraction

LUCK = 1 / 6
LEVELS = (20, 100, 1000)
PLAYERS = (Fraction(1, 5), Fraction(1, 4), Fraction(1, 3))
DROPPED = 1e-30
STATED = re.compile(r"Blind guesses: (\d+), right: (\d+) \(.*\)\. Luck alone: 1 in 6 \(16\.7%\)\. (.*)")
ODDS = re.compile(r"Luck alone gives a reading this strong at most 1 time in (.+), however often you look\.")
UNITS = {"million": 6, "billion": 9, "trillion": 12}
SAID_NOTHING = ("Too little evidence yet to tell a hunch from luck.", "No better than luck so far.")


def odds(reading, n, k):
    """The X of "1 time in X" that the reading states, or 0; checks the tally it names."""
    found = STATED.fullmatch(reading)
    if not found or (int(found[1]), int(found[2])) != (n, k):
        sys.exit(f"FAIL: the reading for {n} {k} does not name that tally: {reading!r}")
    if found[3] in SAID_NOTHING:
        return 0
    stated = ODDS.fullmatch(found[3])
    if not stated:
        sys.exit(f"FAIL: a reading this checker cannot read: {reading!r}")
    words = stated[1].split()
    if words[:4] == ["10", "to", "the", "power"]:
        return 10 ** int(words[4])
    value = Fraction(words[0])
    return value * 10 ** UNITS[words[1]] if len(words) == 2 else value


class Walk:
    """The chance of each tally not yet absorbed, for a player right with probability p."""

    def __init__(self, p, level):
        self.p, self.level, self.mass, self.low = float(p), level, [1.0], 0
        self.absorbed = self.dropped = 0.0

    def step(self):
        # mass[i] is the chance of k = low + i right; one more guess, right with p.
        p, mass = self.p, self.mass
        self.mass = [a * (1 - p) + b * p for a, b in zip(mass + [0.0], [0.0] + mass)]
        while len(self.mass) > 1 and self.mass[0] < DROPPED:
            self.dropped += self.mass.pop(0)
            self.low += 1
        while len(self.mass) > 1 and self.mass[-1] == 0:
            self.mass.pop()

    def alive(self):
        return range(self.low, self.low + len(self.mass))

    def absorb(self, stated):
        for i, k in enumerate(self.alive()):
            if stated[k] >= self.level:
                self.absorbed += self.mass[i]
                self.mass[i] = 0.0


def oracle_median(p, level=100):
    """First n at which the likelihood ratio at the true rate p reaches level
    with chance one half or more."""
    up, down, target = math.log(p / LUCK), math.log((1 - p) / (1 - LUCK)), math.log(level)
    walk, n = Walk(p, 1), 0
    while walk.absorbed < 0.5:
        n += 1
        walk.step()
        walk.absorb({k: int(k * up + (n - k) * down >= target) for k in walk.alive()})
    return n


def main():
    tool, horizon = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    meter = subprocess.Popen([tool, "--readings"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    luck = [Walk(LUCK, level) for level in LEVELS]
    players = {p: Walk(p, 100) for p in PLAYERS}
    medians, asked = {}, 0
    for n in range(1, horizon + 1):
        walks = luck + [w for p, w in players.items() if p not in medians]
        for walk in walks:
            walk.step()
        ks = sorted(set().union(*(walk.alive() for walk in walks)))
        meter.stdin.write("".join(f"{n} {k}\n" for k in ks))
        meter.stdin.flush()
        stated = {k: odds(meter.stdout.readline().rstrip("\n"), n, k) for k in ks}
        asked += len(ks)
        for walk in walks:
            walk.absorb(stated)
        for p, walk in players.items():
            if p not in medians and walk.absorbed >= 0.5:
                medians[p] = n
    meter.stdin.close()
    meter.wait()

    failed = False
    print(f"A player with no hunch, watched after each of {horizon} blind guesses "
          f"({asked} readings asked):")
    for walk in luck:
        chance = walk.absorbed + walk.dropped
        failed |= chance > 1 / walk.level
        print(f"  the meter ever says 1 in {walk.level} or rarer: {walk.absorbed:.5f} "
              f"(+ {walk.dropped:.0e} dropped; at most {1 / walk.level:.5f} allowed)"
              f"{'  FAIL' if chance > 1 / walk.level else ''}")
    print("Median blind guesses until the meter first says 1 in 100 or rarer:")
    for p in PLAYERS:
        best = oracle_median(float(p))
        got = medians.get(p)
        shown = f"{got} ({got / best:.3f} x the oracle)" if got else f"more than {horizon}"
        print(f"  right 1 time in {1 / p}: {shown}; an oracle that knows the rate: {best}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
