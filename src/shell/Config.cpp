#include "shell/Config.h"

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

QComboBox* list(QWidget* parent, const QString& name, const QStringList& items, int index)
{
    auto* c = named(new QComboBox(parent), name);
    c->addItems(items);
    c->setCurrentIndex(index);
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

    PageControl = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    PageControl->addTab(TSServer = buildServerPage(), QStringLiteral("Videowand"));
    PageControl->addTab(TSClock = buildClockPage(), QStringLiteral("Uhr"));
    PageControl->addTab(TSZMT = buildTimingPage(), QStringLiteral("Zeitmesstechnik"));
    PageControl->addTab(TSServerText = buildStartupPage(), QStringLiteral("Server Startup"));
    PageControl->addTab(TSUdpServer = buildUdpPage(), QStringLiteral("UDP Server"));
    // The timing page holds the serial settings, but the operator does not reach it.
    PageControl->setTabVisible(PageControl->indexOf(TSZMT), false);
    PageControl->setCurrentWidget(TSUdpServer);

    BBAbort = named(new QPushButton(QStringLiteral("Abbrechen"), this), QStringLiteral("BBAbort"));
    BBOk = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("BBOk"));
    BBOk->setDefault(true);
    BBAbort->setAutoDefault(false);
    connect(BBOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBAbort, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BBAbort);
    buttons->addWidget(BBOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);

    connect(EdWallIpAddress, &QLineEdit::textChanged, this, &TFormConfig::EdWallIpAddressChange);
    connect(CBSerialProtocol, &QComboBox::activated, this, &TFormConfig::CBSerialProtocolChange);
    connect(SBServerStartupSettings, &QPushButton::clicked, this, &TFormConfig::SBServerStartupSettingsClick);

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
    EdWallIpAddress = edit(page, QStringLiteral("EdWallIpAddress"));
    EdWallIpAddress->setText(QStringLiteral("127.0.0.1"));
    auto* address = new QGridLayout;
    address->addWidget(new QLabel(QStringLiteral("IP- Adresse Videowand:"), page), 0, 0);
    address->addWidget(EdWallIpAddress, 0, 1);
    address->addWidget(note(page, QStringLiteral("(Beispiel: 192.168.123.201)")), 1, 1);
    address->setColumnStretch(1, 1);
    layout->addLayout(address);

    auto* group =
        named(new QGroupBox(QStringLiteral("Beim Beenden des Clients:"), page), QStringLiteral("GBServerAction"));
    RBServerKeepRunning =
        named(new QRadioButton(QStringLiteral("Server laufen lassen"), group), QStringLiteral("RBServerKeepRunning"));
    RBServerShutdown = named(new QRadioButton(QStringLiteral("Server-Rechner herunterfahren"), group),
                             QStringLiteral("RBServerShutdown"));
    RBServerClose =
        named(new QRadioButton(QStringLiteral("Serverprogramm beenden"), group), QStringLiteral("RBServerClose"));
    RBServerKeepRunning->setChecked(true);
    auto* radios = new QVBoxLayout(group);
    radios->addWidget(RBServerKeepRunning);
    radios->addWidget(RBServerShutdown);
    radios->addWidget(RBServerClose);
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
    EdWatchText = edit(page, QStringLiteral("EdWatchText"), 25);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Text:"), page));
    row->addWidget(EdWatchText, 1);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildTimingPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSZMT"));
    auto* layout = pageLayout(page);
    layout->addWidget(heading(page, QStringLiteral("Konfigurieren Sie das serielle Interface, an welchem die Zeit "
                                                   "von der Zeitmessanlage entgegengenommen wird:")));
    QStringList ports{QStringLiteral("ausgeschaltet")};
    for (int n = 1; n <= 20; ++n)
        ports << QStringLiteral("COM %1").arg(n);
    CBSerialPort = list(page, QStringLiteral("CBSerialPort"), ports, 0);
    CBSerialProtocol = list(page, QStringLiteral("CBSerialProtocol"),
                            {QStringLiteral("OMEGA UNT"), QStringLiteral("Rollertime/Sportissimo")}, 0);
    CBBaud = list(page, QStringLiteral("CBBaud"),
                  {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"),
                   QStringLiteral("19200"), QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200")},
                  3);
    CBData = list(page, QStringLiteral("CBData"), {QStringLiteral("7"), QStringLiteral("8")}, 0);
    CBParity = list(page, QStringLiteral("CBParity"),
                    {QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"), QStringLiteral("Mark"),
                     QStringLiteral("Space")},
                    2);
    CBStop = list(page, QStringLiteral("CBStop"), {QStringLiteral("1"), QStringLiteral("2")}, 0);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Schnittstelle:"), CBSerialPort);
    form->addRow(QStringLiteral("Protokoll:"), CBSerialProtocol);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Parameter:"), page));
    auto* parameters = new QGridLayout;
    const QStringList captions{QStringLiteral("Baud"), QStringLiteral("Datenbits"), QStringLiteral("Parität"),
                               QStringLiteral("Stopbits")};
    const QList<QComboBox*> lists{CBBaud, CBData, CBParity, CBStop};
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
    EdServerLargeText = edit(page, QStringLiteral("EdServerLargeText"), 10);
    EdServerSmallText = edit(page, QStringLiteral("EdServerSmallText"), 25);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Text anstelle der laufenden Uhr:"), page), 0, 0);
    grid->addWidget(EdServerLargeText, 0, 1);
    grid->addWidget(note(page, QStringLiteral("(00:00:00 zeigt laufende Zeit an)")), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Text (Fußzeile):"), page), 2, 0);
    grid->addWidget(EdServerSmallText, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    SBServerStartupSettings =
        named(new QPushButton(QStringLiteral("Einstellen"), page), QStringLiteral("SBServerStartupSettings"));
    SBServerStartupSettings->setAutoDefault(false);
    layout->addWidget(SBServerStartupSettings, 0, Qt::AlignRight);
    layout->addStretch();
    return page;
}

QWidget* TFormConfig::buildUdpPage()
{
    auto* page = named(new QWidget, QStringLiteral("TSUdpServer"));
    auto* layout = pageLayout(page);
    CBUseCosaServer = named(new QCheckBox(QStringLiteral("COSA CKTU Liveboard- Daten empfangen"), page),
                            QStringLiteral("CBUseCosaServer"));
    CBUseUdpLynx = named(new QCheckBox(QStringLiteral("FinishLynx LifChecker- Daten empfangen"), page),
                         QStringLiteral("CBUseUdpLynx"));
    CBUseCosaServer->setChecked(true);
    CBUseUdpLynx->setChecked(true);
    layout->addWidget(CBUseCosaServer);
    layout->addWidget(CBUseUdpLynx);

    EdJsonIdPrefix = edit(page, QStringLiteral("EdJsonIdPrefix"));
    EdJsonIdPrefix->setText(QStringLiteral("QTX"));
    QFont bold = EdJsonIdPrefix->font();
    bold.setBold(true);
    EdJsonIdPrefix->setFont(bold);
    QPalette navy = EdJsonIdPrefix->palette();
    navy.setColor(QPalette::Text, kNavy);
    EdJsonIdPrefix->setPalette(navy);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("JSON Message Prefix:"), page), 0, 0);
    grid->addWidget(EdJsonIdPrefix, 0, 1);
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
    m_link->setAddress(EdWallIpAddress->text());
}

void TFormConfig::EdWallIpAddressChange()
{
    QPalette p = EdWallIpAddress->palette();
    p.setColor(QPalette::Text, TZELTools::IsIpAddress(EdWallIpAddress->text()) ? QColor(Qt::black) : QColor(Qt::red));
    EdWallIpAddress->setPalette(p);
    if (!m_link)
        return;
    m_link->setAddress(EdWallIpAddress->text());
    if (m_mainWindow && m_mainWindow->isVisible())
        m_link->queryLifeSign();
}

void TFormConfig::CBSerialProtocolChange()
{
    // OMEGA UNT: 9600 7E1; Rollertime/Sportissimo: 9600 8N1.
    const bool omega = CBSerialProtocol->currentIndex() == 0;
    CBBaud->setCurrentIndex(3);
    CBData->setCurrentIndex(omega ? 0 : 1);
    CBParity->setCurrentIndex(omega ? 2 : 0);
    CBStop->setCurrentIndex(0);
}

void TFormConfig::SBServerStartupSettingsClick()
{
    if (m_link)
        m_link->send(wallcmd::startupTexts(EdServerLargeText->text(), EdServerSmallText->text()));
}
