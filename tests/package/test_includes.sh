#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# GCC 14 (Debian 13) no longer brings <algorithm> in through other standard headers: a file that
# calls a standard algorithm without including it builds on Debian 12 and fails on Debian 13.
# This finds such files here, before a Debian 13 machine does.
# usage: test_includes.sh SOURCE_DIR
set -u
cd "$1" || exit 1
calls='std::(sort|stable_sort|find|find_if|find_if_not|count|count_if|min|max|clamp|any_of|all_of|none_of|reverse|unique|lower_bound|upper_bound|min_element|max_element|minmax|fill|fill_n|equal|transform|copy_if|binary_search|nth_element|partial_sort|rotate|shuffle|for_each|remove_if|mismatch|lexicographical_compare) *(<[^>]*>)? *\('
status=0
for f in $(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort); do
  if grep -Eq "$calls" "$f" && ! grep -q '^#include <algorithm>' "$f"; then
    echo "FAIL: $f calls $(grep -Eo "$calls" "$f" | sed -E 's/ *(<[^>]*>)? *\($//' | sort -u | tr '\n' ' ')without #include <algorithm>"
    status=1
  fi
done
[ $status -eq 0 ] && echo "includes: every file that calls a standard algorithm includes <algorithm>"
exit $status
