#pragma once

#include <QString>

namespace velmora {

class SmartBase;
struct RegisterFile;

// Opens a register's database for the teacher's window on it. A file that is
// missing or holds another list is replaced by a fresh, empty register (the
// other list is kept aside), and the teacher is told.
class RegisterDatabase
{
public:
    struct Messages
    {
        QString errorCaption; // of the message that no register could be made
        QString createdText;  // shown when a new, empty register was made
        QString createdCaption;
    };

    // True when db is open on the register. Otherwise no database is open, so
    // that nothing is ever written to another file instead.
    static bool open(SmartBase& db, const RegisterFile& file, const Messages& messages);

private:
    static bool create(const QString& path, const RegisterFile& file, const Messages& messages);
};

} // namespace velmora
