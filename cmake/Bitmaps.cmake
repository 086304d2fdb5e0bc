# The program's bitmaps are kept as pixel art in XPM text (src/resources/art) and
# turned into 16-colour BMP files and a resource script at build time; the
# program icon's sizes (src/resources/art/icon) into one icon file.
find_program(TARNSEL_CONVERT NAMES convert-im6.q16 convert-im6 convert PATHS /usr/bin NO_DEFAULT_PATH
             REQUIRED)

function(tarnsel_bitmap_resources out_rc)
  file(GLOB art CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/art/*.xpm)
  set(bitmaps "")
  set(lines "")
  foreach(xpm IN LISTS art)
    get_filename_component(name ${xpm} NAME_WE)
    set(bmp ${CMAKE_BINARY_DIR}/bitmaps/${name}.bmp)
    add_custom_command(OUTPUT ${bmp}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bitmaps
      COMMAND ${TARNSEL_CONVERT} ${xpm} -type Palette BMP3:${bmp}
      DEPENDS ${xpm} VERBATIM)
    list(APPEND bitmaps ${bmp})
    string(APPEND lines "${name} BITMAP \"${bmp}\"\n")
  endforeach()
  set(rc ${CMAKE_BINARY_DIR}/bitmaps/bitmaps.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "${lines}")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${bitmaps}")
  add_custom_target(tarnsel_bitmaps DEPENDS ${bitmaps})
  set(${out_rc} ${rc} PARENT_SCOPE)
endfunction()

# The program icon: every size of art/icon in one icon file, each image 16
# colours deep with its transparency mask, and the resource scripts that take it in.
# Returns the folder that holds Tarnsel.ico.
function(tarnsel_program_icon out_dir)
  file(GLOB sizes CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/art/icon/TARNSEL*.xpm)
  # Smallest first, as the icon directory lists them.
  list(SORT sizes COMPARE NATURAL)
  set(dir ${CMAKE_BINARY_DIR}/icon)
  set(ico ${dir}/Tarnsel.ico)
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/MakeIcon.sh ${TARNSEL_CONVERT} ${ico} ${sizes}
    DEPENDS ${sizes} ${CMAKE_SOURCE_DIR}/cmake/MakeIcon.sh VERBATIM)
  # Every image of the icon shows its picture exactly, transparency included.
  add_test(NAME resources.program_icon_matches_its_art
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/check-icon.sh ${TARNSEL_CONVERT} ${ico} ${sizes})
  add_custom_target(tarnsel_icon DEPENDS ${ico})
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/resources/Tarnsel.rc
    ${CMAKE_SOURCE_DIR}/src/resources/ProgramIcon.rc PROPERTIES OBJECT_DEPENDS ${ico})
  set(${out_dir} ${dir} PARENT_SCOPE)
endfunction()
