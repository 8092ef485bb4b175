# Host configuration: the portable core and its native tests, under sanitizers.
find_package(GTest REQUIRED)

option(HALYARD_SANITIZE "Build the core and its tests with ASan and UBSan" ON)
if(HALYARD_SANITIZE)
  set(SAN -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(halyard_core PRIVATE ${SAN})
endif()

file(GLOB_RECURSE HALYARD_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${HALYARD_NATIVE_TESTS} ${CMAKE_SOURCE_DIR}/tests/common/native_test_main.cpp)
target_link_libraries(core_tests PRIVATE halyard_core GTest::gtest)
target_include_directories(core_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(core_tests PRIVATE HALYARD_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
if(HALYARD_SANITIZE)
  target_compile_options(core_tests PRIVATE ${SAN})
  target_link_options(core_tests PRIVATE ${SAN})
endif()
add_test(NAME core_tests COMMAND core_tests --gtest_brief=1)
# Each test has its own limit in the tests' main; this one holds if the process hangs outside a test.
set_tests_properties(core_tests PROPERTIES TIMEOUT 900)
# The rooms' check itself, on a tree with one include upwards and the allowed ones beside it.
add_test(NAME pc_rooms_check COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR}/tests/data/pc_rooms
         -P ${CMAKE_SOURCE_DIR}/cmake/pc_rooms.cmake)
set_tests_properties(pc_rooms_check PROPERTIES
  PASS_REGULAR_EXPRESSION "core/pc/cpu/decoder.h includes core/pc/host.h.*core/pc/devices/timer.h includes core/pc/bios/video.h"
  FAIL_REGULAR_EXPRESSION "allowed")

# Benchmarks: plain programs that print one line per figure. They link an optimised copy of the
# core built without sanitizers, so that their figures do not depend on the build's options.
file(GLOB HALYARD_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(HALYARD_BENCHES)
  add_library(halyard_core_bench STATIC ${HALYARD_CORE_SOURCES})
  target_include_directories(halyard_core_bench PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(halyard_core_bench PRIVATE -O2)
endif()
# The DOS programs they run are assembled at build time.
include(${CMAKE_SOURCE_DIR}/cmake/dos_programs.cmake)
file(GLOB HALYARD_BENCH_DOS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.asm)
if(HALYARD_NASM AND HALYARD_BENCH_DOS_SOURCES)
  halyard_dos_programs(bench_dos_programs ${CMAKE_BINARY_DIR}/bench_dos ${HALYARD_BENCH_DOS_SOURCES})
endif()
foreach(src ${HALYARD_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  target_link_libraries(bench_${name} PRIVATE halyard_core_bench)
  target_compile_options(bench_${name} PRIVATE -O2)
  target_compile_definitions(bench_${name} PRIVATE HALYARD_BENCH_DOS="${CMAKE_BINARY_DIR}/bench_dos")
  if(TARGET bench_dos_programs)
    add_dependencies(bench_${name} bench_dos_programs)
  endif()
endforeach()

# Fuzz targets need clang's libFuzzer; built only when asked for.
option(HALYARD_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(HALYARD_FUZZ)
  file(GLOB HALYARD_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${HALYARD_FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(fuzz_${name} ${src} ${HALYARD_CORE_SOURCES})
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()
