# Helpers for test executables, labels and fuzz targets.
#
#   vantorel_add_test(NAME <exe> LABEL unit|e2e|gui|x11 SOURCES ... LIBS ...
#                     [SIMD_TESTS <gtest filter>])
#     A GoogleTest executable whose tests are registered with ctest under LABEL.
#     Core unit tests also join the target "core_unit_tests", which the
#     sanitizer build compiles and runs. The tests that SIMD_TESTS names run
#     once per instruction-set level of the pixel kernels, as <test>.sse2,
#     <test>.avx2 and <test>.avx512 with VANTOREL_SIMD set (a level the
#     processor lacks runs as the highest it has).
#
#   vantorel_add_fuzzer(NAME <name> SOURCE <file> LIBS ... [CORPUS <dir>])
#     A libFuzzer entry point (LLVMFuzzerTestOneInput). With VANTOREL_FUZZ it
#     becomes a real libFuzzer binary; otherwise it is linked with a replay
#     driver and run by ctest over its corpus and a fixed set of random inputs.

include(GoogleTest)
find_package(GTest REQUIRED)

if(NOT TARGET core_unit_tests)
  add_custom_target(core_unit_tests)
endif()

function(vantorel_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;SIMD_TESTS" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(filter_args "")
  if(T_SIMD_TESTS)
    set(filter_args TEST_FILTER "-${T_SIMD_TESTS}")
    foreach(level sse2 avx2 avx512)
      gtest_discover_tests(${T_NAME}
        TEST_FILTER "${T_SIMD_TESTS}"
        TEST_SUFFIX ".${level}"
        PROPERTIES LABELS ${T_LABEL} ENVIRONMENT "VANTOREL_SIMD=${level}"
        DISCOVERY_TIMEOUT 60
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    endforeach()
  endif()
  gtest_discover_tests(${T_NAME}
    ${filter_args}
    PROPERTIES LABELS ${T_LABEL}
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  if(T_LABEL STREQUAL "unit")
    add_dependencies(core_unit_tests ${T_NAME})
  endif()
endfunction()

function(vantorel_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;SOURCE;CORPUS;RUNS" "LIBS" ${ARGN})
  if(NOT F_RUNS)
    set(F_RUNS 2000)
  endif()
  if(VANTOREL_FUZZ)
    add_executable(${F_NAME} ${F_SOURCE})
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${F_NAME} ${F_SOURCE} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_driver.cpp)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    add_dependencies(core_unit_tests ${F_NAME})
  endif()
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  if(NOT VANTOREL_FUZZ)
    set(corpus_args "")
    if(F_CORPUS)
      set(corpus_args ${F_CORPUS})
    endif()
    add_test(NAME fuzz_replay.${F_NAME}
             COMMAND ${F_NAME} --random ${F_RUNS} --seed 1 ${corpus_args}
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(fuzz_replay.${F_NAME} PROPERTIES LABELS unit TIMEOUT 300)
  endif()
endfunction()
