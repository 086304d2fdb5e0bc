# The test doubles shared by the unit tests, the fuzz targets and the benchmarks:
# one recording canvas, one screen-services fake, the named test bitmaps.
file(GLOB test_support_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(tarnsel_test_support STATIC ${test_support_sources})
target_include_directories(tarnsel_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tarnsel_test_support PUBLIC tarnsel_core)
