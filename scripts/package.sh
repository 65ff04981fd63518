#!/usr/bin/env bash
# Builds the release in build/package (installed under /usr, hardened with Debian's build
# flags) and the Debian package build/quorvel_<version>_amd64.deb, with CPack; the
# package's dependencies come from the binaries (dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dpkg-dev

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake --preset release -B build/package -DQUORVEL_BUILD_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER}
cmake --build build/package
(cd build/package && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
deb=quorvel_${version}_amd64.deb
cp "build/package/package/$deb" "build/$deb"
echo "build/$deb"
