#pragma once

#include "smartbase.h"

#include <QListWidget>

#include <optional>

namespace korveladmin {

// A register's list: entry i shows a field of record i + 1 and keeps the whole
// record line it was read from, so that a change can first check that the
// record still holds what the teacher sees.
class RecordList : public QListWidget
{
    Q_OBJECT
public:
    enum class Blanks { Kept, Trimmed };

    explicit RecordList(QWidget* parent = nullptr);

    // Refills the list; afterwards nothing is selected.
    void fill(const QList<velmora::SmartBase::ListedRecord>& records, Blanks blanks);

    struct Selected
    {
        int recordNo;
        QString text; // as shown
        QString line; // the record line it was read from
    };
    std::optional<Selected> selected() const;
};

} // namespace korveladmin
