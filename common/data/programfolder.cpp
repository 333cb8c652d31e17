#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velmora {
namespace {

QString& overridden()
{
    static QString folder;
    return folder;
}

} // namespace

QString ProgramFolder::path()
{
    if (!overridden().isEmpty())
        return overridden();
#ifdef VELMORA_DATA_FOLDER
    return QStringLiteral(VELMORA_DATA_FOLDER);
#else
    return QCoreApplication::applicationDirPath();
#endif
}

void ProgramFolder::setPath(const QString& folder)
{
    overridden() = folder;
}

bool ProgramFolder::isInstalled()
{
#ifdef VELMORA_DATA_FOLDER
    return true;
#else
    return false;
#endif
}

bool ProgramFolder::isBareName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

QString ProgramFolder::locate(const QString& name)
{
    return locateIn(path(), name);
}

QString ProgramFolder::locateIn(const QString& folderPath, const QString& name)
{
    if (!isBareName(name))
        return {};
    const QDir folder(folderPath);
    const QString exact = folder.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return {};
}

QString ProgramFolder::pathFor(const QString& name)
{
    if (!isBareName(name))
        return {};
    const QString existing = locate(name);
    return existing.isEmpty() ? QDir(path()).filePath(name) : existing;
}

} // namespace velmora
