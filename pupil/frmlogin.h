#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

namespace velmora {
class SmartBase;
}

namespace korvel {

// The pupil picks his or her name; choosing it is the whole login. The window
// is hidden, never closed, while the pupil works, so Gebruiker stays readable.
class frmLogin : public QDialog
{
    Q_OBJECT

public:
    explicit frmLogin(velmora::SmartBase& db, QWidget* parent = nullptr);

    // Start-up: the splash, spare databases into place, the pupil list. False
    // when the pupil database is unusable and the program has been ended.
    bool load();

    // The confirmed pupil name exactly as listed; empty before the first OK.
    const QString& Gebruiker() const { return m_gebruiker; }

Q_SIGNALS:
    // OK with a name selected: the window is hidden and Gebruiker is set.
    void confirmed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void selectionChanged();
    void confirm();

    velmora::SmartBase& m_db;
    QListWidget* Leerlingen;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString m_gebruiker;
};

} // namespace korvel
