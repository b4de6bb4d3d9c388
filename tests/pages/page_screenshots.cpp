// Takes the documentation screenshots of the clock, timing, soccer and football windows: the clock and
// timing windows sending (their "Anzeigen" down), the soccer window as it opens, and again with changes not
// yet sent and a name the wall cuts. Run it on an X display with the output folder as argument.
#include "pages/AmericanFootball.h"
#include "pages/Socker.h"
#include "pages/Watch.h"
#include "pages/ZMT.h"
#include "support/FakeClock.h"
#include "support/RecordingSound.h"
#include "support/RecordingWallSink.h"
#include "support/ScreenShot.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

bool shoot(QWidget& window, const QString& file)
{
    window.move(40, 40);
    window.show();
    QTest::qWait(500);
    const bool ok = testsupport::shootWindow(window, file);
    window.hide();
    return ok;
}

void click(QWidget& window, const char* name)
{
    window.findChild<QToolButton*>(QLatin1String(name))->click();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = testsupport::screenshotFolder(argc, argv);
    if (out.isEmpty())
        return 2;
    RecordingWallSink wall;
    FakeClock clock(QDateTime(QDate(2026, 5, 1), QTime(14, 32, 7)));
    RecordingSound sound;

    TFormWatch watch(wall, clock, [] { return QStringLiteral("Willkommen"); });
    watch.show();
    click(watch, "SBSend");
    watch.WatchTimerTimer();
    bool ok = shoot(watch, out + QStringLiteral("/page-watch.png"));

    TFormZMT zmt(wall);
    zmt.show();
    click(zmt, "SBSend");
    zmt.HandleTimeMessage(QStringLiteral("1:23.4"), false);
    ok = shoot(zmt, out + QStringLiteral("/page-zmt.png")) && ok;

    TFormSocker socker(wall);
    ok = shoot(socker, out + QStringLiteral("/page-socker.png")) && ok;
    socker.findChild<QLineEdit*>(QStringLiteral("EdVereinLinks"))->setText(QStringLiteral("FC Musterstadt"));
    socker.findChild<QLineEdit*>(QStringLiteral("EdVereinRechts"))->setText(QStringLiteral("SV Beispiel"));
    socker.findChild<QSpinBox*>(QStringLiteral("UDToreLinks"))->setValue(1);
    socker.findChild<QSpinBox*>(QStringLiteral("UDToreRechts"))->setValue(1);
    socker.SBSendClick();
    socker.findChild<QSpinBox*>(QStringLiteral("UDToreLinks"))->setValue(2);
    ok = shoot(socker, out + QStringLiteral("/page-socker-unsent.png")) && ok;

    TFormAmericanFootball football(wall, clock, sound);
    football.findChild<QLineEdit*>(QStringLiteral("EdVereinLinks"))->setText(QStringLiteral("Falcons"));
    football.findChild<QLineEdit*>(QStringLiteral("EdVereinRechts"))->setText(QStringLiteral("Lions"));
    football.show();
    football.SBSetClockClick();
    football.SBSendClick();
    ok = shoot(football, out + QStringLiteral("/page-americanfootball.png")) && ok;
    return ok ? 0 : 1;
}
