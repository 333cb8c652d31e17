#pragma once

#include <QList>
#include <QPageLayout>
#include <QString>

#include <memory>

class QPrinter;

namespace velmora {

enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileFilter
{
    QString description;
    QString pattern; // e.g. "*.krt"
};

// Every platform dialog the programs show goes through here, so that tests can
// answer them without a real modal box.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Enter presses the first button.
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons);
    // Enter presses `defaultButton`: a question whose Yes destroys data names No.
    virtual MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                                  MessageButtons buttons, MessageAnswer defaultButton) = 0;
    // A Yes/No question whose Yes destroys data: true only when Yes was chosen,
    // so that Enter and Escape keep everything.
    static bool confirmDestructive(const QString& text, const QString& caption);
    // The typed text; empty when cancelled.
    virtual QString input(const QString& prompt, const QString& title, const QString& proposed) = 0;
    // The chosen path; empty when cancelled. The first filter is preselected.
    virtual QString openFile(const QString& title, const QList<FileFilter>& filters) = 0;
    // The path to save to, `proposed` offered as its name; empty when
    // cancelled. Choosing a file that exists asks first.
    virtual QString saveFile(const QString& title, const FileFilter& filter, const QString& proposed) = 0;
    // The printer the teacher chose in the print dialog, which offers `orientation`
    // first; null when cancelled.
    virtual std::unique_ptr<QPrinter> choosePrinter(QPageLayout::Orientation orientation) = 0;

    static Dialogs& current();
    // Tests install their own; nullptr goes back to the real dialogs.
    static void install(Dialogs* dialogs);

    // The running program's own title, the caption of messages that name none.
    static QString programTitle();
    // A plain notice in the program's own title with only an OK button.
    static void notify(const QString& text, MessageIcon icon = MessageIcon::None);
};

} // namespace velmora
