#!/usr/bin/env bash
# Checks that the release is reproducible: clones the commit the work tree is at into
# a fresh folder, makes the release files there with the clone's own Makefile and
# build folders (make dist-files), and compares every file it leaves in its dist/
# byte for byte with the one in this tree's dist/. The second build runs in another
# folder, in another time zone and with another umask, so that a build path, a local
# time or a file mode that reaches the release shows up as a difference.
# It checks committed state: with uncommitted changes to tracked files the release in
# dist/ is not of the commit, so the check is skipped, and says so.
#   scripts/check-dist.sh dist build/dist-check
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dist=$1
work=$2

fail() {
    echo "dist-check: $*" >&2
    exit 1
}

skip() {
    echo "dist-check: SKIPPED, the release was not built a second time: $*" >&2
    exit 0
}

git -C "$repo" rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    skip "not a git clone, so there is no commit to build again"
commit=$(git -C "$repo" rev-parse HEAD)
[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
    skip "the work tree has uncommitted changes, and a clone of ${commit:0:12} would not" \
         "have them; commit, then make dist again"
[ -f "$dist/SHA256SUMS" ] || fail "no $dist/SHA256SUMS to compare"

clone="$work/Pipwick"
log="$work/make-dist.log"
rm -rf "$work"
mkdir -p "$work"
git clone -q --no-checkout "$repo" "$clone" || fail "cannot clone $repo"
git -C "$clone" checkout -q --detach "$commit" ||
    fail "the clone has no commit ${commit:0:12}: is it on a branch?"

# The clone runs Wine in this tree's prefix, so that it need not make one of its own.
. "$repo/scripts/wine-env.sh"
echo "dist-check: making the release of ${commit:0:12} again in $clone"
if ! (cd "$clone" &&
        umask 077 &&
        export TZ='<+14>-14' &&
        env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make dist-files) >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    fail "the second build failed; its output is in $log"
fi
[ -f "$clone/dist/SHA256SUMS" ] || fail "the second build left no SHA256SUMS; see $log"

differ=()
for file in "$clone/dist"/*; do
    name=$(basename "$file")
    cmp -s "$file" "$dist/$name" || differ+=("$name")
done
if [ ${#differ[@]} -gt 0 ]; then
    diff "$dist/SHA256SUMS" "$clone/dist/SHA256SUMS" >&2 || true
    fail "NOT REPRODUCIBLE: ${differ[*]} in $dist differ from the second build's," \
         "kept in $clone/dist"
fi
echo "dist-check: a second build of ${commit:0:12} gave the same bytes:" \
     "$(cd "$clone/dist" && ls | tr '\n' ' ')"
cat "$dist/SHA256SUMS"
rm -rf "$work"
