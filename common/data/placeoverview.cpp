#include "placeoverview.h"

#include "answerline.h"
#include "answersfile.h"
#include "datafile.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace velmora {
namespace {

bool inPeriod(const QDate& day, PlaceOverview::Period period, const QDate& today)
{
    switch (period) {
    case PlaceOverview::Period::Vandaag:
        return day == today;
    case PlaceOverview::Period::DezeWeek:
        // The week starts on Monday.
        return day >= today.addDays(1 - today.dayOfWeek()) && day <= today;
    case PlaceOverview::Period::DezeMaand:
        return day.year() == today.year() && day.month() == today.month() && day <= today;
    case PlaceOverview::Period::Alles:
        break;
    }
    return true;
}

bool wanted(const AnswerLine& a, const PlaceOverview::Filter& f)
{
    return a.kaart == f.kaart && a.niveau == f.niveau &&
           (!f.alleenToetsen || a.mode == AnswerLine::Mode::Toets) &&
           (f.leerling.isEmpty() || a.leerling == f.leerling) && inPeriod(a.when.date(), f.period, f.today);
}

// Every line that is an answer; the heading row and damaged lines are passed over.
template <typename Use> void forEachAnswer(QByteArrayView file, Use use)
{
    while (!file.isEmpty()) {
        const qsizetype end = file.indexOf('\n');
        const QByteArrayView bytes = end < 0 ? file : file.first(end);
        file = end < 0 ? QByteArrayView() : file.sliced(end + 1);
        if (const auto answer = AnswerLine::decode(bytes))
            use(*answer);
    }
}

} // namespace

std::variant<QByteArray, DataError> PlaceOverview::readFile(const QString& path)
{
    auto data = DataFile::read(path, AnswersFile::FileLimit);
    if (const auto* error = std::get_if<DataError>(&data); error && error->kind == DataError::Kind::Missing)
        return QByteArray();
    return data;
}

PlaceOverview::Choices PlaceOverview::choices(QByteArrayView file)
{
    QSet<QString> kaarten;
    QSet<QString> leerlingen;
    forEachAnswer(file, [&](const AnswerLine& answer) {
        kaarten.insert(answer.kaart);
        leerlingen.insert(answer.leerling);
    });
    Choices found{kaarten.values(), leerlingen.values()};
    found.kaarten.sort(Qt::CaseInsensitive);
    found.leerlingen.sort(Qt::CaseInsensitive);
    return found;
}

PlaceOverview PlaceOverview::count(QByteArrayView file, const Filter& filter)
{
    QHash<QString, qsizetype> placeIndex;
    QHash<std::pair<QString, QDateTime>, qsizetype> testIndex;
    PlaceOverview overview;
    forEachAnswer(file, [&](const AnswerLine& answer) {
        if (!wanted(answer, filter))
            return;
        auto place = placeIndex.find(answer.gevraagd);
        if (place == placeIndex.end()) {
            place = placeIndex.insert(answer.gevraagd, overview.m_places.size());
            overview.m_places.append({answer.gevraagd});
        }
        Place& p = overview.m_places[*place];
        ++p.gevraagd;
        p.fout += answer.goed ? 0 : 1;
        if (answer.mode != AnswerLine::Mode::Toets)
            return;
        const auto key = std::make_pair(answer.leerling, answer.begonnen);
        auto test = testIndex.find(key);
        if (test == testIndex.end()) {
            test = testIndex.insert(key, overview.m_tests.size());
            overview.m_tests.append({answer.leerling, answer.begonnen});
        }
        Test& t = overview.m_tests[*test];
        ++t.gevraagd;
        t.goed += answer.goed ? 1 : 0;
    });
    std::sort(overview.m_places.begin(), overview.m_places.end(), [](const Place& a, const Place& b) {
        // a.fout / a.gevraagd > b.fout / b.gevraagd, without division
        const qint64 shareA = qint64(a.fout) * b.gevraagd;
        const qint64 shareB = qint64(b.fout) * a.gevraagd;
        return std::tie(b.fout, shareB, a.naam) < std::tie(a.fout, shareA, b.naam);
    });
    std::sort(overview.m_tests.begin(), overview.m_tests.end(), [](const Test& a, const Test& b) {
        return std::tie(a.leerling, a.begonnen) < std::tie(b.leerling, b.begonnen);
    });
    return overview;
}

} // namespace velmora
