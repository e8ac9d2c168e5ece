# The machine-wide registry file the programs read, the graph viewer's key in it and the
# entry this package registers under that key.
registry='@SYSTEM_REGISTRY@'
key='@VIEWER_KEY@'
entry='@VIEWER_ENTRY@'

lower() {
    printf '%s\n' "$1" | tr '[:upper:]' '[:lower:]'
}

# Copies the registry from standard input to standard output without the viewer's section
# (its key line up to the next section; keys match whatever their case). With "ours", a
# section that registers another program is kept.
without_viewer() {
    only_ours=$1
    lower_key=$(lower "$key")
    held=
    holding=no
    while IFS= read -r line || [ -n "$line" ]; do
        case $line in
        \[*)
            release_section
            if [ "$(lower "$line")" = "$lower_key" ]; then
                holding=yes
                held=$line
                continue
            fi
            ;;
        esac
        if [ $holding = yes ]; then
            held="$held
$line"
        else
            printf '%s\n' "$line"
        fi
    done
    release_section
}

release_section() {
    if [ $holding = yes ] && [ "$only_ours" = ours ] &&
        ! printf '%s\n' "$held" | grep -qxF -- "$entry"; then
        printf '%s\n' "$held"
    fi
    holding=no
    held=
}
