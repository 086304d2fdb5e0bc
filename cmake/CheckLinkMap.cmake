cmake_minimum_required(VERSION 3.25)
# Reads the program's link map and checks that the runtime pieces a small
# program does without stay out of it: the demangler (only the runtime's verbose
# terminate handler reaches it), the C library's formatted printing with its
# floating-point conversion, and the lock of local statics. The stripped program
# must stay within its size budget.
file(READ ${MAP} map)
string(FIND "${map}" "Linker script and memory map" start)
if(start EQUAL -1)
  message(FATAL_ERROR "not a link map: ${MAP}")
endif()
set(unwanted
  "(cp-demangle.o" "the demangler"
  "_a-mingw_pformat.o" "formatted printing"
  "_a-gdtoa.o" "floating-point conversion"
  "(guard.o" "locked local statics")
set(failed "")
while(unwanted)
  list(POP_FRONT unwanted member what)
  string(FIND "${map}" "${member})" found)
  if(NOT found EQUAL -1)
    string(APPEND failed "\n  ${what}")
  endif()
endwhile()
file(SIZE ${EXE} size)
if(size GREATER BUDGET)
  string(APPEND failed "\n  the program is ${size} bytes, over its budget of ${BUDGET}")
endif()
if(failed)
  message(FATAL_ERROR "the program links what it should not:${failed}")
endif()
message(STATUS "link: ${size} bytes, none of the unwanted runtime pieces")
