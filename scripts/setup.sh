#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, then builds into
# ${build_dir:-build} with the CMake options in ${cmake_options[@]}.
# Sourced by run.sh and test.sh; packages only some runs need (the Windows
# cross build) come in ${extra_packages[@]}.
set -euo pipefail

packages=(cmake ninja-build g++ clang clang-14 clang-format-14 libclang-rt-14-dev pkg-config locales libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libassimp-dev assimp-utils zlib1g-dev nlohmann-json3-dev libstb-dev libirrlicht-dev netpbm time qt6-base-dev qt6-qpa-plugins qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-noto-cjk
    desktop-file-utils appstream shared-mime-info man-db groff-base dpkg-dev file)
packages+=(${extra_packages[@]+"${extra_packages[@]}"})
# Locales the tests run under: a comma for a decimal point, and a double-byte character set.
locales=("de_DE UTF-8 de_DE.UTF-8" "zh_TW BIG5 zh_TW.BIG5")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Run:  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
fi

for entry in "${locales[@]}"; do
    read -r source charset name <<<"$entry"
    normalised=$(echo "$name" | tr 'A-Z' 'a-z' | tr -d '-')
    if ! locale -a | tr 'A-Z' 'a-z' | tr -d '-' | grep -qx "$normalised"; then
        if [ "$(id -u)" -eq 0 ]; then
            localedef -i "$source" -f "$charset" "$name" || echo "note: could not generate the locale $name" >&2
        else
            echo "note: the locale $name is missing; tests that need it are skipped (sudo localedef -i $source -f $charset $name)" >&2
        fi
    fi
done

build_dir=${build_dir:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${cmake_options[@]+"${cmake_options[@]}"} >/dev/null
cmake --build "$build_dir"
