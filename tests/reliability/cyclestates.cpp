#include "cyclestates.h"

QString CycleStates::pupilLine(bool stateB)
{
    return stateB ? QStringLiteral("     Bram-Jan van der Meer") : QStringLiteral("     Anna");
}

QString CycleStates::otherPupilLine(int recordNo)
{
    return QStringLiteral("     Leerling %1").arg(recordNo);
}

QList<velmora::Plaats> CycleStates::mapItems(bool stateB)
{
    QList<velmora::Plaats> items;
    const int count = stateB ? MapItemsB : MapItemsA;
    for (int i = 1; i <= count; ++i) {
        const QString kind = stateB ? QStringLiteral("d") : QStringLiteral("s");
        items.append(velmora::Plaats{(i % 3) + 1, kind, i * 10, i * 7, QStringLiteral("Plaats %1").arg(i)});
    }
    return items;
}

QString CycleStates::password(bool stateB)
{
    return stateB ? QStringLiteral("een veel langer wachtwoord, met komma") : QStringLiteral("geheim");
}
