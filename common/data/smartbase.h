#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QStringList>

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

    // A failure leaves the file as it was and says why.
    std::optional<DataError> AddRecord(const QString& line);
    std::optional<DataError> ChangeRecord(int recordNo, const QString& line);
    std::optional<DataError> RemoveRecord(int recordNo);

    const QString& DatabasePath() const { return m_path; }
    const QString& DatabaseTitle() const { return m_title; }
    int FieldCount() const { return m_fieldCount; }
    bool isOpen() const { return !m_path.isEmpty(); }

private:
    struct Contents;
    std::optional<Contents> read() const;
    std::optional<DataError> rewrite(int recordNo, const std::optional<QString>& replacement);
    DataError errorFor(DataError::Kind kind, QString detail = {}) const;

    Notifier m_notify;
    QString m_path;
    QString m_title;
    int m_fieldCount = 0;
};

} // namespace velmora
