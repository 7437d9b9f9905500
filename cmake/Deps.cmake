# Third-party libraries: Debian's packages natively, the bootstrap cache for Windows.
#   facelib_sqlite, facelib_tinyxml, facelib_minizip (zlib inside), facelib_gtest (Windows)

if(FACELIB_WIN)
  set(_d "${FACELIB_DEPS_DIR}/${FACELIB_WIN_ARCH}")
  foreach(lib sqlite3 tinyxml minizip)
    if(NOT EXISTS "${_d}/lib/lib${lib}.a")
      message(FATAL_ERROR "${_d}/lib/lib${lib}.a missing: run scripts/bootstrap.sh first")
    endif()
  endforeach()
  add_library(facelib_sqlite STATIC IMPORTED GLOBAL)
  set_target_properties(facelib_sqlite PROPERTIES IMPORTED_LOCATION "${_d}/lib/libsqlite3.a"
                        INTERFACE_INCLUDE_DIRECTORIES "${_d}/include")
  add_library(facelib_tinyxml STATIC IMPORTED GLOBAL)
  set_target_properties(facelib_tinyxml PROPERTIES IMPORTED_LOCATION "${_d}/lib/libtinyxml.a"
                        INTERFACE_INCLUDE_DIRECTORIES "${_d}/include"
                        INTERFACE_COMPILE_DEFINITIONS TIXML_USE_STL)
  add_library(facelib_minizip STATIC IMPORTED GLOBAL)
  set_target_properties(facelib_minizip PROPERTIES IMPORTED_LOCATION "${_d}/lib/libminizip.a"
                        INTERFACE_INCLUDE_DIRECTORIES "${_d}/include"
                        INTERFACE_LINK_LIBRARIES z)

  # GoogleTest from Debian's sources, cross-built with the programs.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -w)
  endforeach()
  add_library(facelib_gtest INTERFACE)
  target_link_libraries(facelib_gtest INTERFACE gtest_main gmock)
else()
  find_package(GTest REQUIRED)
  find_package(PkgConfig REQUIRED)
  find_package(SQLite3 REQUIRED)
  add_library(facelib_sqlite INTERFACE)
  target_link_libraries(facelib_sqlite INTERFACE SQLite::SQLite3)
  add_library(facelib_tinyxml INTERFACE)
  target_link_libraries(facelib_tinyxml INTERFACE tinyxml)
  target_compile_definitions(facelib_tinyxml INTERFACE TIXML_USE_STL)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  add_library(facelib_minizip INTERFACE)
  target_link_libraries(facelib_minizip INTERFACE PkgConfig::MINIZIP)
endif()
