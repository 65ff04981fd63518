#!/usr/bin/env bash
# Mutation check of the test suite: each row of the table makes one small change to one line
# of the code; a good suite fails for every one of them. For each row the script applies the
# change, rebuilds a release build with tests (no sanitizers, in build/mutants), runs the test
# program of the changed layer and then, if that passes, the rest of the suite (the few
# slowest tests left out), stopping at the first failure, and prints caught or missed. The
# source is restored after each row, also on Ctrl-C.
#
#   scripts/mutants.sh                 every row, against the suite of the working tree
#   scripts/mutants.sh --against REV   also against the tests of commit REV, built beside
#                                      today's in the same tree (a column for each)
#   scripts/mutants.sh --check         only check that every row matches exactly one line
#   MUTANTS_ROWS="17 3" scripts/mutants.sh   only rows 17 and 3, in that order
set -uo pipefail

REPO=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${MUTANTS_BUILD:-$REPO/build/mutants}
SKIP_SLOWEST=${MUTANTS_SKIP_SLOWEST:-8}  # the slowest tests of the unchanged run are left out
SLOT=()
command -v buildslot > /dev/null && SLOT=(buildslot)
export QT_QPA_PLATFORM=offscreen
AGAINST=""
CHECK=0
while (($#)); do
    case $1 in
        --against) AGAINST=$2; shift 2 ;;
        --check) CHECK=1; shift ;;
        *) echo "usage: $0 [--against REV] [--check]" >&2; exit 2 ;;
    esac
done

# file @@ text on the line (must occur on exactly one line) @@ its replacement @@ test program
TABLE=$(cat << 'ROWS'
src/board/movegen.cpp @@ if (board[m] != work.enemy_man) continue; @@ if (board[m] == EMPTY) continue; @@ board
src/board/movegen.cpp @@ if (work.kings_at[k] > work.best_kings) { @@ if (work.kings_at[k] < work.best_kings) { @@ board
src/board/movegen.cpp @@ if (piece == WHITE_MAN && move.to <= 4) @@ if (piece == WHITE_MAN && move.to <= 3) @@ board
src/board/movegen.cpp @@ if (tried > work.best_piece) { @@ if (tried < work.best_piece) { @@ board
src/board/fen.cpp @@ if (turn != 'W' && turn != 'B') @@ if (turn != 'W' && turn != 'B' && turn != 'X') @@ board
src/eval/evaluate.cpp @@ if (side == BLACK) material = static_cast<int16_t>(-material); @@ if (side == WHITE) material = static_cast<int16_t>(-material); @@ eval
src/eval/evaluate.cpp @@ v -= CORNER_KING_PENALTY; @@ v += CORNER_KING_PENALTY; @@ eval
src/eval/evaluate.cpp @@ if (wm < wk && wm + wk >= bm + bk && wk > bk) v += @@ if (wm < wk && wm + wk >= bm + bk && wk > bk) v -= @@ eval
src/eval/evaluate.cpp @@ st.tempo_balance += sign * own * advance_table[e]; @@ st.tempo_balance -= sign * own * advance_table[e]; @@ eval
src/eval/evaluate.cpp @@ if (count > params.opening_threshold) return 0; @@ if (count > params.opening_threshold + 2) return 0; @@ eval
src/eval/mobility.cpp @@ if (V::e(k2)) v -= 50; @@ if (V::e(k2)) v -= 5; @@ eval
src/eval/egdb_recognise.cpp @@ if (pattern != 1 && men > 4) return false; @@ if (pattern != 1 && men > 5) return false; @@ eval
src/eval/egdb.cpp @@ if (bytes.size() != size) { @@ if (bytes.size() < size) { @@ eval
src/search/search.cpp @@ if (sc >= beta) { @@ if (sc >= beta + 1) { @@ search
src/search/search.cpp @@ if (turned && bound == TtBound::lower) @@ if (!turned && bound == TtBound::lower) @@ search
src/search/driver.cpp @@ if (moves == 1) { @@ if (moves == -1) { @@ search
src/search/driver.cpp @@ if (depth == in.fixed_depth) return search.best_root_index; @@ if (depth == in.fixed_depth + 1) return search.best_root_index; @@ search
src/search/driver.cpp @@ if (b / 10 < a.allotted) a.allotted = b / 10; @@ if (b / 5 < a.allotted) a.allotted = b / 5; @@ search
src/search/tt.cpp @@ if (e.kind == 0 || e.lock != hash_state.lock_key) return nullptr; @@ if (e.kind == 0) return nullptr; @@ search
src/search/tt.cpp @@ if (size <= 0 || size > LARGEST_SIZE) size = 100; @@ if (size <= 0) size = 100; @@ search
src/search/position_table.cpp @@ return e.lock == lock_key ? &e : nullptr; @@ return &e; @@ search
src/search/book.cpp @@ if (book.candidate_count == 0) return -1; @@ if (book.candidate_count <= 1) return -1; @@ search
src/game/clocks.cpp @@ if (!parse_whole_number(minutes_text, n) || n <= 0) return false; @@ if (!parse_whole_number(minutes_text, n) || n < 0) return false; @@ game
src/game/clocks.cpp @@ if (clock_x > limit) return EndReason::computer_out_of_time; @@ if (clock_x > 2 * limit) return EndReason::computer_out_of_time; @@ game
src/game/end_of_game.cpp @@ if (white_moves == 0 || black_moves == 0) { @@ if (white_moves == 0 && black_moves == 0) { @@ game
src/game/end_of_game.cpp @@ return mine > theirs ? 1 : chosen; @@ return mine >= theirs ? 1 : chosen; @@ game
src/game/players.cpp @@ if (line <= 0 || line >= static_cast<int>(table.names.size())) return false; @@ if (line < 0 || line >= static_cast<int>(table.names.size())) return false; @@ game
src/game/navigation.cpp @@ if (game.current_ply >= game.last_ply) return; @@ if (game.current_ply > game.last_ply) return; @@ game
src/game/game_record.cpp @@ if (out.size() <= NAME_BYTES) return out; @@ if (out.size() <= NAME_BYTES + 4) return out; @@ game
src/game/game_record.cpp @@ return p == MAX_RECORDED_PLY ? RecordOutcome::full : RecordOutcome::recorded; @@ return RecordOutcome::recorded; @@ game
src/game/turn_flow.cpp @@ l.file_menu = !rated && !(computer_searching && !self_play) && !analysis_running; @@ l.file_menu = !rated && !(computer_searching && self_play) && !analysis_running; @@ game
src/game/turn_flow.cpp @@ l.level_menu = !(rated && game.current_ply > 10) && !analysis_running; @@ l.level_menu = !(rated && game.current_ply > 11) && !analysis_running; @@ game
src/game/turn_flow.cpp @@ if (how == Wait::after_move && game.computer_to_move) return d; @@ if (how == Wait::after_move && !game.computer_to_move) return d; @@ game
src/game/turn_flow.cpp @@ return flow.options.ponder && !game.skip_ponder && !flow.pondered && game.vs_computer && @@ return flow.options.ponder && !game.skip_ponder && game.vs_computer && @@ game
src/game/turn_flow.cpp @@ if (game.computer_vs_computer) game.computer_to_move = 1; @@ if (game.computer_vs_computer) game.computer_to_move = 0; @@ game
src/files/game_file.cpp @@ if (img.current_ply > img.last_ply) { @@ if (img.current_ply > img.last_ply + 1) { @@ files
src/files/game_file.cpp @@ if (img.side_to_move > 1) { @@ if (img.side_to_move > 2) { @@ files
src/files/game_file.cpp @@ if (level_index >= 11 && level_index <= 17) return static_cast<uint8_t>(level_index - 10); @@ if (level_index >= 11 && level_index <= 17) return static_cast<uint8_t>(level_index - 11); @@ files
src/files/text_reader.cpp @@ if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); @@ if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(0); @@ files
src/files/text_writer.cpp @@ if (i % 4 == 3 || i + 1 == pairs) out += "\r\n"; @@ if (i % 4 == 3) out += "\r\n"; @@ files
src/files/learning.cpp @@ if (squares[s] == man) material += 3; @@ if (squares[s] == man) material += 2; @@ files
src/files/lesson_source.cpp @@ return n >= 1 && n <= 32 ? n : 0; @@ return n >= 1 && n <= 33 ? n : 0; @@ files
src/analysis/analyser.cpp @@ return distance % 2 == 0 ? analysis.analysis_side : 1 - analysis.analysis_side; @@ return distance % 2 == 1 ? analysis.analysis_side : 1 - analysis.analysis_side; @@ analysis
src/analysis/analyser.cpp @@ return std::abs(best_raw + played_value) > 100 && @@ return std::abs(best_raw + played_value) > 150 && @@ analysis
src/analysis/analysis_text.cpp @@ return l.marked ? std::string("*") + text : std::string(text); @@ return l.marked ? std::string(text) : std::string(text); @@ analysis
src/analysis/analysis_pdn.cpp @@ if (l.ply + 1 != p || !l.marked) continue; @@ if (l.ply + 1 != p) continue; @@ analysis
src/ui/window_setup.cpp @@ for (int l = 0; l < LANGUAGES; ++l) set_checked(items[l], l == language); @@ for (int l = 0; l < LANGUAGES; ++l) set_checked(items[l], l != language); @@ ui
src/ui/window_setup.cpp @@ if (clocks.level_index == 18) { @@ if (clocks.level_index == 17) { @@ ui
src/ui/window_game.cpp @@ zut->setVisible(index != chosen); @@ zut->setVisible(index == chosen); @@ ui
src/ui/window_play.cpp @@ if (flow.searching || line < 0) return; @@ if (line < 0) return; @@ ui
ROWS
)

mapfile -t ROWS_ <<< "$TABLE"
field() { awk -F ' @@ ' -v n="$2" '{ print $n }' <<< "$1"; }

# Replaces the text on its one line; fails (changing nothing) unless exactly one line holds it.
mutate() {
    FROM="$2" TO="$3" perl -0 -i -pe '
        BEGIN { $from = $ENV{FROM}; $to = $ENV{TO} }
        my $n = () = /^.*\Q$from\E.*$/mg;
        if ($n != 1) { print STDERR "matches $n lines\n"; exit 3 }
        s/\Q$from\E/$to/;' "$1"
}

# The tree that is changed and built: the working tree itself or, with --against, a copy of
# it with the tests of REV beside today's (programs before_*, tests named "before:...").
ROOT=$REPO
if [[ -n "$AGAINST" ]]; then
    ROOT=$BUILD-src
    mkdir -p "$ROOT"
    (cd "$REPO" && git ls-files -z | xargs -0 tar -cf - 2> /dev/null) | tar -xf - -C "$ROOT"
    rm -rf "$ROOT/tests_before" && mkdir "$ROOT/tests_before"
    (cd "$REPO" && git archive "$AGAINST" tests) | tar -xf - -C "$ROOT/tests_before" --strip-components=1
    # The tools' own tests (help, pictures, tuning) are shared when unchanged since REV.
    (cd "$REPO" && git diff --quiet "$AGAINST" -- tests/help tests/render tests/tools) ||
        echo "note: tests/help, render or tools changed since $AGAINST; today's are used for both"
    sed -i -e 's/test_\${dir}/before_${dir}/g' -e 's/DISCOVERY_MODE PRE_TEST/TEST_PREFIX before: &/' \
        -e 's/if(NOT QUORVEL_WINDOW AND name MATCHES "^(ui|render)$")/if(name MATCHES "^(help|render|tools)$")/' \
        "$ROOT/tests_before/CMakeLists.txt"
    sed -i -e 's/test_ui/before_ui/g' -e 's/quorvel-soak/before-soak/g' \
        -e 's/NAME WindowSoak/NAME before:WindowSoak/' -e 's/WindowSoak.TwoGames PROPERTIES/before:&/' \
        -e 's/DISCOVERY_MODE PRE_TEST/TEST_PREFIX before: &/' \
        -e 's|${PROJECT_SOURCE_DIR}/tests)|${PROJECT_SOURCE_DIR}/tests_before)|' \
        "$ROOT/tests_before/ui/CMakeLists.txt"
    sed -i -e 's/make_fuzz_seeds/before_make_seeds/g' -e 's/fuzz_seeds/before_fuzz_seeds/g' \
        -e 's/fuzz_\${name}/before_fuzz_${name}/g' -e 's/NAME fuzz_replay/NAME before:fuzz_replay/' \
        -e 's/fuzz_replay.\${name} PROPERTIES/before:&/' -e 's/(fuzz_style /(before_fuzz_style /' \
        "$ROOT/tests_before/fuzz/CMakeLists.txt"
    grep -q tests_before "$ROOT/CMakeLists.txt" ||
        printf 'if(QUORVEL_BUILD_TESTS)\n    add_subdirectory(tests_before)\nendif()\n' >> "$ROOT/CMakeLists.txt"
fi

SAVED=""
restore() {
    if [[ -n "$SAVED" ]]; then
        cp "$BUILD/mutant.orig" "$ROOT/$SAVED" && SAVED=""
    fi
}
trap 'restore; exit 130' INT TERM HUP
trap restore EXIT

if ((CHECK)); then
    bad=0
    for i in "${!ROWS_[@]}"; do
        row=${ROWS_[$i]}
        f=$(field "$row" 1)
        n=$(grep -cF -- "$(field "$row" 2)" "$ROOT/$f")
        [[ "$n" == 1 ]] || { echo "row $((i + 1)): $f matches $n lines"; bad=1; }
    done
    echo "${#ROWS_[@]} rows checked"
    exit $bad
fi

mkdir -p "$BUILD"
if [[ ! -f "$BUILD/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2 \
        -DQUORVEL_SANITIZE=OFF -DQUORVEL_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
        > "$BUILD/mutants-configure.log" 2>&1 || { echo "configure failed"; exit 1; }
fi
"${SLOT[@]}" cmake --build "$BUILD" > "$BUILD/mutants-build.log" 2>&1 || {
    echo "the unchanged tree does not build: see $BUILD/mutants-build.log"; exit 1; }

# A suite: the prefix of its test programs and the ctest folders of its tests.
SUITES=(now)
PREFIX[0]=test_ DIRS[0]="$BUILD/tests"
if [[ -n "$AGAINST" ]]; then
    SUITES+=(before)
    PREFIX[1]=before_ DIRS[1]="$BUILD/tests_before $BUILD/tests/help $BUILD/tests/render $BUILD/tests/tools"
fi

# The unchanged tree must pass; its timings name the slowest tests, left out below (they
# re-check what faster tests check). A test that fails unchanged, twice, is left out too and
# named, so that it cannot count a mutant as caught.
# MUTANTS_SLOW (a ctest regex) instead names the tests to leave out and skips this run.
for s in "${!SUITES[@]}"; do
    SKIP[$s]="" FAILING[$s]=""
    if [[ -n "${MUTANTS_SLOW:-}" ]]; then
        SKIP[$s]=$MUTANTS_SLOW
        continue
    fi
    for d in ${DIRS[$s]}; do
        [[ -d "$d" ]] || continue
        log=$BUILD/mutants-baseline-${SUITES[$s]}.log
        if ! "${SLOT[@]}" ctest --test-dir "$d" -j 2 --timeout 600 -LE gallery >> "$log" 2>&1 &&
            ! "${SLOT[@]}" ctest --test-dir "$d" --rerun-failed --timeout 600 >> "$log" 2>&1; then
            failed=$(sed 's/^[0-9]*://' "$d/Testing/Temporary/LastTestsFailed.log" | paste -sd '|')
            FAILING[$s]=${FAILING[$s]:+${FAILING[$s]}|}$failed
        fi
        cat "$d/Testing/Temporary/CTestCostData.txt" >> "$BUILD/cost-${SUITES[$s]}.txt"
    done
    slow=$(grep -v '^---' "$BUILD/cost-${SUITES[$s]}.txt" | awk 'NF == 3' | sort -k3 -g -r |
        head -n "$SKIP_SLOWEST" | awk '{ gsub(/[.[\]()*+?^$|]/, "\\\\&", $1); print "^" $1 "$" }' |
        paste -sd '|')
    rm -f "$BUILD/cost-${SUITES[$s]}.txt"
    echo "${SUITES[$s]}: left out as the slowest: $slow"
    [[ -n "${FAILING[$s]}" ]] && echo "${SUITES[$s]}: failing unchanged, left out: ${FAILING[$s]}"
    SKIP[$s]=$slow${FAILING[$s]:+|${FAILING[$s]}}
done

# Runs suite s against the build in hand: its program of layer $1 first, then the rest.
# Sets RESULT to caught, missed or no-build.
run_suite() {
    local s=$1 first=$2 log=$3 filter=${FAILING[$s]//|/:}
    filter=${filter//before:/}
    if ! (cd "$BUILD/bin" && timeout 600 "${SLOT[@]}" "./${PREFIX[$s]}$first" --gtest_fail_fast \
        --gtest_brief=1 --gtest_filter="-$filter" >> "$log" 2>&1); then
        RESULT=caught
        return
    fi
    if ((!FULL_BUILT)); then
        "${SLOT[@]}" cmake --build "$BUILD" >> "$log" 2>&1 || { RESULT=no-build; return; }
        FULL_BUILT=1
    fi
    for d in ${DIRS[$s]}; do
        [[ -d "$d" ]] || continue
        if ! "${SLOT[@]}" ctest --test-dir "$d" -j 2 --stop-on-failure --timeout 300 -LE gallery \
            -E "${SKIP[$s]:-^$}" >> "$log" 2>&1; then
            RESULT=caught
            return
        fi
    done
    RESULT=missed
}

# The rows in the order given (all of them by default).
order=(${MUTANTS_ROWS:-$(seq 1 ${#ROWS_[@]})})
declare -A count
printf '%-4s' row
for s in "${SUITES[@]}"; do printf ' %-8s' "$s"; done
printf ' change\n'
for n in "${order[@]}"; do
    i=$((n - 1))
    row=${ROWS_[$i]}
    f=$(field "$row" 1) from=$(field "$row" 2) to=$(field "$row" 3) first=$(field "$row" 4)
    cp "$ROOT/$f" "$BUILD/mutant.orig" && SAVED=$f
    if ! mutate "$ROOT/$f" "$from" "$to" 2> /dev/null; then
        restore
        printf '%-4s %s: %s: stale, matches no single line\n' $((i + 1)) "$f" "$from"
        continue
    fi
    started=$(date +%s)
    log=$BUILD/mutant-$((i + 1)).log
    targets=()
    for s in "${!SUITES[@]}"; do targets+=("${PREFIX[$s]}$first"); done
    FULL_BUILT=0
    results=()
    if ! "${SLOT[@]}" cmake --build "$BUILD" --target "${targets[@]}" > "$log" 2>&1; then
        for s in "${!SUITES[@]}"; do results+=(no-build); done
    else
        for s in "${!SUITES[@]}"; do
            run_suite "$s" "$first" "$log"
            results+=("$RESULT")
        done
    fi
    restore
    printf '%-4s' $((i + 1))
    for s in "${!SUITES[@]}"; do
        printf ' %-8s' "${results[$s]}"
        count[${SUITES[$s]}-${results[$s]}]=$((${count[${SUITES[$s]}-${results[$s]}]:-0} + 1))
    done
    printf ' %s: %s -> %s (%ss)\n' "$f" "$from" "$to" $(($(date +%s) - started))
done
"${SLOT[@]}" cmake --build "$BUILD" > "$BUILD/mutants-build.log" 2>&1
for s in "${SUITES[@]}"; do
    echo "$s: caught ${count[$s-caught]:-0}, missed ${count[$s-missed]:-0}, no-build ${count[$s-no-build]:-0}"
done
