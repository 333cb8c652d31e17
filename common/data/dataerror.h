#pragma once

#include <QString>

namespace velmora {

// What went wrong with a data file, and where. The windows show message().
struct DataError
{
    enum class Kind {
        Missing,       // the file does not exist
        Unreadable,    // it exists but cannot be read
        Malformed,     // a line is not in the file's format
        TooManyItems,  // a map with more than 500 items
        NotEncodable,  // text with a character the code page cannot hold
        WriteFailed,   // the file could not be written; the old one is untouched
        UnusableName,  // a name from a data file that is not a bare file name
        RecordChanged, // another program changed the record since the caller read it
        NotRegular,    // a folder, FIFO or device where a data file should be
        Link,          // a symbolic or hard link, refused for writing
        NoRights,      // this account may not write the file
        NoLock,        // the file system offers no lock, so nothing is written
        Busy,          // another computer kept the file locked beyond the wait limit
        Replaced,      // the file held open since the start was replaced or removed
        TooLarge,      // larger than any such file can be; not read
    };

    Kind kind = Kind::Malformed;
    QString file;   // the file name as the user knows it
    int line = 0;   // 1-based line number, 0 when not about a line
    QString detail; // the system's own reason (an OS error text), may be empty

    QString message() const;
};

} // namespace velmora
