# tzad_embed_files(OUTPUT FILE...): generates OUTPUT, a source that carries the files' bytes as
# kTzresEmbeddedFiles (sdk/include/tzres_embedded.h), each named by its file name.
set(TZAD_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_files_script.cmake)

function(tzad_embed_files output)
  list(JOIN ARGN "|" files)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DFILES=${files} -P ${TZAD_EMBED_SCRIPT}
    DEPENDS ${ARGN} ${TZAD_EMBED_SCRIPT}
    COMMENT "Embedding resources into ${output}"
    VERBATIM)
endfunction()
