#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

// One answer of a pupil in practice or a test: a line of antwoorden.csv, the
// file a teacher's spreadsheet opens as it is.
struct AnswerLine
{
    enum class Mode { Oefenen, Toets };

    QDateTime when;
    QString leerling;
    QString kaart;
    int niveau = 0;
    Mode mode = Mode::Oefenen;
    QString gevraagd;
    QString geklikt;
    bool goed = false;
    // When the practice or test began: it tells one test of a pupil from the next.
    QDateTime begonnen;

    // The heading row the file starts with.
    static QStringList headings();
    QByteArray encode() const;
    // Empty for the heading row and for a line that is not an answer.
    static std::optional<AnswerLine> decode(QByteArrayView line);
};

} // namespace velmora
