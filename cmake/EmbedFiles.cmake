# tzad_embed_files(OUTPUT [TABLE NAME] FILE...): generates OUTPUT, a source that carries the
# files' bytes as kTzresEmbeddedFiles (sdk/include/tzres_embedded.h), each named by its file
# name. A resource library exports that table; a library that keeps files for itself names
# its own TABLE, which stays inside it.
set(TZAD_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_files_script.cmake)

function(tzad_embed_files output)
  cmake_parse_arguments(PARSE_ARGV 1 EMBED "" "TABLE" "")
  list(JOIN EMBED_UNPARSED_ARGUMENTS "|" files)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DFILES=${files} -DTABLE=${EMBED_TABLE}
      -P ${TZAD_EMBED_SCRIPT}
    DEPENDS ${EMBED_UNPARSED_ARGUMENTS} ${TZAD_EMBED_SCRIPT}
    COMMENT "Embedding resources into ${output}"
    VERBATIM)
endfunction()
