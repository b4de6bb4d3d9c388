#pragma once

#include "pages/ScorePage.h"

#include <utility>

class ErrorReport;
class QComboBox;
class QToolButton;
class TImage;
class TMediaModule;

// The game-and-set score page: two team names, their games and sets, sent together on "Anzeigen",
// blanked on "Löschen" and whenever the window is hidden. A small media panel beside the score loads a
// picture or a video into a preview and uploads it to the wall computer, one step at a time through an
// action list that walks the operator from loading to showing.
//
// Needs: the wall, the media parts (upload, open dialog, preview, the wait before an upload) and the
// general error report, which shows what ends an action (a failed upload or copy, an unreadable file).
// Created once at start-up, then only shown and hidden, so everything survives between openings; a
// preview video keeps playing while the window is hidden.
class TFormSpielUndSatz final : public TScorePage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSpielUndSatz)
public:
    // The entries of the action list, in their order.
    enum class ImageAction
    {
        ErasePicture,
        EraseVideo,
        LoadPicture,
        ShowPicture,
        LoadVideo,
        ShowVideo
    };

    TFormSpielUndSatz(WallSink& wall, TMediaModule& media, ErrorReport& report, QWidget* parent = nullptr);

    void SBSendClick();
    // "Ausführen": runs the selected media action.
    void SBDoImageClick();
    void UDSatzLeftChangingEx(int value);
    void UDSatzRightChangingEx(int value);
    // The sets, home and guest, beside the games of score(); setting them sends nothing.
    std::pair<int, int> sets() const;
    void setSets(int home, int guest);

    // The staged copy of the chosen video; empty until one was chosen.
    const QString& videoCopyPath() const { return m_videoCopyPath; }

    // The pause before a video upload, in which window events keep being handled.
    static constexpr int kVideoPauseMs = 120;

protected:
    void FormShow() override;
    TUnsentChanges::Held held() const override;

private:
    void clearMedia();
    void loadPicture();
    void showPicture();
    void loadVideo();
    void showVideo();
    void selectAction(ImageAction action);
    // "Anzeigen" and "Ausführen" wait while an upload of this page runs.
    void holdWhileUploading(bool hold);

    TMediaModule& m_media;
    ErrorReport& m_report;
    QSpinBox* m_udSatzLeft = nullptr;
    QSpinBox* m_udSatzRight = nullptr;
    QLabel* m_pnSatzLeft = nullptr;
    QLabel* m_pnSatzRight = nullptr;
    TImage* m_picture = nullptr;       // ImJpgSatzUndSpiel
    QWidget* m_videoSurface = nullptr; // PnVideoSatzUndSpiel
    QComboBox* m_cbImageAction = nullptr;
    QToolButton* m_sbSend = nullptr;
    QToolButton* m_sbDoImage = nullptr;
    QString m_videoCopyPath;
};
