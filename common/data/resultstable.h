#pragma once

#include "resultrecord.h"

#include <QByteArray>
#include <QList>

namespace velmora {

// toets.res as read: its bytes and where each line starts, so that a school's
// million records take little more memory than the file itself. Records are
// made on request. A record cut short (the file ends inside it) is one record
// whose missing lines are empty; it never shifts the records after it, as an
// append first completes it.
class ResultsTable
{
public:
    ResultsTable() = default;
    explicit ResultsTable(QByteArray data);

    qsizetype size() const { return (m_lineStarts.size() + 4) / 5; }
    bool isEmpty() const { return m_lineStarts.isEmpty(); }
    ResultRecord record(qsizetype index) const;
    // The bytes the records were read from, as the file held them.
    const QByteArray& bytes() const { return m_data; }

private:
    QByteArrayView line(qsizetype index) const;

    QByteArray m_data;
    QList<qint64> m_lineStarts;
};

} // namespace velmora
