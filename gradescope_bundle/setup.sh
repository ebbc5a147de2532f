#!/usr/bin/env bash
# Gradescope runs this once, as root, on its Ubuntu or Debian image: it
# installs what building and running adtlab-check needs (the README's
# prerequisites, cut to those), then builds adtlab from the sources beside
# this script and installs it under /usr/local, where run_autograder finds
# adtlab-check on PATH.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y cmake g++ bubblewrap libseccomp-dev

cmake -S "$here/source" -B "$here/build" -DCMAKE_BUILD_TYPE=Release \
    -DADTLAB_BUILD_TESTS=OFF -DADTLAB_BUILD_EXAMPLES=OFF
cmake --build "$here/build" -j "$(nproc)"
cmake --install "$here/build"
