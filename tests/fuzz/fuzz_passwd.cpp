#include "fuzzcheck.h"

#include "ansitext.h"
#include "passwordfile.h"

using velmora::PasswordFile;

namespace {

bool printable(const QByteArray& bytes)
{
    for (char c : bytes) {
        const int code = static_cast<unsigned char>(c);
        if (code < 32 || code > 254)
            return false;
    }
    return true;
}

} // namespace

// Any bytes as passwd: line 1 is read and deciphered as the login and the
// password change do; a stored line of codes 32..254 deciphers to a password
// that enciphers back to exactly that line, and a storable password survives
// a write and a read.
static int fuzzPasswd(const std::uint8_t* data, std::size_t size)
{
    const QString path = writeFuzzInput(QStringLiteral("passwd"), data, size);
    const auto read = PasswordFile::readLine(path);
    FUZZ_CHECK(std::holds_alternative<QByteArray>(read));
    const QByteArray stored = std::get<QByteArray>(read);
    FUZZ_CHECK(!stored.contains('\n'));
    const QByteArray password = PasswordFile::decipher(stored);
    FUZZ_CHECK(password.size() == stored.size());
    if (!printable(stored))
        return 0;
    FUZZ_CHECK(printable(password));
    FUZZ_CHECK(PasswordFile::encipher(password) == stored);

    const QString typed = velmora::AnsiText::decode(password);
    if (const auto storable = PasswordFile::storable(typed)) {
        FUZZ_CHECK(!PasswordFile::writeLine(path, PasswordFile::encipher(*storable)));
        FUZZ_CHECK(PasswordFile::decipher(std::get<QByteArray>(PasswordFile::readLine(path))) == *storable);
    }
    return 0;
}

FUZZ_ENTRY("passwd", fuzzPasswd)
