# Compiler settings shared by every target, and helpers for tests and fuzz targets.

add_library(kinet_warnings INTERFACE)
target_compile_options(kinet_warnings INTERFACE -Wall -Wextra -Wno-unused-parameter
  $<IF:$<CXX_COMPILER_ID:GNU>,-Wshadow=local,-Wshadow-uncaptured-local>)

# KINET_SANITIZER_FLAGS: the same flags as one string, for programs the tests build apart
# (the install test's examples).
set(KINET_SANITIZER_FLAGS "")
if(KINET_SANITIZE OR KINET_FUZZ)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
  list(JOIN _san " " KINET_SANITIZER_FLAGS)
endif()
if(KINET_FUZZ)
  # libFuzzer comes with clang only; say so now rather than with the first compile error.
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KINET_FUZZ needs clang (make fuzz configures with clang-14), "
                        "not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(KINET_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# Every test's environment: no display or sound device, the terminal status face, and a
# temporary folder of this build's own, so that two builds' suites running at once never
# share a file.
set(KINET_TEST_TMPDIR ${CMAKE_BINARY_DIR}/test-tmp)
file(MAKE_DIRECTORY ${KINET_TEST_TMPDIR})
set(KINET_TEST_ENVIRONMENT
    "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;QT_QPA_PLATFORM=offscreen;KINET_STATUS=terminal;TMPDIR=${KINET_TEST_TMPDIR}")

# kinet_add_test(name SOURCES ... LIBS ...): one GoogleTest program, registered with CTest
# as a whole so a run stays quick.
function(kinet_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main kinet_warnings)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KINET_TEST_ENVIRONMENT}")
endfunction()

# kinet_add_fuzz_target(name SOURCES ... LIBS ...): a libFuzzer target when KINET_FUZZ is on;
# otherwise a replay program that CTest runs over the target's corpus folder
# tests/fuzz/corpus/<name>, so every kept crash stays a test case.
function(kinet_add_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS} kinet_warnings)
  if(KINET_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cc)
    add_test(NAME ${name}_replay
             COMMAND ${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  endif()
endfunction()
