# Shared build rules.
#
# Two kinds of source files:
#   portable  never include <windows.h>; built into wc_portable in both builds
#             and tested natively with the sanitizers;
#   win32     the Windows program; built only in the MinGW build into wc_win32.
# Each folder of src/ declares its files with wc_portable_sources() and
# wc_win32_sources(); the targets are made once all folders are read.

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(WC_WINDOWS ON)
else()
  set(WC_WINDOWS OFF)
endif()

set(WC_WARNINGS -Wall -Wextra -Wpedantic -Wno-missing-field-initializers -Wno-cast-function-type)

if(WC_WINDOWS)
  # Windows 10 version 1903 and later: the first to honour the manifest's
  # UTF-8 code page, which every 8-bit call of the program relies on.
  add_compile_definitions(WINVER=0x0A00 _WIN32_WINNT=0x0A00 NTDDI_VERSION=0x0A000007 _WIN32_IE=0x0800 NOMINMAX
                          WIN32_LEAN_AND_MEAN STRICT OEMRESOURCE)
  # One self-contained .exe: the C and C++ runtimes and winpthread linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Small: unused code dropped, symbols stripped from release builds.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections $<$<CONFIG:Release,MinSizeRel>:-s>)
else()
  option(WC_SANITIZE "Build the native code with the address and undefined-behaviour sanitizers" ON)
  # clang only (scripts/fuzz.sh): every file instrumented for libFuzzer's
  # coverage, fuzz/ built as fuzzers instead of corpus replays.
  option(WC_FUZZ "Build the libFuzzer harnesses of fuzz/" OFF)
endif()
if(NOT WC_WINDOWS AND WC_SANITIZE)
  set(WC_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  if(WC_FUZZ)
    list(APPEND WC_SANITIZE -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${WC_SANITIZE})
  add_link_options(${WC_SANITIZE})
endif()

# --- precompiled headers --------------------------------------------------------
# The system and library headers that nearly every file includes are parsed
# once per target rather than once per file: <windows.h> and GoogleTest are
# most of a small file's compile time. Only outside headers go in, never the
# program's own, so a file still sees only the folders it includes.
set(WC_PCH_STD <string> <string_view> <vector> <algorithm> <cstdint> <cstddef> <cstdlib> <cstring> <cstdio>
               <functional> <memory> <optional> <utility> <chrono> <stdexcept>)
if(WC_WINDOWS)
  set(WC_PCH_WIN32 <windows.h> <commctrl.h>)
else()
  set(WC_PCH_WIN32)
endif()

define_property(GLOBAL PROPERTY WC_PORTABLE_SOURCES BRIEF_DOCS "portable sources" FULL_DOCS "portable sources")
define_property(GLOBAL PROPERTY WC_WIN32_SOURCES BRIEF_DOCS "win32 sources" FULL_DOCS "win32 sources")

function(wc_portable_sources)
  foreach(f IN LISTS ARGN)
    set_property(GLOBAL APPEND PROPERTY WC_PORTABLE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

function(wc_win32_sources)
  foreach(f IN LISTS ARGN)
    set_property(GLOBAL APPEND PROPERTY WC_WIN32_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

# --- tests ------------------------------------------------------------------
# A test program takes the headers precompiled for the test support library
# (GoogleTest, and <windows.h> in the Windows build) instead of its own. Its
# own code is built with light optimisation: the code under test keeps the
# build's, and the test bodies (GoogleTest's macros expand to much code)
# compile a quarter faster.
set(WC_TEST_OPTIMISATION -O1)
function(wc_test_precompiled_headers name)
  target_precompile_headers(${name} REUSE_FROM wc_test_support)
  target_compile_options(${name} PRIVATE ${WC_TEST_OPTIMISATION})
endfunction()

# wc_test(<name> SOURCES ... [WIN32] [PORTABLE] [SERIAL] [LOCK <resource>] [TIMEOUT s])
#   PORTABLE tests link wc_portable and run in both builds (natively with the
#   sanitizers, under Wine in the Windows build). WIN32 tests link the whole
#   program library and run only under Wine.
function(wc_test name)
  cmake_parse_arguments(T "WIN32;PORTABLE;SERIAL" "TIMEOUT" "SOURCES;LOCK" ${ARGN})
  if(T_WIN32 AND NOT WC_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${WC_WARNINGS})
  target_link_libraries(${name} PRIVATE wc_test_support GTest::gmock_main)
  wc_test_precompiled_headers(${name})
  if(T_WIN32)
    target_link_libraries(${name} PRIVATE wc_win32 wc_resources)
    # Tests open windows: GUI subsystem is not needed, console output is.
  else()
    target_link_libraries(${name} PRIVATE wc_portable)
  endif()
  set(props TIMEOUT ${T_TIMEOUT})
  if(WC_WINDOWS AND CMAKE_CROSSCOMPILING)
    list(APPEND props FIXTURES_REQUIRED wine)
  endif()
  if(T_SERIAL)
    # Timing matters to these tests: nothing else runs beside them.
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  list(LENGTH T_LOCK lock_count)
  if(lock_count EQUAL 1)
    list(APPEND props RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${props})
  if(lock_count GREATER 1)
    # Several locks cannot pass through the discovery's PROPERTIES (it writes
    # the list out unquoted: the tests would hold the first lock alone and
    # read the others as property names). They are set on the discovered
    # tests by a file CTest reads after the discovery's own.
    set(lock_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_locks.cmake")
    file(WRITE "${lock_file}" "set_tests_properties(\${${name}_TESTS} PROPERTIES RESOURCE_LOCK \"${T_LOCK}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${lock_file}")
  endif()
endfunction()
