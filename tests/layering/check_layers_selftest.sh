#!/usr/bin/env bash
# Runs check_layers.sh on small made-up trees: a tree that follows the arrows must pass, and
# each kind of forbidden include must fail with its own message, so that a check which
# passes everything cannot go unnoticed.
# Usage: check_layers_selftest.sh CHECK_SCRIPT
set -uo pipefail
check="${1:?usage: check_layers_selftest.sh CHECK_SCRIPT}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A tree with every layer of the table and a few lawful includes.
make_tree() {
    local tree=$1
    for layer in engine exact report platform calc analysis qtsupport cli ui/common ui/app \
                 ui/forms ui/dialogs ui/result ui/help engine/detail; do
        mkdir -p "$tree/src/$layer"
    done
    echo '#include "engine/detail/Series.h"' >"$tree/src/engine/Gamma.cpp"
    echo '#include "engine/Gamma.h"' >"$tree/src/calc/CCalc.cpp"
    printf '#include "ui/common/CommandIds.h"\n#include <QWidget>\n' >"$tree/src/ui/forms/CForm.cpp"
    echo '#include "ui/forms/CForm.h"' >"$tree/src/ui/app/CApp.cpp"
}

failures=0
# expect NAME FILE INCLUDE MESSAGE: adds the include to a fresh tree; MESSAGE empty means
# the tree must pass, otherwise the check must fail and print MESSAGE.
expect() {
    local name=$1 file=$2 include=$3 message=$4
    local tree="$work/$name"
    make_tree "$tree"
    [[ -n $include ]] && echo "#include $include" >>"$tree/src/$file"
    local output status
    output=$(bash "$check" "$tree" 2>&1)
    status=$?
    if [[ -z $message ]]; then
        if ((status != 0)); then
            echo "FAIL $name: a lawful tree was refused: $output" >&2
            failures=$((failures + 1))
        fi
    elif ((status == 0)) || [[ $output != *"$message"* ]]; then
        echo "FAIL $name: wanted a refusal with \"$message\", got status $status: $output" >&2
        failures=$((failures + 1))
    fi
}

expect lawful calc/CCalc.cpp '' ''
expect upward calc/CCalc.cpp '"ui/app/CApp.h"' 'calc may not include ui ("ui/app/CApp.h")'
expect qtInCore engine/Gamma.cpp '<QString>' 'engine is core code and may not include Qt'
expect detail calc/CCalc.cpp '"engine/detail/Series.h"' '"engine/detail/Series.h" is internal to engine'
expect uiUpward ui/common/CommandIds.h '"ui/app/CApp.h"' 'ui/common may not include ui/app'
expect uiSideways ui/dialogs/CDialog.cpp '"ui/forms/CForm.h"' 'ui/dialogs may not include ui/forms'

if ((failures > 0)); then
    echo "$failures layering self-test case(s) failed" >&2
    exit 1
fi
echo "layering self-test: the check refuses each kind of forbidden include"
