# Build conventions and the three test layers.
#
#   facelib_unit_test(NAME SOURCES... LIBS...)        native gtest, label "unit"
#   facelib_wine_test(NAME [E2E] SOURCES... LIBS...)  Windows gtest program; the native
#       build registers it, run under Wine by tests/harness/wine-test.sh,
#       label "wine" (or "e2e": the program folder is installed first)
#   facelib_win_program(NAME [GUI|DLL] ...)          a Windows deliverable or tool
#   facelib_fuzz_test(NAME ... CORPUS dir)            libFuzzer target (cmake/Fuzz.cmake)

# The Windows build whose programs the wine and e2e tests run: win32 (what ships, 32-bit Wine
# under qemu-i386 emulation) or win64 (x86_64 build under native wine64, for machines without
# the emulation, and for benchmarks). The environment variable of the same name, when set,
# wins over the cached value, so FACELIB_WINE_ARCH=win64 scripts/test.sh switches a build tree.
set(FACELIB_WINE_ARCH win32 CACHE STRING "build the wine/e2e tests run: win32 or win64")
set_property(CACHE FACELIB_WINE_ARCH PROPERTY STRINGS win32 win64)
if(DEFINED ENV{FACELIB_WINE_ARCH} AND NOT "$ENV{FACELIB_WINE_ARCH}" STREQUAL "")
  set(FACELIB_WINE_ARCH "$ENV{FACELIB_WINE_ARCH}" CACHE STRING "build the wine/e2e tests run: win32 or win64" FORCE)
endif()
if(NOT FACELIB_WINE_ARCH MATCHES "^win(32|64)$")
  message(FATAL_ERROR "FACELIB_WINE_ARCH must be win32 or win64, not '${FACELIB_WINE_ARCH}'")
endif()
set(FACELIB_TEST_WIN_DIR "${CMAKE_BINARY_DIR}/${FACELIB_WINE_ARCH}")
# Emulated 32-bit Wine starts processes 3-5x slower than native: the harness scales the tests'
# polls by FACELIB_TIME_SCALE and the outer time limits by this factor.
if(FACELIB_WINE_ARCH STREQUAL win32)
  set(FACELIB_TIMEOUT_SCALE 3)
else()
  set(FACELIB_TIMEOUT_SCALE 1)
endif()
if(FACELIB_WIN)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(FACELIB_WIN_ARCH win64)
  else()
    set(FACELIB_WIN_ARCH win32)
  endif()
endif()
set(FACELIB_HARNESS "${CMAKE_SOURCE_DIR}/tests/harness/wine-test.sh")

if(FACELIB_WIN)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
                          _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  add_compile_options(-municode)
  add_link_options(-static -static-libgcc -static-libstdc++)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
  enable_language(RC)
endif()
add_compile_options($<$<COMPILE_LANGUAGE:CXX,C>:-Wall> $<$<COMPILE_LANGUAGE:CXX,C>:-Wextra>)

function(facelib_unit_test name)
  if(FACELIB_WIN)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 120)
endfunction()

# How many Wine tests may run at once (ctest -j permitting). A few more slots than cores let
# ctest pair a long test with any other; each slot costs a prefix copy whose big files are
# hard links to the template's.
set(FACELIB_WINE_SLOTS 4 CACHE STRING "Wine tests that may run at once, each in its own prefix")

# Once per ctest run, before any Wine test: the template prefix and its slot copies, so that
# parallel tests never race to make them.
function(_facelib_wine_prefix_fixture)
  add_test(NAME wine_prefix_setup
    COMMAND "${CMAKE_SOURCE_DIR}/tests/harness/wine-prefix.sh" --arch ${FACELIB_WINE_ARCH}
            --slots ${FACELIB_WINE_SLOTS} "${CMAKE_BINARY_DIR}/wine/${FACELIB_WINE_ARCH}")
  set_tests_properties(wine_prefix_setup PROPERTIES LABELS wine TIMEOUT 900
                       FIXTURES_SETUP wineprefix)
endfunction()

function(facelib_wine_test name)
  cmake_parse_arguments(A "E2E" "TIMEOUT;SETUP" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set(setup)
  if(A_SETUP)
    set(setup --setup "${CMAKE_CURRENT_SOURCE_DIR}/${A_SETUP}")
  endif()
  if(FACELIB_WIN)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LIBS} facelib_gtest)
  elseif(FACELIB_WINDOWS)
    set(label wine)
    set(mode --component)
    if(A_E2E)
      set(label e2e)
      set(mode --install)
    endif()
    math(EXPR limit "${A_TIMEOUT} * ${FACELIB_TIMEOUT_SCALE}")
    # The harness stops the program a little before ctest would, to keep its screenshot.
    math(EXPR inner "${limit} - 20")
    # Wine tests run in parallel, each slot in its own copy of the prefix with its own
    # wineserver: within one server, tests would share the clipboard, the foreground window,
    # global hooks and each other's windows. A test keeps one slot; a slot runs one test at a time.
    get_property(count GLOBAL PROPERTY FACELIB_WINE_TEST_COUNT)
    if(NOT count)
      set(count 0)
      _facelib_wine_prefix_fixture()
    endif()
    math(EXPR slot "${count} % ${FACELIB_WINE_SLOTS}")
    math(EXPR count "${count} + 1")
    set_property(GLOBAL PROPERTY FACELIB_WINE_TEST_COUNT ${count})
    add_test(NAME ${name}
      COMMAND ${FACELIB_HARNESS} ${mode} --name ${name} --arch ${FACELIB_WINE_ARCH}
              --slot ${slot} --timeout ${inner} ${setup}
              --bin "${FACELIB_TEST_WIN_DIR}/bin" --native "${CMAKE_BINARY_DIR}"
              --source "${CMAKE_SOURCE_DIR}" -- ${name}.exe)
    # A fresh checkout has no measured test times: the long scenarios (the ones that ask for
    # a longer limit) start first, so two jobs do not end with one long test running alone.
    set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT ${limit} COST ${A_TIMEOUT}
                         RESOURCE_LOCK wine_slot${slot} FIXTURES_REQUIRED wineprefix)
  endif()
endfunction()

# facelib_win_program(NAME [GUI] [DLL] [OUTPUT name] SOURCES... LIBS... [DEF file])
function(facelib_win_program name)
  if(NOT FACELIB_WIN)
    return()
  endif()
  cmake_parse_arguments(A "GUI;DLL" "OUTPUT;DEF" "SOURCES;LIBS" ${ARGN})
  if(A_DLL)
    add_library(${name} SHARED ${A_SOURCES} ${A_DEF})
    set_target_properties(${name} PROPERTIES PREFIX "")
    # .def files name the undecorated exports; the fixup maps them to the stdcall symbols.
    target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  else()
    add_executable(${name} ${A_SOURCES})
    target_link_options(${name} PRIVATE -municode)  # wWinMain / wmain entry points
    if(A_GUI)
      target_link_options(${name} PRIVATE -mwindows)
    endif()
  endif()
  if(A_OUTPUT)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${A_OUTPUT})
  endif()
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# facelib_dll_layout_test(NAME DLL [SHARED_BYTES N] EXPORTS names...): the shipped 32-bit DLL
# (in the i686 build, whichever build the Wine tests run) exports exactly these undecorated
# names and has one shared, writable, initialised data section of zeros, at least N bytes
# (tests/harness/check-dll.sh).
set(FACELIB_DLL_CHECK "${CMAKE_SOURCE_DIR}/tests/harness/check-dll.sh")
function(facelib_dll_layout_test name dll)
  if(FACELIB_WIN OR NOT FACELIB_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(A "" "SHARED_BYTES" "EXPORTS" ${ARGN})
  set(min)
  if(A_SHARED_BYTES)
    set(min --shared-bytes ${A_SHARED_BYTES})
  endif()
  add_test(NAME ${name}
           COMMAND "${FACELIB_DLL_CHECK}" ${min} "${CMAKE_BINARY_DIR}/win32/bin/${dll}" ${A_EXPORTS})
  set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 60)
endfunction()
