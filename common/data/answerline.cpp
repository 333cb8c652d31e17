#include "answerline.h"

#include "csvline.h"

namespace velmora {
namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString TimeFormat = QStringLiteral("HH:mm:ss");
const QString StartFormat = DateFormat + u' ' + TimeFormat;
const QString Oefenen = QStringLiteral("oefenen");
const QString Toets = QStringLiteral("toets");
const QString Goed = QStringLiteral("goed");
const QString Fout = QStringLiteral("fout");

constexpr qsizetype Columns = 10;

// Digits at [from, from + count) of text, or -1.
int number(QStringView text, qsizetype from, qsizetype count)
{
    if (from + count > text.size())
        return -1;
    int value = 0;
    for (QChar c : text.sliced(from, count)) {
        if (!c.isDigit())
            return -1;
        value = value * 10 + c.digitValue();
    }
    return value;
}

// "yyyy-MM-dd" and "HH:mm:ss", read by hand: Qt's format parser would take
// most of the time of counting a school year of answers.
QDate date(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    const int year = number(text, 0, 4);
    // Qt takes year -1 (a year before Christ) as a date.
    return year < 0 ? QDate() : QDate(year, number(text, 5, 2), number(text, 8, 2));
}

QTime time(QStringView text)
{
    if (text.size() != 8 || text[2] != u':' || text[5] != u':')
        return {};
    return QTime(number(text, 0, 2), number(text, 3, 2), number(text, 6, 2));
}

// Wall-clock time as written: UTC spares a time-zone lookup per line. Null
// unless both parts are valid (Qt would take an invalid time as midnight).
QDateTime dateTime(QStringView day, QStringView clock)
{
    const QDate d = date(day);
    const QTime t = time(clock);
    return d.isValid() && t.isValid() ? QDateTime(d, t, Qt::UTC) : QDateTime();
}

} // namespace

QStringList AnswerLine::headings()
{
    return {QStringLiteral("Datum"),    QStringLiteral("Tijd"),    QStringLiteral("Leerling"),
            QStringLiteral("Kaart"),    QStringLiteral("Niveau"),  QStringLiteral("Soort"),
            QStringLiteral("Gevraagd"), QStringLiteral("Geklikt"), QStringLiteral("Uitslag"),
            QStringLiteral("Begonnen")};
}

QByteArray AnswerLine::encode() const
{
    return CsvLine::encode({when.toString(DateFormat), when.toString(TimeFormat), leerling, kaart,
                            QString::number(niveau), mode == Mode::Toets ? Toets : Oefenen, gevraagd, geklikt,
                            goed ? Goed : Fout, begonnen.toString(StartFormat)});
}

std::optional<AnswerLine> AnswerLine::decode(QByteArrayView bytes)
{
    const QStringList f = CsvLine::decode(bytes);
    // Later programs may add columns at the end.
    if (f.size() < Columns)
        return std::nullopt;
    AnswerLine line;
    line.when = dateTime(f[0], f[1]);
    const QStringView start = f[9];
    if (start.size() == 19 && start[10] == u' ')
        line.begonnen = dateTime(start.first(10), start.sliced(11));
    bool number = false;
    line.niveau = f[4].toInt(&number);
    if (!line.when.isValid() || !line.begonnen.isValid() || !number || (f[5] != Oefenen && f[5] != Toets) ||
        (f[8] != Goed && f[8] != Fout))
        return std::nullopt;
    line.leerling = f[2];
    line.kaart = f[3];
    line.mode = f[5] == Toets ? Mode::Toets : Mode::Oefenen;
    line.gevraagd = f[6];
    line.geklikt = f[7];
    line.goed = f[8] == Goed;
    return line;
}

} // namespace velmora
