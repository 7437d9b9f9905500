# libFuzzer targets. The native build drives a fourth build tree, build/fuzz, made with
# clang (-fsanitize=fuzzer, address, undefined); it builds only the fuzzers and what they
# link. The native build registers one short, fixed run per fuzzer as a unit test.
#
#   facelib_fuzz_test(NAME SOURCES... LIBS... CORPUS dir [DICT file] [RUNS n] [MAX_LEN bytes])
#
# SOURCES define LLVMFuzzerTestOneInput; CORPUS is a committed folder of seed inputs
# (relative to the calling CMakeLists.txt); DICT a libFuzzer dictionary of the format's
# tokens. The unit test runs RUNS inputs (default 20000)
# with a fixed seed; inputs it finds interesting go to build/fuzz/runs/NAME, never into
# the seed folder.

if(NOT FACELIB_WIN AND NOT FACELIB_FUZZ)
  find_program(FACELIB_CLANG clang)
  find_program(FACELIB_CLANGXX clang++)
  if(FACELIB_CLANG AND FACELIB_CLANGXX)
    option(FACELIB_FUZZERS "build the libFuzzer targets with clang (build/fuzz)" ON)
  else()
    message(STATUS "clang not found: fuzz targets are not built")
    set(FACELIB_FUZZERS OFF)
  endif()
endif()

if(FACELIB_FUZZ)
  # Everything in the fuzz tree is instrumented, so coverage reaches into our libraries.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
  add_custom_target(facelib_fuzzers)
endif()

function(facelib_fuzz_test name)
  cmake_parse_arguments(A "" "CORPUS;DICT;RUNS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT A_CORPUS)
    message(FATAL_ERROR "facelib_fuzz_test(${name}): CORPUS is required")
  endif()
  get_filename_component(corpus "${A_CORPUS}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  if(FACELIB_FUZZ)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(facelib_fuzzers ${name})
  elseif(NOT FACELIB_WIN AND FACELIB_FUZZERS)
    if(NOT A_RUNS)
      set(A_RUNS 20000)
    endif()
    set(args -runs=${A_RUNS} -seed=1)
    if(A_MAX_LEN)
      list(APPEND args -max_len=${A_MAX_LEN})
    endif()
    if(A_DICT)
      get_filename_component(dict "${A_DICT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
      list(APPEND args -dict=${dict})
    endif()
    add_test(NAME ${name}
      COMMAND "${CMAKE_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh"
              "${CMAKE_BINARY_DIR}/fuzz/bin/${name}" "${CMAKE_BINARY_DIR}/fuzz/runs/${name}"
              "${corpus}" ${args})
    set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 120)
  endif()
endfunction()

if(NOT FACELIB_WIN AND NOT FACELIB_FUZZ AND FACELIB_FUZZERS)
  include(ExternalProject)
  ExternalProject_Add(fuzz
    SOURCE_DIR "${CMAKE_SOURCE_DIR}"
    BINARY_DIR "${CMAKE_BINARY_DIR}/fuzz"
    CMAKE_ARGS
      -DCMAKE_C_COMPILER=${FACELIB_CLANG}
      -DCMAKE_CXX_COMPILER=${FACELIB_CLANGXX}
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DFACELIB_DEPS_DIR=${FACELIB_DEPS_DIR}
      -DFACELIB_FUZZ=ON
      -DFACELIB_WINDOWS=OFF
    CMAKE_GENERATOR "${CMAKE_GENERATOR}"
    BUILD_COMMAND ${CMAKE_COMMAND} --build . --target facelib_fuzzers
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endif()
