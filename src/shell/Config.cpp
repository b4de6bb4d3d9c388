#include "shell/Config.h"

#include "feeds/SerialPorts.h"
#include "feeds/SerialSetup.h"
#include "pages/PageLimits.h"
#include "remote/RemotePage.h"
#include "shell/Settings.h"

#include "wall_link/WallLink.h"
#include "wall_link/ZELTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kGrey(0x80, 0x80, 0x80);

QLabel* heading(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kNavy);
    label->setPalette(p);
    return label;
}

QLabel* note(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kGrey);
    label->setPalette(p);
    return label;
}

template <class W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit* edit(QWidget* parent, const QString& name, int maxLength = 0)
{
    auto* e = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QComboBox* list(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* c = named(new QComboBox(parent), name);
    c->addItems(items);
    return c;
}

QVBoxLayout* pageLayout(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    return layout;
}

} // namespace

TFormConfig::TFormConfig(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormConfig"));
    setWindowTitle(QStringLiteral("Konfiguration"));

    m_pages = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    m_pages->addTab(buildServerPage(), QStringLiteral("Videowand"));
    m_pages->addTab(buildClockPage(), QStringLiteral("Uhr"));
    m_pages->addTab(buildTimingPage(), QStringLiteral("Zeitmesstechnik"));
    m_pages->addTab(buildStartupPage(), QStringLiteral("Server Startup"));
    QWidget* udpPage = buildUdpPage();
    m_pages->addTab(udpPage, QStringLiteral("UDP Server"));
    m_remotePage = new TRemotePage;
    m_pages->addTab(m_remotePage, QStringLiteral("Fernsteuerung"));
    m_pages->setCurrentWidget(udpPage);
    // Every tab in sight: the dialog grows to the width of the tab row instead of scrolling it.
    m_pages->tabBar()->setUsesScrollButtons(false);

    auto* abort = named(new QPushButton(QStringLiteral("Abbrechen"), this), QStringLiteral("BBAbort"));
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("BBOk"));
    ok->setDefault(true);
    abort->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(abort);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    loadSettings(Settings());
    connect(m_edWallIpAddress, &QLineEdit::textChanged, this, &TFormConfig::EdWallIpAddressChange);
    connect(m_cbSerialProtocol, &QComboBox::activated, this, &TFormConfig::CBSerialProtocolChange);
    connect(m_cbSerialPort, &QComboBox::currentIndexChanged, this, &TFormConfig::CBSerialPortChange);
    connect(m_sbServerStartupSettings, &QPushButton::clicked, this, &TFormConfig::SBServerStartupSettingsClick);

    const QSize hint = sizeHint().expandedTo(QSize(440, 300));
    setMinimumSize(hint);
    setMaximumSize(hint * 3 / 2);
    resize(hint);
}

QWidget* TFormConfig::buildServerPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSServer"));
    auto* layout = pageLayout(page);
    layout->addWidget(heading(page, QStringLiteral("Stellen Sie hier die IP- Adresse der Videowand ein:")));
    m_edWallIpAddress = edit(page, QStringLiteral("EdWallIpAddress"));
    auto* address = new QGridLayout;
    address->addWidget(new QLabel(QStringLiteral("IP- Adresse Videowand:"), page), 0, 0);
    address->addWidget(m_edWallIpAddress, 0, 1);
    address->addWidget(note(page, QStringLiteral("(Beispiel: 192.168.123.201)")), 1, 1);
    address->setColumnStretch(1, 1);
    layout->addLayout(address);

    auto* group =
        named(new QGroupBox(QStringLiteral("Beim Beenden des Clients:"), page), QStringLiteral("GBServerAction"));
    m_rbServerKeepRunning =
        named(new QRadioButton(QStringLiteral("Server laufen lassen"), group), QStringLiteral("RBServerKeepRunning"));
    m_rbServerShutdown = named(new QRadioButton(QStringLiteral("Server-Rechner herunterfahren"), group),
                               QStringLiteral("RBServerShutdown"));
    m_rbServerClose =
        named(new QRadioButton(QStringLiteral("Serverprogramm beenden"), group), QStringLiteral("RBServerClose"));
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(m_rbServerKeepRunning);
    radios->addWidget(m_rbServerShutdown);
    radios->addWidget(m_rbServerClose);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildClockPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSClock"));
    auto* layout = pageLayout(page);
    layout->addWidget(
        heading(page, QStringLiteral("Geben Sie den Text ein, der unterhalb der Uhrzeit angezeigt werden soll:")));
    m_edWatchText = edit(page, QStringLiteral("EdWatchText"), pagelimits::kWatchTextLength);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Text:"), page));
    row->addWidget(m_edWatchText, 1);
    layout->addLayout(row);

    auto* gameClock =
        named(new QGroupBox(QStringLiteral("Spieluhr (American Football)"), page), QStringLiteral("GBGameClock"));
    m_cbGameClockKeepsTime =
        named(new QCheckBox(QStringLiteral("Spieluhr läuft weiter, wenn das Fenster geschlossen ist"), gameClock),
              QStringLiteral("CBGameClockKeepsTime"));
    m_cbGameClockKeepsTime->setToolTip(
        QStringLiteral("Beim Schließen bleibt die Seite auf der Wand und die Uhr zählt weiter, bis eine andere Seite "
                       "angezeigt wird."));
    auto* gameClockLayout = new QVBoxLayout(gameClock);
    gameClockLayout->addWidget(m_cbGameClockKeepsTime);
    layout->addSpacing(8);
    layout->addWidget(gameClock);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildTimingPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSZMT"));
    auto* layout = pageLayout(page);
    layout->addWidget(heading(page, QStringLiteral("Konfigurieren Sie das serielle Interface, an welchem die Zeit "
                                                   "von der Zeitmessanlage entgegengenommen wird:")));
    m_cbSerialPort = list(page, QStringLiteral("CBSerialPort"), Settings::serialPortItems());
    m_cbSerialProtocol = list(page, QStringLiteral("CBSerialProtocol"), Settings::serialProtocolItems());
    m_cbBaud = list(page, QStringLiteral("CBBaud"), Settings::baudItems());
    m_cbData = list(page, QStringLiteral("CBData"), Settings::dataBitsItems());
    m_cbParity = list(page, QStringLiteral("CBParity"), Settings::parityItems());
    m_cbStop = list(page, QStringLiteral("CBStop"), Settings::stopBitsItems());

    // The device behind the chosen "COM n": one of this computer's ports or a path typed in.
    m_cbSerialDevice = named(new QComboBox(page), QStringLiteral("CBSerialDevice"));
    m_cbSerialDevice->setEditable(true);
    m_cbSerialDevice->setInsertPolicy(QComboBox::NoInsert);
    m_cbSerialDevice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbSerialDevice->setMinimumContentsLength(24);
    m_cbSerialDevice->setToolTip(QStringLiteral("Gerät der Zeitmessanlage; ein Pfad lässt sich auch eintippen"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Schnittstelle:"), m_cbSerialPort);
    form->addRow(QStringLiteral("Gerät:"), m_cbSerialDevice);
    form->addRow(QString(), note(page, QStringLiteral("(leer: Voreinstellung der Schnittstelle)")));
    form->addRow(QStringLiteral("Protokoll:"), m_cbSerialProtocol);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Parameter:"), page));
    auto* parameters = new QGridLayout;
    const QStringList captions{QStringLiteral("Baud"), QStringLiteral("Datenbits"), QStringLiteral("Parität"),
                               QStringLiteral("Stopbits")};
    const QList<QComboBox*> lists{m_cbBaud, m_cbData, m_cbParity, m_cbStop};
    for (int i = 0; i < lists.size(); ++i) {
        parameters->addWidget(new QLabel(captions.at(i), page), 0, i);
        parameters->addWidget(lists.at(i), 1, i);
    }
    layout->addLayout(parameters);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildStartupPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSServerText"));
    auto* layout = pageLayout(page);
    layout->addWidget(
        heading(page, QStringLiteral("Geben Sie den Text ein, der beim Serverstart angezeigt werden soll:")));
    m_edServerLargeText = edit(page, QStringLiteral("EdServerLargeText"), 10);
    m_edServerSmallText = edit(page, QStringLiteral("EdServerSmallText"), 25);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Text anstelle der laufenden Uhr:"), page), 0, 0);
    grid->addWidget(m_edServerLargeText, 0, 1);
    grid->addWidget(note(page, QStringLiteral("(00:00:00 zeigt laufende Zeit an)")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Text (Fußzeile):"), page), 2, 0);
    grid->addWidget(m_edServerSmallText, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    m_sbServerStartupSettings =
        named(new QPushButton(QStringLiteral("Einstellen"), page), QStringLiteral("SBServerStartupSettings"));
    m_sbServerStartupSettings->setAutoDefault(false);
    layout->addWidget(m_sbServerStartupSettings, 0, Qt::AlignRight);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildUdpPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSUdpServer"));
    auto* layout = pageLayout(page);
    m_cbUseCosaServer = named(new QCheckBox(QStringLiteral("COSA CKTU Liveboard- Daten empfangen"), page),
                              QStringLiteral("CBUseCosaServer"));
    m_cbUseUdpLynx = named(new QCheckBox(QStringLiteral("FinishLynx LifChecker- Daten empfangen"), page),
                           QStringLiteral("CBUseUdpLynx"));
    layout->addWidget(m_cbUseCosaServer);
    layout->addWidget(m_cbUseUdpLynx);

    m_edJsonIdPrefix = edit(page, QStringLiteral("EdJsonIdPrefix"));
    QFont bold = m_edJsonIdPrefix->font();
    bold.setBold(true);
    m_edJsonIdPrefix->setFont(bold);
    QPalette navy = m_edJsonIdPrefix->palette();
    navy.setColor(QPalette::Text, kNavy);
    m_edJsonIdPrefix->setPalette(navy);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("JSON Message Prefix:"), page), 0, 0);
    grid->addWidget(m_edJsonIdPrefix, 0, 1);
    grid->addWidget(note(page, QStringLiteral("Der Prefix dient der Absender- Erkennung")), 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

void TFormConfig::connectLink(WallLink& link, const QWidget& mainWindow)
{
    m_link = &link;
    m_mainWindow = &mainWindow;
    m_link->setAddress(m_edWallIpAddress->text());
}

void TFormConfig::loadSettings(const Settings& settings)
{
    m_edWallIpAddress->setText(settings.wallAddress);
    m_edWatchText->setText(settings.watchText);
    m_edServerLargeText->setText(settings.serverLargeText);
    m_edServerSmallText->setText(settings.serverSmallText);
    m_devicePort = 0; // what the chooser holds belongs to the settings replaced now
    m_serialDevices = settings.serialDevices;
    m_cbSerialPort->setCurrentIndex(settings.serialPortIndex);
    showDevice(m_cbSerialPort->currentIndex());
    m_cbSerialProtocol->setCurrentIndex(settings.serialProtocolIndex);
    m_cbBaud->setCurrentIndex(settings.baudIndex);
    m_cbData->setCurrentIndex(settings.dataBitsIndex);
    m_cbParity->setCurrentIndex(settings.parityIndex);
    m_cbStop->setCurrentIndex(settings.stopBitsIndex);
    if (settings.closeAction) {
        switch (*settings.closeAction) {
        case CloseAction::KeepRunning:
            m_rbServerKeepRunning->setChecked(true);
            break;
        case CloseAction::CloseServer:
            m_rbServerClose->setChecked(true);
            break;
        case CloseAction::Shutdown:
            m_rbServerShutdown->setChecked(true);
            break;
        }
    }
    m_cbUseCosaServer->setChecked(settings.useCosa);
    m_cbUseUdpLynx->setChecked(settings.useLynx);
    m_edJsonIdPrefix->setText(settings.rxPrefix);
    m_cbGameClockKeepsTime->setChecked(settings.gameClockKeepsTime);
    m_remotePage->loadSettings(settings);
}

void TFormConfig::saveSettings(Settings& settings) const
{
    settings.wallAddress = m_edWallIpAddress->text();
    settings.watchText = m_edWatchText->text();
    settings.serverLargeText = m_edServerLargeText->text();
    settings.serverSmallText = m_edServerSmallText->text();
    settings.serialPortIndex = m_cbSerialPort->currentIndex();
    settings.serialProtocolIndex = m_cbSerialProtocol->currentIndex();
    settings.baudIndex = m_cbBaud->currentIndex();
    settings.dataBitsIndex = m_cbData->currentIndex();
    settings.parityIndex = m_cbParity->currentIndex();
    settings.stopBitsIndex = m_cbStop->currentIndex();
    settings.serialDevices = serialDevices();
    if (m_rbServerKeepRunning->isChecked())
        settings.closeAction = CloseAction::KeepRunning;
    else if (m_rbServerClose->isChecked())
        settings.closeAction = CloseAction::CloseServer;
    else if (m_rbServerShutdown->isChecked())
        settings.closeAction = CloseAction::Shutdown;
    else
        settings.closeAction.reset();
    settings.useCosa = m_cbUseCosaServer->isChecked();
    settings.useLynx = m_cbUseUdpLynx->isChecked();
    settings.rxPrefix = m_edJsonIdPrefix->text();
    settings.gameClockKeepsTime = m_cbGameClockKeepsTime->isChecked();
    m_remotePage->saveSettings(settings);
}

void TFormConfig::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    listDevices();
}

QMap<int, QString> TFormConfig::serialDevices() const
{
    QMap<int, QString> devices = m_serialDevices;
    const QString typed = m_cbSerialDevice->currentText().trimmed();
    if (m_devicePort > 0 && typed != devices.value(m_devicePort))
        devices.insert(m_devicePort, typed);
    return devices;
}

void TFormConfig::CBSerialPortChange()
{
    m_serialDevices = serialDevices();
    showDevice(m_cbSerialPort->currentIndex());
}

void TFormConfig::showDevice(int port)
{
    m_devicePort = qMax(port, 0);
    m_cbSerialDevice->setEnabled(m_devicePort > 0);
    m_cbSerialDevice->setEditText(m_serialDevices.value(m_devicePort));
    m_cbSerialDevice->lineEdit()->setPlaceholderText(m_devicePort > 0 ? serialsetup::deviceName(m_devicePort, {})
                                                                      : QString());
}

void TFormConfig::listDevices()
{
    const QString typed = m_cbSerialDevice->currentText();
    m_cbSerialDevice->clear();
    for (const serialports::Device& device : serialports::available()) {
        m_cbSerialDevice->addItem(device.path);
        m_cbSerialDevice->setItemData(m_cbSerialDevice->count() - 1, device.description, Qt::ToolTipRole);
    }
    m_cbSerialDevice->setEditText(typed);
}

void TFormConfig::EdWallIpAddressChange()
{
    QPalette p = m_edWallIpAddress->palette();
    p.setColor(QPalette::Text, TZELTools::IsIpAddress(m_edWallIpAddress->text()) ? QColor(Qt::black) : QColor(Qt::red));
    m_edWallIpAddress->setPalette(p);
    if (!m_link)
        return;
    m_link->setAddress(m_edWallIpAddress->text());
    if (m_mainWindow && m_mainWindow->isVisible())
        m_link->queryLifeSign();
}

void TFormConfig::CBSerialProtocolChange()
{
    // OMEGA UNT: 9600 7E1; Rollertime/Sportissimo: 9600 8N1.
    const bool omega = m_cbSerialProtocol->currentIndex() == 0;
    m_cbBaud->setCurrentIndex(3);
    m_cbData->setCurrentIndex(omega ? 0 : 1);
    m_cbParity->setCurrentIndex(omega ? 2 : 0);
    m_cbStop->setCurrentIndex(0);
}

void TFormConfig::SBServerStartupSettingsClick()
{
    if (m_link)
        m_link->send(wallcmd::startupTexts(m_edServerLargeText->text(), m_edServerSmallText->text()));
}
