#include "media/FtpServer.h"
#include "media/JpgPicture.h"
#include "media/Video.h"
#include "pages/AmericanFootball.h"
#include "pages/LengthCounter.h"
#include "pages/PageFixture.h"
#include "pages/PageKeys.h"
#include "pages/Socker.h"
#include "pages/SpielUndSatz.h"
#include "pages/UnsentChanges.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "shell/ErrorReport.h"
#include "support/FakeClock.h"
#include "support/RecordingPlayer.h"
#include "support/RecordingSound.h"
#include "support/TestPaths.h"
#include "textlist/Textbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <QToolTip>

#include <memory>

namespace {

enum class Window
{
    Watch,
    Timing,
    Soccer,
    Football,
    Sets,
    TextList,
    Picture,
    Video
};

QStringList hexBodies(const wallcmd::Bodies& bodies)
{
    QStringList out;
    for (const QByteArray& b : bodies)
        out << testsupport::hex(b);
    return out;
}

} // namespace

// The page windows as the operator drives them: the mark on "Anzeigen" while the wall does not show what a
// window holds, the keys, the focus a window opens with, and what the wall will cut shown while typing. Every
// window is real; the wall records what they send, uploads go to a real FTP server.
class TstPageOperator final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_staging.isValid() && m_chosen.isValid());
        qputenv("TMPDIR", QFile::encodeName(m_staging.path()));
        if (!FtpServer::available())
            QSKIP("pyftpdlib is not installed");
        m_server = std::make_unique<FtpServer>(QStringLiteral("TORVEK"), QStringLiteral("mirtelo.kq"));
        QVERIFY(m_server->start());
        m_picture = m_chosen.filePath(QStringLiteral("Tor.jpg"));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(m_picture, "JPG"));
        m_clip = m_chosen.filePath(QStringLiteral("Clip.mp4"));
        QFile clip(m_clip);
        QVERIFY(clip.open(QIODevice::WriteOnly) && clip.write("not really a video") > 0);
    }
    void init()
    {
        m_fx = std::make_unique<MediaPageFixture>();
        m_fx->ports.ftp = m_server->port();
        m_fx->media.Preview.setLibrary(m_player);
        m_dialogs = 0;
        m_fx->media.Open.chooser = [this](const TOpenDialog& d) {
            ++m_dialogs;
            return d.Title.startsWith(QStringLiteral("Bild")) ? m_picture : m_clip;
        };
    }
    void cleanup()
    {
        m_window.reset();
        m_fx.reset();
        m_report.entries.clear();
    }

    // The mark appears when the window holds what the wall does not show and goes with the send: a dot on
    // "Anzeigen", a line in its tool tip, hasUnsentChanges() and its signal.
    void unsentMark_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("change");
        QTest::newRow("clock: analog clock chosen") << Window::Watch << "SBAnalogWatch";
        QTest::newRow("timing: the wall blanked") << Window::Timing << "SBErase";
        QTest::newRow("soccer: a name typed") << Window::Soccer << "EdVereinLinks";
        QTest::newRow("football: the clock set") << Window::Football << "SBSetClock";
        QTest::newRow("games and sets: a set") << Window::Sets << "UDSatzLeft";
        QTest::newRow("text list: a line typed") << Window::TextList << "MTextbox";
        QTest::newRow("picture: one loaded") << Window::Picture << "SBLoadPicture";
        QTest::newRow("video: one opened") << Window::Video << "SBOpenVideo";
    }
    void unsentMark()
    {
        QFETCH(Window, window);
        QFETCH(QString, change);
        QWidget& w = open(window);
        const std::unique_ptr<QSignalSpy> spy = unsentSpy(w);
        auto* send = child<QToolButton>(w, "SBSend");

        showNow(window, w);
        QVERIFY(!unsent(w));
        QVERIFY(!send->findChild<QWidget*>(QStringLiteral("UnsentMark"))->isVisible());

        QWidget* input = w.findChild<QWidget*>(change);
        QVERIFY(input);
        if (auto* button = qobject_cast<QToolButton*>(input)) {
            button->click();
        } else if (auto* spin = qobject_cast<QSpinBox*>(input)) {
            spin->stepUp();
        } else {
            input->setFocus();
            QTest::keyClicks(input, QStringLiteral("x"));
        }
        QVERIFY(unsent(w));
        QVERIFY(send->findChild<QWidget*>(QStringLiteral("UnsentMark"))->isVisible());
        QTRY_VERIFY(!spy->isEmpty() && spy->last().first().toBool());
        QVERIFY(pagekeys::toolTipText(send).endsWith(QStringLiteral("\nÄnderungen noch nicht angezeigt")));

        showNow(window, w);
        QTRY_VERIFY(!unsent(w)); // a picture goes up first
        QVERIFY(!pagekeys::toolTipText(send).contains(QStringLiteral("Änderungen")));
        QTRY_VERIFY(!spy->last().first().toBool());
        for (int i = 1; i < spy->size(); ++i) // told only when it changed
            QVERIFY(spy->at(i).first() != spy->at(i - 1).first());
        QVERIFY(m_report.entries.isEmpty());
    }

    // Each key of the page windows does what the help says, typed into the real window.
    void keys_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("focus"); // the control that has the focus; empty: as the window opens
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("after"); // "control=text", "button=checked", "dialogs=n"; empty: nothing else
        const auto ctrl = Qt::ControlModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier;
        const QStringList none, erase = hexBodies(wallcmd::erase());
        const QStringList soccer =
            hexBodies(wallcmd::soccerShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 3, 3));
        const auto row = [](const char* name, Window w, const char* focus, QKeyCombination key, const QStringList& sent,
                            const char* after = "") {
            QTest::newRow(name) << w << QString::fromLatin1(focus) << key << sent << QString::fromLatin1(after);
        };
        row("soccer Ctrl+Return", Window::Soccer, "", ctrl | Qt::Key_Return, soccer);
        row("soccer Ctrl+Enter", Window::Soccer, "", ctrl | Qt::KeypadModifier | Qt::Key_Enter, soccer);
        row("soccer Ctrl+Backspace", Window::Soccer, "", ctrl | Qt::Key_Backspace, erase);
        row("soccer Alt+Left", Window::Soccer, "", alt | Qt::Key_Left, none, "PnToreLeft=4");
        row("soccer Alt+Shift+Left", Window::Soccer, "", alt | shift | Qt::Key_Left, none, "PnToreLeft=2");
        row("soccer Alt+Right", Window::Soccer, "", alt | Qt::Key_Right, none, "PnToreRight=4");
        row("soccer Alt+Shift+Right", Window::Soccer, "", alt | shift | Qt::Key_Right, none, "PnToreRight=2");
        row("soccer Return in a name", Window::Soccer, "EdVereinLinks", QKeyCombination(Qt::Key_Return), none);
        row("soccer Escape", Window::Soccer, "", QKeyCombination(Qt::Key_Escape), none);
        row("football Ctrl+Return", Window::Football, "", ctrl | Qt::Key_Return,
            hexBodies(wallcmd::footballShow(QStringLiteral("Heim"), QStringLiteral("Gäste"), 3, 3,
                                            wallcmd::GameClock::Standing, QStringLiteral("15:00"))));
        row("football clock Space runs", Window::Football, "PnGameWatch", QKeyCombination(Qt::Key_Space),
            hexBodies(wallcmd::footballClock(true, QStringLiteral("15:00"))), "SBRunWatch=checked");
        row("football clock Up", Window::Football, "PnGameWatch", QKeyCombination(Qt::Key_Up), none,
            "PnGameWatch=15:01");
        row("football clock Down", Window::Football, "PnGameWatch", QKeyCombination(Qt::Key_Down), none,
            "PnGameWatch=14:59");
        row("football clock Page Up", Window::Football, "PnGameWatch", QKeyCombination(Qt::Key_PageUp), none,
            "PnGameWatch=16:00");
        row("football clock Page Down", Window::Football, "PnGameWatch", QKeyCombination(Qt::Key_PageDown), none,
            "PnGameWatch=14:00");
        row("football Space in a name", Window::Football, "EdVereinLinks", QKeyCombination(Qt::Key_Space), none,
            "SBStopWatch=checked");
        row("sets Alt+Right", Window::Sets, "", alt | Qt::Key_Right, none, "PnToreRight=4");
        row("clock Ctrl+Return", Window::Watch, "", ctrl | Qt::Key_Return, none, "SBSend=checked");
        row("clock Ctrl+Backspace", Window::Watch, "", ctrl | Qt::Key_Backspace, erase, "SBErase=checked");
        row("timing Ctrl+Return", Window::Timing, "", ctrl | Qt::Key_Return,
            hexBodies(wallcmd::timingTime(QStringLiteral("00:00:00"))), "SBSend=checked");
        row("timing Ctrl+Backspace", Window::Timing, "", ctrl | Qt::Key_Backspace, erase, "SBErase=checked");
        row("text list Ctrl+Return", Window::TextList, "MTextbox", ctrl | Qt::Key_Return,
            hexBodies(wallcmd::textListShow(wallcmd::TimeBarMode::Off, {}, QStringLiteral("Kopf"),
                                            {QStringLiteral("Zeile")}, 8)));
        row("text list Ctrl+Backspace", Window::TextList, "EdKopfzeile", ctrl | Qt::Key_Backspace,
            hexBodies(wallcmd::eraseTextList()));
        row("picture Ctrl+O", Window::Picture, "", ctrl | Qt::Key_O, none, "dialogs=1");
        row("video Ctrl+O", Window::Video, "", ctrl | Qt::Key_O, none, "dialogs=1");
        row("video Ctrl+Backspace", Window::Video, "", ctrl | Qt::Key_Backspace, erase);
    }
    void keys()
    {
        QFETCH(Window, window);
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, key);
        QFETCH(QStringList, sent);
        QFETCH(QString, after);
        QWidget& w = open(window);
        // A known start: both scores at 3, the football clock at 15:00, a short text list.
        for (const char* score : {"UDToreLinks", "UDToreRechts"}) {
            if (auto* spin = w.findChild<QSpinBox*>(QLatin1String(score)))
                spin->setValue(3);
        }
        if (window == Window::Football)
            child<QToolButton>(w, "SBSetClock")->click();
        if (window == Window::TextList) {
            child<QLineEdit>(w, "EdKopfzeile")->setText(QStringLiteral("Kopf"));
            static_cast<TFormTextbox&>(w).setLines({QStringLiteral("Zeile")});
        }
        if (!focus.isEmpty())
            w.findChild<QWidget*>(focus)->setFocus();
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target && target->window() == &w);
        m_fx->sent();

        QTest::keyClick(target, key.key(), key.keyboardModifiers());

        QCOMPARE(m_fx->sent(), sent);
        QVERIFY(w.isVisible()); // no key closes a window, whose closing would blank the wall
        const QString control = after.section(QLatin1Char('='), 0, 0);
        const QString value = after.section(QLatin1Char('='), 1);
        QCOMPARE(m_dialogs, control == QStringLiteral("dialogs") ? value.toInt() : 0);
        if (auto* button = control.isEmpty() ? nullptr : w.findChild<QToolButton*>(control))
            QCOMPARE(button->isChecked() ? QStringLiteral("checked") : QStringLiteral("up"), value);
        else if (auto* label = control.isEmpty() ? nullptr : w.findChild<QLabel*>(control))
            QCOMPARE(label->text(), value);
        QVERIFY(m_report.entries.isEmpty());
    }

    // A goal counter's tooltip names its keys: the spin box's own line edit must not stand in for the
    // tooltip filter.
    void spinBoxToolTipNamesKeys()
    {
        QWidget& w = open(Window::Soccer);
        auto* spin = child<QSpinBox>(w, "UDToreLinks");
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), spin->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(spin, &help);
        QVERIFY(pagekeys::toolTipText(spin).contains(shortcuts::binding(shortcuts::Action::HomeUp).keyText));
        QCOMPARE(QToolTip::text(), pagekeys::toolTipText(spin));
    }

    // The manual's page on keys names every key the windows bind, so the help cannot fall behind.
    void manualNamesEveryKey()
    {
        if (testsupport::sourceDir().isEmpty())
            QSKIP("BRISAL_SOURCE_DIR not set");
        QFile page(testsupport::sourceDir() + QStringLiteral("/docs/manual/tastenkuerzel.md"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (const shortcuts::Binding& b : shortcuts::pageBindings())
            QVERIFY2(text.contains(QStringLiteral("| ") + b.keyText + QStringLiteral(" |")), qPrintable(b.keyText));
        for (int row = 0; row < shortcuts::kLauncherKeys; ++row)
            QVERIFY(text.contains(QStringLiteral("| ") + shortcuts::launcherKeyText(row) + QStringLiteral(" |")));
    }

    // A window opens with the focus on its first input, never on "Löschen": not even after the operator
    // pressed "Löschen" and closed the window.
    void openingFocus_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("first");
        QTest::newRow("clock") << Window::Watch << "SBSend";
        QTest::newRow("timing") << Window::Timing << "SBSend";
        QTest::newRow("soccer") << Window::Soccer << "EdVereinLinks";
        QTest::newRow("football") << Window::Football << "EdVereinLinks";
        QTest::newRow("games and sets") << Window::Sets << "EdVereinLinks";
        QTest::newRow("text list") << Window::TextList << "EdKopfzeile";
        QTest::newRow("picture") << Window::Picture << "SBLoadPicture";
        QTest::newRow("video") << Window::Video << "SBOpenVideo";
    }
    void openingFocus()
    {
        QFETCH(Window, window);
        QFETCH(QString, first);
        QWidget& w = open(window);
        const auto focused = [&w] { return w.focusWidget() ? w.focusWidget()->objectName() : QString(); };
        QCOMPARE(focused(), first);
        w.findChildren<QToolButton*>(QStringLiteral("SBErase")).constFirst()->setFocus();
        QCOMPARE(focused(), QStringLiteral("SBErase"));
        w.hide();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(focused(), first);
    }

    // What the wall will cut shows while the operator types: a name box full to its limit, a header longer
    // than the wall's columns (their counters turn red); text beyond the columns and lines beyond the rows
    // greyed in the editor.
    void cutTextShown_data()
    {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<bool>("warns");
        const QString longName = QStringLiteral("Spielvereinigung Fuerth"); // typed key by key: ASCII only
        QTest::newRow("soccer name below 12") << Window::Soccer << "EdVereinLinks"
                                              << "Borussia"
                                              << "8/12" << false;
        QTest::newRow("soccer name cut at 12") << Window::Soccer << "EdVereinRechts" << longName << "12/12" << true;
        QTest::newRow("football name cut at 14") << Window::Football << "EdVereinLinks" << longName << "14/14" << true;
        QTest::newRow("sets name cut at 20") << Window::Sets << "EdVereinRechts" << longName << "20/20" << true;
        QTest::newRow("header within 32 columns") << Window::TextList << "EdKopfzeile"
                                                  << "Zeitplan"
                                                  << "8/32" << false;
        QTest::newRow("header beyond 32 columns") << Window::TextList << "EdKopfzeile"
                                                  << "Internationales Leichtathletiksportfest"
                                                  << "39/32" << true;
    }
    void cutTextShown()
    {
        QFETCH(Window, window);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, counter);
        QFETCH(bool, warns);
        QWidget& w = open(window);
        auto* edit = w.findChild<QLineEdit*>(box);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        auto* length = w.findChild<TLengthCounter*>(box + QStringLiteral("Laenge"));
        QVERIFY(length);
        QCOMPARE(length->text(), counter);
        QCOMPARE(length->warns(), warns);
    }
    void editorGreysWhatTheWallCuts()
    {
        m_fx->wall.size = {10, 2};
        auto& w = static_cast<TFormTextbox&>(open(Window::TextList));
        w.setLines({QStringLiteral("kurz"), QStringLiteral("0123456789abc"), QStringLiteral("dritte")});
        const QTextDocument* document = child<QPlainTextEdit>(w, "MTextbox")->document();
        const auto greyed = [document](int line) {
            QStringList spans;
            for (const QTextLayout::FormatRange& r : document->findBlockByNumber(line).layout()->formats())
                spans
                    << QStringLiteral("%1+%2 %3").arg(r.start).arg(r.length).arg(r.format.foreground().color().name());
            return spans;
        };
        QCOMPARE(greyed(0), QStringList());
        QCOMPARE(greyed(1), QStringList{QStringLiteral("10+3 #a0a0a0")});
        QCOMPARE(greyed(2), QStringList{QStringLiteral("0+6 #a0a0a0")});
    }

private:
    QWidget& open(Window window)
    {
        WallSink& wall = m_fx->wall;
        switch (window) {
        case Window::Watch:
            m_window = std::make_unique<TFormWatch>(wall, m_clock, [] { return QStringLiteral("Text"); });
            break;
        case Window::Timing:
            m_window = std::make_unique<TFormZMT>(wall);
            break;
        case Window::Soccer:
            m_window = std::make_unique<TFormSocker>(wall);
            break;
        case Window::Football:
            m_window = std::make_unique<TFormAmericanFootball>(wall, m_clock, m_sound);
            break;
        case Window::Sets:
            m_window = std::make_unique<TFormSpielUndSatz>(wall, m_fx->media, m_report);
            break;
        case Window::TextList: {
            auto textList = std::make_unique<TFormTextbox>(wall, m_fx->media, m_report);
            textList->setStopVideo([] {});
            m_window = std::move(textList);
            break;
        }
        case Window::Picture:
            m_window = std::make_unique<TFormJpg>(wall, m_fx->media, m_report);
            break;
        case Window::Video:
            m_window = std::make_unique<TFormVideo>(wall, m_fx->media, m_report);
            break;
        }
        m_window->show();
        // The checks that follow need the window active: they find nothing focused otherwise.
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("%s did not become active", qPrintable(m_window->objectName()));
        m_fx->sent();
        return *m_window;
    }
    // "Anzeigen", and for the clock the second that sends.
    void showNow(Window window, QWidget& w)
    {
        QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
        if (window == Window::Watch) {
            m_clock.advance(1000);
            static_cast<TFormWatch&>(w).WatchTimerTimer();
        }
        QCoreApplication::processEvents(); // back in the event loop, where the window tells its state
    }
    static bool unsent(QWidget& w)
    {
        if (auto* page = qobject_cast<TPageForm*>(&w))
            return page->hasUnsentChanges();
        return static_cast<TFormTextbox&>(w).hasUnsentChanges();
    }
    static std::unique_ptr<QSignalSpy> unsentSpy(QWidget& w)
    {
        if (auto* page = qobject_cast<TPageForm*>(&w))
            return std::make_unique<QSignalSpy>(page, &TPageForm::unsentChangesChanged);
        return std::make_unique<QSignalSpy>(static_cast<TFormTextbox*>(&w), &TFormTextbox::unsentChangesChanged);
    }

    QTemporaryDir m_staging;
    QTemporaryDir m_chosen;
    std::unique_ptr<FtpServer> m_server;
    QString m_picture;
    QString m_clip;
    std::unique_ptr<MediaPageFixture> m_fx;
    FakeClock m_clock;
    RecordingSound m_sound;
    RecordingPlayer m_player;
    RecordingReport m_report;
    int m_dialogs = 0;
    std::unique_ptr<QWidget> m_window;
};

QTEST_MAIN(TstPageOperator)
#include "tst_PageOperator.moc"
