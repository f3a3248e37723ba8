#!/usr/bin/env bash
# Installs what the benchmarks need from Debian's packages: Google Benchmark, the libraries they
# compare against (Eigen 3, boost::rational, GMP) and Python 3 for the goal judge (goals.py).
# Installs only what is missing.
set -euo pipefail

packages=(libbenchmark-dev libeigen3-dev libboost-dev libgmp-dev python3)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y "${missing[@]}"
