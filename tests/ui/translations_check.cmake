# Runs lupdate over SOURCES (folders, joined by commas) into a copy of each
# translation of TS (joined by commas) and fails when a text has no finished
# translation or a translation no longer has its text.
string(REPLACE "," ";" sources "${SOURCES}")
string(REPLACE "," ";" translations "${TS}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(ts ${translations})
  get_filename_component(name ${ts} NAME)
  file(COPY ${ts} DESTINATION ${WORK})
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} -silent ${sources} -ts ${WORK}/${name}
                  RESULT_VARIABLE code OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${code}): ${output}")
  endif()
  file(READ ${WORK}/${name} text)
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<extracomment>[^<]*</extracomment>[^<]*)?<translation type=\"(unfinished|vanished|obsolete)\"" bad "${text}")
  string(REGEX MATCHALL "<translation>[ \t]*</translation>" empty "${text}")
  if(bad OR empty)
    list(JOIN bad "\n" listed)
    message(FATAL_ERROR "Texts without a finished translation in ${name} "
                        "(run the update_translations target and translate them):\n${listed}${empty}")
  endif()
  file(READ ${ts} before)
  if(NOT before STREQUAL text)
    message(FATAL_ERROR "${ts} is not current: run the update_translations target")
  endif()
endforeach()
