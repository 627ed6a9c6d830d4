# Sourced by the set-up scripts: an `apt-get update` that survives an archive caught
# in the middle of a sync. Then one index (seen: the security archive's i386 list)
# has an unexpected size for a while, apt-get update fails on it, and without that
# list the amd64 packages would come from the security archive and the i386 ones
# from the release: Wine's multi-arch dependencies, which must have one version in
# both architectures, cannot be resolved. Installing with the release's own
# versions (`-t CODENAME`) gives both architectures the same ones.
#
#   apt_update             tries up to three times, a little apart
#   "${apt_release[@]}"    empty, or `-t CODENAME` when an index stayed unavailable

apt_release=()
apt_retry_seconds=${PIPWICK_APT_RETRY_SECONDS:-15}

# The indexes a run of apt-get update could not fetch, one URL a line.
apt_failed_indexes() {
    sed -n -E 's/^[EW]: Failed to fetch ([^ ]+).*/\1/p' "$1" | sort -u
}

apt_update() {
    local log attempt failed=""
    log=$(mktemp)
    for attempt in 1 2 3; do
        if apt-get update -q >"$log" 2>&1; then
            failed=$(apt_failed_indexes "$log")
            [ -z "$failed" ] && { rm -f "$log"; return 0; }
        else
            failed=$(apt_failed_indexes "$log")
        fi
        # Under set -e and pipefail a log without such lines must not end the set-up.
        grep -E '^(E|W):' "$log" | sed 's/^/setup: apt-get update: /' >&2 || true
        if [ "$attempt" -lt 3 ]; then
            echo "setup: apt-get update failed (try $attempt of 3); trying again in ${apt_retry_seconds} s" >&2
            sleep "$apt_retry_seconds"
        fi
    done
    rm -f "$log"

    local codename
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ -z "$codename" ]; then
        echo "setup: apt-get update failed three times, and /etc/os-release names no release" >&2
        return 1
    fi
    if [ -n "$failed" ]; then
        echo "setup: these indexes stayed unavailable (the archive may be mid-sync):" >&2
        sed 's/^/setup:   /' <<<"$failed" >&2
    else
        echo "setup: apt-get update failed three times without naming an index" >&2
    fi
    echo "setup: installing with the release's own versions for both architectures (apt-get install -t $codename)" >&2
    apt_release=(-t "$codename")
    return 0
}
