#include "registerwindow.h"

#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "namebox.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korveladmin {

RegisterWindow::RegisterWindow(const QString& name, const QString& caption, SmartBase& db, Register reg,
                               QWidget* parent)
    : QDialog(parent), m_db(db), m_register(std::move(reg))
{
    setObjectName(name);
    setWindowTitle(caption);

    List = new RecordList(this);
    Controls::markOnlySelected(List);
    cmdAdd = Controls::button(QStringLiteral("cmdAdd"), QStringLiteral("Nieuwe toevoegen"), this);
    auto* cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);

    m_buttons = new QVBoxLayout;
    m_buttons->addWidget(cmdAdd);
    m_buttons->addStretch();
    m_buttons->addWidget(cmdEnd);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List, 1);
    layout->addLayout(m_buttons);
    // The usual first step has the focus: Space or Enter adds.
    cmdAdd->setFocus();

    connect(List, &RecordList::itemSelectionChanged, this, &RegisterWindow::List_SelectionChanged);
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::reject);
}

QPushButton* RegisterWindow::selectionButton(const QString& name, const QString& text)
{
    auto* button = Controls::button(name, text, this);
    // Below the others, above the stretch and "Sluiten".
    m_buttons->insertWidget(m_buttons->count() - 2, button);
    m_selectionButtons.append(button);
    return button;
}

void RegisterWindow::openDatabase()
{
    if (!RegisterDatabase::open(m_db, m_register.file, m_register.messages))
        cmdAdd->setEnabled(false);
    refreshList();
}

void RegisterWindow::done(int result)
{
    if (m_db.isOpen())
        m_db.CloseDatabase();
    QDialog::done(result);
}

void RegisterWindow::refreshList()
{
    BusyPointer busy;
    // A refill selects nothing, and so turns the buttons that need a selection off.
    List->fill(m_db.ListRecords(m_register.listedField), m_register.blanks);
}

void RegisterWindow::List_SelectionChanged()
{
    const bool selected = List->selected().has_value();
    for (QPushButton* button : std::as_const(m_selectionButtons))
        button->setEnabled(selected);
}

std::optional<RecordList::Selected> RegisterWindow::stillListedSelection()
{
    const auto selected = List->selected();
    if (!selected)
        return std::nullopt;
    // Asking anything about a record that is no longer there would waste the teacher's time.
    if (const auto changed = m_db.CheckRecord(selected->recordNo, selected->line)) {
        refreshList();
        showError(changed->message());
        return std::nullopt;
    }
    return selected;
}

void RegisterWindow::removeSelected(const QString& question, const QString& caption)
{
    const auto selected = List->selected();
    if (!selected || !Dialogs::confirmDestructive(question.arg(selected->text), caption))
        return;
    BusyPointer busy;
    finish(busy, m_db.RemoveRecord(selected->recordNo, selected->line));
}

QString RegisterWindow::askName(const QString& prompt, const QString& title, const QString& proposed)
{
    const QString name = NameBox::ask({prompt, title, proposed, m_register.messages.errorCaption,
                                       m_register.file.fields[m_register.listedField - 1].width});
    if (name.isEmpty() && !m_register.noNameGiven.isEmpty())
        showError(m_register.noNameGiven);
    return name;
}

void RegisterWindow::finish(BusyPointer& busy, const std::optional<DataError>& error)
{
    refreshList();
    busy.release();
    if (error)
        showError(error->message());
}

void RegisterWindow::showError(const QString& text)
{
    Dialogs::current().message(text, m_register.messages.errorCaption, MessageIcon::Critical,
                               MessageButtons::Ok);
}

} // namespace korveladmin
