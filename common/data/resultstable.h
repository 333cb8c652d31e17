#pragma once

#include "resultrecord.h"

#include <QByteArray>
#include <QList>

namespace velmora {

// toets.res as read: its bytes and where each record starts, so that a
// school's million records, or a file of nothing but line ends, take little
// more memory than the file itself. Records are made on request. A record cut short (the file ends inside it)
// is one record whose missing lines are empty; it never shifts the records after it, as an append first
// completes it.
class ResultsTable
{
public:
    ResultsTable() = default;
    explicit ResultsTable(QByteArray data);

    qsizetype size() const { return m_recordStarts.size(); }
    bool isEmpty() const { return m_recordStarts.isEmpty(); }
    ResultRecord record(qsizetype index) const;
    // The bytes the records were read from, as the file held them.
    const QByteArray& bytes() const { return m_data; }

private:
    QByteArray m_data;
    // Offsets fit: a results file is never read beyond 4 GiB.
    QList<quint32> m_recordStarts;
};

} // namespace velmora
