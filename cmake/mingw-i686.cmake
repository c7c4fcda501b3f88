# Cross-compiling for 32-bit Windows: the shipped build. This machine cannot run it;
# it is compiled and linked on every run so both builds stay right.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
