# Builds the release archive with CPack and fails unless it holds what a publisher
# needs: both programs, the guide and a runnable demo kit.
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
message(STATUS "${archive} holds:\n${listing}")
