#pragma once

#include <QLabel>

#include <functional>

class QLineEdit;

// A small counter under a text box that says how many characters the wall will take, "4/12". It turns
// red when the box is full (it refuses more) or holds more than the wall shows (the rest is cut).
class TLengthCounter final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLengthCounter)
public:
    // limit: the characters the wall shows; the box's own length limit when none is given.
    explicit TLengthCounter(QLineEdit* box, std::function<int()> limit = {}, QWidget* parent = nullptr);

    // After the limit changed.
    void refresh();
    bool warns() const { return m_warns; }

private:
    QLineEdit* m_box;
    std::function<int()> m_limit;
    QColor m_normal;
    bool m_warns = false;
};
