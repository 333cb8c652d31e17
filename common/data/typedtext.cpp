#include "typedtext.h"

#include "ansitext.h"

namespace velmora {
namespace {

bool isLineBreak(char32_t c)
{
    return c == u'\r' || c == u'\n' || c == 0x85 || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator || c == u'\v' || c == u'\f';
}

// Shown in a message, an invisible or blank character would say nothing: it is named by its code.
bool isInvisible(char32_t c)
{
    return !QChar::isPrint(c) || QChar::isSpace(c);
}

} // namespace

std::optional<QString> TypedText::problem(QStringView text, QStringView subject)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // An emoji is two UTF-16 units: it is judged and named whole.
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const QStringView character = text.sliced(i, pair ? 2 : 1);
        if (pair)
            ++i;
        if (isLineBreak(c))
            return QStringLiteral(
                       "%1 bevat een regelovergang (Enter). Een naam of wachtwoord moet op één regel "
                       "staan.")
                .arg(subject);
        if (c == u'\t')
            return QStringLiteral("%1 bevat een tab. Typ een spatie in plaats van de tab.").arg(subject);
        // The five undefined code page bytes decode to C1 controls: encodable, yet no typed text.
        if (QChar::category(c) == QChar::Other_Control)
            return QStringLiteral(
                       "%1 bevat een onzichtbaar stuurteken (code %2), dat niet kan worden opgeslagen.")
                .arg(subject)
                .arg(uint(c));
        if (!AnsiText::canEncode(character)) {
            if (isInvisible(c))
                return QStringLiteral("%1 bevat een onzichtbaar teken (code U+%2), dat niet kan worden "
                                      "opgeslagen. Typ de tekst opnieuw in plaats van hem te plakken.")
                    .arg(subject, QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
            return QStringLiteral(
                       "%1 bevat het teken \"%2\", dat niet kan worden opgeslagen. Gebruik alleen "
                       "letters, cijfers, spaties en leestekens van een West-Europees toetsenbord.")
                .arg(subject, character);
        }
    }
    return std::nullopt;
}

std::variant<QString, TypedText::Refused> TypedText::check(QStringView text, QStringView subject,
                                                           qsizetype maxLength)
{
    for (const QStringView end : {u"\r\n", u"\n", u"\r"}) {
        if (text.endsWith(end)) {
            text.chop(end.size());
            break;
        }
    }
    if (auto why = problem(text, subject))
        return Refused{*why};
    if (text.size() > maxLength)
        return Refused{QStringLiteral("%1 is %2 tekens lang; er passen hoogstens %3 tekens in.")
                           .arg(subject)
                           .arg(text.size())
                           .arg(maxLength)};
    return text.toString();
}

} // namespace velmora
