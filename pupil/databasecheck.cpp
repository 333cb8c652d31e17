#include "databasecheck.h"

#include "dialogs.h"
#include "programexit.h"
#include "registerfile.h"
#include "smartbase.h"

namespace korvel {

bool DatabaseCheck::open(velmora::SmartBase& db, const velmora::RegisterFile& file, QStringView fout)
{
    db.OpenDatabase(file.path());
    if (db.DatabaseTitle() == file.title)
        return true;
    velmora::Dialogs::current().message(fout.toString(), QStringLiteral("Fout"),
                                        velmora::MessageIcon::Critical, velmora::MessageButtons::Ok);
    velmora::ProgramExit::now();
    return false;
}

} // namespace korvel
