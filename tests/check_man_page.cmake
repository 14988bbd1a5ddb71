# Renders a manual page the way man shows it and fails on any warning of
# groff or man (lintian reports the same warnings as errors of the package).
execute_process(COMMAND man --warnings -E UTF-8 -l ${PAGE}
                RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR text STREQUAL "")
  message(FATAL_ERROR "man -l ${PAGE} (status ${result}):\n${warnings}")
endif()
# Every command of the registry stands in the page with its English caption,
# as the tool itself lists them: a command added to the menus and not to the
# page, or a caption reworded in one place only, fails here.
execute_process(COMMAND ${CLI} --list --lang en RESULT_VARIABLE listed OUTPUT_VARIABLE commands)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "${CLI} --list --lang en failed")
endif()
string(REPLACE "\n" ";" commands "${commands}")
foreach(line IN LISTS commands)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(GET fields 0 id)
  list(GET fields 1 caption)
  string(FIND "${text}" "${id}" idAt)
  string(FIND "${text}" "${caption}." captionAt)
  if(idAt EQUAL -1 OR captionAt EQUAL -1)
    message(FATAL_ERROR "${PAGE} does not list ${id} with its caption \"${caption}\"")
  endif()
endforeach()
