#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace velmora {

// The record database: a title line, the declared fields with their widths,
// then one fixed-width record line per record. Nothing is kept in memory but
// which file is open; every call reads the file from the top and closes it.
// Record and field numbers are 1-based.
class SmartBase
{
public:
    static constexpr QStringView MissingMessage = u"Database bestaat niet";
    static constexpr QStringView NotOpenMessage = u"Er staat geen database open";
    // 32 767 records of a thousand characters: anything larger is no database.
    static constexpr qint64 FileLimit = 32 * 1024 * 1024;

    // Shows one of the two messages above to the user.
    using Notifier = std::function<void(const QString& message)>;
    explicit SmartBase(Notifier notify);

    void OpenDatabase(const QString& path);
    void CloseDatabase();

    int RecordCount() const;
    QString GetField(int recordNo, int fieldNo) const;
    QString FieldWidth(int fieldNo) const;
    // GetField(i, fieldNo) for i = 1 .. RecordCount(), read in one pass.
    QStringList ListField(int fieldNo) const;

    // A listed record: the field shown and the whole line it was read from.
    struct ListedRecord
    {
        QString field;
        QString line;
    };
    // ListField with each record's line, from the same read: the line a caller
    // passes as `expected` when it changes or removes that record later.
    QList<ListedRecord> ListRecords(int fieldNo) const;
    // RecordChanged when record recordNo no longer holds the line `expected`.
    std::optional<DataError> CheckRecord(int recordNo, const QString& expected) const;

    // A failure leaves the file as it was and says why; a line the code page
    // cannot hold, or with a line break in it, is NotEncodable. With `expected`, the
    // record is first checked, in the same read that the rewrite works on, to
    // still hold that line; when another program changed it meanwhile,
    // nothing is written and the error is RecordChanged.
    std::optional<DataError> AddRecord(const QString& line);
    std::optional<DataError> ChangeRecord(int recordNo, const QString& line,
                                          const std::optional<QString>& expected = std::nullopt);
    std::optional<DataError> RemoveRecord(int recordNo,
                                          const std::optional<QString>& expected = std::nullopt);

    // Why the last OpenDatabase could not read the file (too large, unreadable), if so.
    const std::optional<DataError>& OpenError() const { return m_openError; }
    const QString& DatabasePath() const { return m_path; }
    const QString& DatabaseTitle() const { return m_title; }
    int FieldCount() const { return m_fieldCount; }
    bool isOpen() const { return !m_path.isEmpty(); }

private:
    struct Contents;
    std::optional<Contents> read() const;
    Contents parse(QByteArray data) const;
    std::optional<DataError> rewrite(int recordNo, const std::optional<QString>& replacement,
                                     const std::optional<QString>& expected);
    std::optional<DataError> checkRecord(const Contents& contents, int recordNo,
                                         const QString& expected) const;
    DataError errorFor(DataError::Kind kind, QString detail = {}) const;

    Notifier m_notify;
    QString m_path;
    QString m_title;
    int m_fieldCount = 0;
    std::optional<DataError> m_openError;
};

} // namespace velmora
