#pragma once

#include "textlist/ListLayout.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TFormTextbox;
class TStringGrid;

// The intermediate standings: FinishLynx results collected list after list into one table ordered by
// time, repeats removed and places numbered, laid out into the text list window's preview as a whole
// list or as the best places below what the preview holds. Sends nothing itself.
//
// Needs: the text list window, whose FinishLynx page hands results over and asks for the standings, and
// whose preview receives them. It is a tool window of that window, so that the operator can use it
// while the text list window is open modally. Created once; only shown and hidden.
class TFormWertung final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormWertung)
public:
    explicit TFormWertung(TFormTextbox& textbox);

    // Repeats removed, places written.
    void RecalculateZwWertung();
    // The results among the FinishLynx cells taken into the standings, which are then recalculated and
    // shown.
    void SBSendToZwWertungClick(const listlayout::Grid& lynx);
    // Recalculated and shown, without being modal.
    void SBShowZwWertungClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BBLynxStartResultsListClick();
    void SBPrintMWListClick();
    void SBClearListClick();
    listlayout::ListOptions listOptions() const;

    TFormTextbox& m_textbox;
    QPushButton* m_toPreview;   // BBLynxStartResultsList
    QLineEdit* m_header;        // EdLynxHeader
    QCheckBox* m_showPosition;  // CBShowPositionLynx
    QCheckBox* m_showNumber;    // CBShowStartnrLynx
    QToolButton* m_printPlaces; // SBPrintMWList
    QSpinBox* m_places;         // UDMWWertungBisPlatz, its edit EdMWWertungBisPlatz
    QToolButton* m_clear;       // SBClearList
    TStringGrid* m_grid;        // SGLynx
};
