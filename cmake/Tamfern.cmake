# Build settings shared by every target, and the test helpers.
#
# Two builds come from this tree:
#  - Windows (mingw-w64, 32-bit): the program, its sound library and every test,
#    run under Wine by CTest;
#  - native (host clang): the code that touches no Windows API, with
#    AddressSanitizer/UBSan, its fuzzers and the host build tools.

if(WIN32)
  set(TAMFERN_WINDOWS ON)
  # Sources are UTF-8; narrow literals become GBK bytes, as the ANSI calls expect.
  enable_language(RC)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8;-fexec-charset=CP936;-Wall;-Wextra;-Wno-unused-parameter>")
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT OEMRESOURCE)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Host tools (form-data compiler, skin packer) come from the native build.
  set(TAMFERN_HOST_TOOLS "${CMAKE_SOURCE_DIR}/build/native/tools" CACHE PATH "native build tools folder")
else()
  set(TAMFERN_WINDOWS OFF)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  option(TAMFERN_SANITIZE "AddressSanitizer and UBSan on native code" ON)
  if(TAMFERN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  set(TAMFERN_FUZZ OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(TAMFERN_FUZZ ON)
  endif()
endif()

find_path(DOCTEST_INCLUDE_DIR doctest.h PATHS /usr/include/doctest NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# One doctest main for all tests of a build.
if(NOT TARGET tf_test_main)
  add_library(tf_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp)
  target_include_directories(tf_test_main PUBLIC ${DOCTEST_INCLUDE_DIR} ${CMAKE_SOURCE_DIR})
endif()

# tamfern_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s])
# Builds a test executable and registers it; Windows tests run under Wine.
function(tamfern_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tf_test_main tf_test_kit ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  if(TAMFERN_WINDOWS)
    # Each Windows test runs in one lane (a display and a Wine prefix of its
    # own, see scripts/lanes.sh); a test that needs the whole machine also
    # sets RUN_SERIAL.
    set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS "lanes:1")
  endif()
endfunction()

# tamfern_add_fuzzer(<name> SOURCES ... LIBS ... [SECONDS n])
# A libFuzzer target, run for a bounded time as a test (native clang build only).
function(tamfern_add_fuzzer name)
  if(NOT TAMFERN_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 5)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=2048)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS fuzz)
endfunction()

# tamfern_list_targets(<dir> <var>): the build targets under dir.
function(tamfern_list_targets dir var)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    tamfern_list_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${var} ${targets} PARENT_SCOPE)
endfunction()

# tamfern_precompile_all(<dir>): on Windows every C++ target under dir
# compiles against one precompiled header of the system and standard
# headers, which are most of each file's compile time (tf_pch).
function(tamfern_precompile_all dir)
  if(NOT TAMFERN_WINDOWS)
    return()
  endif()
  if(NOT TARGET tf_pch)
    add_library(tf_pch STATIC ${CMAKE_SOURCE_DIR}/cmake/pch.cpp)
    target_precompile_headers(tf_pch PRIVATE <windows.h> <algorithm> <functional> <map> <memory> <set> <string>
                              <vector>)
  endif()
  # Code that also builds natively sees no windows.h it did not include: the
  # native build lists its targets (tamfern_list_targets), and they are left out.
  if(NOT DEFINED TAMFERN_PORTABLE_TARGETS AND EXISTS "${TAMFERN_HOST_TOOLS}/../targets.txt")
    file(STRINGS "${TAMFERN_HOST_TOOLS}/../targets.txt" portable)
    set(TAMFERN_PORTABLE_TARGETS "${portable}" PARENT_SCOPE)
    set(TAMFERN_PORTABLE_TARGETS "${portable}")
  endif()
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(NOT type MATCHES "EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY" OR t STREQUAL tf_pch OR t IN_LIST TAMFERN_PORTABLE_TARGETS)
      continue()
    endif()
    get_target_property(sources ${t} SOURCES)
    # C sources would need a C header of their own.
    if(sources MATCHES "\\.cpp" AND NOT sources MATCHES "\\.c(;|$)")
      target_precompile_headers(${t} REUSE_FROM tf_pch)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    tamfern_precompile_all(${sub})
  endforeach()
endfunction()
