# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no libstdc++, libgcc or winpthread DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The Windows programs built here, the tests among them, run under Wine on a virtual X display.
# Each build tree has a Wine prefix of its own in <build>/wine, so that nothing touches ~/.wine;
# tests/CMakeLists.txt registers the fixture that starts the display and the wineserver.
set(VORPANE_WINE_DISPLAY ":97" CACHE STRING "The virtual X display (Xvfb) the Windows tests run on")
set(VORPANE_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
get_filename_component(VORPANE_WINE_TOOLS "${CMAKE_CURRENT_LIST_DIR}/../tools/wine" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${VORPANE_WINE_TOOLS}/emulator.sh"
    --dir "${VORPANE_WINE_DIR}" --display "${VORPANE_WINE_DISPLAY}")
