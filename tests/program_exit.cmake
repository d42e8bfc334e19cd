# Runs PROGRAM with the arguments in ARGS (a ;-list), its standard output
# going to OUTPUT (a file; by default it is kept), and fails unless it exits
# with CODE and its standard error holds ERROR.
#   cmake -DPROGRAM=... -DARGS=... -DCODE=... -DERROR=... [-DOUTPUT=/dev/full] -P program_exit.cmake
if(OUTPUT)
  execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_FILE ${OUTPUT}
                  ERROR_VARIABLE err)
else()
  execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
endif()
string(FIND "${err}" "${ERROR}" at)
if(NOT code STREQUAL "${CODE}" OR at EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} ${ARGS}: exit ${code}, wanted ${CODE}\n"
                      "standard error: [${err}]\nwanted in it: [${ERROR}]")
endif()
