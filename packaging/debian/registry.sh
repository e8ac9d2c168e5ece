# The machine-wide registry file the programs read, the graph viewer's key in it and the
# entry this package registers under that key.
registry='@SYSTEM_REGISTRY@'
key='@VIEWER_KEY@'
entry='@VIEWER_ENTRY@'

# The editor of the registry: copies it from standard input to standard output with the
# package's entry added (REGISTRY_MODE=add) or taken out (remove), and every other line as
# it was. The key's sections are found whatever the case of the key, blanks around the
# header and CR line ends. "add" also drops an earlier registration of this viewer from
# another folder, and puts the entry after the section's last value, so that it holds over
# another program's registration, which stays and holds again once the entry goes; it
# writes a new section at the end when there is none. "remove" takes out this exact entry
# and the header of a section that has no value left. New lines end like the file's first
# line. REGISTRY_OPEN_END=1: the input's last line has no line end (and keeps none).
# shellcheck disable=SC2016 # an awk program, expanded by awk
registry_editor='
function bare(text) {
    sub(/\r$/, "", text)
    gsub(/^[ \t]+|[ \t]+$/, "", text)
    return text
}
BEGIN {
    key = tolower(ENVIRON["REGISTRY_KEY"])
    entry = ENVIRON["REGISTRY_ENTRY"]
    adding = ENVIRON["REGISTRY_MODE"] == "add"
}
{ line[NR] = $0 }
END {
    count = NR
    cr = (count > 0 && line[1] ~ /\r$/) ? "\r" : ""
    ours = 0
    section = 0
    after = 0
    for (i = 1; i <= count; i++) {
        text = bare(line[i])
        if (substr(text, 1, 1) == "[") {
            section = i
            ours = tolower(text) == key
            if (ours)
                after = i
            continue
        }
        if (!ours || text == "" || text ~ /^[;#]/)
            continue
        if (text == entry || (adding && text ~ /^@="[^"]*\/zentrima-graph" "%1"$/)) {
            drop[i] = 1
            emptied[section] = 1
        } else {
            values[section] = 1
            after = i
        }
    }
    for (i = 1; i <= count; i++) {
        if (!adding && emptied[i] && !values[i])
            drop[i] = 1
        open = i == count && ENVIRON["REGISTRY_OPEN_END"] == "1"
        if (adding && (after == 0 || after == count))
            open = 0
        if (!drop[i])
            printf "%s%s", line[i], (open ? "" : "\n")
        if (adding && i == after)
            printf "%s%s\n", entry, cr
    }
    if (adding && after == 0)
        printf "%s%s\n%s%s\n", ENVIRON["REGISTRY_KEY"], cr, entry, cr
}
'

# Runs the editor over the registry in MODE (add or remove). A link stays a link: its
# target is edited. The new text is written beside the file with the file's mode and owner
# and renamed over it. With "remove", a plain file left without content goes, and its
# folder too when that is empty.
edit_registry() { # MODE
    target=$registry
    if [ -L "$registry" ]; then
        target=$(readlink -m -- "$registry")
    fi
    if [ "$1" = remove ] && [ ! -f "$target" ]; then
        return 0
    fi
    mkdir -p "$(dirname "$target")"
    new=$(mktemp "$target.XXXXXX")
    open_end=0
    if [ -s "$target" ] && [ -n "$(tail -c 1 "$target")" ]; then
        open_end=1
    fi
    if [ -f "$target" ]; then
        REGISTRY_MODE=$1 REGISTRY_KEY=$key REGISTRY_ENTRY=$entry REGISTRY_OPEN_END=$open_end \
            awk "$registry_editor" <"$target" >"$new"
        chmod --reference="$target" "$new"
        chown --reference="$target" "$new" || true
    else
        printf '' | REGISTRY_MODE=$1 REGISTRY_KEY=$key REGISTRY_ENTRY=$entry \
            awk "$registry_editor" >"$new"
        chmod 644 "$new"
    fi
    if [ -f "$target" ] && cmp -s "$new" "$target"; then
        rm -f "$new"
    elif [ "$1" = remove ] && [ "$target" = "$registry" ] && ! grep -q '[^[:space:]]' "$new"; then
        rm -f "$new" "$target"
        rmdir --ignore-fail-on-non-empty "$(dirname "$target")" || true
    else
        mv -f "$new" "$target"
    fi
}
