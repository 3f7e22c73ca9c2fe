#!/usr/bin/env bash
# Runs every fuzz target for a fixed time on its seed corpus.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# New inputs go to a scratch copy of the corpus, so a run leaves the tree as
# it was; a crash or a broken property stops with the reproducing input in
# BUILD_DIR/fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "$1")"
seconds="$2"
shift 2
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(KeyFileRoundTrip KeyCaptureStream McrExchange McrOptionFileIo Cp949Conversion EvdevKeyRoute
    TableTextImport)
fi
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
for target in "${targets[@]}"; do
  work="$(mktemp -d)"
  cp -r "fuzz/corpus/$target/." "$work/"
  echo "--- $target: $seconds s"
  status=0
  mkdir "$work.tmp"
  TMPDIR="$work.tmp" ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/$target-" -print_final_stats=1 2>"$work.log" || status=$?
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|#[0-9]+ +DONE)' "$work.log" || true
  if [ "$status" -ne 0 ]; then
    tail -60 "$work.log"
    rm -rf "$work" "$work.log" "$work.tmp"
    echo "fuzz target $target failed" >&2
    exit 1
  fi
  rm -rf "$work" "$work.log" "$work.tmp"
done
