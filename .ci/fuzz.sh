#!/usr/bin/env bash
# CI: the libFuzzer targets. Each first replays its corpus (seeds and past
# findings), then fuzzes for a bounded time. A finding fails the script and
# stays in tests/fuzz/corpus/<target>/ as a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
duree="${FUZZ_SECONDES:-60}"

command -v clang++ >/dev/null && [ -d /usr/lib/llvm-14/lib/clang ] || {
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y clang-14 libclang-rt-14-dev
}
# The comma locale, for the runs that ask for it (as .ci/run makes it).
if [ ! -d build/locales/fr_FR.UTF-8 ] && command -v localedef >/dev/null; then
  mkdir -p build/locales
  localedef -i fr_FR -f UTF-8 build/locales/fr_FR.UTF-8 || true
fi
export LOCPATH="$PWD/build/locales"

# The whole-run target spawns the static simulated program of the main build
# when there is one: a sanitized one costs tens of milliseconds a run.
programme=()
[ -x build/carte_simulee/travonel ] && programme=(-DTRAVONEL_FUZZ_PROGRAMME="$PWD/build/carte_simulee/travonel")
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo "${programme[@]}" \
  -DTRAVONEL_FUZZ=ON -DTRAVONEL_TESTS=OFF -DTRAVONEL_SANITIZERS=fuzzer-no-link,address,undefined
cmake --build build-fuzz -j"$(nproc)" --target fuzz_arguments fuzz_reel_en_texte fuzz_execution

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echec=0
for cible in arguments reel_en_texte execution; do
  programme="build-fuzz/fuzz/fuzz_$cible"
  graines="tests/fuzz/corpus/$cible"
  travail="build-fuzz/corpus/$cible"
  mkdir -p "$travail"
  echo "== fuzz_$cible: corpus replay"
  "$programme" -runs=0 "$graines" || { echec=1; continue; }
  echo "== fuzz_$cible: ${duree} s"
  # New coverage goes to the work corpus; a finding lands among the seeds.
  "$programme" -max_total_time="$duree" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$graines/trouve-" "$travail" "$graines" 2>&1 | tail -n 25 || echec=1
done
exit $echec
