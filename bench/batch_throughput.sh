#!/usr/bin/env bash
# Batch throughput: HOLES synthetic holes of 2 x POINTS points picked and
# written as result files, on one worker and on two.
#   bench/batch_throughput.sh [CLI] [HOLES] [POINTS]
set -euo pipefail
cli=${1:-build/bench/src/cli/tarnix-cli}
holes=${2:-200}
points=${3:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"
for i in $(seq 1 "$holes"); do
  "$cli" synth --out "$work/in/h$i.CHT" --points "$points" --seed "$i" >/dev/null
done
for jobs in 1 2; do
  rm -rf "$work/out"
  start=$(date +%s.%N)
  "$cli" batch --jobs "$jobs" --pick --result-dir "$work/out" --timing "$work/in" >/dev/null
  end=$(date +%s.%N)
  awk -v j="$jobs" -v n="$holes" -v a="$start" -v b="$end" 'BEGIN { printf "jobs %d: %.1f holes/s\n", j, n / (b - a) }'
done
