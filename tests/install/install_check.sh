#!/usr/bin/env bash
# install_check.sh installed|portable BUILD_DIR WINDOW_TESTS|-
#   installed: installs BUILD_DIR into a temporary prefix, makes it read only and, as an
#     ordinary user (nobody when run as root) with an empty home and no XDG_DATA_HOME, runs
#     quorvel-cli from the prefix twice and the window's first-start test; checks the
#     person's folder and that nothing under the prefix changed.
#   portable: quorvel-cli of the build tree with an empty home leaves the home untouched.
set -euo pipefail
mode=$1 build=$2 window_tests=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
home=$work/home
mkdir "$home"
fail() { echo "FAIL: $*" >&2; exit 1; }

as=()
if [[ $mode == installed && $(id -u) -eq 0 ]]; then
    chown nobody "$home"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
# A clean environment: no XDG_DATA_HOME, the sanitizers' settings kept.
run() {
    env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen \
        ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} ${UBSAN_OPTIONS:+UBSAN_OPTIONS=$UBSAN_OPTIONS} \
        "$@"
}
start="W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12"
# quorvel-cli search from the start position; its standard error must name no missing file.
search() {
    run "${as[@]}" "$1" search "$start" --depth 4 >"$work/out" 2>"$work/err" ||
        fail "$1 search: status $?: $(cat "$work/err")"
    grep -q "bestmove\|best" "$work/out" || fail "$1 search printed no move: $(cat "$work/out")"
    ! grep -qi "missing\|cannot\|impossible" "$work/err" || fail "$1 search: $(cat "$work/err")"
}

if [[ $mode == portable ]]; then
    search "$build/bin/quorvel-cli"
    [[ -z $(ls -A "$home") ]] || fail "the build tree's programs wrote into the home: $(ls -A "$home")"
    exit 0
fi

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
data=$prefix/share/games/quorvel
for f in games/quorvel-cli share/games/quorvel/hashkey33.dat share/games/quorvel/Parametres/defaut.par; do
    [[ -e $prefix/$f ]] || fail "not installed: $f"
done
extra=$(find "$prefix/games" -type f ! -name quorvel ! -name quorvel-cli)
[[ -z $extra ]] || fail "installed beside the programs: $extra"
chmod -R a+rX,a-w "$prefix"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(listing)

# First start: the person's folder, private, with the four defaults.
search "$prefix/games/quorvel-cli"
user=$home/.local/share/quorvel
[[ $(stat -c %a "$user") == 700 ]] || fail "person's folder mode $(stat -c %a "$user")"
for f in joueurs.dat points.dat ouvert_b.ouv ouvert_n.ouv; do
    cmp -s "$user/$f" "$data/$f" || fail "$f not copied into the person's folder"
done
# Second start: an edited copy stays as it is.
printf 'Quorvel\r\nAnna\r\n' >"$user/joueurs.dat"
search "$prefix/games/quorvel-cli"
[[ $(cat "$user/joueurs.dat") == $'Quorvel\r\nAnna\r' ]] || fail "the edited joueurs.dat was replaced"

# The window: starts on the installed data, plays, "Quitter" writes last32.dam.
if [[ $window_tests != - ]]; then
    run QUORVEL_INSTALLED_DATA="$data" "${as[@]}" "$window_tests" \
        --gtest_filter='InstalledTree.*' >"$work/window" 2>&1 || fail "window: $(cat "$work/window")"
    grep -q "PASSED.*1 test" "$work/window" && ! grep -q SKIPPED "$work/window" ||
        fail "window test did not run: $(cat "$work/window")"
    [[ $(stat -c %s "$user/last32.dam") == 22442 ]] || fail "no last32.dam in the person's folder"
fi

[[ $(listing) == "$before" ]] || fail "the prefix changed: $(diff <(echo "$before") <(listing))"
echo "installed, read only, as $(run "${as[@]}" id -un): person's folder $user"
