#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each for a bounded time, from the
# corpus it kept last time, with tests/fuzz/<name>.dict where there is one. FUZZ_SECONDS sets the
# time per target (default 30). Fails when a target finds a crash; the input is left in build/fuzz
# as crash-*.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
out="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALYARD_FUZZ=ON -DHALYARD_SANITIZE=OFF >/dev/null || exit 1
targets=$(for src in "$root"/tests/fuzz/*.cpp; do [ -e "$src" ] && echo "fuzz_$(basename "$src" .cpp)"; done)
[ -n "$targets" ] || { echo "fuzz: no targets"; exit 1; }
cmake --build "$out" -j "$(nproc)" --target $targets >"$out/build.log" 2>&1 ||
  { tail -n 30 "$out/build.log"; echo "fuzz: build FAILED"; exit 1; }
# The DOS machine's corpus starts from the DOS test programs (a header: redirected input, no
# keys, the clock moving 1 ms a wait).
seeds="$out/corpus-fuzz_dos_machine"
mkdir -p "$seeds"
if command -v nasm >/dev/null; then
  for src in "$root"/tests/dos/*.asm; do
    case "$src" in *.exe.asm) continue ;; esac
    name=$(basename "$src" .asm)
    nasm -f bin -i "$root/tests/dos/" -o "$out/seed.com" "$src" 2>/dev/null &&
      { printf '\x04\x00'; cat "$out/seed.com"; } >"$seeds/seed-$name"
  done
fi
status=0
for target in $targets; do
  mkdir -p "$out/corpus-$target"
  dict="$root/tests/fuzz/${target#fuzz_}.dict"
  options=(-max_total_time="$seconds" -max_len=4096 -artifact_prefix="$out/")
  [ -e "$dict" ] && options+=(-dict="$dict")
  # One machine serves every run of the DOS machine's target, so a run's allocations and frees
  # never balance: leaks are looked for at the end only.
  [ "$target" = fuzz_dos_machine ] && options+=(-detect_leaks=0)
  if (cd "$out" && "./$target" "corpus-$target" "${options[@]}" >"$out/$target.log" 2>&1); then
    echo "fuzz: $target ran ${seconds}s without a finding"
  else
    echo "fuzz: $target FAILED (see $out/$target.log)"; tail -n 20 "$out/$target.log"; status=1
  fi
done
exit $status
