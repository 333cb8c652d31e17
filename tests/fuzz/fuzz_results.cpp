#include "fuzzcheck.h"

#include "ansitext.h"
#include "resultstable.h"
#include "score.h"
#include "textlines.h"

#include <QLocale>

using velmora::ResultRecord;
using velmora::ResultsTable;
using velmora::Score;

// Any bytes as toets.res: both readings of every record and its score answer
// without fault, and the reader makes one record of every five lines, the
// last one cut short included, each line as the line reader splits it.
static int fuzzResults(const std::uint8_t* data, std::size_t size)
{
    static const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArrayView> lines = velmora::TextLines::split(bytes);
    const ResultsTable table(bytes);
    FUZZ_CHECK(table.size() == (lines.size() + 4) / 5);
    for (qsizetype i = 0; i < table.size(); ++i) {
        const ResultRecord record = table.record(i);
        FUZZ_CHECK(record.naam == velmora::AnsiText::decode(lines[i * 5]));
        const QString lastLine =
            i * 5 + 4 < lines.size() ? velmora::AnsiText::decode(lines[i * 5 + 4]) : QString();
        FUZZ_CHECK(record.goedLine == lastLine);
        const int gedaan = record.gedaan();
        const int goed = record.goed();
        const QString shown = Score::text(goed, gedaan, dutch);
        FUZZ_CHECK(shown.isEmpty() == (gedaan == 0));
        (void)record.niveauValue();
        if (const auto value = record.gedaanValue())
            FUZZ_CHECK(*value == gedaan);
        if (const auto value = record.goedValue())
            FUZZ_CHECK(*value == goed);
    }
    return 0;
}

FUZZ_ENTRY("results", fuzzResults)
