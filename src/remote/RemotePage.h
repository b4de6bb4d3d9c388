#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
struct Settings;

// The configuration dialog's page "Fernsteuerung": the remote control on or off, the address and port it
// listens on, and its access token, which the page generates the first time it shows none and renews on
// request.
class TRemotePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRemotePage)
public:
    explicit TRemotePage(QWidget* parent = nullptr);

    void loadSettings(const Settings& settings);
    void saveSettings(Settings& settings) const;

    // "Erneuern": a new token; the old one stops working once the settings are applied.
    void SBRenewTokenClick();

private:
    // The status page's address for the address and port shown; the address red when it is none.
    void showAddress();

    QCheckBox* m_cbRemoteEnabled;
    QLineEdit* m_edRemoteAddress;
    QSpinBox* m_udRemotePort;
    QLineEdit* m_edRemoteToken;
    QPushButton* m_sbRenewToken;
    QLabel* m_lbRemoteUrl;
};
