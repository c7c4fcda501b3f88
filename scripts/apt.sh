# Sourced by the scripts that fetch Debian packages: apt-get that rides out a mirror's
# bad moment. A mirror caught in the middle of a sync serves an index of the wrong size
# for hours at a time ("Mirror sync in progress?"), often one nobody here needs; apt-get
# then fails the whole update. Downloads are retried with a pause; an index that still
# fails is told in one line and left out, and only a package that cannot be had stops
# the run, by name. QUILLON_APT_ATTEMPTS and QUILLON_APT_PAUSE (seconds) set the retries.
apt_attempts=${QUILLON_APT_ATTEMPTS:-3}
apt_pause=${QUILLON_APT_PAUSE:-10}
apt_failed_indexes=

# apt_update: apt-get update, retried; fails only when no index at all could be read.
apt_update() {
    local attempt errors
    errors=$(mktemp)
    apt_failed_indexes=
    for ((attempt = 1; attempt <= apt_attempts; attempt++)); do
        if apt-get update -qq 2>"$errors"; then
            rm -f "$errors"
            return 0
        fi
        [ "$attempt" -lt "$apt_attempts" ] && sleep "$apt_pause"
    done
    apt_failed_indexes=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$errors" | sort -u)
    if [ -z "$apt_failed_indexes" ]; then
        cat "$errors" >&2
        rm -f "$errors"
        return 1
    fi
    rm -f "$errors"
    # Whether they were needed is known once the packages have been resolved.
    return 0
}

# apt_install ARGS... PACKAGES: apt-get install, a failed download retried; afterwards the
# indexes the update could not fetch are named as not needed. When it fails, the
# packages that cannot be had are named.
apt_install() {
    local attempt errors index missing
    errors=$(mktemp)
    for ((attempt = 1; attempt <= apt_attempts; attempt++)); do
        if apt-get install -y -qq "$@" >/dev/null 2>"$errors"; then
            for index in $apt_failed_indexes; do
                echo "apt: the index $index could not be fetched (the mirror may be in the" \
                    "middle of a sync); it was not needed."
            done
            rm -f "$errors"
            return 0
        fi
        # A package the indexes do not hold will not appear by waiting.
        grep -q '^E: Failed to fetch' "$errors" || break
        [ "$attempt" -lt "$apt_attempts" ] && sleep "$apt_pause"
    done
    missing=$(sed -n -e "s/^E: Unable to locate package \(.*\)/\1/p" \
        -e "s/^E: Package '\([^']*\)' has no installation candidate/\1/p" \
        -e "s/.*Depends: \([^ ]*\).* but it is not \(installable\|going to be installed\).*/\1/p" \
        -e "s/^E: Failed to fetch .*\/\([^/_]*\)_[^ ]*\.deb .*/\1/p" "$errors" | sort -u | xargs)
    cat "$errors" >&2
    rm -f "$errors"
    if [ -n "$apt_failed_indexes" ]; then
        echo "apt: these indexes could not be fetched (the mirror may be in the middle of a" \
            "sync): $(echo $apt_failed_indexes)" >&2
    fi
    [ -z "$missing" ] && missing=$(printf '%s\n' "$@" | grep -v '^-' | xargs)
    echo "apt: cannot get: $missing" >&2
    return 1
}
