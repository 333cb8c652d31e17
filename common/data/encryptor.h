#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace velmora {

// The character shift that keeps the teacher's password out of plain sight in
// passwd. An obfuscation kept for existing files, not protection.
class Encryptor
{
public:
    static QByteArray Encrypt(QByteArrayView text, QByteArrayView key);
    static QByteArray Decrypt(QByteArrayView text, QByteArrayView key);
};

} // namespace velmora
