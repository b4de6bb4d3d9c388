#pragma once

#include <QWidget>

class ErrorReport;
class QProgressBar;
class QToolButton;
class TImage;
class TMediaModule;
class TOpenDialog;
class WallSink;

// The "Bild" page of the text list window: a JPEG chosen here or named by the COSA feed is previewed,
// and "Anzeigen" uploads it and switches the wall to the picture page.
//
// Needs: the wall, the media parts (upload), the window's open dialog and the general error report,
// which shows what ends an action (an unreadable file, a failed upload).
class TPicturePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPicturePage)
public:
    TPicturePage(WallSink& wall, TMediaModule& media, TOpenDialog& open, ErrorReport& report,
                 QWidget* parent = nullptr);

    // Loads the picture at path and brings the page forward; a path that names no file only turns
    // "Anzeigen" off.
    void showPicture(const QString& path);
    // The page came forward: "Anzeigen" is on while the page holds a picture of its own (the dialog's file
    // name may meanwhile name a video of the window's other page).
    void TSBildShow();
    QProgressBar* progressBar() const { return m_progress; }

    void SBLoadPictureClick();
    void SBShowPictureClick();

Q_SIGNALS:
    // The page wants to be the window's visible page.
    void showRequested();

private:
    WallSink& m_wall;
    TMediaModule& m_media;
    TOpenDialog& m_open;
    ErrorReport& m_report;
    TImage* m_picture;           // ImShowPicture
    QToolButton* m_showPicture;  // SBShowPicture
    QProgressBar* m_progress;    // PBar
    bool m_holdsPicture = false; // what "Anzeigen" would show was loaded here
};
