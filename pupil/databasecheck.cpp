#include "databasecheck.h"

#include "dialogs.h"
#include "programexit.h"
#include "registerfile.h"
#include "smartbase.h"

using namespace velmora;

namespace korvel {

bool DatabaseCheck::open(SmartBase& db, const RegisterFile& file, QStringView fout)
{
    db.OpenDatabase(file.path());
    if (db.DatabaseTitle() == file.title)
        return true;
    Dialogs::current().message(fout.toString(), QStringLiteral("Fout"), MessageIcon::Critical,
                               MessageButtons::Ok);
    ProgramExit::now();
    return false;
}

} // namespace korvel
