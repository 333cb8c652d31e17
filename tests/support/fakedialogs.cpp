#include "fakedialogs.h"

#include <QPrinter>

using namespace velmora;

FakeDialogs::FakeDialogs()
{
    Dialogs::install(this);
}

FakeDialogs::~FakeDialogs()
{
    Dialogs::install(nullptr);
}

MessageAnswer FakeDialogs::message(const QString& text, const QString& caption, MessageIcon icon,
                                   MessageButtons buttons, MessageAnswer defaultButton)
{
    messages.append({text, caption, icon, buttons, defaultButton});
    if (whileShown)
        whileShown();
    if (!messageAnswers.isEmpty()) {
        const Reply reply = messageAnswers.dequeue();
        if (const auto* answer = std::get_if<MessageAnswer>(&reply))
            return *answer;
        return defaultButton;
    }
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

QString FakeDialogs::input(const QString& prompt, const QString& title, const QString& proposed)
{
    inputs.append({prompt, title, proposed});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QString FakeDialogs::openFile(const QString&, const QList<FileFilter>&)
{
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.dequeue();
}

QString FakeDialogs::saveFile(const QString&, const FileFilter&, const QString&)
{
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.dequeue();
}

std::unique_ptr<QPrinter> FakeDialogs::choosePrinter(QPageLayout::Orientation orientation)
{
    ++printDialogs;
    offeredOrientation = orientation;
    if (printToPdf.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printToPdf);
    printer->setPageOrientation(orientation);
    return printer;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}
