cmake_minimum_required(VERSION 3.25)
# The program must run from a medium on a bare system, and a DLL planted beside
# it must never be loaded: it may import only DLLs that every Windows has and
# that the loader takes from the system whatever lies beside the program (the
# known DLLs). Anything else is loaded at run time, after the program has limited
# the library search to the system folder.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not read the imports of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
set(system kernel32 user32 gdi32 shell32 ole32 oleaut32 msvcrt advapi32)
foreach(entry IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" base "${dll}")
  if(NOT base IN_LIST system)
    message(FATAL_ERROR "imports a DLL that is not the system's: ${dll}")
  endif()
endforeach()
list(LENGTH names count)
message(STATUS "imports: ${count} system DLLs")
