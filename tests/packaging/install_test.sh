#!/usr/bin/env bash
# Installs the build twice into throw-away folders and checks that the installed parts
# find each other:
#  - under a home folder (a per-user install): the registration goes into the user's
#    configuration and the launchers point the programs to it;
#  - to /usr/local staged with DESTDIR (a machine-wide install): the registration goes
#    into the system file, other entries of that file stay, and a second install does
#    not register the viewer twice.
# Usage: install_test.sh CMAKE BUILD_FOLDER
set -euo pipefail
cmake="$1"
build="$2"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"
expect_file() {
    [[ -f "$1" ]] || fail "missing file $1"
}
expect_executable() {
    [[ -x "$1" ]] || fail "not executable: $1"
}
expect_text() { # FILE TEXT: the file holds TEXT as a whole line
    grep -qxF -- "$2" "$1" || fail "$1 has no line '$2'"
}
key='[SOFTWARE\Classes\Vorla4.Document\shell\open\command]'

check_program_folder() { # PREFIX ROOT(files staged under)
    local dir="$2$1/lib/zentrima"
    for program in zentrima zentrima-cli zentrima-graph; do
        expect_executable "$dir/$program"
        expect_executable "$2$1/bin/$program"
    done
    expect_file "$dir/Zentrima.rcc"
    for template in power sample sample10; do
        expect_file "$dir/Templates/$template.qxt"
    done
    expect_file "$2$1/share/icons/hicolor/64x64/apps/zentrima.png"
    expect_file "$2$1/share/metainfo/com.example.zentrima.metainfo.xml"
    expect_file "$2$1/share/bash-completion/completions/zentrima-cli"
    for program in zentrima zentrima-cli zentrima-graph; do
        gzip -t "$2$1/share/man/man1/$program.1.gz" 2>/dev/null || fail "no manual page $program.1.gz"
    done
    # The Debian package's own files stay out of a plain install.
    [[ ! -e "$2$1/share/doc/zentrima" ]] || fail "a plain install has $1/share/doc/zentrima"
    local desktop="$2$1/share/applications/zentrima.desktop"
    expect_text "$desktop" "Exec=\"$1/bin/zentrima\""
    expect_text "$desktop" "Icon=zentrima"
}

# A per-user install, with a blank and a quote in the home folder's name.
home="$work/it's home"
mkdir -p "$home"
prefix="$home/.local"
HOME="$home" XDG_CONFIG_HOME="" "$cmake" --install "$build" --prefix "$prefix" >"$work/user.log" ||
    { cat "$work/user.log" >&2; exit 1; }
check_program_folder "$prefix" ""
registry="$home/.config/Veldrine Software/machine.ini"
expect_file "$registry"
expect_text "$registry" "$key"
expect_text "$registry" "@=\"$prefix/lib/zentrima/zentrima-graph\" \"%1\""
[[ "$(grep -cF "$key" "$registry")" == 1 ]] || fail "the viewer is registered more than once"

# The launchers hand the registration to the programs; one set by the user wins.
probe="$work/probe"
printf '#!/bin/sh\nprintf "%%s\\n" "$ZENTRIMA_MACHINE_INI" "$@"\n' >"$probe"
chmod +x "$probe"
sed "s|^exec .*|exec '$probe' \"\$@\"|" "$prefix/bin/zentrima" >"$work/launcher"
[[ "$(env -u ZENTRIMA_MACHINE_INI sh "$work/launcher" "a b")" == "$registry"$'\n'"a b" ]] ||
    fail "the per-user launcher does not name $registry"
[[ "$(ZENTRIMA_MACHINE_INI=/elsewhere.ini sh "$work/launcher" | head -1)" == /elsewhere.ini ]] ||
    fail "the launcher overrides the user's ZENTRIMA_MACHINE_INI"

# The installed command-line program answers through its launcher.
table="$(XDG_CONFIG_HOME="$work/config" "$prefix/bin/zentrima-cli" sample unpaired --sd 10 \
    --no-settings --format text)"
grep -q "^10	20.33	17.10	15.37	13.29	9.30$" <<<"$table" ||
    fail "the installed zentrima-cli printed: $table"

# The registered viewer carries the version the Graph command asks for, and draws.
viewer="$(sed -n 's/^@="\(.*\)" "%1"$/\1/p' "$registry")"
[[ "$("$viewer" --version 2>/dev/null)" == "zentrima-graph 4.0.1.0" ]] ||
    fail "the registered viewer $viewer is not version 4.0.1.0"

# A machine-wide install staged with DESTDIR; the system file already holds another entry
# and an old registration of the viewer.
stage="$work/stage"
system="$stage/etc/xdg/Veldrine Software/machine.ini"
mkdir -p "$(dirname "$system")"
printf '; kept\n[SOFTWARE\\Other]\n@=other value\n%s\n@="/old/zentrima-graph" "%%1"\n[SOFTWARE\\After]\nname=after\n' \
    "$key" >"$system"
for round in 1 2; do
    HOME="$home" DESTDIR="$stage" "$cmake" --install "$build" --prefix /usr/local \
        >"$work/system$round.log" || { cat "$work/system$round.log" >&2; exit 1; }
done
check_program_folder /usr/local "$stage"
expect_text "$system" '; kept'
expect_text "$system" '@=other value'
expect_text "$system" 'name=after'
expect_text "$system" '@="/usr/local/lib/zentrima/zentrima-graph" "%1"'
grep -qF '/old/zentrima-graph' "$system" && fail "the old registration is still in $system"
[[ "$(grep -cF "$key" "$system")" == 1 ]] || fail "the viewer is registered more than once"
grep -q ZENTRIMA_MACHINE_INI "$stage/usr/local/bin/zentrima" &&
    fail "a machine-wide launcher names a registry file"

finish "install checks passed"
