# The application manifest, made from src/resources/Tarnsel.manifest.in at
# configure time: the program's own identity names the processor the program is
# built for (Windows refuses to start a program whose manifest names another),
# and the comments and the indentation that keep the template readable are left
# out of the copy the program carries.
# Returns the folder that holds Tarnsel.manifest and the processor name it gives.
function(tarnsel_manifest out_dir out_processor)
  set(template ${CMAKE_SOURCE_DIR}/src/resources/Tarnsel.manifest.in)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(TARNSEL_MANIFEST_ARCH amd64)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86|i[3-6]86)$")
    set(TARNSEL_MANIFEST_ARCH x86)
  else()
    message(FATAL_ERROR "no manifest processor name for ${CMAKE_SYSTEM_PROCESSOR}")
  endif()
  file(READ ${template} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" text "${text}")
  string(REGEX REPLACE ">[ \t\r\n]+" ">" text "${text}")
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  string(REGEX REPLACE " ?(/?>)" "\\1" text "${text}")
  set(dir ${CMAKE_BINARY_DIR}/manifest)
  file(CONFIGURE OUTPUT ${dir}/Tarnsel.manifest CONTENT "${text}" @ONLY)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/resources/Tarnsel.rc APPEND PROPERTY
    OBJECT_DEPENDS ${dir}/Tarnsel.manifest)
  set(${out_dir} ${dir} PARENT_SCOPE)
  set(${out_processor} ${TARNSEL_MANIFEST_ARCH} PARENT_SCOPE)
endfunction()
