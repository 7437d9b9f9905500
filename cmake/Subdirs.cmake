# Adds every immediate subfolder that has a CMakeLists.txt, so a new subsystem or
# test group needs no edit of its parent.
function(facelib_add_subdirs)
  file(GLOB children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  foreach(c ${children})
    if(IS_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/${c}" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${c}/CMakeLists.txt")
      add_subdirectory(${c})
    endif()
  endforeach()
endfunction()
