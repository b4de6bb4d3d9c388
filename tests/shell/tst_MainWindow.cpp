#include "ClientFixture.h"
#include "WindowWatch.h"
#include "shell/About.h"
#include "shell/QtGerman.h"
#include "support/Controls.h"

#include <QAction>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

#include <memory>

namespace {
QAction* menuAction(TFormMain& main, const char* name)
{
    auto* action = main.findChild<QAction*>(QString::fromLatin1(name));
    if (!action)
        qFatal("no menu entry %s", name);
    return action;
}

QDialog* pageByName(BrisalClientApp& app, const QString& name)
{
    for (QDialog* page :
         std::initializer_list<QDialog*>{&app.FormWatch, &app.FormSocker, &app.FormAmericanFootball,
                                         &app.FormSpielUndSatz, &app.FormTextbox, &app.FormJpg, &app.FormVideo}) {
        if (page->objectName() == name)
            return page;
    }
    qFatal("no page %s", qPrintable(name));
}

QString hexText(const char* text)
{
    return AnsweringWall::hex(QByteArray(text));
}

// Takes the URLs the program hands to the desktop.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};
class EventCounter final : public QObject
{
public:
    EventCounter(QEvent::Type type, int& count) : m_type(type), m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            ++m_count;
        return false;
    }

private:
    QEvent::Type m_type;
    int& m_count;
};
} // namespace

// The main window in the running program: the lamp, the page-button rule with its waits, the server
// about box, socket errors, the command line, help, the menu and closing.
class tst_MainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lampGoesGrayRedGreen();
    void lampFollowsTheWallAfterAGoodStart();
    void silentWallOpensNothingAndStartsQueries();
    void pageOpensAfterItsWaits_data();
    void pageOpensAfterItsWaits();
    void labelActsLikeButton();
    void functionKeysOpenPages_data();
    void functionKeysOpenPages();
    void gameAndSetAndTimingEntriesUnavailable();
    void gameAndSetSwitchedOnBySettings_data();
    void gameAndSetSwitchedOnBySettings();
    void serverAboutBoxAppearsOnce();
    void clientAboutBox();
    void socketErrorClosesLinkPagesOnly_data();
    void socketErrorClosesLinkPagesOnly();
    void wallPortTakenAtStart();
    void cosaPortTakenShowsEndpointBox();
    void lynxPortTakenReachesTheStatusLine();
    void feedErrorLeavesPagesOpen();
    void placementArguments_data();
    void placementArguments();
    void everyWindowFitsTheSmallestScreen();
    void qtDialogsSpeakGerman();
    void closing_data();
    void closing();
    void missingHelpFile();
    void menuEntries();
    void sendLogAndItsFolder();
};

void tst_MainWindow::lampGoesGrayRedGreen()
{
    ClientFixture client;
    client.wall.columns = 40;
    client.wall.rows = 10;
    client.start(false);
    QCOMPARE(client.lamp(), TLedBtnColor::LedGray);
    QCOMPARE(testsupport::control<TLedBtn>(client.main(), "LedBtnPing")->pictureName(), QStringLiteral("GRAY"));
    QList<TLedBtnColor> seen;
    connect(&client.app->Link, &WallLink::stateChanged, this, [&](LinkState state) { seen << lampColour(state); });
    client.main().show();
    client.waitForStartTimer();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QCOMPARE(seen, (QList<TLedBtnColor>{TLedBtnColor::LedRed, TLedBtnColor::LedGreen}));
    QCOMPARE(testsupport::control<TLedBtn>(client.main(), "LedBtnPing")->pictureName(), QStringLiteral("GREEN"));
    QCOMPARE(client.wall.bodies(), QStringList{QStringLiteral("80 FD")});
    QCOMPARE(client.app->Link.textSize().columns, 40);
    QCOMPARE(client.app->Link.textSize().rows, 10);
    // The start query switches on the periodic queries, so a wall that goes silent later turns the lamp red.
    QVERIFY(client.app->Link.supervising());
    QTest::mouseClick(testsupport::control<TLedBtn>(client.main(), "LedBtnPing"), Qt::LeftButton);
    QCOMPARE(client.lamp(), TLedBtnColor::LedRed);
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
}

void tst_MainWindow::lampFollowsTheWallAfterAGoodStart()
{
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QList<LinkState> seen;
    connect(&client.app->Link, &WallLink::stateChanged, this, [&](LinkState state) { seen << state; });
    // While the wall answers, the periodic queries leave the lamp green.
    QTRY_COMPARE_WITH_TIMEOUT(client.wall.count(QStringLiteral("80 FD")), 3, 6000);
    QCOMPARE(seen, QList<LinkState>{});
    // The wall goes silent: red within two periods.
    client.wall.answering = false;
    QTRY_COMPARE_WITH_TIMEOUT(client.lamp(), TLedBtnColor::LedRed, 5000);
    // A socket error in the status bar goes when the wall answers again.
    client.app->Link.close();
    client.app->Link.queryLifeSign();
    QCOMPARE(client.main().statusText(), QStringLiteral("Socketfehler: UDP SendData: kein Socket gebunden."));
    client.app->Link.open();
    client.wall.answering = true;
    QTRY_COMPARE_WITH_TIMEOUT(client.lamp(), TLedBtnColor::LedGreen, 3000);
    QCOMPARE(client.main().statusText(), QString());
}

void tst_MainWindow::silentWallOpensNothingAndStartsQueries()
{
    ClientFixture client;
    client.wall.answering = false;
    client.start();
    WindowWatch watch(WindowWatch::window(client.app->FormWatch), [](QWidget& w) { w.close(); });
    QTest::mouseClick(testsupport::control<QToolButton>(client.main(), "SBWatch"), Qt::LeftButton);
    QCOMPARE(watch.showings(), 0);
    QCOMPARE(client.lamp(), TLedBtnColor::LedRed);
    QVERIFY(!testsupport::control<QToolButton>(client.main(), "SBWatch")->isChecked());
    QCOMPARE(client.waits, QList<int>{200});
    // Start query, the click's query, then one every 2 s.
    QTRY_COMPARE_WITH_TIMEOUT(client.wall.count(QStringLiteral("80 FD")), 4, 7000);
    QCOMPARE(client.lamp(), TLedBtnColor::LedRed);
    QCOMPARE(watch.showings(), 0);
}

void tst_MainWindow::pageOpensAfterItsWaits_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("lampGreen");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("clock, wall known") << "SBWatch"
                                       << "TFormWatch" << true << QList<int>{};
    QTest::newRow("clock, lamp red") << "SBWatch"
                                     << "TFormWatch" << false << QList<int>{200};
    QTest::newRow("soccer, wall known") << "SBSocker"
                                        << "TFormSocker" << true << QList<int>{200};
    QTest::newRow("soccer, lamp red") << "SBSocker"
                                      << "TFormSocker" << false << QList<int>{200, 200};
    QTest::newRow("football") << "SBAmericanFootball"
                              << "TFormAmericanFootball" << true << QList<int>{200};
    QTest::newRow("text list, lamp red") << "SBTextlist"
                                         << "TFormTextbox" << false << QList<int>{200, 200};
    QTest::newRow("picture") << "SBJpgPicture"
                             << "TFormJpg" << true << QList<int>{};
    QTest::newRow("video") << "SBShowVideo"
                           << "TFormVideo" << true << QList<int>{};
    QTest::newRow("live video, lamp red") << "SbShowCapture"
                                          << "TFormVideo" << false << QList<int>{200};
    QTest::newRow("camera") << "SBShowMJPEG"
                            << "TFormVideo" << true << QList<int>{};
}

void tst_MainWindow::pageOpensAfterItsWaits()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(bool, lampGreen);
    QFETCH(QList<int>, waits);
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    if (!lampGreen) {
        // A query goes unanswered.
        client.wall.answering = false;
        client.app->Link.queryLifeSign();
        QTRY_COMPARE(client.wall.count(QStringLiteral("80 FD")), 2);
        client.wall.answering = true;
        QCOMPARE(client.lamp(), TLedBtnColor::LedRed);
    }
    QDialog* window = pageByName(*client.app, page);
    auto* pageButton = client.main().findChild<QToolButton*>(button);
    QVERIFY(pageButton);
    testsupport::control<QLabel>(client.main(), "SBarPanel")->setText(QStringLiteral("alte Meldung"));
    client.waits.clear();
    QString statusWhileOpen = QStringLiteral("<not opened>");
    bool buttonDownWhileOpen = false;
    int topWhileOpen = -1;
    WindowWatch watch(WindowWatch::window(*window), [&](QWidget& w) {
        statusWhileOpen = client.main().statusText();
        buttonDownWhileOpen = pageButton->isChecked();
        topWhileOpen = w.y();
        QVERIFY(w.isModal() || QApplication::activeModalWidget() == &w);
        w.close();
    });
    QTest::mouseClick(pageButton, Qt::LeftButton);
    QCOMPARE(watch.showings(), 1);
    QCOMPARE(client.waits, waits);
    QCOMPARE(statusWhileOpen, QString());
    QVERIFY(buttonDownWhileOpen);
    QCOMPARE(topWhileOpen, client.main().y());
    QVERIFY(!pageButton->isChecked()); // released after the window closed
    QCOMPARE(client.lamp(), TLedBtnColor::LedGreen);
}

void tst_MainWindow::labelActsLikeButton()
{
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    WindowWatch watch(WindowWatch::window(client.app->FormSocker), [](QWidget& w) { w.close(); });
    auto* label = client.main().findChild<QLabel*>(QStringLiteral("LbSocker"));
    QCOMPARE(label->text(), QStringLiteral("Spielstand"));
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(watch.showings(), 1);
}

void tst_MainWindow::functionKeysOpenPages_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("page");  // empty: the timing mode
    QTest::addColumn<QString>("focus"); // what has the focus in the window opened
    QTest::newRow("F2 clock") << int(Qt::Key_F2) << "TFormWatch"
                              << "SBSend";
    QTest::newRow("F3 soccer") << int(Qt::Key_F3) << "TFormSocker"
                               << "EdVereinLinks";
    QTest::newRow("F4 football") << int(Qt::Key_F4) << "TFormAmericanFootball"
                                 << "EdVereinLinks";
    QTest::newRow("F5 games and sets") << int(Qt::Key_F5) << "TFormSpielUndSatz"
                                       << "EdVereinLinks";
    QTest::newRow("F6 text list") << int(Qt::Key_F6) << "TFormTextbox"
                                  << "EdKopfzeile";
    QTest::newRow("F7 picture") << int(Qt::Key_F7) << "TFormJpg"
                                << "SBLoadPicture";
    QTest::newRow("F8 video") << int(Qt::Key_F8) << "TFormVideo"
                              << "SBOpenVideo";
    QTest::newRow("F9 live video") << int(Qt::Key_F9) << "TFormVideo"
                                   << "SBOpenVideo";
    QTest::newRow("F10 camera") << int(Qt::Key_F10) << "TFormVideo"
                                << "SBOpenVideo";
    QTest::newRow("F11 timing display") << int(Qt::Key_F11) << ""
                                        << "";
}

// F2 … F11 open the pages in the order of the buttons, by the page-button rule, each with the focus on its
// first input and never on "Löschen".
void tst_MainWindow::functionKeysOpenPages()
{
    QFETCH(int, key);
    QFETCH(QString, page);
    QFETCH(QString, focus);
    ClientFixture client;
    client.store(QStringLiteral("GameAndSetEnabled"), QStringLiteral("1"));
    client.store(QStringLiteral("SerialPortIndex"), QStringLiteral("1"));
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    int timingModes = 0;
    client.main().setTimingMode([&] { ++timingModes; });
    QVERIFY(QTest::qWaitForWindowActive(&client.main()));
    QString focused = QStringLiteral("<not opened>");
    std::unique_ptr<WindowWatch> watch;
    if (!page.isEmpty()) {
        watch = std::make_unique<WindowWatch>(WindowWatch::window(*pageByName(*client.app, page)), [&](QWidget& w) {
            focused = w.focusWidget() ? w.focusWidget()->objectName() : QString();
            w.close();
        });
    }
    QTest::keyClick(&client.main(), Qt::Key(key));
    if (page.isEmpty()) {
        QCOMPARE(timingModes, 1);
        return;
    }
    QCOMPARE(watch->showings(), 1);
    QCOMPARE(focused, focus);
    QCOMPARE(timingModes, 0);
}

void tst_MainWindow::gameAndSetAndTimingEntriesUnavailable()
{
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    WindowWatch watch(WindowWatch::window(client.app->FormSpielUndSatz), [](QWidget& w) { w.close(); });
    QVERIFY(!testsupport::control<QToolButton>(client.main(), "SBSpielUndSatz")->isEnabled());
    QTest::mouseClick(client.main().findChild<QLabel*>(QStringLiteral("LbSpielUndSatz")), Qt::LeftButton);
    QTest::mouseClick(testsupport::control<QToolButton>(client.main(), "SBSpielUndSatz"), Qt::LeftButton);
    QCOMPARE(watch.showings(), 0);
    QVERIFY(!testsupport::control<QToolButton>(client.main(), "SBZMT")->isVisible());
    QVERIFY(!testsupport::control<QLabel>(client.main(), "LbZMT")->isVisible());
    QVERIFY(!testsupport::control<QAction>(client.main(), "Zeitmesstechnik1")->isEnabled());
}

void tst_MainWindow::gameAndSetSwitchedOnBySettings_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("not a number") << "ja" << false;
}

// Integrators switch the page on in the settings store: button and label then open it by the page-button
// rule (one wait with the lamp green).
void tst_MainWindow::gameAndSetSwitchedOnBySettings()
{
    QFETCH(QString, stored);
    QFETCH(bool, enabled);
    ClientFixture client;
    client.store(QStringLiteral("GameAndSetEnabled"), stored);
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    auto* button = testsupport::control<QToolButton>(client.main(), "SBSpielUndSatz");
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(testsupport::control<QLabel>(client.main(), "LbSpielUndSatz")->isEnabled(), enabled);
    bool modal = false;
    WindowWatch watch(WindowWatch::window(client.app->FormSpielUndSatz), [&](QWidget& w) {
        modal = w.isModal() || QApplication::activeModalWidget() == &w;
        w.close();
    });
    client.waits.clear();
    QTest::mouseClick(client.main().findChild<QLabel*>(QStringLiteral("LbSpielUndSatz")), Qt::LeftButton);
    QCOMPARE(watch.showings(), enabled ? 1 : 0);
    QCOMPARE(modal, enabled);
    QCOMPARE(client.waits, enabled ? QList<int>{200} : QList<int>{});
}

void tst_MainWindow::serverAboutBoxAppearsOnce()
{
    ClientFixture client;
    client.wall.version = QStringLiteral("Wand 2.0");
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QString caption;
    QString version;
    int boxesWhileOpen = 0;
    WindowWatch watch(WindowWatch::named(QStringLiteral("AboutBox")), [&](QWidget& box) {
        caption = box.windowTitle();
        version = box.findChild<QLabel*>(QStringLiteral("Version"))->text();
        // A further status reply while the box is open shows no second box.
        const int replies = client.wall.count(QStringLiteral("80 FD"));
        client.app->Link.queryLifeSign();
        QTRY_COMPARE(client.wall.count(QStringLiteral("80 FD")), replies + 1);
        QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
        for (QWidget* w : QApplication::topLevelWidgets())
            boxesWhileOpen += w->isVisible() && w->objectName() == QLatin1String("AboutBox");
        box.close();
    });
    menuAction(client.main(), "berServer1")->trigger();
    QTRY_COMPARE(watch.showings(), 1);
    QCOMPARE(caption, QStringLiteral("About Videowand Server (Gegenstelle)"));
    QCOMPARE(version, QStringLiteral("Wand 2.0"));
    QCOMPARE(boxesWhileOpen, 1);
    QCOMPARE(client.wall.count(QStringLiteral("80 FE")), 1);
    // Later replies bring no box.
    client.app->Link.queryLifeSign();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QCOMPARE(watch.showings(), 1);
}

void tst_MainWindow::clientAboutBox()
{
    ClientFixture client;
    client.start();
    QStringList texts;
    WindowWatch watch(WindowWatch::named(QStringLiteral("AboutBox")), [&](QWidget& box) {
        texts << box.windowTitle();
        for (const char* name :
             {"ProductName", "Version", "Comments", "LbUser", "UserName", "LbComputer", "ComputerName"})
            texts << box.findChild<QLabel*>(QString::fromLatin1(name))->text();
        QVERIFY(!box.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().isNull());
        QTest::mouseClick(box.findChild<QAbstractButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    menuAction(client.main(), "ber1")->trigger();
    QCOMPARE(watch.showings(), 1);
    QVERIFY(!TAboutBox::userName().isEmpty());
    QVERIFY(!TAboutBox::computerName().isEmpty());
    QCOMPARE(texts, (QStringList{"About BrisalClient", "BrisalClient", "00.02.06 (2022-JUL-05; 08:42)",
                                 QStringLiteral("Client für Videowand- Server"), "User:", TAboutBox::userName(),
                                 "Computer:", TAboutBox::computerName()}));
}

void tst_MainWindow::socketErrorClosesLinkPagesOnly_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("closes");
    QTest::newRow("soccer closes") << "SBSocker"
                                   << "TFormSocker" << true;
    QTest::newRow("clock closes") << "SBWatch"
                                  << "TFormWatch" << true;
    QTest::newRow("text list closes") << "SBTextlist"
                                      << "TFormTextbox" << true;
    QTest::newRow("picture stays") << "SBJpgPicture"
                                   << "TFormJpg" << false;
    QTest::newRow("video stays") << "SBShowVideo"
                                 << "TFormVideo" << false;
}

void tst_MainWindow::socketErrorClosesLinkPagesOnly()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(bool, closes);
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QDialog* window = pageByName(*client.app, page);
    bool visibleAfterError = true;
    bool sendReleased = false;
    WindowWatch watch(WindowWatch::window(*window), [&](QWidget& w) {
        auto* send = w.findChild<QAbstractButton*>(QStringLiteral("SBSend"));
        if (send && send->isCheckable())
            send->setChecked(true);
        // The wall link breaks: the next query cannot leave.
        client.app->Link.endpoint().CloseSocket();
        client.app->Link.queryLifeSign();
        visibleAfterError = w.isVisible();
        sendReleased = !send || !send->isCheckable() || !send->isChecked();
        w.close();
    });
    QTest::mouseClick(client.main().findChild<QToolButton*>(button), Qt::LeftButton);
    QCOMPARE(watch.showings(), 1);
    QCOMPARE(visibleAfterError, !closes);
    QVERIFY(sendReleased || !closes);
    QCOMPARE(client.main().statusText(), QStringLiteral("Socketfehler: UDP SendData: kein Socket gebunden."));
}

void tst_MainWindow::wallPortTakenAtStart()
{
    ClientFixture client;
    auto other = std::make_unique<QUdpSocket>();
    client.start(false);
    QVERIFY(other->bind(QHostAddress::AnyIPv4, client.app->ports.wallRx));
    QSignalSpy failed(&client.app->Link, &WallLink::linkFailed);
    client.main().show();
    client.waitForStartTimer();
    QVERIFY(!client.app->Link.endpoint().Active());
    // The start query cannot leave either, and its error keeps the cause in the status bar.
    const QString cause = QStringLiteral("Socketfehler: UDP: Port %1 wird von einem anderen Programm benutzt.")
                              .arg(client.app->ports.wallRx);
    QCOMPARE(failed.size(), 2);
    QCOMPARE(failed.at(0).at(0).toString(), cause);
    QCOMPARE(failed.at(1).at(0).toString(), cause);
    QCOMPARE(client.main().statusText(), cause);
    QCOMPARE(client.lamp(), TLedBtnColor::LedRed);
    // The other program ends: the port is bound within a few seconds, the wall answers, the cause goes.
    other.reset();
    QTRY_VERIFY_WITH_TIMEOUT(client.app->Link.endpoint().Active(), 5000);
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QCOMPARE(client.main().statusText(), QString());
}

void tst_MainWindow::cosaPortTakenShowsEndpointBox()
{
    ClientFixture client;
    auto other = std::make_unique<QUdpSocket>();
    client.start(false);
    QVERIFY(other->bind(QHostAddress::AnyIPv4, client.app->ports.cosa));
    client.main().show();
    client.waitForStartTimer();
    // Opened on show and again by the settings: each failure is the endpoint's own box, not the status bar.
    QVERIFY(client.report.entries.size() >= 1);
    const qsizetype boxes = client.report.entries.size();
    for (const RecordingReport::Entry& box : std::as_const(client.report.entries)) {
        QCOMPARE(box.caption, QStringLiteral("UDPVesk"));
        QCOMPARE(box.text, QStringLiteral("Der COSA-Empfang ist gestört:\nUDP: Port %1 wird von einem anderen Programm "
                                          "benutzt.\nBitte prüfen, ob ein anderes Programm den COSA-Port belegt.")
                               .arg(client.app->ports.cosa));
    }
    QCOMPARE(client.main().statusText(), QString());
    QVERIFY(client.app->UDPJson.Active());
    // Retried quietly until the port is free.
    QVERIFY(client.app->UDPCosa.rebinding());
    other.reset();
    QTRY_VERIFY_WITH_TIMEOUT(client.app->UDPCosa.Active(), 5000);
    QCOMPARE(client.report.entries.size(), boxes);
}

void tst_MainWindow::lynxPortTakenReachesTheStatusLine()
{
    ClientFixture client;
    auto other = std::make_unique<QUdpSocket>();
    client.start(false);
    QVERIFY(other->bind(QHostAddress::AnyIPv4, client.app->ports.json));
    client.main().show();
    client.waitForStartTimer();
    QCOMPARE(client.main().statusText(),
             QStringLiteral("Socketfehler: UDP: Port %1 wird von einem anderen Programm benutzt.")
                 .arg(client.app->ports.json));
    QVERIFY(client.report.entries.isEmpty());
    other.reset();
    QTRY_VERIFY_WITH_TIMEOUT(client.app->UDPJson.Active(), 5000);
    QCOMPARE(client.main().statusText(), QString());
}

// Anyone on the network can send the FinishLynx port a datagram too long for it: the status bar says so, and
// the open page stays (only the wall link's errors close pages).
void tst_MainWindow::feedErrorLeavesPagesOpen()
{
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    bool visibleAfterError = false;
    WindowWatch watch(WindowWatch::window(client.app->FormTextbox), [&](QWidget& w) {
        QUdpSocket sender;
        sender.writeDatagram(QByteArray(9000, 'x'), QHostAddress::LocalHost, client.app->ports.json);
        QTRY_COMPARE(client.main().statusText(), QStringLiteral("Socketfehler: UDPOnReceive: Message too long"));
        visibleAfterError = w.isVisible();
        w.close();
    });
    QTest::mouseClick(client.main().findChild<QToolButton*>(QStringLiteral("SBTextlist")), Qt::LeftButton);
    QCOMPARE(watch.showings(), 1);
    QVERIFY(visibleAfterError);
}

void tst_MainWindow::placementArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("stored position") << QStringList{} << QPoint(50, 60);
    QTest::newRow("left and top in small letters") << QStringList{"/left=300", "/top=10"} << QPoint(300, 10);
    QTest::newRow("top not a number") << QStringList{"/TOP=abc"} << QPoint(50, 370);
}

void tst_MainWindow::placementArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QPoint, topLeft);
    ClientFixture client;
    client.store(QStringLiteral("MainLeftPos"), QStringLiteral("50"));
    client.store(QStringLiteral("MainTopPos"), QStringLiteral("60"));
    client.start(false, arguments);
    // Placed before the window exists, so a window manager frames it there; once shown it is not moved
    // again (a move before the frame is known would shift it by the frame on every start).
    QCOMPARE(client.main().pos(), topLeft);
    int moves = 0;
    EventCounter counter(QEvent::Move, moves);
    client.main().show();
    client.main().installEventFilter(&counter);
    client.waitForStartTimer();
    QCOMPARE(client.main().pos(), topLeft);
    QCOMPARE(moves, 0);
}

// Each window, with its frame, fits a 1024 x 768 screen.
void tst_MainWindow::everyWindowFitsTheSmallestScreen()
{
    ClientFixture client;
    client.start();
    const QSize limit(1000, 740);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName().isEmpty())
            continue; // menus, tool tips
        ++windows;
        const QSize needed = w->size().expandedTo(w->minimumSize()).expandedTo(w->minimumSizeHint());
        QVERIFY2(
            needed.width() <= limit.width() && needed.height() <= limit.height(),
            qPrintable(QStringLiteral("%1: %2 x %3").arg(w->objectName()).arg(needed.width()).arg(needed.height())));
    }
    QVERIFY(windows >= 12);
}

// Qt's own dialogs speak German: "Suchen in:", "Abbrechen".
void tst_MainWindow::qtDialogsSpeakGerman()
{
    QVERIFY(installQtGerman(*qApp));
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(files.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Suchen in:"));
    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Cancel);
    for (QDialogButtonBox* buttons : {colours.findChild<QDialogButtonBox*>(), box.findChild<QDialogButtonBox*>()})
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
}

void tst_MainWindow::closing_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("close the server program")
        << "RBServerClose" << QStringList{"EE EE " + hexText("CloseServer")} << QList<int>{200};
    QTest::newRow("shut the wall computer down")
        << "RBServerShutdown" << QStringList{"EE EE " + hexText("Shutdown")} << QList<int>{500};
    QTest::newRow("keep the server running") << "RBServerKeepRunning" << QStringList{} << QList<int>{};
}

void tst_MainWindow::closing()
{
    QFETCH(QString, radio);
    QFETCH(QStringList, commands);
    QFETCH(QList<int>, waits);
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    client.editConfig(
        [&](const ConfigControls&) { client.config().findChild<QRadioButton*>(radio)->setChecked(true); });
    client.waits.clear();
    client.wall.clear();
    client.app->Media.Preview.LoadVideo(QStringLiteral("/no/such/clip.avi"), nullptr);
    menuAction(client.main(), "SBExit")->trigger();
    QVERIFY(!client.main().isVisible());
    QVERIFY(client.app->Media.Player.source().isEmpty()); // the preview let go of its file
    QCOMPARE(client.waits, waits);
    QVERIFY(!client.app->Link.endpoint().Active());
    QVERIFY(!client.app->UDPCosa.Active());
    QVERIFY(!client.app->UDPJson.Active());
    QTRY_COMPARE(client.wall.bodies().size(), commands.size());
    QCOMPARE(client.wall.bodies(), commands);
    QCOMPARE(client.stored(QStringLiteral("IPServer")), QStringLiteral("127.0.0.1"));
}

void tst_MainWindow::missingHelpFile()
{
    ClientFixture client;
    client.start();
    QTest::keyClick(&client.main(), Qt::Key_F1);
    QCOMPARE(client.report.entries.size(), 1);
    const RecordingReport::Entry& box = client.report.entries.first();
    QCOMPARE(box.caption, QStringLiteral("Keine Hilfe"));
    QCOMPARE(box.text, QStringLiteral("Hilfedatei \n\"") + client.settings.path() +
                           QStringLiteral("/BrisalClient.chm\"\n nicht verfügbar."));
    QCOMPARE(box.icon, ErrorReport::Icon::Critical);
    QVERIFY(box.onTop);
}

void tst_MainWindow::menuEntries()
{
    ClientFixture client;
    client.start();
    QStringList menus;
    for (QAction* menu : client.main().menuBar()->actions()) {
        QStringList entries;
        for (QAction* entry : menu->menu()->actions())
            entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        menus << menu->text() + QStringLiteral(": ") + entries.join(QStringLiteral(" | "));
    }
    QCOMPARE(menus, (QStringList{"&Datei: &Beenden",
                                 "Anzeige: Uhrzeit | Zeitmesstechnik | Fußball | American Football | - | Wandmonitor",
                                 "Konfiguration: Konfiguration",
                                 "&Hilfe: &Hilfe | &Tastenkürzel | &Protokoll öffnen | - | Über &Server | Ü&ber"}));
    QCOMPARE(client.main().windowTitle(), QStringLiteral("Brisal Client"));
    QCOMPARE(testsupport::control<TLedBtn>(client.main(), "LedBtnPing")->toolTip(),
             QStringLiteral("Videowand- Lebenszeichen holen"));
    QCOMPARE(testsupport::control<QToolButton>(client.main(), "SBShowMJPEG")->toolTip(),
             QStringLiteral("MJPEG- Kamera am Server"));
}

// The program's send log hears the link and every message shown; the help menu opens its folder.
void tst_MainWindow::sendLogAndItsFolder()
{
    ClientFixture client;
    client.start();
    QTRY_COMPARE(client.lamp(), TLedBtnColor::LedGreen);
    QTest::keyClick(&client.main(), Qt::Key_F1);
    UrlCatcher desktop;
    menuAction(client.main(), "ProtokollOeffnen1")->trigger();
    QCOMPARE(desktop.urls, QList<QUrl>{QUrl::fromLocalFile(client.logFolder())});

    QFile log(client.logFolder() + QStringLiteral("/Sendeprotokoll.txt"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString stamp = QStringLiteral("2026-05-01 13:04:05.000 ");
    QVERIFY2(lines.contains(stamp + QStringLiteral("Verbindung: Wand antwortet")), qPrintable(lines.join('\n')));
    QCOMPARE(lines.last(), stamp + QStringLiteral("Fehler (Keine Hilfe): Hilfedatei  / \"") + client.settings.path() +
                               QStringLiteral("/BrisalClient.chm\" /  nicht verfügbar."));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
