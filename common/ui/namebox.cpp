#include "namebox.h"

#include "dialogs.h"
#include "typedtext.h"

namespace velmora {

QString NameBox::ask(const Question& question)
{
    QString proposed = question.proposed;
    for (;;) {
        const QString answer = Dialogs::current().input(question.prompt, question.title, proposed);
        if (answer.isEmpty())
            return {};
        auto checked = TypedText::check(answer, u"De naam", question.maxLength);
        if (auto* name = std::get_if<QString>(&checked)) {
            // Blanks only would list as an empty entry.
            if (!name->trimmed().isEmpty())
                return *name;
            checked = TypedText::Refused{QStringLiteral("De naam bestaat alleen uit spaties.")};
        }
        Dialogs::current().message(std::get<TypedText::Refused>(checked).why +
                                       QStringLiteral(" Verbeter de naam."),
                                   question.errorCaption, MessageIcon::Critical, MessageButtons::Ok);
        proposed = answer;
    }
}

} // namespace velmora
