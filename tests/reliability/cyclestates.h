#pragma once

#include "plaats.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The two contents a crash-test writer switches between, known to both the
// writer process and the test that checks what a kill left behind.
class CycleStates
{
public:
    static constexpr int Pupils = 200;
    static constexpr int MapItemsA = 300;
    static constexpr int MapItemsB = 120;

    // Record 1 of leerling.sdb in state A and state B; records 2.. never change.
    static QString pupilLine(bool stateB);
    static QString otherPupilLine(int recordNo);
    static QList<velmora::Plaats> mapItems(bool stateB);
    static QString mapPicture() { return QStringLiteral("kaart.bmp"); }
    static QString password(bool stateB);
};
