# The picture readers (GIF with colour reduction, PNG, the BMP reader of the bitmap) and their
# tests, the picture-class tests among them, built once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, so damaged files are checked for memory faults. The BMP reader's
# sanitized copy takes the place of the windowing library's own in this executable.
file(GLOB codec_sources CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/controls/KxGIF*.cpp ${CMAKE_SOURCE_DIR}/controls/KxGraph*.cpp
     ${CMAKE_SOURCE_DIR}/report/vrpngimage*.cpp ${CMAKE_SOURCE_DIR}/platform/gui/Bitmap_Bmp.cpp)
# In their libraries these files stay objects of their own, outside the unity batches, so the
# sanitized copies here take their place without taking the batches' other files along.
set_source_files_properties(${codec_sources} DIRECTORY ${CMAKE_SOURCE_DIR}/controls ${CMAKE_SOURCE_DIR}/report
                            ${CMAKE_SOURCE_DIR}/platform/gui PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
file(GLOB codec_tests CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tests/controls/KxGIF*Test.cpp ${CMAKE_SOURCE_DIR}/tests/controls/KxGraph*Test.cpp
     ${CMAKE_SOURCE_DIR}/tests/controls/GifPictureTest.cpp ${CMAKE_SOURCE_DIR}/tests/report/PngPictureTest.cpp
     ${CMAKE_SOURCE_DIR}/tests/report/vrpngimage*Test.cpp ${CMAKE_SOURCE_DIR}/tests/platform/gui/BitmapBmp*Test.cpp
     ${CMAKE_SOURCE_DIR}/tests/fuzz/Fuzz*.cpp)
find_package(ZLIB REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Core Gui)
set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_executable(test_codecs_asan ${codec_sources} ${codec_tests})
target_include_directories(test_codecs_asan PRIVATE ${ORV_INCLUDE_DIRS} ${CMAKE_SOURCE_DIR}/tests)
# The fuzz targets' seed corpora run here too (the XML and ini readers and the filter texts from
# their libraries).
target_compile_definitions(test_codecs_asan PRIVATE ORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
orv_test_options(test_codecs_asan)
target_compile_options(test_codecs_asan PRIVATE ${sanitize} -O1)
orv_unity(test_codecs_asan)
# Their file-local Put32, Chunk and Png match those of other files here.
set_source_files_properties(${CMAKE_SOURCE_DIR}/platform/gui/Bitmap_Bmp.cpp ${CMAKE_SOURCE_DIR}/tests/report/vrpngimageTest.cpp
                            PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
target_link_options(test_codecs_asan PRIVATE ${sanitize})
target_link_libraries(test_codecs_asan PRIVATE orv_report orv_grid orv_gui orv_classes orv_rtl ZLIB::ZLIB Qt6::Gui Qt6::Core GTest::gtest GTest::gtest_main)
add_test(NAME test_codecs_asan COMMAND test_codecs_asan)
set_tests_properties(test_codecs_asan PROPERTIES ENVIRONMENT
                     "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1")
