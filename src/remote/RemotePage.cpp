#include "remote/RemotePage.h"

#include "remote/RemoteApi.h"
#include "shell/Settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kGrey(0x80, 0x80, 0x80);

template <class W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* greyNote(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kGrey);
    label->setPalette(p);
    return label;
}

} // namespace

TRemotePage::TRemotePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TSRemote"));
    auto* heading = new QLabel(QStringLiteral("Tastenfelder, Ergebnissysteme und die Regie steuern die Videowand "
                                              "über HTTP und WebSocket:"),
                               this);
    heading->setWordWrap(true);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    QPalette navy = heading->palette();
    navy.setColor(QPalette::WindowText, kNavy);
    heading->setPalette(navy);

    m_cbRemoteEnabled =
        named(new QCheckBox(QStringLiteral("Fernsteuerung einschalten"), this), QStringLiteral("CBRemoteEnabled"));
    m_edRemoteAddress = named(new QLineEdit(this), QStringLiteral("EdRemoteAddress"));
    m_udRemotePort = named(new QSpinBox(this), QStringLiteral("UDRemotePort"));
    m_udRemotePort->setRange(1, 65535);
    m_udRemotePort->setMinimumWidth(80);
    m_edRemoteToken = named(new QLineEdit(this), QStringLiteral("EdRemoteToken"));
    m_edRemoteToken->setReadOnly(true);
    m_edRemoteToken->setFont(QFont(QStringLiteral("Liberation Mono"), 9));
    m_sbRenewToken = named(new QPushButton(QStringLiteral("Erneuern"), this), QStringLiteral("SBRenewToken"));
    m_sbRenewToken->setAutoDefault(false);
    m_lbRemoteUrl = named(new QLabel(this), QStringLiteral("LbRemoteUrl"));
    m_lbRemoteUrl->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Adresse:"), this), 0, 0);
    grid->addWidget(m_edRemoteAddress, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Port:"), this), 0, 2);
    grid->addWidget(m_udRemotePort, 0, 3);
    grid->addWidget(greyNote(this, QStringLiteral("(127.0.0.1: nur dieser Rechner; 0.0.0.0: alle Netzwerke)")), 1, 1, 1,
                    3);
    grid->addWidget(new QLabel(QStringLiteral("Token:"), this), 2, 0);
    grid->addWidget(m_edRemoteToken, 2, 1, 1, 2);
    grid->addWidget(m_sbRenewToken, 2, 3);
    grid->addWidget(greyNote(this, QStringLiteral("Außer auf 127.0.0.1 braucht jede Anfrage den Kopf "
                                                  "„Authorization: Bearer“ mit diesem Token.")),
                    3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Statusseite:"), this), 4, 0);
    grid->addWidget(m_lbRemoteUrl, 4, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(heading);
    layout->addWidget(m_cbRemoteEnabled);
    layout->addLayout(grid);
    layout->addStretch();

    connect(m_sbRenewToken, &QPushButton::clicked, this, &TRemotePage::SBRenewTokenClick);
    connect(m_edRemoteAddress, &QLineEdit::textChanged, this, &TRemotePage::showAddress);
    connect(m_udRemotePort, &QSpinBox::valueChanged, this, &TRemotePage::showAddress);
}

void TRemotePage::loadSettings(const Settings& settings)
{
    m_cbRemoteEnabled->setChecked(settings.remoteEnabled);
    m_edRemoteAddress->setText(settings.remoteAddress);
    m_udRemotePort->setValue(settings.remotePort);
    m_edRemoteToken->setText(settings.remoteToken);
    if (settings.remoteToken.isEmpty())
        SBRenewTokenClick();
    showAddress();
}

void TRemotePage::saveSettings(Settings& settings) const
{
    settings.remoteEnabled = m_cbRemoteEnabled->isChecked();
    settings.remoteAddress = m_edRemoteAddress->text().trimmed();
    settings.remotePort = m_udRemotePort->value();
    settings.remoteToken = m_edRemoteToken->text();
}

void TRemotePage::SBRenewTokenClick()
{
    m_edRemoteToken->setText(remote::newToken());
}

void TRemotePage::showAddress()
{
    const QString text = m_edRemoteAddress->text().trimmed();
    const QHostAddress address(text);
    QPalette p = m_edRemoteAddress->palette();
    p.setColor(QPalette::Text, address.isNull() ? QColor(Qt::red) : QColor(Qt::black));
    m_edRemoteAddress->setPalette(p);
    // Listening on every address, the page is reached under this computer's own name or address.
    const QString host =
        address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6 ? QStringLiteral("<Rechner>")
        : address.protocol() == QAbstractSocket::IPv6Protocol ? QLatin1Char('[') + text + QLatin1Char(']')
                                                              : text;
    m_lbRemoteUrl->setText(QStringLiteral("http://%1:%2/").arg(host).arg(m_udRemotePort->value()));
}
