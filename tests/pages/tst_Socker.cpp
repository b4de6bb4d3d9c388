#include "PageFixture.h"
#include "pages/Socker.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
}

class TstSocker final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<PageFixture>();
        m_w = std::make_unique<TFormSocker>(m_fx->wall);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(m_fx->sent(), QStringList()); // showing sends nothing
    }
    void cleanup()
    {
        m_w.reset();
        m_fx.reset();
    }

    void windowAndControls()
    {
        QCOMPARE(m_w->objectName(), QStringLiteral("TFormSocker"));
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Spielstand"));
        QCOMPARE(m_w->minimumSize(), m_w->maximumSize());
        QCOMPARE(child<QLineEdit>(*m_w, "EdVereinLinks")->text(), QStringLiteral("Heim"));
        QCOMPARE(child<QLineEdit>(*m_w, "EdVereinRechts")->text(), QStringLiteral("Gäste"));
        QCOMPARE(panelText(*m_w, "PnToreLeft"), QStringLiteral("0"));
        QCOMPARE(panelText(*m_w, "PnToreRight"), QStringLiteral("0"));
        QCOMPARE(child<QToolButton>(*m_w, "SBErase")->text(), QStringLiteral("Löschen"));
        QCOMPARE(child<QToolButton>(*m_w, "SBErase")->toolTip(), QStringLiteral("Anzeigetafel löschen"));
        QCOMPARE(child<QToolButton>(*m_w, "SBSend")->text(), QStringLiteral("Anzeigen"));
        QVERIFY(!child<QToolButton>(*m_w, "SBSend")->isCheckable());
        QStringList groups;
        for (auto* g : m_w->findChildren<QGroupBox*>())
            groups << g->title();
        QCOMPARE(groups, (QStringList{QStringLiteral("Mannschaften:"), QStringLiteral("Spielstand:")}));
    }

    void showSendsFourBodies_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("guest");
        QTest::addColumn<int>("homeGoals");
        QTest::addColumn<int>("guestGoals");
        QTest::addColumn<QStringList>("bodies");
        QTest::newRow("defaults") << QStringLiteral("Heim") << QStringLiteral("Gäste") << 0 << 0
                                  << QStringList{"D0 02 C0 21 00 FF FF 00 10 21 48 65 69 6D",
                                                 "C0 22 00 FF FF 00 10 22 47 E4 73 74 65", "C0 23 00 FF FF FF 10 23 30",
                                                 "C0 24 00 FF FF FF 10 24 30"};
        QTest::newRow("umlauts, sharp s, two digits")
            << QStringLiteral("Köln Süd") << QStringLiteral("Fußball Ö") << 7 << 10
            << QStringList{"D0 02 C0 21 00 FF FF 00 10 21 4B F6 6C 6E 20 53 FC 64",
                           "C0 22 00 FF FF 00 10 22 46 75 DF 62 61 6C 6C 20 D6", "C0 23 00 FF FF FF 10 23 37",
                           "C0 24 00 FF FF FF 10 24 31 30"};
        QTest::newRow("empty names") << QString() << QString() << 99 << 0
                                     << QStringList{"D0 02 C0 21 00 FF FF 00 10 21", "C0 22 00 FF FF 00 10 22",
                                                    "C0 23 00 FF FF FF 10 23 39 39", "C0 24 00 FF FF FF 10 24 30"};
    }
    void showSendsFourBodies()
    {
        QFETCH(QString, home);
        QFETCH(QString, guest);
        QFETCH(int, homeGoals);
        QFETCH(int, guestGoals);
        QFETCH(QStringList, bodies);
        child<QLineEdit>(*m_w, "EdVereinLinks")->setText(home);
        child<QLineEdit>(*m_w, "EdVereinRechts")->setText(guest);
        child<QSpinBox>(*m_w, "UDToreLinks")->setValue(homeGoals);
        child<QSpinBox>(*m_w, "UDToreRechts")->setValue(guestGoals);
        QCOMPARE(m_fx->sent(), QStringList()); // editing sends nothing
        click(*m_w, "SBSend");
        QCOMPARE(m_fx->sent(), bodies);
    }

    void goalLimits_data()
    {
        QTest::addColumn<QByteArray>("upDown");
        QTest::addColumn<QByteArray>("panel");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("home up at 99") << QByteArray("UDToreLinks") << QByteArray("PnToreLeft") << 99 << 1 << "99";
        QTest::newRow("guest down at 0") << QByteArray("UDToreRechts") << QByteArray("PnToreRight") << 0 << -1 << "0";
        QTest::newRow("home up from 6") << QByteArray("UDToreLinks") << QByteArray("PnToreLeft") << 6 << 1 << "7";
        QTest::newRow("guest up from 9") << QByteArray("UDToreRechts") << QByteArray("PnToreRight") << 9 << 1 << "10";
    }
    void goalLimits()
    {
        QFETCH(QByteArray, upDown);
        QFETCH(QByteArray, panel);
        QFETCH(int, start);
        QFETCH(int, steps);
        QFETCH(QString, shown);
        auto* ud = child<QSpinBox>(*m_w, upDown.constData());
        ud->setValue(start);
        ud->stepBy(steps);
        QCOMPARE(panelText(*m_w, panel.constData()), shown);
        QCOMPARE(QString::number(ud->value()), shown);
        click(*m_w, "SBSend");
        const QStringList sent = m_fx->sent();
        QCOMPARE(sent.size(), 4);
        const int index = upDown == "UDToreLinks" ? 2 : 3;
        QVERIFY2(sent.at(index).endsWith(testsupport::hex(shown.toLatin1())), qPrintable(sent.at(index)));
    }

    void nameBoxRefusesThirteenthCharacter()
    {
        auto* home = child<QLineEdit>(*m_w, "EdVereinLinks");
        home->clear();
        QTest::keyClicks(home, QStringLiteral("ABCDEFGHIJKLM"));
        QCOMPARE(home->text(), QStringLiteral("ABCDEFGHIJKL"));
        QCOMPARE(child<QLineEdit>(*m_w, "EdVereinRechts")->maxLength(), 12);
    }

    void eraseAndClose()
    {
        click(*m_w, "SBErase");
        QCOMPARE(m_fx->sent(), kErase);
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
    }

    void reopenKeepsValues()
    {
        child<QLineEdit>(*m_w, "EdVereinLinks")->setText(QStringLiteral("Blau"));
        child<QSpinBox>(*m_w, "UDToreRechts")->setValue(3);
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(panelText(*m_w, "PnToreRight"), QStringLiteral("3"));
        click(*m_w, "SBSend");
        const QStringList sent = m_fx->sent();
        QCOMPARE(sent.value(0), QStringLiteral("D0 02 C0 21 00 FF FF 00 10 21 42 6C 61 75"));
        QCOMPARE(sent.value(3), QStringLiteral("C0 24 00 FF FF FF 10 24 33"));
    }

private:
    std::unique_ptr<PageFixture> m_fx;
    std::unique_ptr<TFormSocker> m_w;
};

QTEST_MAIN(TstSocker)
#include "tst_Socker.moc"
