#include "fuzzcheck.h"

#include "smartbase.h"

#include <algorithm>

using velmora::SmartBase;

namespace {

QStringList listing(const SmartBase& db, int fieldNo)
{
    return db.ListField(fieldNo);
}

} // namespace

// Any bytes as leerling.sdb: every reading operation answers, the listing
// agrees with GetField, and a rewrite that changes no record keeps them all.
static int fuzzSmartBase(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeFuzzInput(QStringLiteral("leerling.sdb"), data, size);

    int messages = 0;
    SmartBase db([&messages](const QString&) { ++messages; });
    db.OpenDatabase(path);
    FUZZ_CHECK(db.isOpen() && messages == 0);
    FUZZ_CHECK(db.FieldCount() >= 0);

    const int count = db.RecordCount();
    FUZZ_CHECK(count >= 0);
    const int fields = std::min(db.FieldCount(), 6);
    for (int fieldNo = -1; fieldNo <= fields + 1; ++fieldNo)
        (void)db.FieldWidth(fieldNo);

    QList<QStringList> before;
    for (int fieldNo = 0; fieldNo <= fields + 1; ++fieldNo) {
        const QStringList values = listing(db, fieldNo);
        FUZZ_CHECK(values.size() == count);
        for (int recordNo = 1; recordNo <= std::min(count, 4); ++recordNo)
            FUZZ_CHECK(db.GetField(recordNo, fieldNo) == values[recordNo - 1]);
        before.append(values);
    }
    for (int fieldNo = 0; fieldNo <= fields + 1; ++fieldNo) {
        FUZZ_CHECK(db.GetField(0, fieldNo).isEmpty());
        FUZZ_CHECK(db.GetField(-1, fieldNo).isEmpty());
        (void)db.GetField(count + 1, fieldNo);
    }

    // Removing no record rewrites the file without changing one.
    if (!db.RemoveRecord(0)) {
        SmartBase again([&messages](const QString&) { ++messages; });
        again.OpenDatabase(path);
        FUZZ_CHECK(again.DatabaseTitle() == db.DatabaseTitle());
        FUZZ_CHECK(again.FieldCount() == db.FieldCount());
        FUZZ_CHECK(again.RecordCount() == count);
        for (int fieldNo = 0; fieldNo <= fields + 1; ++fieldNo)
            FUZZ_CHECK(listing(again, fieldNo) == before[fieldNo]);
    }
    // Record 1 is the first line after the header, an empty one included.
    if (count > 0 && !db.ChangeRecord(1, QStringLiteral("     Anna"))) {
        const int after = db.RecordCount();
        FUZZ_CHECK(after == count || after == count + 1);
        const int width = db.FieldWidth(1).toInt();
        if (width > 0)
            FUZZ_CHECK(db.GetField(1, 1) == QStringLiteral("     Anna").left(width));
    }
    FUZZ_CHECK(messages == 0);
    return 0;
}

FUZZ_ENTRY("smartbase", fuzzSmartBase)
