#include "registerdatabase.h"

#include "busypointer.h"
#include "databasefile.h"
#include "dialogs.h"
#include "registerfile.h"
#include "smartbase.h"

namespace velmora {

bool RegisterDatabase::open(SmartBase& db, const RegisterFile& file, const Messages& messages)
{
    const QString path = file.path();
    db.OpenDatabase(path);
    // A file that is there but cannot be read is said as it is, never replaced.
    if (const auto& error = db.OpenError(); error && error->kind != DataError::Kind::Missing) {
        Dialogs::current().message(error->message(), messages.errorCaption, MessageIcon::Critical,
                                   MessageButtons::Ok);
        db.CloseDatabase();
        return false;
    }
    if (db.DatabaseTitle() != file.title && create(path, file, messages))
        db.OpenDatabase(path);
    if (db.DatabaseTitle() == file.title)
        return true;
    if (db.isOpen())
        db.CloseDatabase();
    return false;
}

bool RegisterDatabase::create(const QString& path, const RegisterFile& file, const Messages& messages)
{
    BusyPointer busy;
    const auto made = DatabaseFile::create(path, file.title.toString(), file.databaseFields());
    busy.release();
    if (const auto* error = std::get_if<DataError>(&made)) {
        Dialogs::current().message(error->message(), messages.errorCaption, MessageIcon::Critical,
                                   MessageButtons::Ok);
        return false;
    }
    const auto& creation = std::get<DatabaseFile::Creation>(made);
    if (!creation.notice.isEmpty())
        Dialogs::notify(creation.notice, MessageIcon::Information);
    if (creation.created)
        Dialogs::current().message(messages.createdText, messages.createdCaption, MessageIcon::Information,
                                   MessageButtons::Ok);
    return true;
}

} // namespace velmora
