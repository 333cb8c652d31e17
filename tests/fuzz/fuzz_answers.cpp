#include "fuzzcheck.h"

#include "answerline.h"
#include "placeoverview.h"

using velmora::AnswerLine;
using velmora::PlaceOverview;

// Any bytes as antwoorden.csv: the overview counts without fault, never more
// misses than questions nor a test with more right than asked, and every line
// it reads as an answer writes back to a line that reads the same.
static int fuzzAnswers(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PlaceOverview::Choices choices = PlaceOverview::choices(bytes);
    for (const QString& kaart : choices.kaarten.mid(0, 2)) {
        for (int niveau = 1; niveau <= 3; ++niveau) {
            const PlaceOverview overview =
                PlaceOverview::count(bytes, {kaart, niveau, false, QString(), PlaceOverview::Period::DezeWeek,
                                             QDate(2026, 12, 9)});
            for (const PlaceOverview::Place& place : overview.places())
                FUZZ_CHECK(place.fout >= 0 && place.fout <= place.gevraagd);
            for (const PlaceOverview::Test& test : overview.tests())
                FUZZ_CHECK(test.goed >= 0 && test.goed <= test.gevraagd);
        }
    }
    for (const QByteArray& line : bytes.toByteArray().split('\n')) {
        if (const auto answer = AnswerLine::decode(line)) {
            const auto again = AnswerLine::decode(answer->encode());
            FUZZ_CHECK(again && again->encode() == answer->encode());
        }
    }
    return 0;
}

FUZZ_ENTRY("answers", fuzzAnswers)
