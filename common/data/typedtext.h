#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

namespace velmora {

// Text a person typed or pasted, checked before any writer stores it in a
// data file: one line of Windows-1252 without tabs or other control
// characters, so that it can never split a record or come back changed.
class TypedText
{
public:
    struct Refused
    {
        QString why;
    };

    // Why the text cannot be stored, as a Dutch sentence that begins with
    // `subject` ("De naam", "Het wachtwoord"); empty when it can be stored.
    static std::optional<QString> problem(QStringView text, QStringView subject);

    // The text as it is stored, or why it cannot be. One line break at its
    // end, which a copied spreadsheet cell carries, is dropped; any other is
    // refused. A text longer than maxLength characters is refused, never cut.
    static std::variant<QString, Refused> check(QStringView text, QStringView subject, qsizetype maxLength);
};

} // namespace velmora
