#pragma once

#include "menuwindow.h"

#include <QString>

class QListWidget;
class QPushButton;
class QRadioButton;

namespace velmora {
class SmartBase;
}

namespace korvel {

// The map menu: a map from kaarten.sdb and a level. Hidden, not closed, while
// the activity menu and the map screen are up, so its choices stay readable.
class frmKeuzeMenu : public MenuWindow
{
    Q_OBJECT

public:
    explicit frmKeuzeMenu(velmora::SmartBase& db, QWidget* parent = nullptr);

    // Reads the map list. False when the map database is unusable and the
    // program has been ended.
    bool load();

    // The chosen map's name, blanks around it removed.
    const QString& Kaart() const { return m_kaart; }
    // Its file field as read, not trimmed.
    const QString& KaartFile() const { return m_kaartFile; }
    // 1, 2 or 3; 0 before the first Start.
    int Niveau() const { return m_niveau; }

Q_SIGNALS:
    // Start with a map selected: the choices above are set.
    void started();

private:
    void selectionChanged();
    void start();

    velmora::SmartBase& m_db;
    QListWidget* Kaarten;
    QListWidget* KaartenBestand;
    QList<QRadioButton*> opNiveau;
    QPushButton* cmdStart;
    QString m_kaart;
    QString m_kaartFile;
    int m_niveau = 0;
};

} // namespace korvel
