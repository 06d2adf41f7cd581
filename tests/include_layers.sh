#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The source folders' layers, read from their #include lines:
#  - base/ includes only base/ and the system's headers (C, C++, POSIX);
#  - base/, app/, catalogue/, zone/ and request/ include nothing of platform/qt/ and no Qt
#    header: the logic reaches the screen only through platform/Toolkit.h.
# Usage: include_layers.sh [SOURCE_DIR]. Each include that breaks a rule is named; the
# status is 1 when there is one.
set -u
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root" || exit 2

faults=0
files=0
fault() {  # file line rule
    echo "$1: $2: $3"
    faults=$((faults + 1))
}

# A quoted include is relative to the including file when such a file exists there,
# otherwise to the source root (or to the generated headers, laid out alike).
resolve() {  # file include
    local beside
    beside="$(dirname "$1")/$2"
    if [ -e "$beside" ]; then
        realpath -m --relative-to=. "$beside"
    else
        realpath -m --relative-to=. "$2"
    fi
}

quoted='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
angled='^[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>'
# The system's headers: C++ (<vector>, <cstdio>) and the C and POSIX ones named here, so
# that a library's header (<idn2.h>) is not taken for one.
system_header='^([a-z_0-9]+|sys/[a-z_0-9]+\.h|(dirent|errno|fcntl|limits|locale|poll|pwd|signal|spawn|stdio|stdlib|string|time|unistd)\.h)$'

while IFS= read -r -d '' file; do
    files=$((files + 1))
    layer="${file%%/*}"
    while IFS= read -r line; do
        if [[ $line =~ $quoted ]]; then
            target="$(resolve "$file" "${BASH_REMATCH[1]}")"
            if [[ $target == platform/qt/* ]]; then
                fault "$file" "$line" "the logic never includes the Qt front end"
            elif [ "$layer" = base ] && [[ $target != base/* ]]; then
                fault "$file" "$line" "base/ includes only base/ and system headers"
            fi
        elif [[ $line =~ $angled ]]; then
            header="${BASH_REMATCH[1]}"
            if [[ $header == Q* ]]; then
                fault "$file" "$line" "no Qt header below platform/qt"
            elif [ "$layer" = base ] && ! [[ $header =~ $system_header ]]; then
                fault "$file" "$line" "base/ includes only base/ and system headers"
            fi
        fi
    done <"$file"
done < <(find base app catalogue zone request -type f \
              \( -name '*.h' -o -name '*.cpp' -o -name '*.h.in' \) -print0 | sort -z)

# A run that read nothing checked nothing.
if [ "$files" -eq 0 ]; then
    echo "no source file found under $root"
    exit 2
fi
echo "$files files, $faults includes across the layers"
[ "$faults" -eq 0 ]
