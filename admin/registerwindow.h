#pragma once

#include "dataerror.h"
#include "recordlist.h"
#include "registerdatabase.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QVBoxLayout;

namespace velmora {
class BusyPointer;
class SmartBase;
struct RegisterFile;
} // namespace velmora

namespace korveladmin {

// A teacher's window onto one register: its list on the left, its buttons in a
// column on the right, and its database open for as long as the window is.
// Every action ends the same way: the list is read anew, then a failure is said.
class RegisterWindow : public QDialog
{
    Q_OBJECT
public:
    struct Register
    {
        const velmora::RegisterFile& file;
        int listedField;
        RecordList::Blanks blanks;
        velmora::RegisterDatabase::Messages messages; // its errorCaption heads every failure
        QString noNameGiven; // said when the name box gives no name; nothing when empty
    };

public Q_SLOTS:
    // Every way of closing ends here: the database is closed.
    void done(int result) override;

protected:
    RegisterWindow(const QString& name, const QString& caption, velmora::SmartBase& db, Register reg,
                   QWidget* parent);

    // A button below the last one, off while no entry is selected.
    QPushButton* selectionButton(const QString& name, const QString& text);
    // Opens the database and lists it; without a usable one nothing can be added.
    void openDatabase();
    virtual void cmdAdd_Click() = 0;

    velmora::SmartBase& db() const { return m_db; }
    RecordList* list() const { return List; }
    // The selected entry, unless its record no longer holds what the list shows:
    // another teacher changed it, which is said after the list is read anew.
    std::optional<RecordList::Selected> stillListedSelection();
    // Asks first with `question` (its %1 the entry as shown); Enter keeps the record.
    void removeSelected(const QString& question, const QString& caption);
    // A name that can be stored; empty when none was given.
    QString askName(const QString& prompt, const QString& title, const QString& proposed);
    void finish(velmora::BusyPointer& busy, const std::optional<velmora::DataError>& error);
    void refreshList();
    void showError(const QString& text);

private:
    void List_SelectionChanged();

    velmora::SmartBase& m_db;
    const Register m_register;
    RecordList* List = nullptr;
    QPushButton* cmdAdd = nullptr;
    QVBoxLayout* m_buttons = nullptr;
    QList<QPushButton*> m_selectionButtons;
};

} // namespace korveladmin
