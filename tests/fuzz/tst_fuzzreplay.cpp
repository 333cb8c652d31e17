#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

} // namespace

// Every committed seed and every input a fuzzer once found a fault with goes
// through its target's checks again, in the ordinary (and sanitizer) build.
class TestFuzzReplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replay_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<void*>("target");
        QTest::newRow("smartbase") << QStringLiteral("smartbase") << reinterpret_cast<void*>(&fuzzSmartBase);
        QTest::newRow("mapfile") << QStringLiteral("mapfile") << reinterpret_cast<void*>(&fuzzMapFile);
        QTest::newRow("results") << QStringLiteral("results") << reinterpret_cast<void*>(&fuzzResults);
        QTest::newRow("passwd") << QStringLiteral("passwd") << reinterpret_cast<void*>(&fuzzPasswd);
    }

    void replay()
    {
        QFETCH(QString, name);
        QFETCH(void*, target);
        const auto run = reinterpret_cast<Target>(target);
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
