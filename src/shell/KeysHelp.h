#pragma once

#include <QDialog>
#include <QList>
#include <QString>

// "Hilfe" → "Tastenkürzel": a small window listing every key of the launcher and the page windows; F1 in it
// opens the manual's page on keys.
class TFormTastenkuerzel final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormTastenkuerzel)
public:
    struct Row
    {
        QString keys;
        QString what;
        QString where;
    };

    // The launcher's rows come first, then those of the page windows (shortcuts::pageBindings()).
    TFormTastenkuerzel(const QList<Row>& launcherRows, QWidget* parent = nullptr);
};
