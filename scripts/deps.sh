#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when one is missing.
#   scripts/deps.sh           what building and running the three programs needs
#   scripts/deps.sh --test    that, and what the test suites, the benchmarks and the package
#                             checks need, with the comma-decimal locale of the number tests
# Other arguments name more packages (for the scripts that need them).
set -euo pipefail

tests=0
extra=()
for argument in "$@"; do
    if [[ "$argument" == --test ]]; then tests=1; else extra+=("$argument"); fi
done

packages=(cmake ninja-build g++ pkg-config libboost-dev qt6-base-dev fonts-liberation2)
if ((tests)); then
    packages+=(
        libgtest-dev libgmock-dev libbenchmark-dev locales
        dpkg-dev lintian desktop-file-utils appstream man-db poppler-utils unzip clang-format
    )
fi
packages+=("${extra[@]}")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number-format tests run once under a comma-decimal locale. localedef adds it to the
# compiled locales without touching the list of locales the system generates.
if ((tests)) && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
        echo "warning: could not make de_DE.UTF-8; that test will be skipped"
fi
