# Helpers that give every library, test executable and benchmark the same shape.
# Sources are picked up from the library's own folder (not its subfolders, which are libraries
# of their own), so adding a file needs no edit here.

# Include roots: platform libraries are reached as "rtl/...", "classes/...", "db/...", "gui/...";
# the libraries above them as "grid/...", "script/...", "report/...", "app/...".
set(ORV_INCLUDE_DIRS ${CMAKE_SOURCE_DIR}/platform ${CMAKE_SOURCE_DIR})

# orv_library(<target> [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
# Builds the .cpp files of the current source folder into a static library.
function(orv_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
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
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# orv_bench(<target> DIR <folder under bench/> DEPS <targets>...)
function(orv_bench target)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/${ARG_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${ORV_INCLUDE_DIRS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${target} PRIVATE ORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endfunction()
