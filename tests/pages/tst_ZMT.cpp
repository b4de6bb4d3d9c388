#include "PageFixture.h"
#include "pages/ZMT.h"

#include <QToolButton>

namespace {
const QStringList kErase{QStringLiteral("D0 00"), QStringLiteral("10 12")};
const QString kTimeRecord = QStringLiteral("D0 01 C0 11 00 00 FF FF 10 11");
const QString kZeroTime = kTimeRecord + QStringLiteral(" 30 30 3A 30 30 3A 30 30");
const QString kEmptySmall = QStringLiteral("10 12");
} // namespace

class TstZMT final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_fx = std::make_unique<PageFixture>();
        m_w = std::make_unique<TFormZMT>(m_fx->wall);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(m_fx->sent(), QStringList());
    }
    void cleanup()
    {
        m_w.reset();
        m_fx.reset();
    }

    void windowAndControls()
    {
        QCOMPARE(m_w->objectName(), QStringLiteral("TFormZMT"));
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Zeitmesstechnik"));
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("00:00:00"));
        QCOMPARE(button("SBErase")->text(), QStringLiteral("Löschen"));
        QCOMPARE(button("SBErase")->toolTip(), QStringLiteral("Anzeigetafel löschen"));
        QCOMPARE(button("SBSend")->text(), QStringLiteral("Anzeigen"));
        QVERIFY(!button("SBErase")->isChecked());
        QVERIFY(!button("SBSend")->isChecked());
    }

    void sendingOffOnlyUpdatesTheDisplay()
    {
        m_w->HandleTimeMessage(QStringLiteral("12.34"), false);
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("12.34"));
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void switchingOnSendsZeroAtOnce()
    {
        click(*m_w, "SBSend");
        QVERIFY(button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), (QStringList{kZeroTime, kEmptySmall}));
        click(*m_w, "SBSend"); // off again: display reset, nothing sent
        QVERIFY(!button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void sendsOnChangeOnly()
    {
        click(*m_w, "SBSend");
        m_fx->sent();
        m_w->HandleTimeMessage(QStringLiteral("1:02.3"), false);
        m_w->HandleTimeMessage(QStringLiteral("1:02.3"), false);
        QCOMPARE(m_fx->sent(), (QStringList{kTimeRecord + " 31 3A 30 32 2E 33", kEmptySmall}));
        m_w->HandleTimeMessage(QStringLiteral("1:02.4"), false);
        QCOMPARE(m_fx->sent(), (QStringList{kTimeRecord + " 31 3A 30 32 2E 34", kEmptySmall}));
        m_w->HandleTimeMessage(QStringLiteral("1:02.4"), true); // forced: sent again
        QCOMPARE(m_fx->sent(), (QStringList{kTimeRecord + " 31 3A 30 32 2E 34", kEmptySmall}));
    }

    void forcedEmptyTextBlanks()
    {
        m_w->HandleTimeMessage(QStringLiteral("9.99"), false);
        m_w->HandleTimeMessage(QString(), true);
        QCOMPARE(panelText(*m_w, "PnWatch"), QString());
        QCOMPARE(m_fx->sent(), QStringList());
        click(*m_w, "SBSend");
        m_fx->sent();
        m_w->HandleTimeMessage(QString(), true);
        QCOMPARE(m_fx->sent(), (QStringList{kTimeRecord, kEmptySmall}));
        m_w->HandleTimeMessage(QString(), false); // the same empty text again, not forced
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void closingWithSendingOn()
    {
        click(*m_w, "SBSend");
        m_w->HandleTimeMessage(QStringLiteral("5.00"), false);
        m_fx->sent();
        m_w->close();
        QCOMPARE(m_fx->sent(), (QStringList{kZeroTime, kEmptySmall} + kErase));
        QVERIFY(!button("SBSend")->isChecked());
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("00:00:00"));
    }

    void closingWithSendingOffOnlyErases()
    {
        m_w->HandleTimeMessage(QStringLiteral("5.00"), false);
        m_w->close();
        QCOMPARE(m_fx->sent(), kErase);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QCOMPARE(panelText(*m_w, "PnWatch"), QStringLiteral("00:00:00"));
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void eraseTwice()
    {
        click(*m_w, "SBSend");
        m_fx->sent();
        click(*m_w, "SBErase");
        QVERIFY(button("SBErase")->isChecked());
        QVERIFY(!button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), kErase);
        click(*m_w, "SBErase");
        QVERIFY(!button("SBErase")->isChecked());
        QVERIFY(!button("SBSend")->isChecked());
        QCOMPARE(m_fx->sent(), kErase);
        m_w->HandleTimeMessage(QStringLiteral("1.00"), false); // sending stays off
        QCOMPARE(m_fx->sent(), QStringList());
    }

    void linkErrorReleasesSend()
    {
        click(*m_w, "SBSend");
        m_fx->sent();
        m_w->ReleaseSend();
        m_w->HandleTimeMessage(QStringLiteral("1.00"), false);
        QCOMPARE(m_fx->sent(), QStringList());
    }

private:
    QToolButton* button(const char* name) { return child<QToolButton>(*m_w, name); }

    std::unique_ptr<PageFixture> m_fx;
    std::unique_ptr<TFormZMT> m_w;
};

QTEST_MAIN(TstZMT)
#include "tst_ZMT.moc"
