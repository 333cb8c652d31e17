#pragma once

#include "dialogs.h"

class QMessageBox;

namespace velmora {

// The real dialogs: Qt's message, input, file and print dialogs, with Dutch
// button texts whatever translation is loaded.
class QtDialogs : public Dialogs
{
public:
    using Dialogs::message;
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons, MessageAnswer defaultButton) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    QString openFile(const QString& title, const QList<FileFilter>& filters) override;
    QString saveFile(const QString& title, const FileFilter& filter, const QString& proposed) override;
    std::unique_ptr<QPrinter> choosePrinter(QPageLayout::Orientation orientation) override;

    // The message box as it would be shown, for message() and for tests.
    static std::unique_ptr<QMessageBox> buildMessageBox(const QString& text, const QString& caption,
                                                        MessageIcon icon, MessageButtons buttons,
                                                        MessageAnswer defaultButton);
    static QString filterString(const QList<FileFilter>& filters);
};

} // namespace velmora
