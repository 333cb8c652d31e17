#include "typedtext.h"

#include "ansitext.h"

namespace velmora {
namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar(0x0085) || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator || c == u'\v' || c == u'\f';
}

} // namespace

std::optional<QString> TypedText::problem(QStringView text, QStringView subject)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isLineBreak(c))
            return QStringLiteral("%1 bevat een regelovergang (Enter). Een naam of wachtwoord moet op één regel "
                                  "staan.")
                .arg(subject);
        if (c == u'\t')
            return QStringLiteral("%1 bevat een tab. Typ een spatie in plaats van de tab.").arg(subject);
        // The five undefined code page bytes decode to C1 controls: encodable, yet no typed text.
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("%1 bevat een onzichtbaar stuurteken (code %2), dat niet kan worden opgeslagen.")
                .arg(subject)
                .arg(c.unicode());
        if (!AnsiText::canEncode(text.sliced(i, 1))) {
            // An emoji is two UTF-16 units: name it whole.
            const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            return QStringLiteral("%1 bevat het teken \"%2\", dat niet kan worden opgeslagen. Gebruik alleen "
                                  "letters, cijfers, spaties en leestekens van een West-Europees toetsenbord.")
                .arg(subject, text.sliced(i, length));
        }
    }
    return std::nullopt;
}

} // namespace velmora
