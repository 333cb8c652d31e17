#include "encryptor.h"

namespace velmora {
namespace {

int codeAt(QByteArrayView bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

QByteArray Encryptor::Encrypt(QByteArrayView text, QByteArrayView key)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        int v = codeAt(text, i) + codeAt(key, i % key.size());
        while (v > 254)
            v = (v % 255) + 32;
        result[i] = static_cast<char>(v);
    }
    return result;
}

QByteArray Encryptor::Decrypt(QByteArrayView text, QByteArrayView key)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        int v = codeAt(text, i) - codeAt(key, i % key.size());
        while (v < 32)
            v = v - 32 + 255;
        result[i] = static_cast<char>(v);
    }
    return result;
}

} // namespace velmora
