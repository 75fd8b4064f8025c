# Sourced by scripts/package.sh and scripts/test.sh: how the released programs are configured.
# The compiler and linker flags are those a distribution builds its programs with: checked buffer
# functions, a stack protector and relocations made read-only at start.
# shellcheck shell=bash
package_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DSORVANE_PACKAGING=ON
    "-DCMAKE_CXX_FLAGS=-D_FORTIFY_SOURCE=2 -fstack-protector-strong"
    "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,relro,-z,now"
    "-DCMAKE_SHARED_LINKER_FLAGS=-Wl,-z,relro,-z,now"
)
