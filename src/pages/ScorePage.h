#pragma once

#include "pages/PageForm.h"
#include "shell/MatchState.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;

// The part the score pages share: two team name boxes and two scores, each an up/down control whose
// value a panel shows. Hiding the window blanks the wall. Alt with the arrow of a team's side steps its
// score up, with Shift down.
class TScorePage : public TPageForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TScorePage)
public:
    struct Limits
    {
        int nameLength;
        int maxScore;
    };

    TScorePage(WallSink& wall, const QString& className, const QString& caption, Limits limits, QWidget* parent);

    // Keep the panels showing the up/down values; nothing is sent.
    void UDToreLinksChangingEx(int value);
    void UDToreRechtsChangingEx(int value);

    // The names and scores as they stand; setting them sends nothing.
    MatchState::Score score() const;
    void setScore(const MatchState::Score& score);

Q_SIGNALS:
    // What the window holds for the match changed (typed, stepped or set).
    void matchStateChanged();

protected:
    void FormHide() override;
    // The name box with its length counter below it.
    static QVBoxLayout* nameColumn(QLineEdit* box);

    QLineEdit* m_edVereinLinks;
    QLineEdit* m_edVereinRechts;
    QSpinBox* m_udToreLinks;
    QSpinBox* m_udToreRechts;
    QLabel* m_pnToreLeft;
    QLabel* m_pnToreRight;
};
