# What `cmake --install` puts where: the two programs, their help and manual pages, and what
# the desktop needs to list the program, show its icon and open tables with it.
include(GNUInstallDirs)

# Directories made by the install are the same whatever the umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(MERVANTA_ID io.github.mervanta.Mervanta)
set(MERVANTA_DATA ${PROJECT_SOURCE_DIR}/data)
set(MERVANTA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/mervanta)

install(TARGETS mervanta mervanta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The program finds its help pages beside its bin folder (src/gui/app/help_location.h).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${MERVANTA_DOC_DIR}/help)
install(FILES ${MERVANTA_DATA}/debian/copyright DESTINATION ${MERVANTA_DOC_DIR})

install(FILES ${MERVANTA_DATA}/${MERVANTA_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MERVANTA_DATA}/${MERVANTA_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MERVANTA_DATA}/${MERVANTA_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${MERVANTA_ID}.xml)
install(DIRECTORY ${MERVANTA_DATA}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${MERVANTA_DATA}/bash-completion/mervanta-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the change log are installed compressed, as the system keeps them.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(source docs/man/mervanta.1 docs/man/mervanta-cli.1 data/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
    COMMAND ${GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/mervanta.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/compressed/mervanta-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/compressed/changelog.gz DESTINATION ${MERVANTA_DOC_DIR})
