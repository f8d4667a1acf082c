# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged files before the package is made: the programs lose the .comment
# section (the compilers' version strings) and .note, as Debian's own packages do.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
if(NOT programs)
  message(FATAL_ERROR "package_strip: no programs staged below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_YHB_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "package_strip: ${CPACK_YHB_STRIP} failed on ${program}: ${err}")
  endif()
endforeach()
