#pragma once

#include <QString>

namespace velmora {

// The input box in which a teacher types or pastes a name. A name that cannot
// be stored is refused with the reason and offered again as typed, so that
// the teacher corrects it instead of typing it anew.
class NameBox
{
public:
    struct Question
    {
        QString prompt;
        QString title;
        QString proposed;
        QString errorCaption;
        qsizetype maxLength = 0;
    };

    // The name as it is stored; empty when the box was cancelled or confirmed empty.
    static QString ask(const Question& question);
};

} // namespace velmora
