#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when some
# are missing: compilers (native, clang with libFuzzer, MinGW-w64), CMake,
# Ninja, GoogleTest, Wine for the Windows tests, xterm and Xvfb for the
# window relaunch, the desktop, MIME and manual page tools that the
# installation tests use, the Debian tools that make and check the .deb
# (dpkg-shlibdeps, lintian), the JSON library of the batch reports (header
# only, for both builds), pre-commit with git for the hook's test, and
# clang-format and clang-tidy for the static checks of the sources.
set -euo pipefail

paquets=(cmake ninja-build g++ libgtest-dev googletest clang-14 libclang-rt-14-dev
         g++-mingw-w64-x86-64 wine wine64 xterm xvfb tmux
         desktop-file-utils xdg-utils libfile-mimeinfo-perl shared-mime-info
         groff-base man-db dpkg-dev lintian nlohmann-json3-dev pre-commit git
         clang-format clang-tidy)

manquants=()
for p in "${paquets[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation des paquets manquants : ${manquants[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${manquants[@]}" >/dev/null
