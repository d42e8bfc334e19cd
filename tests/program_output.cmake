# Runs PROGRAM with the arguments in ARGS (a ;-list) and fails unless it exits
# 0 and prints exactly EXPECTED and a newline on standard output.
#   cmake -DPROGRAM=... -DARGS=... -DEXPECTED=... -P program_output.cmake
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE code OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out STREQUAL "${EXPECTED}\n")
  message(FATAL_ERROR "${PROGRAM} ${ARGS}: exit ${code}\nprinted: [${out}]\nwanted: [${EXPECTED}]\n"
                      "standard error: ${err}")
endif()
