# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (posix threads: GoogleTest and the tests
# need them; the program itself is linked with the Windows-threads runtime, see
# WindowsThreadsRuntime.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
