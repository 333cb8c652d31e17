#include "mapfile.h"

#include "ansitext.h"
#include "atomicwrite.h"
#include "datafile.h"
#include "filelock.h"
#include "freefield.h"
#include "numberform.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace velmora {
namespace {

std::optional<Plaats> parseItem(QStringView line)
{
    const auto column = [&](qsizetype from, qsizetype width) {
        return from >= line.size() ? QStringView() : line.sliced(from, std::min(width, line.size() - from));
    };
    const auto level = NumberForm::parse(column(0, 2));
    const auto top = NumberForm::parse(column(4, 5));
    const auto left = NumberForm::parse(column(9, 5));
    if (!level || !top || !left)
        return std::nullopt;
    Plaats item;
    item.Niveau = *level;
    item.Soort = column(2, 2).toString();
    item.Top = *top;
    item.Left = *left;
    item.Naam = line.size() > 14 ? line.sliced(14).toString() : QString();
    return item;
}

QByteArray padded(const QByteArray& text, qsizetype width)
{
    return text.leftJustified(width, ' ', true);
}

bool readsBackAs(const QByteArray& line, const QString& picture)
{
    const FreeField field = FreeField::read(AnsiText::decode(line));
    return !field.rest && field.value == picture;
}

// The reader must take an item line back as exactly this item, on one line:
// a file it would refuse or change on the next opening is never written.
bool readsBackAs(const QByteArray& line, const Plaats& item)
{
    if (line.contains('\n'))
        return false;
    const auto back = parseItem(AnsiText::decode(line));
    return back && back->Niveau == item.Niveau && back->Top == item.Top && back->Left == item.Left &&
           back->Soort == QString(item.Soort).trimmed().leftJustified(2) && back->Naam == item.Naam.trimmed();
}

// Line 1 as the reader takes it back: a name that it would cut at a comma or
// trim goes in quotes; a name that not even quotes keep is refused.
std::optional<QByteArray> pictureLine(const QByteArray& bytes, const QString& picture)
{
    if (bytes.contains('\n'))
        return std::nullopt;
    // At the start of the file a name beginning with the UTF-8 byte-order
    // mark's bytes would lose them on reading: quoted, it keeps them.
    if (!bytes.startsWith(TextLines::Bom) && readsBackAs(bytes, picture))
        return bytes;
    const QByteArray quoted = '"' + bytes + '"';
    if (readsBackAs(quoted, picture))
        return quoted;
    return std::nullopt;
}

} // namespace

MapFile::ReadResult MapFile::read(QIODevice& device, const QString& shownName)
{
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return DataError{DataError::Kind::Unreadable, shownName, 0, device.errorString()};
    const QByteArray data = device.read(FileLimit + 1);
    if (data.size() > FileLimit)
        return DataError{DataError::Kind::Malformed, shownName, 0, {}};
    return parse(data, shownName);
}

MapFile::ReadResult MapFile::parse(const QByteArray& data, const QString& shownName)
{
    const QList<QByteArrayView> lines = TextLines::split(TextLines::withoutBom(data));
    if (lines.isEmpty())
        return DataError{DataError::Kind::Malformed, shownName, 1, {}};

    Contents contents;
    const FreeField first = FreeField::read(AnsiText::decode(lines[0]));
    contents.picture = first.value;
    const auto take = [&](const QString& text, int lineNo) -> std::optional<DataError> {
        if (text.trimmed().isEmpty())
            return std::nullopt;
        const auto item = parseItem(text);
        if (!item)
            return DataError{DataError::Kind::Malformed, shownName, lineNo, {}};
        if (contents.items.size() == Plaatsen::Capacity)
            return DataError{DataError::Kind::TooManyItems, shownName, lineNo, {}};
        contents.items.append(*item);
        return std::nullopt;
    };
    if (first.rest) {
        if (auto error = take(*first.rest, 1))
            return *error;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (auto error = take(AnsiText::decode(lines[i]), int(i + 1)))
            return *error;
    }
    return contents;
}

MapFile::ReadResult MapFile::readFile(const QString& krtName)
{
    QByteArray bytes;
    return readFile(krtName, bytes);
}

MapFile::ReadResult MapFile::readFile(const QString& krtName, QByteArray& bytesRead)
{
    const QString name = QString(krtName).remove(QRegularExpression(QStringLiteral("\\s+$")));
    if (!ProgramFolder::isBareName(name))
        return DataError{DataError::Kind::UnusableName, name, 0, {}};
    const QString path = ProgramFolder::locate(name);
    if (path.isEmpty())
        return DataError{DataError::Kind::Missing, name, 0, {}};
    const auto data = DataFile::read(path, FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return DataError{error->kind, name, 0, error->detail};
    bytesRead = std::get<QByteArray>(data);
    return parse(bytesRead, name);
}

int MapFile::fill(const Contents& contents, Plaatsen& table)
{
    for (qsizetype i = 0; i < contents.items.size(); ++i)
        table[int(i + 1)] = contents.items[i];
    return int(contents.items.size());
}

QByteArray MapFile::itemLine(const Plaats& item)
{
    const QByteArray kind = AnsiText::encode(QString(item.Soort).trimmed()).value_or(QByteArray());
    QByteArray line = padded(QByteArray::number(item.Niveau), 2);
    line += padded(kind, 2);
    line += padded(QByteArray::number(item.Top), 5);
    line += padded(QByteArray::number(item.Left), 5);
    line += AnsiText::encode(item.Naam.trimmed()).value_or(QByteArray());
    return line;
}

std::variant<QByteArray, DataError> MapFile::format(const QString& picture, const QList<Plaats>& items,
                                                    const QString& shownName)
{
    const auto pictureBytes = AnsiText::encode(picture);
    if (!pictureBytes)
        return DataError{DataError::Kind::NotEncodable, shownName, 1, picture};
    const auto firstLine = pictureLine(*pictureBytes, picture);
    if (!firstLine)
        return DataError{DataError::Kind::UnusableName, picture, 0, {}};
    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    QByteArray out = *firstLine + lineEnd;
    const auto refused = [&](const QString& why) {
        return DataError{DataError::Kind::WriteFailed, shownName, 0, why};
    };
    int written = 0;
    for (int level = 1; level <= 3; ++level) {
        for (const Plaats& item : items) {
            if (item.Niveau != level)
                continue;
            if (!AnsiText::canEncode(item.Naam) || !AnsiText::canEncode(item.Soort))
                return DataError{DataError::Kind::NotEncodable, shownName, 0, item.Naam.trimmed()};
            const QByteArray line = itemLine(item);
            if (!readsBackAs(line, item))
                return refused(
                    QStringLiteral("\"%1\" zou bij het openen van de kaart niet goed worden gelezen")
                        .arg(item.Naam.trimmed()));
            if (++written > Plaatsen::Capacity)
                return refused(
                    QStringLiteral("een kaart kan hoogstens %1 plaatsen, wateren en gebieden bevatten")
                        .arg(Plaatsen::Capacity));
            out += line + lineEnd;
        }
    }
    return out;
}

std::optional<DataError> MapFile::write(const QString& path, const QString& picture,
                                        const QList<Plaats>& items)
{
    auto formatted = format(picture, items, QFileInfo(path).fileName());
    if (auto* error = std::get_if<DataError>(&formatted))
        return *error;
    return AtomicWrite::replace(path, std::get<QByteArray>(formatted));
}

std::optional<DataError> MapFile::writeOver(const QString& path, const QByteArray& expected,
                                            const QString& picture, const QList<Plaats>& items)
{
    const QString shownName = QFileInfo(path).fileName();
    auto formatted = format(picture, items, shownName);
    if (auto* error = std::get_if<DataError>(&formatted))
        return *error;
    auto acquired = FileLock::acquire(path, FileLock::IfMissing::Create);
    if (auto* error = std::get_if<DataError>(&acquired))
        return *error;
    FileLock& lock = std::get<FileLock>(acquired);
    // A file that has gone holds nobody's work: it is written anew.
    if (!lock.created()) {
        const auto now = lock.read(FileLimit);
        if (const auto* error = std::get_if<DataError>(&now))
            return *error;
        if (std::get<QByteArray>(now) != expected)
            return DataError{DataError::Kind::RecordChanged, shownName, 0, {}};
    }
    auto error = lock.replace(std::get<QByteArray>(formatted));
    if (error)
        lock.removeCreated();
    return error;
}

std::optional<DataError> MapFile::startNew(const QString& path, const QString& picture)
{
    return write(path, picture, {});
}

} // namespace velmora
