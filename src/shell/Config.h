#pragma once

#include <QDialog>
#include <QMap>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class TRemotePage;
class WallLink;
struct Settings;

// The configuration dialog: the operator edits the settings here. It loads them from the settings in
// force and hands back what the operator entered (on OK and on cancelling alike; the main window decides
// what is stored). The wall address is the exception: every change of its text is in use at once.
class TFormConfig final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormConfig)
public:
    explicit TFormConfig(QWidget* parent = nullptr);

    // The wall link takes every address the box holds, at once; the composition root connects it.
    void connectLink(WallLink& link, const QWidget& mainWindow);

    // Shows the dialog's settings, in the reading order (a changed address reacts as if typed).
    void loadSettings(const Settings& settings);
    // Writes what the controls hold into the dialog's part of settings; the rest stays. No radio button
    // checked leaves no close action.
    void saveSettings(Settings& settings) const;

private:
    // Address changed (typed or loaded): black when it is a dotted IPv4 address, red otherwise; while the
    // main window is visible a life-sign query goes to the new text at once.
    void EdWallIpAddressChange();
    // Presets the four line parameters for the chosen protocol.
    void CBSerialProtocolChange();
    // "Einstellen": the wall server's start-up texts, large then small.
    void SBServerStartupSettingsClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The device chooser shows the device of the chosen "COM n"; what the operator typed or picked for
    // the number shown before is kept for it.
    void CBSerialPortChange();
    void showDevice(int port);
    QMap<int, QString> serialDevices() const;
    // Lists the computer's serial devices again, keeping the text in the box.
    void listDevices();

    QWidget* buildServerPage();
    QWidget* buildClockPage();
    QWidget* buildTimingPage();
    QWidget* buildStartupPage();
    QWidget* buildUdpPage();

    QTabWidget* m_pages = nullptr;
    QLineEdit* m_edWallIpAddress = nullptr;
    QRadioButton* m_rbServerKeepRunning = nullptr;
    QRadioButton* m_rbServerShutdown = nullptr;
    QRadioButton* m_rbServerClose = nullptr;
    QLineEdit* m_edWatchText = nullptr;
    QComboBox* m_cbSerialPort = nullptr;
    QComboBox* m_cbSerialProtocol = nullptr;
    QComboBox* m_cbBaud = nullptr;
    QComboBox* m_cbData = nullptr;
    QComboBox* m_cbParity = nullptr;
    QComboBox* m_cbStop = nullptr;
    QComboBox* m_cbSerialDevice = nullptr;
    QCheckBox* m_cbGameClockKeepsTime = nullptr;
    QLineEdit* m_edServerLargeText = nullptr;
    QLineEdit* m_edServerSmallText = nullptr;
    QPushButton* m_sbServerStartupSettings = nullptr;
    QCheckBox* m_cbUseCosaServer = nullptr;
    QCheckBox* m_cbUseUdpLynx = nullptr;
    QLineEdit* m_edJsonIdPrefix = nullptr;
    TRemotePage* m_remotePage = nullptr;

    QMap<int, QString> m_serialDevices; // "SerialDevice<n>" as loaded and edited
    int m_devicePort = 0;               // the "COM n" the device chooser shows; 0 none

    WallLink* m_link = nullptr;
    const QWidget* m_mainWindow = nullptr;
};
