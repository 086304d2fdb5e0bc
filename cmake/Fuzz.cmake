# Fuzz build: the core library and the simulated platform instrumented for
# libFuzzer with ASan and UBSan, and one executable per target in tests/fuzz.
# Nothing else is built here: no unit tests, no benchmarks, no GoogleTest.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "TARNSEL_FUZZ needs clang with libFuzzer (the fuzz preset uses clang++-14)")
endif()
if(TARNSEL_SANITIZE)
  message(FATAL_ERROR "TARNSEL_FUZZ brings its own sanitizers; leave TARNSEL_SANITIZE off")
endif()

# Any undefined behaviour stops the run, so libFuzzer records the input.
set(fuzz_sanitizers address,undefined)
set(fuzz_compile_options
  -fsanitize=fuzzer-no-link,${fuzz_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)

file(GLOB simulated_sources CONFIGURE_DEPENDS src/platform/simulated/*.cpp)
add_library(tarnsel_simulated STATIC ${simulated_sources})
target_include_directories(tarnsel_simulated PUBLIC src)

include(cmake/TestSupport.cmake)

foreach(library tarnsel_core tarnsel_simulated tarnsel_test_support)
  target_compile_options(${library} PRIVATE ${fuzz_compile_options})
endforeach()

file(GLOB fuzz_sources CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
foreach(source ${fuzz_sources})
  get_filename_component(target ${source} NAME_WE)
  add_executable(${target} ${source})
  target_include_directories(${target} PRIVATE tests)
  target_compile_options(${target} PRIVATE ${fuzz_compile_options})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,${fuzz_sanitizers})
  target_link_libraries(${target} PRIVATE tarnsel_core tarnsel_simulated tarnsel_test_support)
endforeach()
