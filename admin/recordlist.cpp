#include "recordlist.h"

#include <QSignalBlocker>

using namespace velmora;

namespace korveladmin {

RecordList::RecordList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("List"));
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void RecordList::fill(const QList<SmartBase::ListedRecord>& records, Blanks blanks)
{
    {
        // One selection signal for the whole refill, not one per entry.
        const QSignalBlocker quiet(this);
        clear();
        for (const auto& record : records) {
            auto* item =
                new QListWidgetItem(blanks == Blanks::Trimmed ? record.field.trimmed() : record.field, this);
            item->setData(Qt::UserRole, record.line);
        }
    }
    Q_EMIT itemSelectionChanged();
}

std::optional<RecordList::Selected> RecordList::selected() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    QListWidgetItem* item = items.first();
    return Selected{row(item) + 1, item->text(), item->data(Qt::UserRole).toString()};
}

} // namespace korveladmin
