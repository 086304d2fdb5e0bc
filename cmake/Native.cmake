# Host build: the simulated platform and every test that runs without Windows.
find_package(GTest REQUIRED)
find_package(benchmark QUIET)

file(GLOB simulated_sources CONFIGURE_DEPENDS src/platform/simulated/*.cpp)
add_library(tarnsel_simulated STATIC ${simulated_sources})
target_include_directories(tarnsel_simulated PUBLIC src)

include(cmake/TestSupport.cmake)

file(GLOB unit_tests CONFIGURE_DEPENDS tests/unit/*.cpp tests/unit/simulated/*.cpp tests/unit/kit/*.cpp)
add_executable(tarnsel_unit_tests ${unit_tests}
  tests/contract/PlatformContract.cpp
  tests/contract/SimulatedWorld.cpp)
target_include_directories(tarnsel_unit_tests PRIVATE tests)
# The kit tests compare the README's table of exit codes with the program's.
target_compile_definitions(tarnsel_unit_tests PRIVATE TARNSEL_README="${CMAKE_SOURCE_DIR}/README.md")
target_link_libraries(tarnsel_unit_tests PRIVATE tarnsel_kit tarnsel_core tarnsel_simulated
  tarnsel_test_support GTest::gtest GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(tarnsel_unit_tests DISCOVERY_MODE PRE_TEST)

# Tests of running out of memory: a program of their own, whose global
# allocation functions fail on demand.
file(GLOB allocation_tests CONFIGURE_DEPENDS tests/allocation/*.cpp)
add_executable(tarnsel_allocation_tests ${allocation_tests})
target_link_libraries(tarnsel_allocation_tests PRIVATE tarnsel_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(tarnsel_allocation_tests DISCOVERY_MODE PRE_TEST)

# The build scripts configure a build folder afresh after a failed or foreign configure.
add_test(NAME scripts.configure_preset_starts_afresh_after_a_failure
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/configure_preset.test.sh
          ${CMAKE_BINARY_DIR}/configure-preset-check)

# Nothing above the seam may reach for the Windows headers.
add_test(NAME layering.no_windows_headers_above_the_seam
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayering.cmake)

if(benchmark_FOUND)
  file(GLOB benchmark_sources CONFIGURE_DEPENDS benchmarks/*.cpp)
  if(benchmark_sources)
    add_executable(tarnsel_benchmarks ${benchmark_sources})
    target_link_libraries(tarnsel_benchmarks PRIVATE tarnsel_core tarnsel_simulated tarnsel_test_support
      benchmark::benchmark)
  endif()
endif()
