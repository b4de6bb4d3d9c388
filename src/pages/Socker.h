#pragma once

#include "pages/ScorePage.h"

// The soccer score page: two team names and their goals, sent on "Anzeigen", blanked on "Löschen" and
// whenever the window is hidden.
//
// Needs: the wall. Created once at start-up, then only shown and hidden,
// so the names and goals survive between openings.
class TFormSocker final : public TScorePage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormSocker)
public:
    explicit TFormSocker(WallSink& wall, QWidget* parent = nullptr);

    void SBSendClick();

protected:
    TUnsentChanges::Held held() const override;
};
