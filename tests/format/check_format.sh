#!/usr/bin/env bash
# Fails when a C++ file of the program, its tests, tools, benchmarks or fuzz targets is not
# laid out as the committed .clang-format says. Fix with: clang-format -i FILE...
# Usage: check_format.sh SOURCE_ROOT [CLANG_FORMAT]
set -euo pipefail
root="${1:?usage: check_format.sh SOURCE_ROOT [CLANG_FORMAT]}"
format="${2:-clang-format}"
cd "$root"
if ! command -v "$format" >/dev/null; then
    echo "$format not found; scripts/deps.sh installs it" >&2
    exit 1
fi
mapfile -t files < <(find src tests tools bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
bad=()
for file in "${files[@]}"; do
    "$format" --style=file --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done
if ((${#bad[@]})); then
    printf '%s\n' "${bad[@]}" >&2
    echo "${#bad[@]} of ${#files[@]} files are not formatted; run: $format -i FILE..." >&2
    exit 1
fi
echo "format: all ${#files[@]} files follow .clang-format"
