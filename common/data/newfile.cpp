#include "newfile.h"

#include "filelock.h"
#include "programfolder.h"

#include <QFileInfo>

namespace velmora {
namespace {

// More maps of one name than a school keeps; beyond it something is wrong.
constexpr int MaxNumber = 999;

} // namespace

QString NewFile::candidate(const QString& wanted, int number)
{
    if (number == 1)
        return wanted;
    const QFileInfo info(wanted);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return wanted.left(wanted.size() - suffix.size()) + u'-' + QString::number(number) + suffix;
}

QString NewFile::freeName(const QString& wanted)
{
    for (int number = 1; number <= MaxNumber; ++number) {
        const QString name = candidate(wanted, number);
        if (ProgramFolder::locate(name).isEmpty())
            return name;
    }
    return {};
}

std::variant<QString, DataError> NewFile::create(const QString& wanted, const QByteArray& contents)
{
    for (int number = 1; number <= MaxNumber; ++number) {
        const QString name = candidate(wanted, number);
        if (!ProgramFolder::isBareName(name))
            return DataError{DataError::Kind::UnusableName, name, 0, {}};
        if (!ProgramFolder::locate(name).isEmpty())
            continue;
        auto acquired = FileLock::acquire(ProgramFolder::pathFor(name), FileLock::IfMissing::Create);
        if (auto* error = std::get_if<DataError>(&acquired))
            return *error;
        FileLock& lock = std::get<FileLock>(acquired);
        // Another teacher made a file of this name after it was looked for.
        if (!lock.created())
            continue;
        if (auto error = lock.replace(contents)) {
            lock.removeCreated();
            return *error;
        }
        return name;
    }
    return DataError{DataError::Kind::WriteFailed, wanted, 0, {}};
}

} // namespace velmora
