# 32-bit Windows, the canonical verdo.scr. Every Windows version the program
# supports has SSE2, so the 32-bit build takes the same SSE2 paths as the
# 64-bit one. (The compiler realigns the stack where SSE2 data needs it, as
# 32-bit Windows keeps it aligned to 4 bytes only.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VERDO_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
