#!/usr/bin/env bash
# Soak run of the acquisition against the simulated instrument, every fault kind on: first
# at 115.2 kbit/s, then over the USB link, each for SECONDS (default 180) with a vanish and
# return in the middle. Builds the soak program in BUILD (default build/, configured with
# the benchmarks on) first. Exits non-zero when a run stored a measurement the instrument
# did not send.
#
#     bench/soak.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-180}
build=${BUILD:-build}
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKMR_BUILD_BENCH=ON
else
  cmake -S . -B "$build" -DKMR_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build" --target soak

status=0
"$build/bench/soak" --seconds "$seconds" || status=1
"$build/bench/soak" --seconds "$seconds" --usb || status=1
exit $status
