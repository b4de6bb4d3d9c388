#include "shell/About.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int kNameBuffer = 255; // the names are read into buffers of this size, terminator included

QLabel* label(QWidget* parent, const QString& name, const QString& text, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}
} // namespace

TAboutBox::TAboutBox(const Texts& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About ") + texts.ProductName);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(QPixmap(QStringLiteral(":/BrisalClient.png")));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* panelTexts = new QVBoxLayout;
    panelTexts->addWidget(label(panel, QStringLiteral("ProductName"), texts.ProductName, true));
    panelTexts->addWidget(label(panel, QStringLiteral("Version"), texts.Version));
    panelTexts->addWidget(label(panel, QStringLiteral("Copyright"), texts.Copyright));
    auto* comments = label(panel, QStringLiteral("Comments"), texts.Comments);
    comments->setWordWrap(true);
    panelTexts->addWidget(comments);
    panelTexts->addStretch();
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(icon, 0, Qt::AlignTop);
    panelLayout->addSpacing(8);
    panelLayout->addLayout(panelTexts, 1);

    auto* names = new QGridLayout;
    names->addWidget(label(this, QStringLiteral("LbUser"), QStringLiteral("User:"), true), 0, 0);
    names->addWidget(label(this, QStringLiteral("UserName"), userName()), 0, 1);
    names->addWidget(label(this, QStringLiteral("LbComputer"), QStringLiteral("Computer:"), true), 1, 0);
    names->addWidget(label(this, QStringLiteral("ComputerName"), computerName()), 1, 1);
    names->setColumnStretch(1, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(names);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(300);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TAboutBox::userName()
{
    QString name;
    if (const passwd* entry = ::getpwuid(::geteuid()))
        name = QString::fromLocal8Bit(entry->pw_name);
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return name.left(kNameBuffer - 1);
}

QString TAboutBox::computerName()
{
    return QSysInfo::machineHostName().left(kNameBuffer - 1);
}

void showAboutBox(const TAboutBox::Texts& texts, QWidget* parent)
{
    TAboutBox box(texts, parent);
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    box.exec();
}
