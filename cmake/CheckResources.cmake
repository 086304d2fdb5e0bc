# Reads the resources back out of the built program and checks the version
# information and the manifest that Windows reads before the program runs, and
# the program icon that the shell shows for it. MANIFEST_PROCESSOR is the
# processor the manifest must name for the program's own identity.
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE rc RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not read the resources of ${EXE}")
endif()
set(expected
  "FILEVERSION 2, 1, 6, 13"
  "PRODUCTVERSION 2, 1, 6, 13"
  "VALUE \"FileVersion\", \"2.1.6.13\""
  "VALUE \"ProductVersion\", \"1.2\""
  "VALUE \"ProductName\", \"Tarnsel\""
  "VALUE \"FileDescription\", \"Tarnsel\""
  "VALUE \"OriginalFilename\", \"Tarnsel\""
  "VALUE \"LegalTrademarks\", \"Tarnsel\""
  # デスクトップにコピーして起動, as UTF-16 escapes
  "L\"\\x30c7\\x30b9\\x30af\\x30c8\\x30c3\\x30d7\\x306b\\x30b3\\x30d4\\x30fc\\x3057\\x3066\\x8d77\\x52d5\""
  "1 24 /* RT_MANIFEST */"
  "1 14 /* RT_GROUP_ICON */")
foreach(text IN LISTS expected)
  string(FIND "${rc}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing from the resources: ${text}")
  endif()
endforeach()
# The manifest is stored as its UTF-8 text, which the resource listing may show
# only as numbers: it is looked for in the program's bytes.
file(READ ${EXE} program HEX)
foreach(text
    "<assemblyIdentity type=\"win32\" name=\"Tarnsel\" version=\"2.1.6.13\" processorArchitecture=\"${MANIFEST_PROCESSOR}\"/>"
    "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"
    "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
    "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"
    "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"")
  string(HEX "${text}" hex)
  string(FIND "${program}" "${hex}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "missing from the manifest: ${text}")
  endif()
endforeach()
# One icon group (the shell takes the first), with an image for each of 16, 32
# and 48 pixels.
string(REGEX MATCHALL "[0-9]+ 14 /\\* RT_GROUP_ICON" groups "${rc}")
string(REGEX MATCHALL "[0-9]+ 3 /\\* RT_ICON" images "${rc}")
list(LENGTH groups group_count)
list(LENGTH images image_count)
if(NOT group_count EQUAL 1 OR image_count LESS 3)
  message(FATAL_ERROR "expected one icon group of at least 3 images, found ${group_count} and ${image_count}")
endif()
message(STATUS "resources: version information, manifest and program icon present")
