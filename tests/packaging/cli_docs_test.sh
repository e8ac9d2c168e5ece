#!/usr/bin/env bash
# Checks that the manual pages and the bash completion say what the programs say:
#  - zentrima-cli: the options of --help and of the manual page are the same, and so are
#    the designs with their inputs; the completion offers each design's inputs and the
#    common options, and the effects --tabulate takes;
#  - zentrima-graph and zentrima: the options of --help and of the manual page are the same;
#    the desktop program answers --help and --version without a display.
# Usage: cli_docs_test.sh ZENTRIMA_CLI ZENTRIMA_GRAPH PACKAGING_SOURCE_FOLDER ZENTRIMA
set -euo pipefail
cli="$1"
graph="$2"
packaging="$3"
desktop="$4"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# The long option names of a --help text's option list, one a line, sorted.
help_options() {
    sed -n '/^Options:/,/^Arguments:/p' | sed -n 's/^  \(-[a-z], \)\{0,1\}--\([a-z0-9-]*\).*/\2/p' | sort -u
}
# The long option names a manual page's OPTIONS section describes (the tag lines under .TP).
man_options() {
    sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$1" | sed -n '/^\.TP/{n;p}' |
        sed 's/\\-/-/g' | grep -o -- '--[a-z0-9-]*' | sed 's/^--//' | sort -u
}
# The lines of a set that the other lacks, for a message.
compare_sets() { # NAME FIRST SECOND
    local missing extra
    missing="$(comm -23 <(printf '%s\n' "$2") <(printf '%s\n' "$3") | tr '\n' ' ')"
    extra="$(comm -13 <(printf '%s\n' "$2") <(printf '%s\n' "$3") | tr '\n' ' ')"
    [[ -z "$missing$extra" ]] || fail "$1: only in the first: [$missing] only in the second: [$extra]"
}

cli_help="$("$cli" --help)"
graph_help="$(QT_QPA_PLATFORM=offscreen "$graph" --help)"

# zentrima-cli: options of --help against the manual page.
program_options="$(help_options <<<"$cli_help")"
[[ "$(wc -l <<<"$program_options")" -ge 30 ]] || fail "--help lists only: $program_options"
compare_sets "zentrima-cli --help against zentrima-cli.1" \
    "$program_options" "$(man_options "$packaging/man/zentrima-cli.1")"

# The designs and their inputs, line by line.
help_designs="$(sed -n '/^Designs and their inputs/,/^$/p' <<<"$cli_help" | sed -n 's/^  \(.*\)$/\1/p' | sort)"
[[ "$(wc -l <<<"$help_designs")" -eq 12 ]] || fail "--help lists these designs: $help_designs"
man_designs="$(sed -n '/^\.SH DESIGNS AND THEIR INPUTS/,/^\.SH /p' "$packaging/man/zentrima-cli.1" |
    grep -E '^(sample|power) ' | sed 's/\\-/-/g' | sort)"
compare_sets "designs of --help against zentrima-cli.1" "$help_designs" "$man_designs"

# The completion, asked as bash asks it.
# shellcheck source=/dev/null
source "$packaging/completion/zentrima-cli"
complete_words() { # WORDS...: the completions of the last word
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _zentrima_cli
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort
}
compare_sets "goals" $'power\nsample' "$(complete_words zentrima-cli '')"
compare_sets "designs" "$(sed 's/: .*//; s/^[a-z]* //' <<<"$help_designs" | sort -u)" \
    "$(complete_words zentrima-cli sample '')"
compare_sets "sample pr<Tab>" proportions "$(complete_words zentrima-cli sample pr)"

# Common options: every option of --help that is not an input of a design, nor help or
# version; --ns belongs to the sample size goal only.
all_inputs="$(sed 's/^[^:]*: //' <<<"$help_designs" | grep -o -- '--[a-z0-9-]*' | sed 's/^--//' | sort -u)"
common="$(comm -23 <(printf '%s\n' "$program_options") <(printf '%s\n%s\n' "$all_inputs" $'help\nhelp-all\nversion' | sort -u))"
while IFS= read -r line; do
    design="${line%%:*}"
    inputs="$(sed 's/^[^:]*: //' <<<"$line" | grep -o -- '--[a-z0-9-]*' | sed 's/^--//')"
    expected="$(printf '%s\n%s\n' "$inputs" "$common" | sort -u)"
    [[ "$design" == power\ * ]] && expected="$(grep -vx ns <<<"$expected")"
    # shellcheck disable=SC2086
    offered="$(complete_words zentrima-cli $design -- | sed 's/^--//')"
    compare_sets "options of $design against its completion" "$expected" "$offered"
    effects="$({ grep -o -- '--tabulate [a-z|-]*' <<<"$line" || true; } | sed 's/^--tabulate //' | tr '|' '\n' | sort)"
    # shellcheck disable=SC2086
    compare_sets "effects of $design against its completion" "$effects" \
        "$(complete_words zentrima-cli $design --tabulate '')"
done <<<"$help_designs"

# zentrima-graph: options of --help against the manual page.
compare_sets "zentrima-graph --help against zentrima-graph.1" \
    "$(help_options <<<"$graph_help")" "$(man_options "$packaging/man/zentrima-graph.1")"

# zentrima: options of --help, asked with no display at all, against the manual page.
desktop_help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$desktop" --help)" ||
    fail "zentrima --help did not answer by itself"
compare_sets "zentrima --help against zentrima.1" \
    "$(help_options <<<"$desktop_help")" "$(man_options "$packaging/man/zentrima.1")"

# The manual pages render without a warning.
for page in "$packaging"/man/*.1; do
    warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
    [[ -z "$warnings" ]] || fail "$page: $warnings"
done

finish "manual pages and completion match the programs"
