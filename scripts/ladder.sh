#!/usr/bin/env bash
# Plays each level against the one below it and prints the ladder as a Markdown table.
# Clocks count each player's processor time, scaled: with SCALE 0.01 a level's second
# lasts 10 ms of computing, so the timed levels keep their proportions and a busy machine
# does not change the result. Games come in pairs from the opening lists, colours swapped.
#   scripts/ladder.sh [GAMES [SCALE [CONCURRENCY]]]   (needs a release build)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-20}
scale=${2:-0.01}
jobs=${3:-2}
cli=build/release/bin/quorvel-cli
[ -x $cli ] || { echo "build the release preset first: cmake --build --preset release" >&2; exit 1; }
echo "| step | games | score (W-D-L of the first named) | Elo | 95% interval |"
echo "|---|---|---|---|---|"
step() {  # label, first player, second player
    out=$($cli selfplay --games "$games" $2 $3 --time-scale "$scale" --cpu-time \
        --concurrency "$jobs" | tail -2)
    score=$(sed -n 's/^score //p' <<<"$out")
    elo=$(sed -n 's/^elo \([^,]*\),.*/\1/p' <<<"$out")
    interval=$(sed -n 's/.*interval \(\[[^]]*\]\).*/\1/p' <<<"$out")
    echo "| $1 | $games | $score | $elo | $interval |"
}
step "a depth-2 player against level 0" "--depth 2" "--vs-level 0"
for l in 0 1 2 3 4 5 6 7; do
    step "level $((l + 1)) against level $l" "--level $((l + 1))" "--vs-level $l"
done
