#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Every committed seed and every input a fuzzer once found a fault with goes
// through its target's checks again, in the ordinary (and sanitizer) build.
class TestFuzzReplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replay_data()
    {
        QTest::addColumn<QString>("name");
        QVERIFY(fuzzTargets().size() == VELMORA_FUZZ_TARGET_COUNT);
        for (const QString& name : fuzzTargets().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void replay()
    {
        QFETCH(QString, name);
        const FuzzTarget run = fuzzTargets().value(name);
        int inputs = 0;
        for (const QString& kind : {QStringLiteral("corpus"), QStringLiteral("regressions")}) {
            const QDir dir(QStringLiteral(VELMORA_FUZZ_DIR) + u'/' + kind + u'/' + name);
            for (const QString& file : dir.entryList(QDir::Files)) {
                QFile input(dir.filePath(file));
                QVERIFY(input.open(QIODevice::ReadOnly));
                const QByteArray bytes = input.readAll();
                QCOMPARE(
                    run(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())),
                    0);
                ++inputs;
            }
        }
        QVERIFY(inputs >= 4);
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "tst_fuzzreplay.moc"
