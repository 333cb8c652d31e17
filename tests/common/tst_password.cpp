#include "encryptor.h"
#include "passwordfile.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

class TestPassword : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knownCipher()
    {
        // "abc" against "Vrendlak": 97+86=183, 98+114=212, 99+101=200.
        QCOMPARE(Encryptor::Encrypt("abc", "Vrendlak"), QByteArray("\xb7\xd4\xc8"));
        // 'z' (122) + 'r' (114) = 236; '~' (126) + 'V' (86) = 212; 0xFE (254) + 'V' = 340 -> 340 mod 255 + 32
        // = 117.
        QCOMPARE(Encryptor::Encrypt("~z", "Vrendlak"), QByteArray("\xd4\xec"));
        QCOMPARE(Encryptor::Encrypt("\xfe", "Vrendlak"), QByteArray("u"));
        QCOMPARE(Encryptor::Decrypt("u", "Vrendlak"), QByteArray("\xfe"));
        // The key repeats after eight characters: position 9 uses 'V' again.
        QCOMPARE(Encryptor::Encrypt("AAAAAAAAA", "Vrendlak").back(), char(65 + 86));
        QCOMPARE(Encryptor::Encrypt("", "Vrendlak"), QByteArray());
    }

    void roundTripForCodes32To254()
    {
        QByteArray all;
        for (int c = 32; c <= 254; ++c)
            all.append(char(c));
        const QByteArray enciphered = Encryptor::Encrypt(all, PasswordFile::Key);
        QCOMPARE(enciphered.size(), all.size());
        for (char c : enciphered)
            QVERIFY(static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) <= 254);
        QCOMPARE(Encryptor::Decrypt(enciphered, PasswordFile::Key), all);
    }

    void storablePasswords()
    {
        QCOMPARE(PasswordFile::storable(QStringLiteral("Geheim é")),
                 std::optional<QByteArray>("Geheim \xe9"));
        QVERIFY(!PasswordFile::storable(QStringLiteral("Łukasz")).has_value());
        QVERIFY(!PasswordFile::storable(QStringLiteral("tab\there")).has_value());
        QVERIFY(!PasswordFile::storable(QStringLiteral("\u00ff")).has_value());
        QCOMPARE(PasswordFile::storable(QString()), std::optional<QByteArray>(QByteArray()));
    }

    void fileLineOne()
    {
        TestFolder folder;
        const QString path = PasswordFile::path();
        const auto lineOne = [&path] { return std::get<QByteArray>(PasswordFile::readLine(path)); };
        QVERIFY(!PasswordFile::ensureExists(path));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
        QCOMPARE(lineOne(), QByteArray());
        QVERIFY(!PasswordFile::writeLine(path, PasswordFile::encipher("abc")));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\xb7\xd4\xc8\r\n"));
        QCOMPARE(PasswordFile::decipher(lineOne()), QByteArray("abc"));

        // A change is written only over the password it was checked against.
        const auto changed = PasswordFile::writeLine(path, PasswordFile::encipher("x"), QByteArray("\xb7"));
        QVERIFY(changed && changed->kind == DataError::Kind::RecordChanged);
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!PasswordFile::writeLine(path, QByteArray(), QByteArray("\xb7\xd4\xc8")));
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
