# Runs HELP_COMMAND (a list) with --help and turns its output into the manual
# page PAGE with the MANPAGE tool; a failure of either fails the build, and
# so does a help text whose second line does not say SUMMARY (when given),
# the program's line in the suite's list of programs, as a sentence.
execute_process(COMMAND ${HELP_COMMAND} --help
                OUTPUT_VARIABLE help
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot make ${PAGE}: ${HELP_COMMAND} --help ended with ${result}")
endif()
if(NOT SUMMARY STREQUAL "")
  string(SUBSTRING "${SUMMARY}" 0 1 first)
  string(SUBSTRING "${SUMMARY}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  string(FIND "${help}" "\n${first}${rest}.\n" at)
  string(FIND "${help}" "\n" first_line_end)
  if(NOT at EQUAL first_line_end)
    message(FATAL_ERROR "${PAGE}: the second line of the help text is not \"${first}${rest}.\", "
                        "as the list of programs in CMakeLists.txt has it")
  endif()
endif()
file(WRITE ${PAGE}.help "${help}")
execute_process(COMMAND ${MANPAGE} ${FOOTER}
                INPUT_FILE ${PAGE}.help
                OUTPUT_FILE ${PAGE}.part
                RESULT_VARIABLE result)
file(REMOVE ${PAGE}.help)
if(NOT result EQUAL 0)
  file(REMOVE ${PAGE}.part)
  message(FATAL_ERROR "cannot make ${PAGE}: manpage ended with ${result}")
endif()
file(RENAME ${PAGE}.part ${PAGE})
