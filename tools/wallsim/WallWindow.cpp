#include "WallWindow.h"

#include "WallModel.h"
#include "WallServer.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

WallWindow::WallWindow(const WallModel& model, const WallServer& server, QWidget* parent)
    : QWidget(parent), m_model(model), m_server(server), m_received(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("wallsim"));
    m_received->setObjectName(QStringLiteral("received"));
    m_received->setReadOnly(true);
    m_received->setMaximumBlockCount(2000);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_received);
    resize(640, 400);
}

void WallWindow::bodyApplied(const QByteArray& body)
{
    m_received->appendPlainText(
        QStringLiteral("%1  %2").arg(m_server.peer(), QString::fromLatin1(body.toHex(' ').toUpper())));
    const QStringList recent = m_model.recentRecords();
    if (!recent.isEmpty())
        m_received->appendPlainText(QStringLiteral("    ") + recent.last());
}
