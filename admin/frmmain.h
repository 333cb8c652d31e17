#pragma once

#include <QDialog>

class QPushButton;

namespace velmora {
class SmartBase;
}

namespace korveladmin {

// "KorvelAdmin": the teacher's menu. Each window button opens its window
// modally; the registers work on the program's one database.
class frmMain : public QDialog
{
    Q_OBJECT
public:
    explicit frmMain(velmora::SmartBase& db, QWidget* parent = nullptr);

public Q_SLOTS:
    // Esc is "Afsluiten".
    void reject() override;

protected:
    // The close box only closes this window; with no other window open the program ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdLeerlingen_Click();
    void cmdKaarten_Click();
    void cmdResultaat_Click();
    void Command1_Click();
    void cmdWachtwoord_Click();

    velmora::SmartBase& m_db;
    QPushButton* cmdEnd = nullptr;
};

} // namespace korveladmin
