# Windows configuration: the three programs, the staged installation folder and the Wine tests.
enable_language(RC)

set(HALYARD_WIN_DEFS WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
set(HALYARD_WIN_LIBS comctl32 comdlg32 shell32 ole32 oleaut32 uuid winmm advapi32 gdi32 user32)
target_compile_definitions(halyard_core PRIVATE ${HALYARD_WIN_DEFS})

# One library per layer of the IDE, each linked only to the layers below it, so that a call
# upwards cannot link: app > debugger > frame (with snippets, reference) > asm > editor > toolchain >
# buffer > fx > core.
function(halyard_layer name)
  cmake_parse_arguments(L "" "" "DIRS;BELOW" ${ARGN})
  set(globs)
  foreach(dir ${L_DIRS})
    list(APPEND globs ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp)
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${globs})
  list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
  target_compile_definitions(${name} PUBLIC ${HALYARD_WIN_DEFS})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PUBLIC ${L_BELOW})
endfunction()

halyard_layer(halyard_fx DIRS fx BELOW halyard_core ${HALYARD_WIN_LIBS})
halyard_layer(halyard_buffer DIRS buffer BELOW halyard_core ${HALYARD_WIN_LIBS})
halyard_layer(halyard_toolchain DIRS toolchain BELOW halyard_buffer halyard_fx)
halyard_layer(halyard_editor DIRS editor BELOW halyard_fx)
halyard_layer(halyard_asm DIRS asm BELOW halyard_editor halyard_toolchain)
halyard_layer(halyard_frame DIRS frame snippets reference BELOW halyard_asm)
halyard_layer(halyard_debugger DIRS debugger BELOW halyard_frame)
halyard_layer(halyard_app DIRS app BELOW halyard_debugger)
# Every object of a layer, linked with nothing but the layers below it: an upward call fails here.
set(HALYARD_LAYER_CHECKS)
foreach(layer fx buffer toolchain editor asm frame debugger app)
  add_executable(layer_check_${layer} ${CMAKE_SOURCE_DIR}/cmake/layer_check.cpp)
  target_link_libraries(layer_check_${layer} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,halyard_${layer}>")
  set_target_properties(layer_check_${layer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer_checks)
  list(APPEND HALYARD_LAYER_CHECKS layer_check_${layer})
endforeach()

# The whole IDE but its entry point, for the program and the in-process tests.
add_library(halyard_ui INTERFACE)
target_link_libraries(halyard_ui INTERFACE halyard_app)

set(HALYARD_RC ${CMAKE_SOURCE_DIR}/res/halyard.rc)
file(GLOB HALYARD_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
     ${CMAKE_SOURCE_DIR}/res/*.manifest)
# The ASCII table is drawn by our script at build time; the resource compiler finds it in the
# generated folder, which is on its include path.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(HALYARD_GENERATED ${CMAKE_BINARY_DIR}/generated)
include(${CMAKE_SOURCE_DIR}/cmake/version.cmake)
add_custom_command(OUTPUT ${HALYARD_GENERATED}/ascii_table.bmp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HALYARD_GENERATED}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/gen_images.py --ascii-table ${HALYARD_GENERATED}/ascii_table.bmp
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/gen_images.py
  COMMENT "Drawing the ASCII table")
set_source_files_properties(${HALYARD_RC} PROPERTIES
  OBJECT_DEPENDS "${HALYARD_RC_PARTS};${HALYARD_GENERATED}/ascii_table.bmp"
  INCLUDE_DIRECTORIES ${HALYARD_GENERATED})

add_executable(Halyard WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${HALYARD_RC})
target_link_libraries(Halyard PRIVATE halyard_ui)

# The two console helpers use the C runtime only and link nothing of the IDE.
file(GLOB PAUSEXEC_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/pausexec/*.cpp)
file(GLOB TRACEGATE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/tracegate/*.cpp)
add_executable(Pausexec ${PAUSEXEC_SOURCES} ${CMAKE_SOURCE_DIR}/res/pausexec.rc)
add_executable(Tracegate ${TRACEGATE_SOURCES} ${CMAKE_SOURCE_DIR}/res/tracegate.rc)
foreach(helper Pausexec Tracegate)
  target_include_directories(${helper} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${helper} PRIVATE -Wall -Wextra)
endforeach()

# Dosrun runs DOS programs in the core's emulated PC; it links the core and nothing of the IDE.
file(GLOB DOSRUN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/dosrun/*.cpp)
add_executable(Dosrun ${DOSRUN_SOURCES} ${CMAKE_SOURCE_DIR}/res/dosrun.rc)
target_include_directories(Dosrun PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(Dosrun PRIVATE ${HALYARD_WIN_DEFS})
target_compile_options(Dosrun PRIVATE -Wall -Wextra)
target_link_libraries(Dosrun PRIVATE halyard_core winmm gdi32 user32)

# The helpers' version resources: the shared block of res/version.rc and the generated numbers.
foreach(helper pausexec tracegate dosrun)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/res/${helper}.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/version.rc;${HALYARD_GENERATED}/version_numbers.h"
    INCLUDE_DIRECTORIES "${CMAKE_SOURCE_DIR}/res;${CMAKE_SOURCE_DIR}/src;${HALYARD_GENERATED}")
endforeach()

# The installation folder, staged as a user would find it.
set(HALYARD_DIST ${CMAKE_BINARY_DIR}/dist/Halyard)
add_custom_target(stage ALL
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/install -DDIST=${HALYARD_DIST}
          -DHALYARD=$<TARGET_FILE:Halyard> -DPAUSEXEC=$<TARGET_FILE:Pausexec>
          -DTRACEGATE=$<TARGET_FILE:Tracegate> -DDOSRUN=$<TARGET_FILE:Dosrun>
          -P ${CMAKE_SOURCE_DIR}/cmake/stage.cmake
  DEPENDS Halyard Pausexec Tracegate Dosrun ${HALYARD_LAYER_CHECKS}
  COMMENT "Staging the installation folder in ${HALYARD_DIST}")

include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)

# Windows paths of build folders, as Wine maps the root of the Linux tree to Z:.
function(halyard_wine_path out path)
  string(REPLACE "/" "\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()
halyard_wine_path(HALYARD_DIST_WIN ${HALYARD_DIST})
halyard_wine_path(HALYARD_SOURCE_WIN ${CMAKE_SOURCE_DIR})

# GoogleTest, cross-built from the sources of the system's package.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # Stand-in programs the tests start in place of the outside tools.
  file(GLOB HALYARD_STANDINS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/standins/*.cpp)
  set(HALYARD_STANDIN_TARGETS)
  foreach(src ${HALYARD_STANDINS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(standin_${name} ${src})
    set_target_properties(standin_${name} PROPERTIES OUTPUT_NAME ${name}
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/standins)
    list(APPEND HALYARD_STANDIN_TARGETS standin_${name})
  endforeach()

  # In-process tests of the Win32 layers: real windows, real messages, real pipes.
  file(GLOB_RECURSE HALYARD_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(win_tests ${HALYARD_WIN_TESTS} ${CMAKE_SOURCE_DIR}/tests/common/win_test_main.cpp ${HALYARD_RC}
                 ${CMAKE_SOURCE_DIR}/src/dosrun/win_display.cpp ${CMAKE_SOURCE_DIR}/src/dosrun/win_console.cpp)
  target_include_directories(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(win_tests PRIVATE halyard_ui gtest winspool)
  add_dependencies(win_tests stage ${HALYARD_STANDIN_TARGETS})
  add_test(NAME win_tests COMMAND win_tests --gtest_brief=1)

  # End-to-end tests: the staged Halyard.exe driven from outside.
  file(GLOB_RECURSE HALYARD_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  add_executable(e2e_tests ${HALYARD_E2E_TESTS} ${CMAKE_SOURCE_DIR}/tests/common/win_test_main.cpp)
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
  target_compile_definitions(e2e_tests PRIVATE ${HALYARD_WIN_DEFS})
  target_link_libraries(e2e_tests PRIVATE gtest halyard_core ${HALYARD_WIN_LIBS} version)
  add_dependencies(e2e_tests stage ${HALYARD_STANDIN_TARGETS})
  add_test(NAME e2e_tests COMMAND e2e_tests --gtest_brief=1)

  halyard_wine_path(HALYARD_STANDINS_WIN ${CMAKE_BINARY_DIR}/standins)
  set_tests_properties(win_tests e2e_tests PROPERTIES
    ENVIRONMENT "HALYARD_DIST=${HALYARD_DIST_WIN};HALYARD_SOURCE=${HALYARD_SOURCE_WIN};HALYARD_STANDINS=${HALYARD_STANDINS_WIN}"
    TIMEOUT 900)

  # The packages of this build: the installer run silently, and the zip, which the set-up test
  # unpacks into a folder with a blank and a Chinese name.
  if(TARGET package)
    file(GLOB HALYARD_PACKAGE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/package/*.cpp)
    add_executable(package_tests ${HALYARD_PACKAGE_TESTS} ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp
                   ${CMAKE_SOURCE_DIR}/tests/win/win_test_util.cpp ${CMAKE_SOURCE_DIR}/tests/common/win_test_main.cpp)
    target_include_directories(package_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(package_tests PRIVATE ${HALYARD_WIN_DEFS})
    target_link_libraries(package_tests PRIVATE gtest ${HALYARD_WIN_LIBS})
    add_dependencies(package_tests package)
    set(unzipped "${CMAKE_BINARY_DIR}/package/解压 后")
    add_test(NAME package_unzip COMMAND ${CMAKE_COMMAND} -DZIP=${HALYARD_ZIPFILE} -DDIR=${unzipped}
             -P ${CMAKE_SOURCE_DIR}/tests/package/unpack.cmake)
    set_tests_properties(package_unzip PROPERTIES FIXTURES_SETUP unzipped)
    add_test(NAME package_tests COMMAND package_tests --gtest_brief=1)
    halyard_wine_path(HALYARD_INSTALLER_WIN ${HALYARD_INSTALLER})
    halyard_wine_path(HALYARD_UNZIPPED_WIN ${unzipped})
    set_tests_properties(package_tests PROPERTIES FIXTURES_REQUIRED unzipped TIMEOUT 300
      ENVIRONMENT "HALYARD_INSTALLER=${HALYARD_INSTALLER_WIN};HALYARD_UNZIPPED=${HALYARD_UNZIPPED_WIN}")
  endif()
endif()

# The DOS test programs, run through Dosrun under Wine and through dosbox (the reference): their
# outputs must agree byte for byte.
include(${CMAKE_SOURCE_DIR}/cmake/dos_programs.cmake)
find_program(HALYARD_DOSBOX dosbox)
if(HALYARD_NASM)
  file(GLOB HALYARD_DOS_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/dos/*.asm)
  halyard_dos_programs(dos_test_programs ${CMAKE_BINARY_DIR}/dos ${HALYARD_DOS_TESTS})
  if(TARGET win_tests)
    add_dependencies(win_tests dos_test_programs)  # the Windows tests run them through the helpers
  endif()
endif()
if(HALYARD_NASM AND HALYARD_DOSBOX)
  # The script is a host program: named by its path, so that ctest does not start it under Wine
  # (which would lose its exit status).
  add_test(NAME dos_programs COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/dos/compare.py
           --dosrun $<TARGET_FILE:Dosrun> --programs ${CMAKE_BINARY_DIR}/dos
           --inputs ${CMAKE_SOURCE_DIR}/tests/dos --wine ${CMAKE_SOURCE_DIR}/scripts/wine-run)
  set_tests_properties(dos_programs PROPERTIES TIMEOUT 300)
  # A DOS toolchain of the user's (not ours to ship, never in the project): given its folder, the
  # suite compares it run through Dosrun with dosbox on our sample programs.
  set(HALYARD_DOS_TOOLCHAIN "" CACHE PATH "A folder holding MASM/LINK or TASM/TLINK to compare Dosrun with dosbox on")
  if(HALYARD_DOS_TOOLCHAIN)
    add_test(NAME dos_toolchain COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/dos/toolchains.py
             --toolchain ${HALYARD_DOS_TOOLCHAIN} --dosrun $<TARGET_FILE:Dosrun>
             --samples ${CMAKE_SOURCE_DIR}/install/Template --wine ${CMAKE_SOURCE_DIR}/scripts/wine-run)
    set_tests_properties(dos_toolchain PROPERTIES TIMEOUT 900)
  endif()
endif()

# The editor's repaint benchmark: a plain program run by hand under Wine.
add_executable(bench_editor_repaint EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/win/editor_repaint.cpp ${HALYARD_RC})
target_link_libraries(bench_editor_repaint PRIVATE halyard_ui)

# Replace All over a large file in the assembly view: a plain program run by hand under Wine.
add_executable(bench_replace_all EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/win/replace_all_bench.cpp ${HALYARD_RC})
target_link_libraries(bench_replace_all PRIVATE halyard_ui)

# The DOS session's start, program start at its prompt and idle load: run by hand under Wine.
add_executable(bench_session EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/win/session_bench.cpp)

# The debugger's step over its pipe to the real Dosrun: run by hand under Wine.
add_executable(bench_debug_step EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/win/debug_step_bench.cpp)

# The debugger's step in the real IDE, key to panes: run by hand under Wine with the user's MASM.
add_executable(bench_debug_ui_step EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/win/debug_ui_step_bench.cpp
               ${CMAKE_SOURCE_DIR}/tests/e2e/harness.cpp)
target_include_directories(bench_debug_ui_step PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/res)
