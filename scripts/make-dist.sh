#!/usr/bin/env bash
# Makes the release packages, inside a Wine session:
#   dist/Pipwick-<version>-win32.zip and dist/Pipwick-<version>-win64.zip, each with
#   Pipwick.dll, the user's guide, a sample Pipwick.rc as a first start writes it and
#   the licence; dist/SHA256SUMS with the sums of both zips and of the DLL in each;
#   and beside them the 32-bit Pipwick.dll, the stand-in norvane.exe and a sample
#   style.
# The zips are the same bytes wherever and whenever a commit is packaged: fixed entry
# order, modes and times (scripts/zip-files.py), each entry stamped with the commit's
# time, or with SOURCE_DATE_EPOCH where that is set.
# The sample settings file comes from the DLL itself: each build's clock is started
# once in the stand-in host in an empty folder, and the file it writes is checked
# byte for byte against the first-start text the tests hold.
#   scripts/make-dist.sh build/win32 build/win64 build dist
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=$1
win64=$2
build=$3
dist=$4

fail() {
    echo "dist: $*" >&2
    exit 1
}

# The version the DLL reports: the second of pluginInfo's texts.
version=$(sed -n '/kInfoTexts\[\] = {/,/};/p' "$repo/plugin/plugin_info.cpp" |
          sed -nE 's/^[[:space:]]*"([0-9][0-9.]*)",$/\1/p' | head -n 1)
project_version=$(sed -nE 's/^project\(Pipwick VERSION ([0-9.]+) .*/\1/p' "$repo/CMakeLists.txt")
[ -n "$version" ] || fail "no version found in plugin/plugin_info.cpp"
[ "$version" = "$project_version" ] ||
    fail "pluginInfo says $version, CMakeLists.txt says $project_version"

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    zip_time=$SOURCE_DATE_EPOCH
else
    zip_time=$(git -C "$repo" log -1 --format=%ct 2>/dev/null) ||
        fail "not a git clone: set SOURCE_DATE_EPOCH to the time the zip entries get"
fi
[[ "$zip_time" =~ ^[0-9]+$ ]] || fail "the time for the zip entries is not a number: $zip_time"

expected_settings=$(mktemp)
trap 'rm -f "$expected_settings"' EXIT
sed -nE 's/^[[:space:]]+"(.*)";?$/\1/p' "$repo/tests/common/first_run_settings.h" |
    tr -d '\n' | xargs -0 printf '%b' >"$expected_settings"
[ "$(wc -c <"$expected_settings")" -eq 504 ] || fail "the first-start text is not 504 bytes"

# Starts the clock of one build once in an empty folder; leaves the file it wrote.
first_start_settings() {
    local build_dir=$1 folder=$2
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$build_dir/Pipwick.dll" "$build_dir/norvane/norvane.exe" "$repo/norvane/sample.style" \
        "$folder/"
    (cd "$folder" &&
        "$repo/scripts/wine-run.sh" norvane.exe --plugin Pipwick.dll --style sample.style \
            --seconds 0 >/dev/null) || fail "the clock in $build_dir did not start"
    [ -f "$folder/Pipwick.rc" ] || fail "the clock in $build_dir wrote no Pipwick.rc"
    cmp -s "$folder/Pipwick.rc" "$expected_settings" ||
        fail "the first start of $build_dir wrote a Pipwick.rc unlike the first-start text"
}

# One zip: the DLL, the guide, the sample settings and the licence.
package() {
    local build_dir=$1 platform=$2 machine=$3
    local stage="$build/dist-stage/$platform"
    "$repo/scripts/check-dll.sh" $machine "$build_dir/Pipwick.dll" >/dev/null ||
        fail "$build_dir/Pipwick.dll fails its binary check"
    first_start_settings "$build_dir" "$build/dist-first-start/$platform"
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$build_dir/Pipwick.dll" "$build/dist-first-start/$platform/Pipwick.rc" "$stage/"
    cp "$repo/docs/Pipwick-guide.md" "$repo/LICENSE" "$stage/"
    local zip
    zip="$(cd "$dist" && pwd)/Pipwick-$version-$platform.zip"
    rm -f "$zip"
    (cd "$stage" &&
        python3 "$repo/scripts/zip-files.py" "$zip" "$zip_time" \
            Pipwick.dll Pipwick-guide.md Pipwick.rc LICENSE)
    echo "dist: $(basename "$zip"): $(cmake -E tar tf "$zip" | tr '\n' ' ')"
}

# SHA256SUMS, for sha256sum -c: the zips, and the DLL of each as a user who unpacks
# it into a folder named like it finds it. The DLLs are taken from the zips, and
# every unpacked file must equal the one that went in.
write_sums() {
    local unpacked="$build/dist-unpacked" dist_dir platform folder name
    dist_dir=$(cd "$dist" && pwd)
    rm -rf "$unpacked"
    mkdir -p "$unpacked"
    for platform in win32 win64; do
        folder="Pipwick-$version-$platform"
        mkdir "$unpacked/$folder"
        (cd "$unpacked/$folder" && cmake -E tar xf "$dist_dir/$folder.zip") ||
            fail "$folder.zip does not unpack"
        for name in Pipwick.dll Pipwick-guide.md Pipwick.rc LICENSE; do
            cmp -s "$unpacked/$folder/$name" "$build/dist-stage/$platform/$name" ||
                fail "$name unpacked from $folder.zip is not the file that went in"
        done
        cp "$dist_dir/$folder.zip" "$unpacked/"
    done
    (cd "$unpacked" &&
        sha256sum "Pipwick-$version-win32.zip" "Pipwick-$version-win64.zip" \
            "Pipwick-$version-win32/Pipwick.dll" "Pipwick-$version-win64/Pipwick.dll") \
        >"$dist/SHA256SUMS"
}

mkdir -p "$dist"
package "$win32" win32 ""
package "$win64" win64 --x86-64
write_sums
cp "$win32/Pipwick.dll" "$win32/norvane/norvane.exe" "$repo/norvane/sample.style" "$dist/"
echo "dist: $(ls "$dist" | tr '\n' ' ')"
