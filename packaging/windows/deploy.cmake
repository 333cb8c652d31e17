# What the two programs need beside them to start on a Windows without Qt or
# MinGW: Qt's libraries and plugins, the Dutch Qt translation and the MinGW
# runtime. windeployqt does not run on the build machine, hence the list.
set(VELMORA_QT_TRANSLATIONS /usr/share/qt6/translations
    CACHE PATH "Where qtbase_nl.qm is (Debian: qt6-translations-l10n); .qm files are the same on every system")
set(dutch_qt ${VELMORA_QT_TRANSLATIONS}/qtbase_nl.qm)
if(NOT EXISTS ${dutch_qt})
    message(FATAL_ERROR "${dutch_qt} is missing: install qt6-translations-l10n or set VELMORA_QT_TRANSLATIONS")
endif()

set(dest ${VELMORA_PROGRAM_INSTALL_DIR})
foreach(library Core Gui Widgets PrintSupport)
    install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION ${dest} COMPONENT Program)
endforeach()
# BMP and PNG are built into Qt6Gui, so no image format plugin is needed.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${dest}/platforms COMPONENT Program)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${dest}/styles COMPONENT Program)
# A Qt6Core.dll beside the program makes the program folder Qt's prefix, so
# Qt finds its plugins and translations there without a qt.conf.
install(FILES ${dutch_qt} DESTINATION ${dest}/translations COMPONENT Program)

# The runtime of the compiler that built the programs and Qt.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
    endif()
    file(REAL_PATH "${found}" found)
    install(FILES ${found} DESTINATION ${dest} COMPONENT Program)
endforeach()
