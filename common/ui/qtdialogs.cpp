#include "qtdialogs.h"

#include "controls.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace velmora {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QList<std::pair<QMessageBox::StandardButton, QString>> buttonsOf(MessageButtons buttons)
{
    using B = QMessageBox::StandardButton;
    switch (buttons) {
    case MessageButtons::Ok:
        return {{B::Ok, QStringLiteral("OK")}};
    case MessageButtons::OkCancel:
        return {{B::Ok, QStringLiteral("OK")}, {B::Cancel, QStringLiteral("Annuleren")}};
    case MessageButtons::YesNo:
        return {{B::Yes, QStringLiteral("Ja")}, {B::No, QStringLiteral("Nee")}};
    case MessageButtons::YesNoCancel:
        return {{B::Yes, QStringLiteral("Ja")},
                {B::No, QStringLiteral("Nee")},
                {B::Cancel, QStringLiteral("Annuleren")}};
    }
    return {};
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogs::buildMessageBox(const QString& text, const QString& caption,
                                                        MessageIcon icon, MessageButtons buttons,
                                                        MessageAnswer defaultButton)
{
    auto box = std::make_unique<QMessageBox>(qtIcon(icon), caption, text, QMessageBox::NoButton,
                                             QApplication::activeWindow());
    for (const auto& [standard, label] : buttonsOf(buttons))
        box->addButton(standard)->setText(label);
    box->setDefaultButton(standardButton(defaultButton));
    // Escape answers as the safest button: Cancel, else No, else OK.
    for (const QMessageBox::StandardButton escape : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (box->button(escape)) {
            box->setEscapeButton(escape);
            break;
        }
    }
    return box;
}

MessageAnswer QtDialogs::message(const QString& text, const QString& caption, MessageIcon icon,
                                 MessageButtons buttons, MessageAnswer defaultButton)
{
    auto box = buildMessageBox(text, caption, icon, buttons, defaultButton);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return MessageAnswer::Cancel;
    }
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& proposed)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    // Room for a name of 50 characters.
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMinimumWidth(Controls::textWidth(edit, 50));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuleren"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

QString QtDialogs::filterString(const QList<FileFilter>& filters)
{
    // Qt takes the patterns from the last bracketed part, separated by blanks;
    // a description that already shows them in brackets is used as it is.
    QStringList parts;
    for (const FileFilter& filter : filters) {
        const QString bracketed = u'(' + filter.pattern.split(u';', Qt::SkipEmptyParts).join(u' ') + u')';
        parts.append(filter.description.endsWith(bracketed) ? filter.description
                                                            : filter.description + u' ' + bracketed);
    }
    return parts.join(QStringLiteral(";;"));
}

QString QtDialogs::openFile(const QString& title, const QList<FileFilter>& filters)
{
    QString selected = filters.isEmpty() ? QString() : filterString({filters.first()});
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filterString(filters),
                                        &selected);
}

QString QtDialogs::saveFile(const QString& title, const FileFilter& filter, const QString& proposed)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(QApplication::activeWindow(), title, QDir(folder).filePath(proposed),
                       filterString({filter}));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without its extension still gets one.
    dialog.setDefaultSuffix(filter.pattern.section(u'.', 1));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

std::unique_ptr<QPrinter> QtDialogs::choosePrinter(QPageLayout::Orientation orientation)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(orientation);
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

} // namespace velmora
