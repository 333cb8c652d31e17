#include "databasecheck.h"

#include "dialogs.h"
#include "programexit.h"
#include "programfolder.h"
#include "smartbase.h"

namespace korvel {

bool DatabaseCheck::open(velmora::SmartBase& db, const QString& fileName, QStringView title, QStringView fout)
{
    db.OpenDatabase(velmora::ProgramFolder::pathFor(fileName));
    if (db.DatabaseTitle() == title)
        return true;
    velmora::Dialogs::current().message(fout.toString(), QStringLiteral("Fout"), velmora::MessageIcon::Critical,
                                        velmora::MessageButtons::Ok);
    velmora::ProgramExit::now();
    return false;
}

} // namespace korvel
