#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// Text a person typed or pasted, checked before any writer stores it in a
// data file: one line of Windows-1252 without tabs or other control
// characters, so that it can never split a record or come back changed.
class TypedText
{
public:
    // Why the text cannot be stored, as a Dutch sentence that begins with
    // `subject` ("De naam", "Het wachtwoord"); empty when it can be stored.
    static std::optional<QString> problem(QStringView text, QStringView subject);
};

} // namespace velmora
