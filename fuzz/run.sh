#!/usr/bin/env bash
# Runs each libFuzzer harness for a bounded time on a copy of its seeds.
#   fuzz/run.sh BUILD_DIR SECONDS
# Any crash, sanitizer report, timeout or oversized allocation fails the run;
# the input that caused it is left in BUILD_DIR/fuzz-artifacts/. Copy it into
# fuzz/regressions/<harness>/ so that the test suite keeps running it.
set -euo pipefail
build=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
# A smaller quarantine than ASan's 256 MiB, so that freed buffers do not count
# against the 256 MiB resident limit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
mkdir -p "$build/fuzz-artifacts"
for harness in dump readers; do
  corpus="$build/fuzz-corpus/$harness"
  mkdir -p "$corpus"
  cp "$here/seeds/$harness"/* "$corpus/"
  [ "$harness" = dump ] && cp "$here/../samples"/*.kel "$corpus/"
  if [ -d "$here/regressions/$harness" ]; then cp "$here/regressions/$harness"/* "$corpus/" 2>/dev/null || true; fi
  echo "== fuzz_$harness for ${seconds}s"
  log="$build/fuzz-$harness.log"
  status=0
  "$build/bin/fuzz_$harness" "$corpus" -max_total_time="$seconds" -rss_limit_mb=256 -malloc_limit_mb=64 -timeout=2 \
    -artifact_prefix="$build/fuzz-artifacts/$harness-" > "$log" 2>&1 || status=$?
  grep -E '^(Done [0-9]+ runs|==[0-9]+==|SUMMARY|.*Test unit written)' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$harness failed (status $status); see $build/fuzz-artifacts/" >&2
    exit 1
  fi
done
echo "fuzzing found nothing"
