#!/usr/bin/env bash
# Runs every fuzz program of a fuzz build for a while, each on a copy of its seeds (the
# corpus in the tree stays as it is). A finding is kept in <build>/fuzz-findings/ and
# fails the run.
#
#   run.sh <build folder> <seconds per program>
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
findings="$build/fuzz-findings"
mkdir -p "$findings"
shopt -s nullglob
programs=("$build"/*_fuzz)
[ ${#programs[@]} -gt 0 ] || { echo "fuzz: no fuzz program in $build" >&2; exit 1; }
for program in "${programs[@]}"; do
  name=$(basename "$program" _fuzz)
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  [ -d "$here/corpus/$name" ] && cp -r "$here/corpus/$name/." "$work/"
  echo "fuzz: $name for $seconds s on $(ls "$work" | wc -l) seeds"
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$findings/$name-" "$work" 2>"$findings/$name.log"; then
    tail -n 40 "$findings/$name.log" >&2
    echo "fuzz: $name found a fault; the input is in $findings/" >&2
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$findings/$name.log" | sed "s/^/fuzz: $name: /"
  rm -rf "$work"
  trap - EXIT
done
