#include "ClientFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {

void click(QWidget& window, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
}

QString text(QWidget& window, const char* name)
{
    if (auto* edit = window.findChild<QLineEdit*>(QLatin1String(name)))
        return edit->text();
    return child<QLabel>(window, name)->text();
}

QString hex(const wallcmd::Bodies& bodies)
{
    return AnsweringWall::hex(bodies.last());
}

} // namespace

// What the operator entered survives the program: the match state file beside the settings, and a game
// clock that keeps time while its window is closed.
class tst_MatchState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void restoredAfterRestart();
    void damagedFileIsSetAside();
    void gameClockKeepsTimeOnTheWall();

private:
    static QString stateFile(const ClientFixture& fx)
    {
        return fx.settings.path() + QStringLiteral("/ZEL/BrisalClient-Spielstand.json");
    }
    // Opens a page from its launcher button; action runs in the open window, which then closes.
    static void operate(ClientFixture& fx, const char* button, QDialog& page,
                        const std::function<void(QWidget&)>& action)
    {
        WindowWatch watch(WindowWatch::window(page), [&](QWidget& w) {
            action(w);
            w.close();
        });
        QTest::mouseClick(child<QToolButton>(fx.main(), button), Qt::LeftButton);
        QCOMPARE(watch.showings(), 1);
    }
};

void tst_MatchState::restoredAfterRestart()
{
    ClientFixture fx;
    fx.start();
    BrisalClientApp& app = *fx.app;
    child<QLineEdit>(app.FormSocker, "EdVereinLinks")->setText(QStringLiteral("Blau-Weiß"));
    child<QSpinBox>(app.FormSocker, "UDToreLinks")->setValue(3);
    child<QLineEdit>(app.FormAmericanFootball, "EdVereinRechts")->setText(QStringLiteral("Adler"));
    child<QSpinBox>(app.FormAmericanFootball, "UDToreRechts")->setValue(14);
    child<QLineEdit>(app.FormAmericanFootball, "EdClock")->setText(QStringLiteral("20:00"));
    click(app.FormAmericanFootball, "SBSetClock");
    child<QLineEdit>(app.FormAmericanFootball, "EdClock")->setText(QStringLiteral("5:3")); // typed, invalid
    child<QSpinBox>(app.FormSpielUndSatz, "UDToreRechts")->setValue(21);
    child<QSpinBox>(app.FormSpielUndSatz, "UDSatzLeft")->setValue(2);
    child<QLineEdit>(app.FormTextbox, "EdKopfzeile")->setText(QStringLiteral("100 m Männer"));
    child<QPlainTextEdit>(app.FormTextbox, "MTextbox")->setPlainText(QStringLiteral("1 Müller\n2 Meier"));
    // A burst of changes is one write, soon after it.
    QTRY_VERIFY(QFile::exists(stateFile(fx)));
    QFile written(stateFile(fx));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(written.readAll()).contains(QStringLiteral("Müller")));

    // The last change before the program ends is written as it ends.
    child<QSpinBox>(app.FormSocker, "UDToreRechts")->setValue(1);
    fx.app.reset();
    fx.start();
    BrisalClientApp& again = *fx.app;
    QCOMPARE(text(again.FormSocker, "EdVereinLinks"), QStringLiteral("Blau-Weiß"));
    QCOMPARE(text(again.FormSocker, "PnToreLeft"), QStringLiteral("3"));
    QCOMPARE(text(again.FormSocker, "PnToreRight"), QStringLiteral("1"));
    QCOMPARE(text(again.FormAmericanFootball, "EdVereinLinks"), QStringLiteral("Heim"));
    QCOMPARE(text(again.FormAmericanFootball, "EdVereinRechts"), QStringLiteral("Adler"));
    QCOMPARE(text(again.FormAmericanFootball, "PnToreRight"), QStringLiteral("14"));
    QCOMPARE(text(again.FormAmericanFootball, "PnGameWatch"), QStringLiteral("20:00"));
    QCOMPARE(text(again.FormAmericanFootball, "EdClock"), QStringLiteral("5:3"));
    QVERIFY(child<QToolButton>(again.FormAmericanFootball, "SBStopWatch")->isChecked());
    QCOMPARE(text(again.FormSpielUndSatz, "PnToreRight"), QStringLiteral("21"));
    QCOMPARE(text(again.FormSpielUndSatz, "PnSatzLeft"), QStringLiteral("2"));
    QCOMPARE(again.FormTextbox.header(), QStringLiteral("100 m Männer"));
    QCOMPARE(again.FormTextbox.lines(), (QStringList{"1 Müller", "2 Meier"}));
    QVERIFY(fx.report.entries.isEmpty());
}

void tst_MatchState::damagedFileIsSetAside()
{
    ClientFixture fx;
    const QByteArray junk("{\"soccer\": {\"home\": \"Blau");
    QVERIFY(QDir().mkpath(fx.settings.path() + QStringLiteral("/ZEL")));
    QFile file(stateFile(fx));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(junk) == junk.size());
    file.close();

    fx.start();
    QCOMPARE(text(fx.app->FormSocker, "EdVereinLinks"), QStringLiteral("Heim"));
    QTRY_COMPARE(fx.report.entries.size(), 1);
    QCOMPARE(fx.report.entries.first().icon, ErrorReport::Icon::Warning);
    const QStringList aside =
        QDir(fx.settings.path() + QStringLiteral("/ZEL")).entryList({QStringLiteral("BrisalClient-Spielstand.json.*")});
    QCOMPARE(aside.size(), 1);
    QVERIFY(fx.report.entries.first().text.startsWith(QStringLiteral("Der gespeicherte Spielstand")));
    QVERIFY(fx.report.entries.first().text.contains(aside.first()));
    QFile kept(fx.settings.path() + QStringLiteral("/ZEL/") + aside.first());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), junk);

    // The program goes on keeping the state in a new file.
    child<QSpinBox>(fx.app->FormSocker, "UDToreLinks")->setValue(2);
    QTRY_VERIFY(QFile::exists(stateFile(fx)));
    QCOMPARE(fx.report.entries.size(), 1);
}

void tst_MatchState::gameClockKeepsTimeOnTheWall()
{
    ClientFixture fx;
    fx.start();
    QTRY_COMPARE(fx.lamp(), TLedBtnColor::LedGreen);
    fx.editConfig(
        [](const ConfigControls& c) { child<QCheckBox>(*c.TSClock, "CBGameClockKeepsTime")->setChecked(true); }, true);
    QCOMPARE(fx.stored(QStringLiteral("GameClockKeepsTime")), QStringLiteral("1"));

    TFormAmericanFootball& football = fx.app->FormAmericanFootball;
    operate(fx, "SBAmericanFootball", football, [](QWidget& w) {
        child<QLineEdit>(w, "EdClock")->setText(QStringLiteral("00:03"));
        click(w, "SBSetClock");
        click(w, "SBRunWatch");
        click(w, "SBSend");
    });
    // Closing left the page on the wall, and its clock goes on there.
    fx.clock.advance(1'000);
    QTRY_VERIFY(fx.wall.bodies().contains(hex(wallcmd::footballClock(true, QStringLiteral("00:02")))));
    QCOMPARE(fx.wall.count(AnsweringWall::hex(wallcmd::erase().first())), 0);

    // Another page goes onto the wall: the clock counts to its end and signals, but writes nothing there.
    operate(fx, "SBSocker", fx.app->FormSocker, [](QWidget& w) { click(w, "SBSend"); });
    fx.clock.advance(2'000);
    QTRY_COMPARE(text(football, "PnGameWatch"), QStringLiteral("00:00"));
    QCOMPARE(fx.sound.events, (QStringList{"alert", "tone 400 800"}));
    const int queries = fx.wall.count(QStringLiteral("80 FD"));
    fx.app->Link.queryLifeSign();
    QTRY_COMPARE(fx.wall.count(QStringLiteral("80 FD")), queries + 1);
    QVERIFY(!fx.wall.bodies().contains(hex(wallcmd::footballClock(false, QStringLiteral("00:00")))));
    QVERIFY(!fx.wall.bodies().contains(hex(wallcmd::footballClock(true, QStringLiteral("00:01")))));
}

QTEST_MAIN(tst_MatchState)
#include "tst_MatchState.moc"
