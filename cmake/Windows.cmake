# Cross build: the program, the Win32 platform, and the tests that run under Wine
# (the code generation options are in cmake/WindowsCodeGen.cmake).

add_library(tarnsel_win32 STATIC
  src/platform/win32/Win32FileSystem.cpp
  src/platform/win32/Win32Shell.cpp
  src/platform/win32/Win32Drives.cpp
  src/platform/win32/Win32CodePage.cpp
  src/platform/win32/Win32RealNames.cpp
  src/platform/win32/WideText.cpp
  src/platform/win32/WebBrowserHost.cpp
  src/platform/win32/SystemLibrary.cpp
  src/platform/win32/PreloadedLibraries.cpp)
target_link_libraries(tarnsel_win32 PUBLIC tarnsel_core shell32 ole32 oleaut32 uuid)
if(TARNSEL_STARTUP_TRACE)
  # A measuring build: the shipped program (MinSizeRel) never carries the stamps.
  if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    message(FATAL_ERROR "TARNSEL_STARTUP_TRACE is for measuring builds, not the shipped MinSizeRel one")
  endif()
  target_sources(tarnsel_win32 PRIVATE src/platform/win32/StartupTrace.cpp)
  target_compile_definitions(tarnsel_win32 PUBLIC TARNSEL_STARTUP_TRACE)
endif()

# The class library of our own, the controls' windows and the program's forms.
add_library(tarnsel_ui STATIC
  src/ui/Application.cpp
  src/ui/Window.cpp
  src/ui/Form.cpp
  src/ui/WindowShow.cpp
  src/ui/MessageBoxShow.cpp
  src/ui/Control.cpp
  src/ui/Panel.cpp
  src/ui/Label.cpp
  src/ui/Edit.cpp
  src/ui/Button.cpp
  src/ui/WebBrowser.cpp
  src/ui/GdiCanvas.cpp
  src/ui/ScreenValues.cpp
  src/ui/StoredLayout.cpp
  src/ui/Text.cpp
  src/controls/win32/FileListBoxView.cpp
  src/controls/win32/ListItems.cpp
  src/controls/win32/DriveComboBoxView.cpp
  src/controls/win32/OutlineGridView.cpp
  src/windows/TForm1.cpp
  src/windows/Form1Layout.cpp
  src/windows/TForm2.cpp
  src/windows/Form2Layout.cpp)
target_link_libraries(tarnsel_ui PUBLIC tarnsel_win32 gdi32)

include(cmake/Bitmaps.cmake)
tarnsel_bitmap_resources(bitmap_rc)
tarnsel_program_icon(icon_dir)
include(cmake/Manifest.cmake)
tarnsel_manifest(manifest_dir manifest_processor)

# The C++ runtime's terminate handler and per-thread exception record, replaced by
# ones that leave out the demangler and the POSIX thread library.
add_library(tarnsel_runtime OBJECT src/app/TerminateHandler.cpp src/app/ExceptionGlobals.cpp)

# The POSIX once-call that the 32-bit unwinder makes, without the thread library;
# the program's alone, since test programs that start threads need the library's.
add_executable(Tarnsel WIN32 src/app/Tarnsel.cpp src/app/ThreadOnce.cpp src/resources/Tarnsel.rc
                       ${bitmap_rc})
target_link_libraries(Tarnsel PRIVATE tarnsel_ui tarnsel_runtime)
add_dependencies(Tarnsel tarnsel_bitmaps tarnsel_icon)
# The resource script finds the icon file and the identifiers' header here.
target_include_directories(Tarnsel PRIVATE ${icon_dir} ${manifest_dir} src/resources)
# The link map beside the program shows what each archive adds (benchmarks/size-breakdown.sh).
target_link_options(Tarnsel PRIVATE -s "-Wl,-Map=$<TARGET_FILE_DIR:Tarnsel>/Tarnsel.map")
# On x86_64 the linker's default script would keep every function's unwind table
# and with it the function: link twice to drop both for code nothing reaches.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set_property(TARGET Tarnsel PROPERTY RULE_LAUNCH_LINK
    "bash ${CMAKE_SOURCE_DIR}/cmake/LinkWithoutDeadUnwind.sh ${CMAKE_LINKER}")
  set_property(TARGET Tarnsel APPEND PROPERTY LINK_DEPENDS
               ${CMAKE_SOURCE_DIR}/cmake/LinkWithoutDeadUnwind.sh
               ${CMAKE_SOURCE_DIR}/cmake/FoldSmallSections.awk)
else()
  # The link map is read by the checks and the size breakdown: in the linker's own
  # words, whatever language the build runs in.
  set_property(TARGET Tarnsel PROPERTY RULE_LAUNCH_LINK "env LC_ALL=C")
endif()

# The publisher's console tool: its own executable, never linked into the launcher.
add_executable(TarnselKit src/app/TarnselKit.cpp src/platform/win32/Win32KitServices.cpp)
target_link_libraries(TarnselKit PRIVATE tarnsel_kit tarnsel_win32 tarnsel_runtime)
target_link_options(TarnselKit PRIVATE -municode -s)

# Test helpers started by the end-to-end scripts.
add_executable(probe tests/probe/probe.cpp)
add_executable(attrtool tests/tools/attrtool.cpp)
add_executable(wintext tests/tools/wintext.cpp)
add_executable(showrun tests/tools/showrun.cpp)
add_executable(timeshow tests/tools/timeshow.cpp)
add_executable(icontool tests/tools/icontool.cpp)
target_link_options(icontool PRIVATE -municode)
target_link_libraries(icontool PRIVATE shell32 gdi32)
target_link_options(timeshow PRIVATE -municode)
add_executable(minwindow WIN32 tests/tools/minwindow.cpp)
target_link_options(minwindow PRIVATE -municode)
target_link_libraries(minwindow PRIVATE shell32 ole32 oleaut32 gdi32)
target_link_options(showrun PRIVATE -municode)
# A library planted beside the launcher under system DLL names; it leaves a marker when loaded.
add_library(planted SHARED tests/tools/planted.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
# The helpers hold their handles in the product's owners and in tests/tools/ToolHandles.h.
foreach(tool probe attrtool wintext showrun timeshow icontool minwindow planted)
  target_include_directories(${tool} PRIVATE src tests/tools)
endforeach()
# A form with the drive list on the real drives; prints its fill time.
add_executable(DriveListDemo tests/wine/DriveListDemo.cpp ${bitmap_rc})
target_link_libraries(DriveListDemo PRIVATE tarnsel_ui)
add_dependencies(DriveListDemo tarnsel_bitmaps)
# A form with an outline on a small fixed tree; its window text tells its state.
add_executable(OutlineDemo tests/wine/OutlineDemo.cpp ${bitmap_rc})
target_link_libraries(OutlineDemo PRIVATE tarnsel_ui)
add_dependencies(OutlineDemo tarnsel_bitmaps)
include(cmake/BenchTools.cmake)

# GoogleTest built from Debian's source with this toolchain.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The test framework's own sources are not ours to change: no warnings from them.
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

add_executable(tarnsel_wine_tests
  tests/contract/PlatformContract.cpp
  tests/contract/Win32World.cpp
  tests/wine/WebBrowserHostTest.cpp
  tests/wine/FormKeyboardTest.cpp
  tests/wine/OutlineGridViewTest.cpp
  tests/wine/SystemLibraryTest.cpp
  tests/wine/ProgramIconTest.cpp
  tests/wine/ModalResultTest.cpp
  tests/wine/FormBindTest.cpp
  src/resources/ProgramIcon.rc
  tests/wine/MessageBoxShowTest.cpp
  tests/wine/WindowBaseTest.cpp
  tests/wine/ExceptionGlobalsTest.cpp
  tests/wine/OnceWordTest.cpp
  ${bitmap_rc})
target_include_directories(tarnsel_wine_tests PRIVATE tests ${icon_dir} src/resources)
target_link_libraries(tarnsel_wine_tests PRIVATE tarnsel_win32 tarnsel_ui tarnsel_runtime gtest gtest_main)
add_dependencies(tarnsel_wine_tests tarnsel_bitmaps tarnsel_icon)

include(GoogleTest)
gtest_discover_tests(tarnsel_wine_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)

# End-to-end runs of the real program under Wine.
file(GLOB e2e_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.test.sh)
foreach(script IN LISTS e2e_scripts)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name}
    COMMAND bash ${script} $<TARGET_FILE:Tarnsel> $<TARGET_FILE_DIR:probe>)
  set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_desktop)
endforeach()

find_program(TARNSEL_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)
include(cmake/Package.cmake)

add_test(NAME resources.version_information_and_manifest
  COMMAND ${CMAKE_COMMAND} -DWINDRES=${CMAKE_RC_COMPILER} -DEXE=$<TARGET_FILE:Tarnsel>
          -DMANIFEST_PROCESSOR=${manifest_processor}
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckResources.cmake)

add_test(NAME resources.imports_only_system_dlls
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TARNSEL_OBJDUMP} -DEXE=$<TARGET_FILE:Tarnsel>
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
add_test(NAME resources.yardstick_imports_as_the_program
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TARNSEL_OBJDUMP} -DEXE=$<TARGET_FILE:Tarnsel>
          -DYARDSTICK=$<TARGET_FILE:minwindow> -P ${CMAKE_SOURCE_DIR}/cmake/CheckSameImports.cmake)
if(NOT TARNSEL_STARTUP_TRACE)
  add_test(NAME resources.no_startup_stamps
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Tarnsel>
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoStartupTrace.cmake)
endif()

# The program is linked stripped; its budget keeps what was cut from coming back.
# The 32-bit program carries every object's unwind section, and with it code the
# 64-bit link drops, so its budget is larger.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(size_budget 204800)
  set(tarnsel_bits 64)
else()
  set(size_budget 307200)
  set(tarnsel_bits 32)
endif()
# The scripts read each program's bitness to pick its loader.
add_test(NAME resources.programs_read_as_their_bitness
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/pe_bitness.test.sh ${tarnsel_bits}
          $<TARGET_FILE:Tarnsel> $<TARGET_FILE:TarnselKit> $<TARGET_FILE:probe> $<TARGET_FILE:planted>)
add_test(NAME resources.small_link_without_unneeded_runtime
  COMMAND ${CMAKE_COMMAND} -DMAP=$<TARGET_FILE_DIR:Tarnsel>/Tarnsel.map -DEXE=$<TARGET_FILE:Tarnsel>
          -DBUDGET=${size_budget} -DTHREADLESS=ON
          -DFOLDED=$<STREQUAL:${CMAKE_SYSTEM_PROCESSOR},x86_64>
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckLinkMap.cmake)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  # Dropping unreached code with its tables must leave every kept function its table.
  add_test(NAME resources.kept_code_keeps_unwind_tables
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/check-unwind-tables.sh ${TARNSEL_OBJDUMP}
            $<TARGET_FILE_DIR:Tarnsel>/Tarnsel.map $<TARGET_FILE:Tarnsel>
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
# The functions are packed end to end without losing the alignment member functions need.
add_test(NAME resources.packed_code_keeps_member_alignment
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/check-packed-code.sh ${CMAKE_CXX_COMPILER}
          ${TARNSEL_OBJDUMP} ${CMAKE_BINARY_DIR}/packed-code-check)
add_test(NAME kit.imports_only_system_dlls
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TARNSEL_OBJDUMP} -DEXE=$<TARGET_FILE:TarnselKit>
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
