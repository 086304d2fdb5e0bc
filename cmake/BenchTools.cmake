# Windows tools that benchmarks/report.sh runs under Wine; they build on the
# product's own Win32 platform and controls, so they measure the shipped code.
add_executable(walkbench benchmarks/win32/WalkBench.cpp)
target_link_libraries(walkbench PRIVATE tarnsel_win32)

add_executable(filelistfill benchmarks/win32/FileListFill.cpp ${bitmap_rc})
target_link_libraries(filelistfill PRIVATE tarnsel_ui)
add_dependencies(filelistfill tarnsel_bitmaps)
