cmake_minimum_required(VERSION 3.25)
# Reads the program's link map and checks that the runtime pieces a small
# program does without stay out of it: the demangler (only the runtime's verbose
# terminate handler reaches it), the C library's formatted printing with its
# floating-point conversion, the lock of local statics and, with THREADLESS, the
# POSIX thread library's threads and keys (the runtime's emulated thread-local
# storage needs them, and the 32-bit unwinder's once-call comes with them); with
# FOLDED, no output section of its own for the unwind data, the initialiser
# tables or the thread-local template. The stripped program must stay within its
# size budget.
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
if(THREADLESS)
  list(APPEND unwanted "(emutls.o" "emulated thread-local storage"
                       "_la-thread.o" "the POSIX thread library's threads and keys")
endif()
set(failed "")
while(unwanted)
  list(POP_FRONT unwanted member what)
  string(FIND "${map}" "${member})" found)
  if(NOT found EQUAL -1)
    string(APPEND failed "\n  ${what}")
  endif()
endwhile()
# With FOLDED, the small sections must have gone into larger ones.
if(FOLDED)
  foreach(section .xdata .CRT .tls)
    string(REGEX MATCH "\n\\${section}[ \n]" found "${map}")
    if(found)
      string(APPEND failed "\n  an output section of its own for ${section}")
    endif()
  endforeach()
endif()
file(SIZE ${EXE} size)
if(size GREATER BUDGET)
  string(APPEND failed "\n  the program is ${size} bytes, over its budget of ${BUDGET}")
endif()
if(failed)
  message(FATAL_ERROR "the program links what it should not:${failed}")
endif()
message(STATUS "link: ${size} bytes, none of the unwanted runtime pieces")
