#!/usr/bin/env bash
# Fails when a folder of src/ includes a folder it may not: a lower layer including a higher
# one, a core layer including Qt, or anyone outside a layer reaching into its detail/ folder.
# Usage: check_layers.sh SOURCE_ROOT
set -euo pipefail
root="${1:?usage: check_layers.sh SOURCE_ROOT}"
cd "$root"

# The arrows: each layer and the layers its files may include. Keep docs/architecture.md's
# picture equal to this table.
declare -A allowed=(
    [engine]=""
    [exact]=""
    [report]=""
    [platform]=""
    [simulate]="exact"
    [calc]="engine exact report platform simulate"
    [analysis]="calc"
    [qtsupport]="platform"
    [cli]="calc platform qtsupport report simulate"
    [ui]="analysis calc platform qtsupport report simulate"
)
# Inside ui, the role folders and the roles each may include: common under everything,
# the application on top.
declare -A uiAllowed=(
    [common]=""
    [dialogs]="common"
    [help]="common"
    [result]="common"
    [forms]="common dialogs help"
    [app]="common dialogs forms help result"
)
# The core builds with the standard library and Boost only.
core="engine exact report platform simulate calc analysis"

failures=0
fail() {
    echo "$1" >&2
    failures=$((failures + 1))
}

for dir in src/*/; do
    layer=$(basename "$dir")
    if [[ ! -v allowed[$layer] ]]; then
        fail "src/$layer: a layer missing from the table in $0; add it with its arrows"
    fi
done

while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    text=${rest#*:}
    layer=${file#src/}
    layer=${layer%%/*}
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]*)[">].*/\1/' <<<"$text")
    top=${target%%/*}
    if [[ $target == */* && -d src/$top && $top != "$layer" ]]; then
        if [[ " ${allowed[$layer]-} " != *" $top "* ]]; then
            fail "$file:$line: $layer may not include $top (\"$target\"); $layer may include: ${allowed[$layer]:-nothing}"
        elif [[ $target == */detail/* ]]; then
            fail "$file:$line: \"$target\" is internal to $top"
        fi
    fi
    if [[ $layer == ui && $target == ui/*/* ]]; then
        role=${file#src/ui/}
        role=${role%%/*}
        wanted=${target#ui/}
        wanted=${wanted%%/*}
        if [[ ! -v uiAllowed[$role] ]]; then
            fail "$file:$line: src/ui/$role is a role missing from the ui table in $0"
        elif [[ $wanted != "$role" && " ${uiAllowed[$role]} " != *" $wanted "* ]]; then
            fail "$file:$line: ui/$role may not include ui/$wanted (\"$target\"); ui/$role may include: ${uiAllowed[$role]:-nothing}"
        fi
    fi
    if [[ " $core " == *" $layer "* && $target =~ ^Q[A-Za-z]*(/|$) ]]; then
        fail "$file:$line: $layer is core code and may not include Qt (\"$target\")"
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' src --include='*.h' --include='*.cpp')

# Outside src/, a detail folder is seen only by its own layer's tests and the benchmarks.
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*["<]([^">]*)[">].*/\1/' <<<"${rest#*:}")
    owner=${target%%/*}
    case $file in
        tests/"$owner"/*) ;;
        *) fail "$file:$line: \"$target\" is internal to $owner" ;;
    esac
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][a-z-]+/detail/' \
             tests tools fuzz --include='*.h' --include='*.cpp' 2>/dev/null || true)

if ((failures > 0)); then
    echo "$failures include(s) break the layering" >&2
    exit 1
fi
echo "layering: every include follows the arrows"
