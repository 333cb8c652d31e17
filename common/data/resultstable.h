#pragma once

#include "resultrecord.h"

#include <QByteArray>
#include <QList>

namespace velmora {

// toets.res as read: its bytes and where every sixteenth record starts, so
// that a school's million records, or a file of nothing but line ends, take
// little more memory than the file itself. Records are made on request. A record cut short (the file ends
// inside it) is one record whose missing lines are empty; it never shifts the records after it, as an append
// first completes it.
class ResultsTable
{
public:
    ResultsTable() = default;
    explicit ResultsTable(QByteArray data);

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    ResultRecord record(qsizetype index) const;
    // The bytes the records were read from, as the file held them.
    const QByteArray& bytes() const { return m_data; }

private:
    static constexpr qsizetype Stride = 16;

    QByteArray m_data;
    qsizetype m_size = 0;
    // Where records 0, 16, 32 … start. Offsets fit: a results file is never read beyond 4 GiB.
    QList<quint32> m_starts;
};

} // namespace velmora
