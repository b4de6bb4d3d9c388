#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

// An image control: holds one picture and shows it centred, scaled to fit and keeping its proportions.
class TImage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TImage)
public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    // The bytes of the JPEG file the picture was loaded from, which go to the wall as they are; empty
    // when the picture came from anywhere else.
    const QByteArray& jpegFile() const { return m_jpegFile; }
    void setPicture(const QImage& picture);
    // Loads a picture file; throws OperatorError with a German reason when it cannot be read, leaving the
    // picture as it was.
    void loadFromFile(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QByteArray m_jpegFile;
};
