#include "wall_link/PermutationTable.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

namespace {
PermutationTable reversed()
{
    PermutationTable t{};
    for (int i = 0; i < 256; ++i)
        t[static_cast<size_t>(i)] = static_cast<quint8>(255 - i);
    return t;
}
QByteArray raw(const PermutationTable& t)
{
    return QByteArray(reinterpret_cast<const char*>(t.data()), 256);
}
bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TstPermutationTable final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtInIsPermutation() { QVERIFY(isPermutation(builtInPermutationTable())); }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("accepted");
        const QByteArray hexText = raw(reversed()).toHex();
        QByteArray spaced;
        for (int i = 0; i < hexText.size(); i += 2)
            spaced += hexText.mid(i, 2) + ((i / 2) % 16 == 15 ? "\r\n" : " ");
        QByteArray duplicate = raw(reversed());
        duplicate[3] = duplicate[4];
        QTest::newRow("raw") << raw(reversed()) << true;
        QTest::newRow("hex") << hexText << true;
        QTest::newRow("hex upper, spaced lines") << spaced.toUpper() << true;
        QTest::newRow("raw duplicate") << duplicate << false;
        QTest::newRow("hex duplicate") << duplicate.toHex() << false;
        QTest::newRow("hex 510 digits") << hexText.left(510) << false;
        QTest::newRow("hex 514 digits") << hexText + "00" << false;
        QTest::newRow("bad digit") << QByteArray(hexText).replace(0, 1, "x") << false;
        QTest::newRow("255 bytes") << raw(reversed()).left(255) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void parse()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, accepted);
        const TableParseResult r = parsePermutationTable(file);
        QCOMPARE(r.table.has_value(), accepted);
        if (accepted)
            QVERIFY(*r.table == reversed());
        else
            QVERIFY(!r.error.isEmpty());
    }

    void lookupOrderAndRefusal()
    {
        QTemporaryDir exeDir;
        QTemporaryDir settingsDir;
        const QStringList candidates =
            permutationTableCandidates(QStringLiteral("BrisalClient"), exeDir.path(), settingsDir.path());
        QCOMPARE(candidates.size(), 2);
        QVERIFY(candidates[0].endsWith(QStringLiteral("/BrisalClient.table")));

        // Nothing there: built-in, no messages.
        TableChoice c = choosePermutationTable(candidates);
        QVERIFY(c.table == builtInPermutationTable());
        QVERIFY(c.source.isEmpty() && c.messages.isEmpty());

        // Settings folder only.
        QVERIFY(writeFile(candidates[1], raw(reversed()).toHex()));
        c = choosePermutationTable(candidates);
        QVERIFY(c.table == reversed());
        QCOMPARE(c.source, candidates[1]);

        // A bad file next to the program decides, is refused by name, and the built-in table stays.
        QVERIFY(writeFile(candidates[0], QByteArray(256, '\x01')));
        c = choosePermutationTable(candidates);
        QVERIFY(c.table == builtInPermutationTable());
        QCOMPARE(c.messages.size(), 1);
        QVERIFY(c.messages[0].contains(QStringLiteral("BrisalClient.table")));
        QCOMPARE(c.messages[0], QStringLiteral("Permutationstabelle \"%1\" abgelehnt: keine Permutation von 0 bis 255.")
                                    .arg(QDir::toNativeSeparators(candidates[0])));
    }

    void unreadableFileIsNamed()
    {
        const TableChoice c = loadPermutationTableFile(QStringLiteral("/nonexistent/x.table"));
        QVERIFY(c.table == builtInPermutationTable());
        QCOMPARE(c.messages.size(), 1);
        QVERIFY(c.messages[0].contains(QStringLiteral("/nonexistent/x.table")));
    }
};

QTEST_APPLESS_MAIN(TstPermutationTable)
#include "tst_PermutationTable.moc"
