# The release archive: the launcher, the kit tool, the shipping guide (taken from
# the README) and the demo kit, laid out ready to run, in one ZIP named with the
# version and the architecture. The one that ships is the 32-bit build's, whose
# programs start on every Windows.
set(shipping_guide ${CMAKE_BINARY_DIR}/shipping.txt)
add_custom_command(OUTPUT ${shipping_guide}
  COMMAND ${CMAKE_COMMAND} -DREADME=${CMAKE_SOURCE_DIR}/README.md -DOUT=${shipping_guide}
          -P ${CMAKE_SOURCE_DIR}/cmake/ShippingGuide.cmake
  DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/cmake/ShippingGuide.cmake)
add_custom_target(shipping_guide ALL DEPENDS ${shipping_guide})

install(TARGETS Tarnsel TarnselKit RUNTIME DESTINATION .)
install(FILES ${shipping_guide} DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/kit/ DESTINATION demo)
# The demo kit ready to run: the launcher under the kit's name, the stand-in program inside.
install(FILES $<TARGET_FILE:Tarnsel> DESTINATION demo RENAME viewer.exe)
install(FILES $<TARGET_FILE:probe> DESTINATION demo/viewer RENAME viewer.exe)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarnsel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(tarnsel_package_name Tarnsel-${PROJECT_VERSION}-win64)
else()
  set(tarnsel_package_name Tarnsel-${PROJECT_VERSION}-win32)
endif()
set(CPACK_PACKAGE_FILE_NAME ${tarnsel_package_name})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

add_test(NAME package.release_archive_contents
  COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${CMAKE_BINARY_DIR} -DCPACK=${CMAKE_CPACK_COMMAND}
          -DNAME=${tarnsel_package_name} -DOBJDUMP=${TARNSEL_OBJDUMP}
          -DPROCESSOR=${CMAKE_SYSTEM_PROCESSOR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
