#!/usr/bin/env bash
# The samples in examples/ are what make_examples writes (the log but for its
# dates of creation), and the program logs each sample debrief into a copy of
# the sample log from the command line, without a window.
# usage: check_examples.sh MAKE_EXAMPLES SORTAVEL EXAMPLES_DIR
set -euo pipefail
make_examples=$1 sortavel=$2 examples=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/made" "$scratch/config"

TZ=UTC "$make_examples" "$scratch/made"
for f in sweep.stt strike.stt shootdown.stt killed.stt; do
  cmp "$examples/$f" "$scratch/made/$f" || { echo "$f differs: run scripts/make-examples"; exit 1; }
done
undated() { grep -v -E '^(Created|Started)=' "$1"; }
diff <(undated "$examples/pilot.log") <(undated "$scratch/made/pilot.log") ||
  { echo "pilot.log differs: run scripts/make-examples"; exit 1; }

missions() { grep -c '^Title=' "$1"; }
for f in sweep.stt strike.stt shootdown.stt; do
  log=$scratch/${f%.stt}.log
  cp "$examples/pilot.log" "$log"
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$scratch/config" \
    "$sortavel" /LOG "$log" /MISSION "$examples/$f" /HIDE </dev/null
  [ "$(missions "$log")" -eq $(( $(missions "$examples/pilot.log") + 1 )) ] ||
    { echo "$f was not logged"; exit 1; }
done
echo "examples: current, and each debrief logs"
