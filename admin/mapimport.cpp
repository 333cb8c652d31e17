#include "mapimport.h"

#include "ansitext.h"
#include "atomicwrite.h"
#include "datafile.h"
#include "mapfile.h"
#include "programfolder.h"
#include "registerfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

using velmora::DataError;

namespace korveladmin {
namespace {

constexpr int MapFileFieldWidth = velmora::MapList.fields[1].width;

// A FIFO or device named like the chosen file is refused, never waited on.
std::optional<QByteArray> contentsOf(const QString& path)
{
    auto data = velmora::DataFile::read(path);
    if (auto* bytes = std::get_if<QByteArray>(&data))
        return std::move(*bytes);
    return std::nullopt;
}

} // namespace

MapImport::MapImport(const QString& chosenPath) : m_chosenPath(chosenPath)
{
    // Only the last four characters count, whatever their case.
    const QString extension = chosenPath.right(4).toLower();
    if (extension == u".krt") {
        m_source = Source::MapFile;
        m_mapFilePath = chosenPath;
    } else if (extension == u".bmp") {
        m_source = Source::Picture;
        m_mapFilePath = chosenPath.left(chosenPath.size() - 4) + QStringLiteral(".krt");
    }
}

QString MapImport::chosenName() const
{
    return QFileInfo(m_chosenPath).fileName();
}

QString MapImport::mapFileName() const
{
    return QFileInfo(m_mapFilePath).fileName();
}

QString MapImport::proposedName() const
{
    const QString name = mapFileName();
    return name.left(name.size() - 4);
}

std::optional<QString> MapImport::mapFileNameProblem() const
{
    const QString name = mapFileName();
    if (const auto bad = velmora::AnsiText::firstUnencodable(name))
        return QStringLiteral("De bestandsnaam %1 bevat het teken \"%2\", dat niet kan worden opgeslagen.")
            .arg(name, QString(*bad));
    if (name.size() > MapFileFieldWidth)
        return QStringLiteral("De bestandsnaam %1 is te lang: een kaartbestand mag hoogstens %2 tekens "
                              "in zijn naam hebben.")
            .arg(name, QString::number(MapFileFieldWidth));
    return std::nullopt;
}

bool MapImport::mapFileExists() const
{
    return QFileInfo::exists(m_mapFilePath);
}

std::optional<DataError> MapImport::writeNewMapFile() const
{
    return velmora::MapFile::startNew(m_mapFilePath, chosenName());
}

std::optional<DataError> MapImport::readMapFile()
{
    auto data = velmora::DataFile::read(m_mapFilePath, velmora::MapFile::FileLimit);
    if (const auto* error = std::get_if<DataError>(&data))
        return DataError{error->kind, mapFileName(), 0, error->detail};
    QBuffer file(&std::get<QByteArray>(data));
    auto contents = velmora::MapFile::read(file, mapFileName());
    if (const auto* error = std::get_if<DataError>(&contents))
        return *error;
    m_pictureName = std::get<velmora::MapFile::Contents>(contents).picture;
    if (!velmora::ProgramFolder::isBareName(m_pictureName))
        return DataError{DataError::Kind::UnusableName, m_pictureName, 0, {}};
    m_picturePath = velmora::ProgramFolder::locateIn(QFileInfo(m_mapFilePath).absolutePath(), m_pictureName);
    return std::nullopt;
}

QList<MapImport::Copy> MapImport::copiesIntoProgramFolder() const
{
    const QString programFolder = velmora::ProgramFolder::path();
    if (sameFolder(QFileInfo(m_mapFilePath).absolutePath(), programFolder))
        return {};
    QList<Copy> copies;
    for (const QString& from : {m_mapFilePath, m_picturePath}) {
        Copy copy{from, QDir(programFolder).filePath(QFileInfo(from).fileName())};
        if (QFileInfo::exists(copy.to)) {
            const auto old = contentsOf(copy.to);
            if (old && old == contentsOf(copy.from))
                continue;
            copy.replacesOther = true;
        }
        copies.append(copy);
    }
    return copies;
}

std::optional<DataError> MapImport::perform(const QList<Copy>& copies)
{
    for (const Copy& copy : copies) {
        const auto contents = contentsOf(copy.from);
        if (!contents)
            return DataError{DataError::Kind::Unreadable, QFileInfo(copy.from).fileName(), 0, {}};
        if (auto error = velmora::AtomicWrite::replace(copy.to, *contents))
            return error;
    }
    return std::nullopt;
}

bool MapImport::sameFolder(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

} // namespace korveladmin
