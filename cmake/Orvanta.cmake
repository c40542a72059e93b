# Helpers that give every library, test executable and benchmark the same shape.
# Sources are picked up from the library's own folder (not its subfolders, which are libraries
# of their own), so adding a file needs no edit here.

# Include roots: platform libraries are reached as "rtl/...", "classes/...", "db/...", "gui/...";
# the libraries above them as "grid/...", "script/...", "report/...", "app/...".
set(ORV_INCLUDE_DIRS ${CMAKE_SOURCE_DIR}/platform ${CMAKE_SOURCE_DIR})

# Precompiled headers, off by default: unity batches already parse the shared headers once per
# batch, loading a precompiled header then costs about what it saves, and it defeats ccache
# between folders. When on, the standard headers and the runtime headers that nearly every
# object includes are compiled once and reused by every target compiled with the same options:
# one for the libraries (orv_pch) and one with GoogleTest for the test executables
# (orv_test_pch), each made by a small object library of its own, so no target waits for another
# library's build. The windowing library, the only one compiled with Qt's options, precompiles
# its own with the Qt headers it uses most; the chart (one batch) and the benchmarks use none.
option(ORV_PCH "Precompile the headers nearly every source file includes" OFF)
set(ORV_PCH_HEADERS
    <algorithm> <cstdint> <functional> <map> <memory> <string> <string_view> <vector>
    <rtl/Types.h> <rtl/SysUtils.h> <rtl/Currency.h> <rtl/Object.h> <rtl/Variant.h>
    <rtl/Format.h> <rtl/StrUtils.h> <rtl/StringList.h>)

# orv_pch_owner(<target> [HEADERS <extra header>...] [DEPS <targets>...]): the object library
# whose precompiled header, the shared set plus the extra headers, other targets reuse (its one
# source file is empty). DEPS are the libraries whose compile options its users get too: a
# precompiled header serves only compiles with the same macros.
function(orv_pch_owner target)
  cmake_parse_arguments(ARG "" "" "HEADERS;DEPS" ${ARGN})
  set(source ${CMAKE_BINARY_DIR}/${target}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Makes the precompiled header ${target}'s users reuse.\n")
  add_library(${target} OBJECT ${source})
  target_include_directories(${target} PRIVATE ${ORV_INCLUDE_DIRS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
  target_precompile_headers(${target} PRIVATE ${ORV_PCH_HEADERS} ${ARG_HEADERS})
endfunction()

# orv_precompile(<target> OWN <extra header>... | REUSE <owner>): the target's own precompiled
# header (the shared set plus the extra headers) or the one of an owner above.
function(orv_precompile target)
  cmake_parse_arguments(ARG "" "REUSE" "OWN" ${ARGN})
  if(NOT ORV_PCH)
    return()
  elseif(ARG_REUSE)
    target_precompile_headers(${target} REUSE_FROM ${ARG_REUSE})
  else()
    target_precompile_headers(${target} PRIVATE ${ORV_PCH_HEADERS} ${ARG_OWN})
  endif()
endfunction()

# Unity builds: each library and test executable compiles its source files in batches
# of neighbours (in name order, so the files of one unit share a batch), parsing the headers they
# share once per batch instead of once per file. File-local names stay unique within a target, so
# a batch never changes what a file means (scripts/check-unity-names.py checks it); a file that
# cannot share a batch gets the source property SKIP_UNITY_BUILD_INCLUSION. Turn it off to compile
# file by file, e.g. while editing one file again and again.
option(ORV_UNITY "Compile the sources of each target in batches" ON)
set(ORV_UNITY_BATCH_SIZE 8 CACHE STRING "Source files per unity batch")

# orv_unity(<target>): compile the target in batches when ORV_UNITY is on.
function(orv_unity target)
  if(ORV_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${ORV_UNITY_BATCH_SIZE})
  endif()
endfunction()

# orv_unity_skip(<source>...): compile these files of the current folder's target on their own,
# outside the batches (for a file whose file-local names match another file's).
function(orv_unity_skip)
  set_source_files_properties(${ARGN} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# orv_library(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...] [PCH <headers>... | NO_PCH])
# Builds the .cpp files of the current source folder into a static library. It reuses the shared
# precompiled header, unless PCH names headers for a header of its own (a library compiled with
# other options) or NO_PCH asks for none.
function(orv_library target)
  cmake_parse_arguments(ARG "NO_PCH" "" "DEPS;PRIVATE_DEPS;PCH" ${ARGN})
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
  if(ARG_PCH)
    orv_precompile(${target} OWN ${ARG_PCH})
  elseif(NOT ARG_NO_PCH)
    orv_precompile(${target} REUSE orv_pch)
  endif()
  orv_unity(${target})
endfunction()

# orv_test_options(<target>): what every test executable is compiled with on top of the project's
# options. Test code is optimised less (-O1 instead of -O2, in every type but Debug): it runs
# once per test run, and -O2 costs its GoogleTest-heavy code about 40% more compile time; the
# libraries under test keep the build type's optimisation, so the tests run the program's code.
function(orv_test_options target)
  target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O1>)
  if(ORV_UNITY)
    # In a batch the test files are included files, so GCC takes their fixtures in anonymous
    # namespaces for types of a header and warns of each test derived from one.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  endif()
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
  orv_precompile(${target} REUSE orv_test_pch)
  orv_unity(${target})
  orv_test_options(${target})
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
endfunction()
