# Read by cpack once for each package it makes.
if(CPACK_GENERATOR STREQUAL "DEB")
    # The programs go to /usr/lib/velmora with their links in /usr/bin; the
    # menu entries, icons and documents to their absolute places under /usr/share.
    set(CPACK_COMPONENTS_ALL Program Debian)
    set(CPACK_SET_DESTDIR ON)
    set(CPACK_INSTALL_PREFIX /usr)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
    # The archive holds one program folder, as `cmake --install` lays it out.
    set(CPACK_COMPONENTS_ALL ${CPACK_VELMORA_ARCHIVE_COMPONENTS})
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
    set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
