# Cross-compiles for 64-bit Windows with the mingw-w64 GCC (Debian packages
# g++-mingw-w64-x86-64-posix and mingw-w64-x86-64-dev):
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# `make windows` does this after building the libraries the program needs
# (scripts/windows-deps.sh), and adds their folder to CMAKE_FIND_ROOT_PATH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
# The posix threading flavour has std::thread and std::mutex; Debian names it
# with a suffix, other systems have only the plain name.
find_program(CMAKE_C_COMPILER NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_TRIPLET}-windres)

# Headers and libraries only from the Windows side: the mingw-w64 tree and
# whatever the caller adds (never the host's /usr/include or /usr/lib).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The host's pkg-config knows only Linux libraries.
set(CMAKE_DISABLE_FIND_PACKAGE_PkgConfig ON)

# The C++ runtime, libgcc and winpthread linked in: the programs then need
# only the DLLs every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs run under wine, in a wine prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
