#include "atomicwrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace velmora {

std::optional<DataError> AtomicWrite::replace(const QString& path, const QByteArray& contents)
{
    const QString shownName = QFileInfo(path).fileName();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return DataError{DataError::Kind::WriteFailed, shownName, 0, file.errorString()};
    if (file.write(contents) != contents.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return DataError{DataError::Kind::WriteFailed, shownName, 0, reason};
    }
    if (!file.commit())
        return DataError{DataError::Kind::WriteFailed, shownName, 0, file.errorString()};
    return std::nullopt;
}

} // namespace velmora
