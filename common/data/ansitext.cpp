#include "ansitext.h"

#include <array>

namespace velmora {
namespace {

// 0x80-0x9F; the five bytes Windows leaves undefined map to the C1 controls of
// the same value, so that they survive a read and a write unchanged.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> toByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString AnsiText::decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar((b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<QByteArray> AnsiText::encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto b = toByte(text[i].unicode());
        if (!b)
            return std::nullopt;
        bytes[i] = *b;
    }
    return bytes;
}

bool AnsiText::canEncode(QStringView text)
{
    return !firstUnencodable(text).has_value();
}

std::optional<QChar> AnsiText::firstUnencodable(QStringView text)
{
    for (QChar c : text) {
        if (!toByte(c.unicode()))
            return c;
    }
    return std::nullopt;
}

} // namespace velmora
