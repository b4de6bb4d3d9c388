#pragma once

#include <QDialog>

class QLabel;

// The about box window: program icon, product name, version, copyright and comments in a framed
// panel, the user's and the computer's name below, and an OK button. Made anew for each showing.
class TAboutBox final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBox)
public:
    struct Texts
    {
        QString ProductName;
        QString Version;
        QString Copyright;
        QString Comments;
    };

    TAboutBox(const Texts& texts, QWidget* parent = nullptr);

    // The logged-on user's and the computer's name, each at most 254 characters.
    static QString userName();
    static QString computerName();
};

// Shows a new about box modally, centred on the screen; returns when the operator closes it.
void showAboutBox(const TAboutBox::Texts& texts, QWidget* parent);
