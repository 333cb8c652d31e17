#include "fuzzcheck.h"

#include "resultsfile.h"
#include "score.h"
#include "textlines.h"

#include <QBuffer>
#include <QLocale>

using velmora::ResultRecord;
using velmora::ResultsFile;
using velmora::Score;

// Any bytes as toets.res: both readings of every record and its score answer
// without fault, and the reader keeps exactly the whole five-line records.
int fuzzResults(const std::uint8_t* data, std::size_t size)
{
    static const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    const QList<ResultRecord> records = ResultsFile::read(buffer);
    FUZZ_CHECK(records.size() == velmora::TextLines::split(bytes).size() / 5);
    for (const ResultRecord& record : records) {
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

FUZZ_ENTRY(fuzzResults)
