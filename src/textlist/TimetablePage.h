#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

// The "Zeitplan" page of the text list window: the timetable the COSA feed fills, and "nach Vorschau"
// (also the context menu's "Zeitplan (ab hier) anzeigen"), which lays eight entries from the selected
// one out as preview lines.
class TTimetablePage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTimetablePage)
public:
    explicit TTimetablePage(QWidget* parent = nullptr);

    void clear();
    // Appends an entry numbered after the entries already there.
    void addEntry(const QString& time, const QString& competition);
    // Whether "nach Vorschau" is the window's default button (Enter).
    void setPreviewDefault(bool isDefault);

    void popTimeTableClick();

Q_SIGNALS:
    // The page's header text and the laid-out lines, for the preview.
    void previewRequested(const QString& header, const QStringList& lines);

private:
    QTreeWidget* m_timetable; // LVZeitplan
    QMenu* m_menu;            // PopDBViewer
    QLineEdit* m_header;      // EdZPKopf
    QPushButton* m_toPreview; // BitBtn1
};
