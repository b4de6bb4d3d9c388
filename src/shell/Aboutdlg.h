#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The about box component: four texts that callers fill before each showing, and the showing itself.
class TAboutBoxDlg final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBoxDlg)
public:
    explicit TAboutBoxDlg(QWidget* parent = nullptr);

    QString ProductName;
    QString Version;
    QString Copyright;
    QString Comments;

    // Shows a new about box modally, centred on the screen; returns when the operator closes it.
    void Execute();
};
