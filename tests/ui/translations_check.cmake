# Runs lupdate over SOURCES into a copy of the translation TS and fails when
# a text has no finished translation or a translation no longer has its text.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
file(COPY ${TS} DESTINATION ${WORK})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} -silent ${SOURCES} -ts ${WORK}/${name}
                RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${code}): ${output}")
endif()
file(READ ${WORK}/${name} text)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*<translation type=\"(unfinished|vanished|obsolete)\"" bad "${text}")
string(REGEX MATCHALL "<translation>[ \t]*</translation>" empty "${text}")
if(bad OR empty)
  list(JOIN bad "\n" listed)
  message(FATAL_ERROR "Texts without a finished English translation "
                      "(run the update_translations target and translate them):\n${listed}${empty}")
endif()
file(READ ${TS} before)
if(NOT before STREQUAL text)
  message(FATAL_ERROR "${TS} is not current: run the update_translations target")
endif()
