#pragma once

#include "mapeditstate.h"

#include <QDialog>
#include <QList>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora {
class MapDrawing;
class MapLegend;
class MapPicture;
class SmartBase;
} // namespace velmora

namespace korveladmin {

// The map editor: the teacher places the map's items on its picture, names
// them, gives each a level and removes them; closing it in any way offers to
// save the changes. It opens the map file of record `recordNo` of the map
// database the register keeps open, and saves to that same file.
class frmKaartEdit : public QDialog
{
    Q_OBJECT

public:
    frmKaartEdit(velmora::SmartBase& db, int recordNo, const QString& caption, QWidget* parent = nullptr);

    // Reads the map and builds its items; false, after telling the teacher
    // why, when the map cannot be opened.
    bool load();

    const MapEditState& state() const { return *m_state; }
    // Whether the edits went into a new map added to the list.
    bool addedCopy() const { return m_addedCopy; }

    // Every close (Sluiten, the close box, Alt+F4, logging out) comes here.
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The edit panel of one item and its controls.
    struct Panel
    {
        QFrame* EditFrame = nullptr;
        QLineEdit* txtPlaatsnaam = nullptr;
        QRadioButton* Niveau[3] = {};
        QPushButton* cmdCloseEdit = nullptr;
    };

    void buildLegend();
    void addModeButtons(velmora::ItemKind kind);
    void showError(const QString& text);

    void picturePressed(int xTwips, int yTwips);
    void itemClicked(int index);
    // The map as large as the window has room for; false when it already was.
    bool fitMap();
    // Legenda and Sluiten, which follow the picture's size.
    void placeBeside();
    void buildItem(int index);
    void placePanel(int index);
    // Shows item `index` as the state holds it.
    void showItem(int index);
    // An open panel lies above every marker and hotspot, so that all of it can be reached.
    void raiseOpenPanel();
    void nameTyped(int index, const QString& text);
    void destroyLastItem();
    void showStatus();
    bool mapStillListed() const;
    bool save();
    // Another save came in after opening: the edits can go into a new map.
    bool saveAsCopy();

    velmora::SmartBase& m_db;
    int m_recordNo;
    // The map file as its record named it when the editor opened, and where it lies.
    QString m_krtName;
    QString m_krtPath;
    // The file's bytes when the editor opened it: only over these does it save.
    QByteArray m_opened;
    bool m_addedCopy = false;
    std::optional<MapEditState> m_state;

    QLabel* lblStatus = nullptr;
    QPushButton* cmdClose = nullptr;
    velmora::MapPicture* Picture1 = nullptr;
    velmora::MapLegend* Legenda = nullptr;
    velmora::MapDrawing* m_drawing = nullptr;
    QList<Panel> m_panels; // index 0 unused, as the items count from 1
};

} // namespace korveladmin
