#!/usr/bin/env bash
# Builds the Debian package of this build into a throw-away folder and checks it: the control
# fields, the file list, the maintainer scripts that register the graph viewer (run against
# a registry file of the test's own), the desktop entry and the software-centre metadata it
# ships, that packaging the same build twice gives the same file, and lintian. Exits 77 (skipped) only where CPack has no DEB generator.
# Usage: package_test.sh CPACK BUILD_FOLDER
set -euo pipefail
cpack="$1"
build="$2"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

if ! "$cpack" --help | grep -q '^ *DEB *='; then
    echo "SKIPPED: this CPack has no DEB generator"
    exit 77
fi
for tool in dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

# As scripts/package.sh does: the archives carry the release's date from the change log.
SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$(dirname "$0")/../../packaging/debian/changelog" -STimestamp)"
export SOURCE_DATE_EPOCH
# gzip rather than xz: the contents are what is checked here, and xz is slow on a sanitizer
# build's programs.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
arch="$(dpkg --print-architecture)"
deb="$work/zentrima_2.00_$arch.deb"
[[ -f "$deb" ]] || { ls "$work" >&2; echo "FAILED: no $deb" >&2; exit 1; }

# Control fields.
field() {
    dpkg-deb --field "$deb" "$1"
}
expect_field() { # NAME VALUE
    [[ "$(field "$1")" == "$2" ]] || fail "$1 is '$(field "$1")', not '$2'"
}
expect_field Package zentrima
expect_field Version 2.00
expect_field Architecture "$arch"
expect_field Section science
expect_field Priority optional
expect_field Maintainer "Veldrine Software <support@example.com>"
expect_field Recommends fonts-liberation2
# The run-time libraries come from the programs themselves.
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    [[ ",$(field Depends | tr -d ' ')," == *",$library"[\(,]* ]] ||
        fail "Depends does not name $library: $(field Depends)"
done
[[ "$(field Description | head -1)" == "calculator of statistical power and sample size" ]] ||
    fail "the synopsis is '$(field Description | head -1)'"

# The file list: everything under /usr, nothing in /etc (the registration is postinst's).
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "/", $6); print $6 }' | sort \
    >"$work/files"
cat >"$work/expected" <<'EOF'
/usr/bin/zentrima
/usr/bin/zentrima-cli
/usr/bin/zentrima-graph
/usr/lib/zentrima/Templates/power.qxt
/usr/lib/zentrima/Templates/sample.qxt
/usr/lib/zentrima/Templates/sample10.qxt
/usr/lib/zentrima/Zentrima.rcc
/usr/lib/zentrima/zentrima
/usr/lib/zentrima/zentrima-cli
/usr/lib/zentrima/zentrima-graph
/usr/share/applications/zentrima.desktop
/usr/share/bash-completion/completions/zentrima-cli
/usr/share/doc/zentrima/changelog.gz
/usr/share/doc/zentrima/copyright
/usr/share/icons/hicolor/64x64/apps/zentrima.png
/usr/share/man/man1/zentrima-cli.1.gz
/usr/share/man/man1/zentrima-graph.1.gz
/usr/share/man/man1/zentrima.1.gz
/usr/share/metainfo/com.example.zentrima.metainfo.xml
EOF
sort -o "$work/expected" "$work/expected"
diff -u "$work/expected" "$work/files" >&2 || fail "the package's files differ from the list above"

# The shipped files: launchers for /usr, a valid desktop entry and metadata.
dpkg-deb --extract "$deb" "$work/root"
grep -qxF "exec '/usr/lib/zentrima/zentrima-cli' \"\$@\"" "$work/root/usr/bin/zentrima-cli" ||
    fail "the launcher does not start /usr/lib/zentrima/zentrima-cli"
grep -q ZENTRIMA_MACHINE_INI "$work/root/usr/bin/zentrima" &&
    fail "the package's launcher names a registry file"
desktop="$work/root/usr/share/applications/zentrima.desktop"
grep -qxF 'Exec="/usr/bin/zentrima"' "$desktop" || fail "the desktop entry does not start /usr/bin/zentrima"
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/com.example.zentrima.metainfo.xml" >&2 ||
    fail "appstreamcli rejects the metainfo file"

# The maintainer scripts, pointed at a registry file of this test: postinst adds the entry
# and replaces an earlier one in its place, keeping the rest; prerm takes out only this package's entry,
# and the file when nothing else is left.
dpkg-deb --control "$deb" "$work/control"
for script in postinst prerm; do
    [[ -x "$work/control/$script" ]] || fail "$script is missing or not executable"
    sed "s|^registry=.*|registry='$work/etc/Veldrine Software/machine.ini'|" \
        "$work/control/$script" >"$work/$script"
done
registry="$work/etc/Veldrine Software/machine.ini"
key='[SOFTWARE\Classes\Vorla4.Document\shell\open\command]'
entry='@="/usr/lib/zentrima/zentrima-graph" "%1"'
sh "$work/postinst" configure
[[ "$(cat "$registry")" == "$key"$'\n'"$entry" ]] || fail "postinst on no file wrote: $(cat "$registry")"
sh "$work/prerm" remove
[[ ! -e "$registry" && ! -e "$(dirname "$registry")" ]] ||
    fail "prerm left the registry file or its folder behind"

others=$'; kept\n[SOFTWARE\\Other]\n@=other value\n'
after=$'[SOFTWARE\\After]\nname=after'
mkdir -p "$(dirname "$registry")"
printf '%s%s\n@="/old/zentrima-graph" "%%1"\n%s\n' "$others" \
    "[software\\classes\\vorla4.document\\shell\\open\\command]" "$after" >"$registry"
sh "$work/postinst" configure
sh "$work/postinst" configure
[[ "$(cat "$registry")" == "$others[software\\classes\\vorla4.document\\shell\\open\\command]"$'\n'"$entry"$'\n'"$after" ]] ||
    fail "postinst on a file with other entries wrote: $(cat "$registry")"
sh "$work/prerm" remove
[[ "$(cat "$registry")" == "$others$after" ]] || fail "prerm left: $(cat "$registry")"
# A viewer registered by someone else stays registered.
printf '%s\n@="/opt/other/viewer" "%%1"\n' "$key" >"$registry"
sh "$work/prerm" remove
grep -qxF '@="/opt/other/viewer" "%1"' "$registry" || fail "prerm took out another program's registration"
sh "$work/prerm" upgrade
grep -qxF "$key" "$registry" || fail "prerm upgrade changed the registry"

# One main category (the registered ones of the freedesktop.org menu standard), and no web
# address of the reserved example domains in what software centres and menus show.
main_categories="$(sed -n 's/^Categories=//p' "$desktop" | tr ';' '\n' |
    grep -cxE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility' || true)"
[[ "$main_categories" == 1 ]] || fail "the desktop entry has $main_categories main categories"
for shown in "$desktop" "$work/root/usr/share/metainfo/com.example.zentrima.metainfo.xml"; do
    grep -nE '(https?://|<image)[^<"]*example\.(com|org|net)' "$shown" >&2 &&
        fail "$(basename "$shown") points at an example address"
done
[[ -z "$(field Homepage)" ]] || [[ "$(field Homepage)" != *example.* ]] ||
    fail "the Homepage field is an example address: $(field Homepage)"

# Reproducible: the same build packaged again, later, is the same file byte for byte (the
# archives' time stamps are the release's, not the clock's).
sleep 1
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/again" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack-again.log" 2>&1 ||
    { cat "$work/cpack-again.log" >&2; exit 1; }
cmp "$deb" "$work/again/zentrima_2.00_$arch.deb" >&2 || fail "a second package of the same build differs"
release_epoch="$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$(dirname "$0")/../../packaging/debian/changelog" | head -1)" +%s)"
newest="$(dpkg-deb --fsys-tarfile "$deb" | tar -t --full-time -v | awk '{ print $4 "T" $5 }' | sort | tail -1)"
[[ "$(date -u -d "$newest" +%s)" -le "$release_epoch" ]] ||
    fail "a file of the package is dated $newest, after the release"

# lintian: no errors; its warnings are shown.
lintian --no-cfg --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian reports errors"; }
cat "$work/lintian.log"

finish "package checks passed"
