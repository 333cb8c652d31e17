# Read by cpack once for each package it makes.
if(CPACK_GENERATOR STREQUAL "DEB")
    # The program folder goes to /opt/velmora; the menu entries, icons and
    # documents to their absolute places under /usr/share.
    set(CPACK_COMPONENTS_ALL Program Debian)
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /opt/velmora)
    set(CPACK_PACKAGING_INSTALL_PREFIX /opt/velmora)
else()
    # The archive holds one program folder, as `cmake --install` lays it out.
    set(CPACK_COMPONENTS_ALL ${CPACK_VELMORA_ARCHIVE_COMPONENTS})
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
