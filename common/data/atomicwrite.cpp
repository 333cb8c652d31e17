#include "atomicwrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace velmora {

std::optional<DataError> AtomicWrite::replace(const QString& path, const QByteArray& contents)
{
    const QString shownName = QFileInfo(path).fileName();
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows in write()'s count:
    // a buffered one is flushed at commit, which then renames a cut-off file
    // over the old one without noticing.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return DataError{DataError::Kind::WriteFailed, shownName, 0, file.errorString()};
    if (!writeAll(file, contents)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return DataError{DataError::Kind::WriteFailed, shownName, 0, reason};
    }
    if (!file.commit())
        return DataError{DataError::Kind::WriteFailed, shownName, 0, file.errorString()};
    return std::nullopt;
}

bool AtomicWrite::writeAll(QFileDevice& file, const QByteArray& contents)
{
    qint64 done = 0;
    while (done < contents.size()) {
        const qint64 n = file.write(contents.constData() + done, contents.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace velmora
