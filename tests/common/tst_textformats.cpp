#include "ansitext.h"
#include "freefield.h"
#include "numberform.h"
#include "programfolder.h"
#include "testfolder.h"

#include <QtTest>

using namespace velmora;

class TestTextFormats : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ansiText()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = AnsiText::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(AnsiText::encode(text), std::optional<QByteArray>(all));
        QCOMPARE(AnsiText::decode("\x80\xe9\xeb\xef"), QStringLiteral("€éëï"));
        QCOMPARE(AnsiText::encode(u"Zoë €5"), std::optional<QByteArray>("Zo\xeb \x80"
                                                                        "5"));
        // What the code page cannot hold is refused.
        QVERIFY(!AnsiText::encode(u"Łukasz").has_value());
        QVERIFY(!AnsiText::canEncode(QStringLiteral("smile \U0001F600")));
        QCOMPARE(AnsiText::firstUnencodable(u"Łukasz"), std::optional<QChar>(QChar(0x141)));
        QVERIFY(AnsiText::canEncode(u"Curaçao"));
    }

    void numberForm()
    {
        QCOMPARE(NumberForm::line(2), QByteArray(" 2 \r\n"));
        QCOMPARE(NumberForm::line(50), QByteArray(" 50 \r\n"));
        QCOMPARE(NumberForm::parse(u" 50 "), std::optional<int>(50));
        QCOMPARE(NumberForm::parse(u"-120"), std::optional<int>(-120));
        QVERIFY(!NumberForm::parse(u"").has_value());
        QVERIFY(!NumberForm::parse(u" 5x ").has_value());
        QVERIFY(!NumberForm::parse(u"40000").has_value());
        QCOMPARE(NumberForm::leadingValue(u"  17 "), 17);
        QCOMPARE(NumberForm::leadingValue(u" 12abc"), 12);
        QCOMPARE(NumberForm::leadingValue(u"abc"), 0);
    }

    void freeField_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rest"); // null: nothing after the field
        QTest::newRow("plain") << QStringLiteral("europa.bmp") << QStringLiteral("europa.bmp") << QString();
        QTest::newRow("blanks dropped")
            << QStringLiteral("   europa.bmp  ") << QStringLiteral("europa.bmp") << QString();
        QTest::newRow("quoted") << QStringLiteral("\"kaart, oud.bmp\"") << QStringLiteral("kaart, oud.bmp")
                                << QString();
        QTest::newRow("quoted keeps blanks")
            << QStringLiteral("  \" a b \"  ") << QStringLiteral(" a b ") << QString();
        QTest::newRow("cut at comma") << QStringLiteral("kaart,1 s 100  200  Utrecht")
                                      << QStringLiteral("kaart") << QStringLiteral("1 s 100  200  Utrecht");
        QTest::newRow("quoted then comma")
            << QStringLiteral("\"a, b\" ,rest") << QStringLiteral("a, b") << QStringLiteral("rest");
        QTest::newRow("blank before comma")
            << QStringLiteral("kaart .bmp ,x") << QStringLiteral("kaart .bmp") << QStringLiteral("x");
    }

    void freeField()
    {
        QFETCH(QString, line);
        QFETCH(QString, value);
        QFETCH(QString, rest);
        const FreeField field = FreeField::read(line);
        QCOMPARE(field.value, value);
        QCOMPARE(field.rest, rest.isNull() ? std::nullopt : std::optional<QString>(rest));
    }

    void bareNamesOnly()
    {
        QVERIFY(ProgramFolder::isBareName(QStringLiteral("europa.krt")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("../passwd")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("kaarten\\europa.krt")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("/etc/passwd")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral("..")));
        QVERIFY(!ProgramFolder::isBareName(QStringLiteral(".")));
        QVERIFY(!ProgramFolder::isBareName(QString()));
    }

    void locatesIgnoringCase()
    {
        TestFolder folder;
        folder.write(QStringLiteral("Europa.KRT"), "x\r\n");
        QCOMPARE(ProgramFolder::locate(QStringLiteral("europa.krt")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QCOMPARE(ProgramFolder::locate(QStringLiteral("Europa.KRT")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QVERIFY(ProgramFolder::locate(QStringLiteral("azie.krt")).isEmpty());
        QVERIFY(ProgramFolder::locate(QStringLiteral("../Europa.KRT")).isEmpty());
        QCOMPARE(ProgramFolder::pathFor(QStringLiteral("EUROPA.krt")),
                 folder.file(QStringLiteral("Europa.KRT")));
        QCOMPARE(ProgramFolder::pathFor(QStringLiteral("nieuw.krt")),
                 folder.file(QStringLiteral("nieuw.krt")));
        QVERIFY(ProgramFolder::pathFor(QStringLiteral("a/b")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTextFormats)
#include "tst_textformats.moc"
