# A folder's sources: platform-free ones go to the core library, *_win32.cpp
# files to the Windows program, so the split shows in the file names alone.
function(verdo_add_folder_sources)
  file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(win32_sources ${folder_sources})
  list(FILTER folder_sources EXCLUDE REGEX "_win32\\.cpp$")
  list(FILTER win32_sources INCLUDE REGEX "_win32\\.cpp$")
  if(folder_sources)
    target_sources(verdo_core PRIVATE ${folder_sources})
  endif()
  if(WIN32 AND win32_sources)
    target_sources(verdo PRIVATE ${win32_sources})
  endif()
endfunction()
