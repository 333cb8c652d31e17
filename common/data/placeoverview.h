#pragma once

#include "dataerror.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

namespace velmora {

// What a class misses on one map and level, counted from antwoorden.csv in
// one reading: per place how often it was asked and missed, and per pupil
// the tests with their dates and scores.
class PlaceOverview
{
public:
    enum class Period { Vandaag, DezeWeek, DezeMaand, Alles };
    struct Filter
    {
        QString kaart;
        int niveau = 0;
        bool alleenToetsen = false;
        // Empty: every pupil.
        QString leerling;
        Period period = Period::Alles;
        QDate today;
    };
    struct Place
    {
        QString naam;
        int gevraagd = 0;
        int fout = 0;
    };
    struct Test
    {
        QString leerling;
        QDateTime begonnen;
        int gevraagd = 0;
        int goed = 0;
    };

    // The maps and pupils that have answers, each sorted.
    struct Choices
    {
        QStringList kaarten;
        QStringList leerlingen;
    };

    // The bytes of antwoorden.csv, read once for every count; a missing file has no answers yet.
    static std::variant<QByteArray, DataError> readFile(const QString& path);
    static Choices choices(QByteArrayView file);
    static PlaceOverview count(QByteArrayView file, const Filter& filter);

    // Most missed first; equal counts by the larger share, then by name.
    const QList<Place>& places() const { return m_places; }
    // By pupil, each pupil's tests oldest first.
    const QList<Test>& tests() const { return m_tests; }

private:
    QList<Place> m_places;
    QList<Test> m_tests;
};

} // namespace velmora
