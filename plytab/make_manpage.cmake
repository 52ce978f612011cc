# Runs HELP_COMMAND (a list) with --help and turns its output into the manual
# page PAGE with the MANPAGE tool; a failure of either fails the build.
execute_process(COMMAND ${HELP_COMMAND} --help
                COMMAND ${MANPAGE} ${FOOTER}
                OUTPUT_FILE ${PAGE}.part
                RESULTS_VARIABLE results)
foreach(result IN LISTS results)
  if(NOT result EQUAL 0)
    file(REMOVE ${PAGE}.part)
    message(FATAL_ERROR "cannot make ${PAGE}: ${results}")
  endif()
endforeach()
file(RENAME ${PAGE}.part ${PAGE})
