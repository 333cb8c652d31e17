#include "smartbase.h"

#include "ansitext.h"
#include "datafile.h"
#include "filelock.h"
#include "numberform.h"
#include "textlines.h"

#include <QFile>
#include <QFileInfo>

#include <numeric>

namespace velmora {

// One read of the file: the header as declared and the record lines after it.
struct SmartBase::Contents
{
    QByteArray data;
    bool bom; // a text editor's byte-order mark before the title, kept on a rewrite
    QList<QByteArrayView> lines;
    QList<int> widths;     // the declared widths of the FieldCount fields
    qsizetype firstRecord; // index in lines of record 1
    bool headerWhole;      // every header line present and its numbers readable

    int recordCount() const
    {
        int count = 0;
        for (qsizetype i = firstRecord; i < lines.size(); ++i) {
            if (!lines[i].isEmpty())
                ++count;
        }
        return count;
    }

    QByteArrayView record(int recordNo) const
    {
        if (recordNo < 1 || firstRecord + recordNo - 1 >= lines.size())
            return {};
        return lines[firstRecord + recordNo - 1];
    }

    // The field's text within a record line: at most its width, trailing blanks kept.
    QString field(QByteArrayView line, int fieldNo) const
    {
        if (fieldNo < 1 || fieldNo > widths.size())
            return {};
        const qsizetype start = std::accumulate(widths.begin(), widths.begin() + (fieldNo - 1), qsizetype(0));
        const qsizetype width = widths[fieldNo - 1];
        if (start < 0 || start >= line.size() || width <= 0)
            return {};
        return AnsiText::decode(line.sliced(start, std::min(width, line.size() - start)));
    }
};

namespace {

// A record line's bytes, or nothing when the code page cannot hold it or a
// line break would split it into two records.
std::optional<QByteArray> recordBytes(const QString& line)
{
    auto bytes = AnsiText::encode(line);
    if (bytes && (bytes->contains('\r') || bytes->contains('\n')))
        bytes.reset();
    return bytes;
}

} // namespace

SmartBase::SmartBase(Notifier notify) : m_notify(std::move(notify)) {}

void SmartBase::OpenDatabase(const QString& path)
{
    m_openError.reset();
    if (!QFileInfo(path).isFile()) {
        m_notify(MissingMessage.toString());
        return;
    }
    m_path = path;
    m_title.clear();
    m_fieldCount = 0;
    const auto data = DataFile::read(path, FileLimit);
    if (const auto* error = std::get_if<DataError>(&data)) {
        m_openError = *error;
        return;
    }
    const QList<QByteArrayView> lines = TextLines::split(TextLines::withoutBom(std::get<QByteArray>(data)));
    if (!lines.isEmpty())
        m_title = AnsiText::decode(lines[0]);
    if (lines.size() > 1)
        m_fieldCount = std::max(0, NumberForm::parse(AnsiText::decode(lines[1])).value_or(0));
}

void SmartBase::CloseDatabase()
{
    if (!isOpen()) {
        m_notify(NotOpenMessage.toString());
        return;
    }
    m_path.clear();
    m_title.clear();
    m_fieldCount = 0;
}

std::optional<SmartBase::Contents> SmartBase::read() const
{
    if (!isOpen())
        return std::nullopt;
    auto data = DataFile::read(m_path, FileLimit);
    if (!std::holds_alternative<QByteArray>(data))
        return std::nullopt;
    return parse(std::move(std::get<QByteArray>(data)));
}

SmartBase::Contents SmartBase::parse(QByteArray data) const
{
    Contents contents;
    contents.data = std::move(data);
    contents.bom = contents.data.startsWith(TextLines::Bom);
    contents.lines = TextLines::split(TextLines::withoutBom(contents.data));
    contents.headerWhole =
        contents.lines.size() >= 2 && NumberForm::parse(AnsiText::decode(contents.lines[1])).has_value();
    qsizetype next = 2;
    for (int i = 0; i < m_fieldCount; ++i) {
        const qsizetype widthLine = next + 1;
        std::optional<int> width;
        if (widthLine < contents.lines.size())
            width = NumberForm::parse(AnsiText::decode(contents.lines[widthLine]));
        // A negative width would place the later fields before the line starts.
        contents.headerWhole = contents.headerWhole && width.has_value() && *width >= 0;
        contents.widths.append(width.value_or(0));
        next += 2;
    }
    contents.firstRecord = std::min(next, contents.lines.size());
    if (!contents.headerWhole)
        contents.firstRecord = contents.lines.size();
    return contents;
}

int SmartBase::RecordCount() const
{
    const auto contents = read();
    return contents ? contents->recordCount() : 0;
}

QString SmartBase::FieldWidth(int fieldNo) const
{
    if (fieldNo < 1 || fieldNo > m_fieldCount)
        return {};
    const auto contents = read();
    if (!contents || !contents->headerWhole)
        return {};
    return QString::number(contents->widths[fieldNo - 1]);
}

QString SmartBase::GetField(int recordNo, int fieldNo) const
{
    const auto contents = read();
    if (!contents)
        return {};
    return contents->field(contents->record(recordNo), fieldNo);
}

QStringList SmartBase::ListField(int fieldNo) const
{
    QStringList values;
    const auto contents = read();
    if (!contents)
        return values;
    const int count = contents->recordCount();
    values.reserve(count);
    for (int recordNo = 1; recordNo <= count; ++recordNo)
        values.append(contents->field(contents->record(recordNo), fieldNo));
    return values;
}

QList<SmartBase::ListedRecord> SmartBase::ListRecords(int fieldNo) const
{
    QList<ListedRecord> records;
    const auto contents = read();
    if (!contents)
        return records;
    const int count = contents->recordCount();
    records.reserve(count);
    for (int recordNo = 1; recordNo <= count; ++recordNo) {
        const QByteArrayView line = contents->record(recordNo);
        records.append({contents->field(line, fieldNo), AnsiText::decode(line)});
    }
    return records;
}

std::optional<DataError> SmartBase::CheckRecord(int recordNo, const QString& expected) const
{
    if (!isOpen())
        return std::nullopt;
    const auto contents = read();
    if (!contents)
        return errorFor(DataError::Kind::Unreadable);
    return checkRecord(*contents, recordNo, expected);
}

std::optional<DataError> SmartBase::checkRecord(const Contents& contents, int recordNo,
                                                const QString& expected) const
{
    // Every byte decodes to its own character, so equal text is an equal line.
    if (recordNo < 1 || AnsiText::decode(contents.record(recordNo)) != expected)
        return errorFor(DataError::Kind::RecordChanged);
    return std::nullopt;
}

DataError SmartBase::errorFor(DataError::Kind kind, QString detail) const
{
    return DataError{kind, QFileInfo(m_path).fileName(), 0, std::move(detail)};
}

std::optional<DataError> SmartBase::AddRecord(const QString& line)
{
    if (!isOpen())
        return std::nullopt;
    const auto bytes = recordBytes(line);
    if (!bytes)
        return errorFor(DataError::Kind::NotEncodable);
    // Appending must not create a headerless file when the database has gone.
    auto lock = FileLock::acquire(m_path, FileLock::IfMissing::Fail);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    const auto data = file.read(FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return *error;
    QByteArray record;
    // A hand-edited file may lack the final line end; never glue onto its last line.
    if (!std::get<QByteArray>(data).isEmpty() && !std::get<QByteArray>(data).endsWith('\n'))
        record += TextLines::LineEnd.toByteArray();
    record += *bytes + TextLines::LineEnd.toByteArray();
    return file.append(record);
}

std::optional<DataError> SmartBase::ChangeRecord(int recordNo, const QString& line,
                                                 const std::optional<QString>& expected)
{
    return rewrite(recordNo, line, expected);
}

std::optional<DataError> SmartBase::RemoveRecord(int recordNo, const std::optional<QString>& expected)
{
    return rewrite(recordNo, std::nullopt, expected);
}

std::optional<DataError> SmartBase::rewrite(int recordNo, const std::optional<QString>& replacement,
                                            const std::optional<QString>& expected)
{
    if (!isOpen())
        return std::nullopt;
    std::optional<QByteArray> newLine;
    if (replacement) {
        newLine = recordBytes(*replacement);
        if (!newLine)
            return errorFor(DataError::Kind::NotEncodable);
    }
    // Read under the lock: the change applies to the file as it is now, and
    // no append or other rewrite comes between this read and the rename.
    auto lock = FileLock::acquire(m_path, FileLock::IfMissing::Fail);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    auto data = file.read(FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return *error;
    const Contents contents = parse(std::move(std::get<QByteArray>(data)));
    // Never rewrite a file whose header we cannot reproduce: that would lose data.
    if (!contents.headerWhole)
        return errorFor(DataError::Kind::Malformed);
    // Checked on the very lines that are rewritten: what was checked is what is changed.
    if (expected) {
        if (auto changed = checkRecord(contents, recordNo, *expected))
            return changed;
    }

    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    QByteArray out;
    out.reserve(contents.data.size() + (newLine ? newLine->size() : 0) + 64);
    if (contents.bom)
        out += TextLines::Bom.toByteArray();
    out += contents.lines[0].toByteArray() + lineEnd;
    out += NumberForm::line(*NumberForm::parse(AnsiText::decode(contents.lines[1])));
    for (int i = 0; i < m_fieldCount; ++i) {
        out += contents.lines[2 + 2 * i].toByteArray() + lineEnd;
        out += NumberForm::line(contents.widths[i]);
    }
    for (qsizetype i = contents.firstRecord; i < contents.lines.size(); ++i) {
        const qsizetype number = i - contents.firstRecord + 1;
        if (number == recordNo) {
            if (newLine)
                out += *newLine + lineEnd;
            continue;
        }
        out += contents.lines[i].toByteArray() + lineEnd;
    }
    return file.replace(out);
}

} // namespace velmora
