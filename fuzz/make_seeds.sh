#!/usr/bin/env bash
# Small seed inputs for the fuzz targets, made with tarnix-cli:
#   fuzz/make_seeds.sh CLI OUT_DIR
# A pair is the text file's length (4 bytes, little-endian), the text, then the data.
set -euo pipefail
cli=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/raw_test" "$out/result_file" "$out/rtx_test" "$out/settings_file" "$out/single_wave"

join_pair() {  # text data out
  local n
  n=$(stat -c %s "$1")
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((n & 255)) $(((n >> 8) & 255)) $(((n >> 16) & 255)) $(((n >> 24) & 255)))" >"$3"
  cat "$1" "$2" >>"$3"
}

for seed in 1 2; do
  "$cli" synth --out "$work/s$seed.CHT" --points $((3 + seed)) --seed "$seed" --dt 1 >/dev/null
  join_pair "$work/s$seed.CHT" "$work/s$seed.CHD" "$out/raw_test/synth$seed"
  "$cli" save-result "$work/s$seed.CHT" --out "$work/r$seed.CHA" >/dev/null
  join_pair "$work/r$seed.CHA" "$work/r$seed.CHD" "$out/result_file/synth$seed"
  # One point of each receiver as 单波保存 writes it.
  "$cli" wave "$work/s$seed.CHT" --depth 0.6 --section $((seed - 1)) --out "$work/w$seed.CHT" >/dev/null
  join_pair "$work/w$seed.CHT" "$work/w$seed.CHD" "$out/single_wave/synth$seed"
done
# The older instrument's fixture of the tests.
fixtures="$(dirname "$0")/../tests/data"
join_pair "$fixtures/old_probe.RTX" "$fixtures/old_probe.RDA" "$out/rtx_test/old_probe"
# A settings file as the desktop writes it, with its defaults.
printf '' >"$out/settings_file/empty"
