# Writes the README's section on shipping an application as the plain-text guide
# of the release archive, so the guide has one source. Call with -DREADME= -DOUT=.
file(READ ${README} readme)
string(FIND "${readme}" "## Shipping your application with Tarnsel" start)
if(start EQUAL -1)
  message(FATAL_ERROR "README has no section on shipping an application")
endif()
string(SUBSTRING "${readme}" ${start} -1 section)
# The section ends where the next one of its level begins.
string(SUBSTRING "${section}" 3 -1 rest)
string(FIND "${rest}" "\n## " end)
if(NOT end EQUAL -1)
  math(EXPR length "${end} + 4")
  string(SUBSTRING "${section}" 0 ${length} section)
endif()
string(REPLACE "\n" "\r\n" section "${section}")
file(WRITE ${OUT} "${section}")
