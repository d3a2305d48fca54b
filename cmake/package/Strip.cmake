# Run by CPack once it has installed the files to pack: strips every ELF file as
# Debian's packaging does, removing the symbols and the compilers' version notes.
file(GLOB_RECURSE installed LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS installed)
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${CPACK_QUOM_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
