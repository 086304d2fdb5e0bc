# Builds the release archive with CPack and fails unless it holds what a publisher
# needs: both programs, the guide and a runnable demo kit, whose programs are
# built for the processor of this build (the 32-bit archive is the one that ships).
execute_process(COMMAND ${CPACK} --config CPackConfig.cmake WORKING_DIRECTORY ${BINARY_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
set(archive ${BINARY_DIR}/${NAME}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${archive}
                RESULT_VARIABLE status OUTPUT_VARIABLE listing)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list ${archive}")
endif()
foreach(expected Tarnsel.exe TarnselKit.exe shipping.txt demo/index.html demo/viewer.exe
                 demo/viewer/viewer.exe demo/viewer/startup.txt)
  string(FIND "${listing}" "${NAME}/${expected}\n" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${archive} lacks ${expected}:\n${listing}")
  endif()
endforeach()
if(PROCESSOR STREQUAL "x86_64")
  set(format pei-x86-64)
else()
  set(format pei-i386)
endif()
set(unpacked ${BINARY_DIR}/package-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archive} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${archive}")
endif()
foreach(program Tarnsel.exe TarnselKit.exe demo/viewer.exe demo/viewer/viewer.exe)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${OBJDUMP} -f ${unpacked}/${NAME}/${program}
                  RESULT_VARIABLE status OUTPUT_VARIABLE header ERROR_VARIABLE header)
  if(NOT status EQUAL 0 OR NOT header MATCHES "file format ${format}")
    message(FATAL_ERROR "${archive}: ${program} is not a ${format} program:\n${header}")
  endif()
endforeach()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "${archive} holds ${format} programs:\n${listing}")
