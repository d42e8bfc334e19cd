# The Korean keywords of the desktop entry and of the AppStream metadata
# match the English ones one for one, the file formats among them, so that a
# search in either language finds the editor.
#   cmake -DDATA=<the data folder> -P desktop_keywords.cmake
cmake_minimum_required(VERSION 3.16)
function(check where english korean)
  list(LENGTH english englishCount)
  list(LENGTH korean koreanCount)
  if(NOT englishCount EQUAL koreanCount)
    message(SEND_ERROR "${where}: ${englishCount} English keywords, ${koreanCount} Korean")
  endif()
  foreach(format TGA PNG GPF)
    if(NOT format IN_LIST english OR NOT format IN_LIST korean)
      message(SEND_ERROR "${where}: ${format} is not in both lists")
    endif()
  endforeach()
endfunction()

file(READ ${DATA}/zentil-editor.desktop.in desktop)
string(REGEX MATCH "\nKeywords=([^\n]*[^;\n])" english "${desktop}")
set(english "${CMAKE_MATCH_1}")
string(REGEX MATCH "\nKeywords\\[ko\\]=([^\n]*[^;\n])" korean "${desktop}")
set(korean "${CMAKE_MATCH_1}")
check("desktop entry" "${english}" "${korean}")

file(READ ${DATA}/zentil-editor.metainfo.xml.in metainfo)
string(REGEX MATCHALL "<keyword>[^<]*" english "${metainfo}")
string(REGEX MATCHALL "<keyword xml:lang=\"ko\">[^<]*" korean "${metainfo}")
list(TRANSFORM english REPLACE "^<[^>]*>" "")
list(TRANSFORM korean REPLACE "^<[^>]*>" "")
check("AppStream metadata" "${english}" "${korean}")
