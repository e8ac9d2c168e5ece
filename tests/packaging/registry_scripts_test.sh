#!/usr/bin/env bash
# Runs the Debian maintainer scripts of this build against copies of registry files in a
# throw-away folder: postinst adds this package's graph-viewer entry and prerm takes it out,
# and neither touches any other byte of the shared file, whatever else it holds; a linked
# registry stays a link and the file keeps its mode.
# Usage: registry_scripts_test.sh POSTINST PRERM
set -euo pipefail
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

registry="$work/etc/machine.ini"
for script in postinst prerm; do
    source_script=$1
    shift
    sed "s|^registry=.*|registry='$registry'|" "$source_script" >"$work/$script"
done

K='[SOFTWARE\Classes\Vorla4.Document\shell\open\command]'
E='@="/usr/lib/zentrima/zentrima-graph" "%1"'
OTHER='@="/opt/other/viewer" "%1"'
GONE='<no file>'

# One row a case: name, the scripts to run in turn, the registry before and after them
# (GONE: no file).
rows=(
    "indentedHeaderAfterOursStays|prerm|$K
$E
  [SOFTWARE\\Other]
name=kept
|  [SOFTWARE\\Other]
name=kept
"
    "commentsAndBlankLinesAfterOurSectionStay|prerm|$K
$E

; the next one is mine
[SOFTWARE\\Next]
a=1
|
; the next one is mine
[SOFTWARE\\Next]
a=1
"
    "otherKeysInOurSectionStayOnRemoval|prerm|$K
$E
Name=kept
|$K
Name=kept
"
    "otherKeysInOurSectionStayOnInstall|postinst|$K
Name=kept
|$K
Name=kept
$E
"
    "anotherProgramsRegistrationStaysAndHoldsAgainAfterRemoval|postinst prerm|$K
$OTHER
|$K
$OTHER
"
    "anotherProgramsRegistrationIsOverriddenWhileInstalled|postinst|$K
$OTHER
|$K
$OTHER
$E
"
    "crLfCopyOfOurEntryIsNotDuplicated|postinst|$K"$'\r'"
$E"$'\r'"
|$K"$'\r'"
$E"$'\r'"
"
    "crLfCopyOfOurEntryIsRemoved|prerm|$K"$'\r'"
$E"$'\r'"
|$GONE"
    "headerWithTrailingSpaceIsOurs|postinst prerm|; mine
$K 
$E
|; mine
"
    "anEarlierPlaceOfTheViewerIsReplacedInPlace|postinst|[A]
a=1
$K
@=\"/old/zentrima-graph\" \"%1\"
[B]
b=2|[A]
a=1
$K
$E
[B]
b=2"
)

# Writes TEXT into FILE exactly.
put() { # FILE TEXT
    mkdir -p "$(dirname "$1")"
    printf '%s' "$2" >"$1"
}

for row in "${rows[@]}"; do
    name=${row%%|*}
    rest=${row#*|}
    scripts=${rest%%|*}
    rest=${rest#*|}
    before=${rest%%|*}
    after=${rest#*|}
    rm -rf "${work:?}/etc"
    put "$registry" "$before"
    for script in $scripts; do
        sh "$work/$script" "$([[ $script == postinst ]] && echo configure || echo remove)" ||
            fail "$name: $script exited with $?"
    done
    if [[ $after == "$GONE" ]]; then
        [[ ! -e $registry ]] || fail "$name: the file is left: $(od -c "$registry")"
    else
        put "$work/expected" "$after"
        cmp -s "$work/expected" "$registry" ||
            fail "$name: got $(od -c "$registry" | head -20)"
    fi
done

# A linked registry stays a link; its target gets the entry and loses it again. The file
# keeps its mode either way.
for kind in link file; do
    for mode in 600 640; do
        label="$kind, mode $mode"
        rm -rf "${work:?}/etc" "${work:?}/real"
        real="$registry"
        if [[ $kind == link ]]; then
            real="$work/real/machine.ini"
            mkdir -p "$work/etc"
            ln -s ../real/machine.ini "$registry"
        fi
        put "$real" "[SOFTWARE\\Other]
a=1
"
        chmod "$mode" "$real"
        for script in postinst prerm; do
            sh "$work/$script" "$([[ $script == postinst ]] && echo configure || echo remove)"
            [[ $kind == file || -L $registry ]] || fail "$label: $script replaced the link by a file"
            [[ $(stat -c %a "$real") == "$mode" ]] ||
                fail "$label: $script made the mode $(stat -c %a "$real")"
        done
        [[ $(cat "$real") == "[SOFTWARE\\Other]
a=1" ]] || fail "$label: postinst and prerm left $(cat "$real")"
    done
done

finish "registry script checks passed"
