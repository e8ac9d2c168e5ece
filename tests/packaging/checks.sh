# shellcheck shell=bash
# What the packaging test scripts share: a throw-away folder $work, removed on exit, and a
# count of failed checks that `finish` turns into the exit status.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

finish() { # MESSAGE: printed when every check passed
    if ((failures > 0)); then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "$1"
}
