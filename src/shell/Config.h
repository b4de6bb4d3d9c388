#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class WallLink;

// The configuration dialog. Its controls are the live home of the operator's settings: every part of
// the program reads the control it needs at the moment it needs it; the settings store copies them to
// the store and back.
class TFormConfig final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormConfig)
public:
    explicit TFormConfig(QWidget* parent = nullptr);

    // The wall link takes every address the box holds, at once; the composition root connects it.
    void connectLink(WallLink& link, const QWidget& mainWindow);

    // Address changed (typed or set by the settings store): black when it is a dotted IPv4 address, red
    // otherwise; while the main window is visible a life-sign query goes to the new text at once.
    void EdWallIpAddressChange();
    // Presets the four line parameters for the chosen protocol.
    void CBSerialProtocolChange();
    // "Einstellen": the wall server's start-up texts, large then small.
    void SBServerStartupSettingsClick();

    QTabWidget* PageControl = nullptr;
    QWidget* TSServer = nullptr;
    QWidget* TSClock = nullptr;
    QWidget* TSZMT = nullptr;
    QWidget* TSServerText = nullptr;
    QWidget* TSUdpServer = nullptr;

    QLineEdit* EdWallIpAddress = nullptr;
    QRadioButton* RBServerKeepRunning = nullptr;
    QRadioButton* RBServerShutdown = nullptr;
    QRadioButton* RBServerClose = nullptr;
    QLineEdit* EdWatchText = nullptr;
    QComboBox* CBSerialPort = nullptr;
    QComboBox* CBSerialProtocol = nullptr;
    QComboBox* CBBaud = nullptr;
    QComboBox* CBData = nullptr;
    QComboBox* CBParity = nullptr;
    QComboBox* CBStop = nullptr;
    QLineEdit* EdServerLargeText = nullptr;
    QLineEdit* EdServerSmallText = nullptr;
    QPushButton* SBServerStartupSettings = nullptr;
    QCheckBox* CBUseCosaServer = nullptr;
    QCheckBox* CBUseUdpLynx = nullptr;
    QLineEdit* EdJsonIdPrefix = nullptr;
    QPushButton* BBAbort = nullptr;
    QPushButton* BBOk = nullptr;

private:
    QWidget* buildServerPage();
    QWidget* buildClockPage();
    QWidget* buildTimingPage();
    QWidget* buildStartupPage();
    QWidget* buildUdpPage();

    WallLink* m_link = nullptr;
    const QWidget* m_mainWindow = nullptr;
};
