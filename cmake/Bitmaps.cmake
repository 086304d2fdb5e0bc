# The program's bitmaps are kept as pixel art in XPM text (src/resources/art) and
# turned into 16-colour BMP files and a resource script at build time.
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
