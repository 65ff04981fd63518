#!/usr/bin/env python3
"""Grows opening lines for the library lists with the engine's own search.

Each line starts with a White first move (chosen by its standing in opening theory) and
continues, ply by ply, with a move drawn among those the search scores within MARGIN of
the best. A finished line is kept only if a deeper search of its last position does not
show the list's owner losing material by force. Not run by the build: the lists in
data/ship are its checked output, kept by hand afterwards.

usage: make_lines.py CLI COLOUR COUNT SEED > list.ouv   (COLOUR: white | black)
       make_lines.py CLI COLOUR --check list.ouv   (prints the lines that fail the check)
"""
import random
import re
import subprocess
import sys

START = "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12"
# Theory's standing of White's first moves: 23-19 strongest; 21-18, 23-20, 22-19 medium;
# 22-18, 24-20, 21-17 weak. White's list plays only the first two groups.
FIRST = {"white": [("23-19", 6), ("21-18", 3), ("23-20", 3), ("22-19", 3)],
         "black": [("23-19", 5), ("21-18", 3), ("23-20", 3), ("22-19", 3),
                   ("22-18", 2), ("24-20", 2), ("21-17", 2)]}
MARGIN = 100      # shown units (a man is 1000)
BALANCE = 500     # a kept line leaves neither side more than this ahead
ROOT = re.compile(r"^(\d\d)([-x])(\d\d) : +(-?\d+)$")


def search(cli, moves, depth):
    out = subprocess.run([cli, "search", START, "--depth", str(depth), "--moves",
                          " ".join(moves)], capture_output=True, text=True).stdout
    roots = [(m.group(1) + m.group(2) + m.group(3), int(m.group(4)))
             for m in map(ROOT.match, out.splitlines()) if m]
    last = out.strip().splitlines()[-1].split()
    if not roots and len(last) == 4 and last[1] != "none":
        roots = [(last[1], int(last[3]))]  # a single legal move is played unsearched
    return roots, int(last[3]) if len(last) == 4 and last[1] != "none" else None


def strip(move):
    a, sep, b = re.split(r"([-x])", move)
    return "%2d-%2d " % (int(a), int(b))


def owner_view(cli, moves, owner, depth=12):
    """The list owner's score (shown units) after a deep search of the line's end."""
    _, score = search(cli, moves, depth)
    if score is None:
        return None
    return score if len(moves) % 2 == owner else -score


def check(cli, colour, path):
    owner = 0 if colour == "white" else 1
    bad = 0
    for raw in open(path, newline=""):
        moves = [m for m in re.findall(r"\s*(\d+)-\s*(\d+)", raw)]
        text = ["%s-%s" % m for m in moves]
        value = owner_view(cli, text, owner)
        flag = value is None or abs(value) > BALANCE
        bad += flag
        print("%s %6s %s" % ("BAD" if flag else "ok ", value, raw.rstrip()), flush=True)
    print("%d lines fail" % bad)


def main():
    if len(sys.argv) == 5 and sys.argv[3] == "--check":
        check(sys.argv[1], sys.argv[2], sys.argv[4])
        return
    cli, colour, count, seed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    rng = random.Random(seed)
    owner = 0 if colour == "white" else 1
    lines = set()
    tries = 0
    while len(lines) < count and tries < count * 20:
        tries += 1
        first = rng.choices([m for m, _ in FIRST[colour]], [w for _, w in FIRST[colour]])[0]
        moves = [first]
        length = rng.randint(8, 14)
        while len(moves) < length:
            roots, _ = search(cli, moves, 7)
            if not roots:
                break
            best = max(v for _, v in roots)
            near = [m for m, v in roots if v >= best - MARGIN]
            moves.append(rng.choice(near))
        if len(moves) < 8:
            continue
        _, score = search(cli, moves, 12)
        side_to_move = len(moves) % 2
        if score is None:
            continue
        owner_score = score if side_to_move == owner else -score
        if abs(owner_score) > BALANCE:  # someone loses material by force: not sound
            continue
        line = "".join(strip(m) for m in moves)
        if line not in lines:
            lines.add(line)
            print(line, file=sys.stderr)
    for line in sorted(lines):
        sys.stdout.write(line + "\r\n")


if __name__ == "__main__":
    main()
