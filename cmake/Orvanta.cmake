# Helpers that give every library, test executable and benchmark the same shape.
# Sources are picked up from the library's own folder (not its subfolders, which are libraries
# of their own), so adding a file needs no edit here.

# Include roots: platform libraries are reached as "rtl/...", "classes/...", "db/...", "gui/...";
# the libraries above them as "grid/...", "script/...", "report/...", "app/...".
set(ORV_INCLUDE_DIRS ${CMAKE_SOURCE_DIR}/platform ${CMAKE_SOURCE_DIR})

# Precompiled headers: the standard headers and the runtime headers that nearly every object
# includes are compiled once per target instead of once per source file. Each library, test and
# benchmark gets its own (a header precompiled with one target's flags does not fit another).
option(ORV_PCH "Precompile the headers nearly every source file includes" ON)
set(ORV_PCH_HEADERS
    <algorithm> <cstdint> <functional> <map> <memory> <string> <string_view> <vector>
    <rtl/Types.h> <rtl/SysUtils.h> <rtl/Currency.h> <rtl/Object.h> <rtl/Variant.h>
    <rtl/Format.h> <rtl/StrUtils.h> <rtl/StringList.h>)

# orv_precompile(<target> [<extra header>...]): the shared set plus the target's own.
function(orv_precompile target)
  if(ORV_PCH)
    target_precompile_headers(${target} PRIVATE ${ORV_PCH_HEADERS} ${ARGN})
  endif()
endfunction()

# orv_library(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...] [PCH <headers>...])
# Builds the .cpp files of the current source folder into a static library. PCH names headers
# precompiled for this library only, on top of the shared set.
function(orv_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS;PCH" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    # A library whose first file has not come yet: an interface target keeps its users linking.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${ORV_INCLUDE_DIRS})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${ORV_INCLUDE_DIRS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  orv_precompile(${target} ${ARG_PCH})
endfunction()

# orv_test(<target> DIR <folder under tests/> DEPS <targets>...)
# One GoogleTest executable per library, registered with ctest as one test.
function(orv_test target)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${ORV_INCLUDE_DIRS} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE ORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                             ORV_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  orv_precompile(${target} <gtest/gtest.h>)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# orv_bench(<target> DIR <folder under bench/> DEPS <targets>...)
# Benchmarks stay out of the default build (which is what the tests need); the `benchmarks`
# target builds them all.
function(orv_bench target)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} EXCLUDE_FROM_ALL ${sources})
  add_dependencies(benchmarks ${target})
  target_include_directories(${target} PRIVATE ${ORV_INCLUDE_DIRS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${target} PRIVATE ORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  orv_precompile(${target} <benchmark/benchmark.h>)
endfunction()
