#pragma once

#include "dialogs.h"

#include <QList>

#include <QQueue>
#include <QString>
#include <functional>

#include <variant>

// Answers dialogs from a script and records every one shown, so a test can
// check the exact text, caption, icon and buttons. Installed while it lives.
class FakeDialogs : public velmora::Dialogs
{
public:
    struct Message
    {
        QString text;
        QString caption;
        velmora::MessageIcon icon;
        velmora::MessageButtons buttons;
        velmora::MessageAnswer defaultButton;
    };
    // The teacher presses Enter: the box answers with its default button.
    enum class Key { Enter };
    using Reply = std::variant<velmora::MessageAnswer, Key>;
    struct Input
    {
        QString prompt;
        QString title;
        QString proposed;
    };

    FakeDialogs();
    ~FakeDialogs() override;

    // Queued answers, used in order. Without one, a message gets OK, No or
    // Cancel (the safe answer), an input box is cancelled, and so is a file choice.
    QQueue<Reply> messageAnswers;
    QQueue<QString> inputAnswers;
    QQueue<QString> openFileAnswers;
    QQueue<QString> saveFileAnswers;
    // Where the next print goes as PDF; empty means the print dialog is cancelled.
    QString printToPdf;
    // The page orientation the last print dialog offered.
    QPageLayout::Orientation offeredOrientation = QPageLayout::Portrait;

    // Runs while each message box is up, as another program or person would.
    std::function<void()> whileShown;

    QList<Message> messages;
    QList<Input> inputs;
    int printDialogs = 0;

    using velmora::Dialogs::message;
    velmora::MessageAnswer message(const QString& text, const QString& caption, velmora::MessageIcon icon,
                                   velmora::MessageButtons buttons,
                                   velmora::MessageAnswer defaultButton) override;
    QString input(const QString& prompt, const QString& title, const QString& proposed) override;
    QString openFile(const QString& title, const QList<velmora::FileFilter>& filters) override;
    QString saveFile(const QString& title, const velmora::FileFilter& filter,
                     const QString& proposed) override;
    std::unique_ptr<QPrinter> choosePrinter(QPageLayout::Orientation orientation) override;

    QStringList messageTexts() const;
};
