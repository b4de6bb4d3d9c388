#include "media/Image.h"

#include "shell/OperatorError.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_jpegFile.clear();
    update();
}

void TImage::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OperatorError(QStringLiteral("Bild \"%1\" kann nicht gelesen werden. Bitte prüfen, ob die Datei "
                                           "vorhanden und lesbar ist.")
                                .arg(path));
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    // The preview stands the way the camera held it; the file itself goes to the wall untouched.
    reader.setAutoTransform(true);
    const bool jpeg = reader.format() == "jpeg"; // by content, and only before reading
    const QImage image = reader.read();
    if (image.isNull())
        throw OperatorError(QStringLiteral("Bild \"%1\" kann nicht geladen werden: die Datei ist kein lesbares "
                                           "Bild. Bitte eine JPEG-Datei wählen.")
                                .arg(path));
    setPicture(image);
    if (jpeg)
        m_jpegFile = std::move(bytes);
}

void TImage::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    p.drawImage(target, m_picture);
}
