#include "shell/Aboutdlg.h"

#include "shell/About.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

TAboutBoxDlg::TAboutBoxDlg(QWidget* parent) : QObject(parent) {}

void TAboutBoxDlg::Execute()
{
    TAboutBox box({ProductName, Version, Copyright, Comments}, qobject_cast<QWidget*>(parent()));
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    box.exec();
}
