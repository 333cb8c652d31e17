#include "busypointer.h"
#include "fakedialogs.h"
#include "fonts.h"
#include "programexit.h"
#include "qtdialogs.h"
#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QtTest>

using namespace velmora;

class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionButtonsAreDutch()
    {
        auto box = QtDialogs::buildMessageBox(QStringLiteral("Wilt u de kaart opslaan?"), QStringLiteral("KorvelAdmin"),
                                              MessageIcon::Question, MessageButtons::YesNoCancel);
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts.append(b->text());
        QCOMPARE(texts.size(), 3);
        QVERIFY(texts.contains(QStringLiteral("Ja")));
        QVERIFY(texts.contains(QStringLiteral("Nee")));
        QVERIFY(texts.contains(QStringLiteral("Annuleren")));
        QCOMPARE(box->windowTitle(), QStringLiteral("KorvelAdmin"));
        QCOMPARE(box->icon(), QMessageBox::Question);

        auto yesNo = QtDialogs::buildMessageBox(QStringLiteral("?"), QStringLiteral("t"), MessageIcon::Question,
                                                MessageButtons::YesNo);
        QCOMPARE(yesNo->button(QMessageBox::Yes)->text(), QStringLiteral("Ja"));
        QCOMPARE(yesNo->button(QMessageBox::No)->text(), QStringLiteral("Nee"));
        auto ok = QtDialogs::buildMessageBox(QStringLiteral("!"), QStringLiteral("t"), MessageIcon::None,
                                             MessageButtons::Ok);
        QCOMPARE(ok->buttons().size(), 1);
        QCOMPARE(ok->icon(), QMessageBox::NoIcon);
        QCOMPARE(QtDialogs::filterString({{QStringLiteral("Kaart"), QStringLiteral("*.krt")},
                                          {QStringLiteral("Plaatje"), QStringLiteral("*.bmp")}}),
                 QStringLiteral("Kaart (*.krt);;Plaatje (*.bmp)"));
        // Windows-style "a;b" patterns would otherwise be one pattern that matches nothing.
        QCOMPARE(QtDialogs::filterString({{QStringLiteral("Kaartbestanden en afbeeldingen (*.krt *.bmp)"),
                                           QStringLiteral("*.krt;*.bmp")},
                                          {QStringLiteral("Alle"), QStringLiteral("*.krt;*.bmp")}}),
                 QStringLiteral("Kaartbestanden en afbeeldingen (*.krt *.bmp);;Alle (*.krt *.bmp)"));
    }

    // A notice has no icon and the program's name as its caption.
    void noticeCaption()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Korvel"));
        FakeDialogs fake;
        Dialogs::notify(QStringLiteral("Database bestaat niet"));
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Korvel"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::None);
    }

    void twipsAndFonts()
    {
        QCOMPARE(Twips::toPixels(495), 33);
        QCOMPARE(Twips::toPixels(255), 17);
        QCOMPARE(Twips::toPixels(-120), -8);
        QCOMPARE(Twips::toPixels(7), 0);
        QCOMPARE(Twips::toPixels(8), 1);
        QCOMPARE(Twips::toPixels(-8), -1);
        QCOMPARE(Twips::rect(120, 480, 255, 255), QRect(8, 32, 17, 17));
        const QFont font = Fonts::msSansSerif(9.75, true);
        QVERIFY(font.bold());
        QCOMPARE(font.pointSizeF(), 9.75);
        QVERIFY(font.families().contains(QStringLiteral("Liberation Sans")));
        QCOMPARE(QFontInfo(Fonts::timesNewRoman(18, true)).family(), QStringLiteral("Liberation Serif"));
    }

    void busyPointerAndExit()
    {
        QVERIFY(!QGuiApplication::overrideCursor());
        {
            BusyPointer busy;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            busy.release();
            QVERIFY(!QGuiApplication::overrideCursor());
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        {
            BusyPointer busy;
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        int ended = 0;
        ProgramExit::setHandler([&] { ++ended; });
        ProgramExit::now();
        QCOMPARE(ended, 1);
        ProgramExit::setHandler({});
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
