# Copies the demo data into the program folder, leaving alone every file that
# is already there: names in a program folder match without regard to case, so
# a school's own KAARTEN.SDB is never joined or replaced by the demo's.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(GLOB present RELATIVE "${folder}" "${folder}/*")
string(TOLOWER "${present}" present)
file(GLOB demo_files "${velmora_demo_source}/*")
foreach(file IN LISTS demo_files)
    get_filename_component(name "${file}" NAME)
    string(TOLOWER "${name}" lower)
    list(FIND present "${lower}" index)
    if(index GREATER -1)
        message(STATUS "Already there, left as it is: ${folder}/${name}")
    else()
        file(INSTALL "${file}" DESTINATION "${CMAKE_INSTALL_PREFIX}")
    endif()
endforeach()
