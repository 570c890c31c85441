# Run by CPack once the files are staged: with SOURCE_DATE_EPOCH set, every
# staged file gets that time, so the archive does not depend on when it was
# built.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path IN LISTS staged)
  execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" "${path}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
