#pragma once

#include <QString>

#include <functional>

class QWidget;

// A file-open dialog with a title, a file name and a filter in the form "Name pattern|pattern", as
// the media pages set it before every use. Tests hand in a chooser instead of the real dialog.
class TOpenDialog final
{
public:
    QString Title;
    QString FileName;
    QString Filter;

    // Shows the dialog; true when the operator chose a file, which is then FileName.
    bool Execute(QWidget* parent = nullptr);

    // Answers in place of the dialog: the chosen file, or an empty string for "cancel".
    std::function<QString(const TOpenDialog&)> chooser;

    // "Bilder *.jpg|*.jpg" -> "Bilder *.jpg (*.jpg)", several entries separated by ";;".
    static QString qtFilter(const QString& filter);
};
