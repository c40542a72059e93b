# The picture codecs (GIF with colour reduction, PNG) and their tests built once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, so damaged files are checked for memory faults.
file(GLOB codec_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/controls/KxGIF*.cpp ${CMAKE_SOURCE_DIR}/controls/KxGraph*.cpp
     ${CMAKE_SOURCE_DIR}/report/vrpngimage*.cpp)
file(GLOB codec_tests CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/controls/KxGIF*Test.cpp ${CMAKE_SOURCE_DIR}/tests/controls/KxGraph*Test.cpp
     ${CMAKE_SOURCE_DIR}/tests/report/vrpngimage*Test.cpp)
find_package(ZLIB REQUIRED)
set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_executable(test_codecs_asan ${codec_sources} ${codec_tests})
target_include_directories(test_codecs_asan PRIVATE ${ORV_INCLUDE_DIRS} ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(test_codecs_asan PRIVATE ${sanitize} -O1)
target_link_options(test_codecs_asan PRIVATE ${sanitize})
target_link_libraries(test_codecs_asan PRIVATE orv_gui orv_classes orv_rtl ZLIB::ZLIB GTest::gtest GTest::gtest_main)
add_test(NAME test_codecs_asan COMMAND test_codecs_asan)
set_tests_properties(test_codecs_asan PROPERTIES ENVIRONMENT
                     "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1")
