# Run by CPack on the staged tree, before it is packed. Debian keeps the programs
# of Section games in /usr/games. That folder is one level below /usr, as bin/ is,
# so the program still finds its pictures in ../share/gribo. The program is also
# stripped of the notes dh_strip removes.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT EXISTS ${usr}/bin/gribo)
  message(FATAL_ERROR "no ${usr}/bin/gribo to move to games/")
endif()
file(MAKE_DIRECTORY ${usr}/games)
file(RENAME ${usr}/bin/gribo ${usr}/games/gribo)
file(GLOB left ${usr}/bin/*)
if(NOT left)
  file(REMOVE_RECURSE ${usr}/bin)
endif()
execute_process(
  COMMAND ${CPACK_STRIP} --remove-section=.comment --remove-section=.note ${usr}/games/gribo
  COMMAND_ERROR_IS_FATAL ANY)
