#include "busypointer.h"
#include "fakedialogs.h"
#include "fonts.h"
#include "programexit.h"
#include "qtdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QtTest>

using namespace velmora;

class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionButtonsAreDutch()
    {
        auto box = QtDialogs::buildMessageBox(QStringLiteral("Wilt u de kaart opslaan?"),
                                              QStringLiteral("KorvelAdmin"), MessageIcon::Question,
                                              MessageButtons::YesNoCancel);
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts.append(b->text());
        texts.sort();
        QCOMPARE(texts,
                 QStringList({QStringLiteral("Annuleren"), QStringLiteral("Ja"), QStringLiteral("Nee")}));
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

    // The Windows font names resolve to the metric-compatible fonts shipped on Linux.
    void fontsResolve()
    {
        QVERIFY(Fonts::msSansSerif(9.75, true).families().contains(QStringLiteral("Liberation Sans")));
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
        int ended = 0;
        ProgramExit::setHandler([&] { ++ended; });
        ProgramExit::now();
        QCOMPARE(ended, 1);
        ProgramExit::setHandler({});
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
