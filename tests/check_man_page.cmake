# Renders a manual page the way man shows it and fails on any warning of
# groff or man (lintian reports the same warnings as errors of the package).
execute_process(COMMAND man --warnings -E UTF-8 -l ${PAGE}
                RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR text STREQUAL "")
  message(FATAL_ERROR "man -l ${PAGE} (status ${result}):\n${warnings}")
endif()
