# The data layer's sources, also built by the fuzz targets' own project.
set(VELMORA_DATA_SOURCES
    ansitext.cpp
    answerline.cpp
    answersfile.cpp
    atomicwrite.cpp
    csvline.cpp
    databasefile.cpp
    datafile.cpp
    datafiledevice.cpp
    dataerror.cpp
    encryptor.cpp
    filelock.cpp
    freefield.cpp
    itemkind.cpp
    mapfile.cpp
    newfile.cpp
    numberform.cpp
    passwordfile.cpp
    placeoverview.cpp
    platformfile.cpp
    programfolder.cpp
    registerfile.cpp
    resultrecord.cpp
    resultsfile.cpp
    resultsgroup.cpp
    resultstable.cpp
    score.cpp
    smartbase.cpp
    textlines.cpp
    typedtext.cpp
)

# The one file that calls the operating system for files, locks and rights;
# platformfile.h says what each system's version must do.
if(WIN32)
    # Only kernel32 calls, which every Windows program links already.
    list(APPEND VELMORA_DATA_SOURCES platformfile_windows.cpp)
else()
    list(APPEND VELMORA_DATA_SOURCES platformfile_posix.cpp)
endif()
