#include "mapimport.h"

#include "ansitext.h"
#include "atomicwrite.h"
#include "datafile.h"
#include "mapeditstate.h"
#include "mapfile.h"
#include "newfile.h"
#include "programfolder.h"
#include "registerfile.h"
#include "twips.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

using namespace velmora;

namespace korveladmin {
namespace {

constexpr int MapFileFieldWidth = MapList.fields[1].width;

// A FIFO or device named like the chosen file is refused, never waited on.
std::optional<QByteArray> contentsOf(const QString& path)
{
    auto data = DataFile::read(path);
    if (auto* bytes = std::get_if<QByteArray>(&data))
        return std::move(*bytes);
    return std::nullopt;
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
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
        m_pictureName = chosenName();
        m_picturePath = chosenPath;
    }
}

QString MapImport::chosenName() const
{
    return QFileInfo(m_chosenPath).fileName();
}

QString MapImport::mapFileName() const
{
    if (m_source == Source::Picture)
        return chosenName().chopped(4) + QStringLiteral(".krt");
    return QFileInfo(m_mapFilePath).fileName();
}

QString MapImport::proposedName() const
{
    return mapFileName().chopped(4);
}

std::optional<QString> MapImport::mapFileNameProblem() const
{
    const QString name = mapFileName();
    if (const auto bad = AnsiText::firstUnencodable(name))
        return QStringLiteral("De bestandsnaam %1 bevat het teken \"%2\", dat niet kan worden opgeslagen.")
            .arg(name, QString(*bad));
    if (name.size() > MapFileFieldWidth)
        return QStringLiteral("De bestandsnaam %1 is te lang: een kaartbestand mag hoogstens %2 tekens "
                              "in zijn naam hebben.")
            .arg(name, QString::number(MapFileFieldWidth));
    return std::nullopt;
}

QString MapImport::existingMapFile() const
{
    return m_source == Source::Picture ? ProgramFolder::locate(mapFileName()) : QString();
}

QString MapImport::freeMapFileName() const
{
    return NewFile::freeName(mapFileName());
}

void MapImport::useExistingMapFile()
{
    m_mapFilePath = existingMapFile();
    m_source = Source::MapFile;
}

std::optional<DataError> MapImport::readMapFile()
{
    auto data = DataFile::read(m_mapFilePath, MapFile::FileLimit);
    if (const auto* error = std::get_if<DataError>(&data))
        return DataError{error->kind, mapFileName(), 0, error->detail};
    QBuffer file(&std::get<QByteArray>(data));
    auto contents = MapFile::read(file, mapFileName());
    if (const auto* error = std::get_if<DataError>(&contents))
        return *error;
    m_pictureName = std::get<MapFile::Contents>(contents).picture;
    if (!ProgramFolder::isBareName(m_pictureName))
        return DataError{DataError::Kind::UnusableName, m_pictureName, 0, {}};
    m_picturePath = ProgramFolder::locateIn(QFileInfo(m_mapFilePath).absolutePath(), m_pictureName);
    return std::nullopt;
}

int MapImport::maxPicturePixels()
{
    // The farthest click whose marker corner a map file can still hold.
    return (MapFile::MaxCoordinate + MapEditState::ClickToMarker) / Twips::PerPixel;
}

std::optional<QSize> MapImport::pictureTooLarge() const
{
    auto bytes = contentsOf(m_picturePath);
    if (!bytes)
        return std::nullopt;
    QBuffer buffer(&*bytes);
    const QSize size = QImageReader(&buffer).size();
    if (size.width() > maxPicturePixels() || size.height() > maxPicturePixels())
        return size;
    return std::nullopt;
}

bool MapImport::inProgramFolder() const
{
    const QString folder = m_source == Source::Picture ? m_picturePath : m_mapFilePath;
    return sameFolder(QFileInfo(folder).absolutePath(), ProgramFolder::path());
}

QString MapImport::pictureTarget() const
{
    return QDir(ProgramFolder::path()).filePath(QFileInfo(m_picturePath).fileName());
}

bool MapImport::pictureReplacesOther() const
{
    if (inProgramFolder() || !QFileInfo::exists(pictureTarget()))
        return false;
    const auto old = contentsOf(pictureTarget());
    return !old || old != contentsOf(m_picturePath);
}

std::variant<QString, DataError> MapImport::perform() const
{
    if (inProgramFolder() && m_source == Source::MapFile)
        return mapFileName();
    if ((!inProgramFolder() && !QFileInfo::exists(pictureTarget())) || pictureReplacesOther()) {
        const auto picture = contentsOf(m_picturePath);
        if (!picture)
            return DataError{DataError::Kind::Unreadable, m_pictureName, 0, {}};
        if (auto error = AtomicWrite::replace(pictureTarget(), *picture))
            return *error;
    }
    QByteArray mapFile;
    if (m_source == Source::Picture) {
        auto formatted = MapFile::format(m_pictureName, {}, mapFileName());
        if (auto* error = std::get_if<DataError>(&formatted))
            return *error;
        mapFile = std::get<QByteArray>(formatted);
    } else {
        const auto chosen = contentsOf(m_mapFilePath);
        if (!chosen)
            return DataError{DataError::Kind::Unreadable, mapFileName(), 0, {}};
        // The same map file is there already: it is registered, not copied again.
        if (contentsOf(ProgramFolder::locate(mapFileName())) == chosen)
            return QFileInfo(ProgramFolder::locate(mapFileName())).fileName();
        mapFile = *chosen;
    }
    return NewFile::create(mapFileName(), mapFile);
}

} // namespace korveladmin
