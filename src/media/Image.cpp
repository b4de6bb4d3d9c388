#include "media/Image.h"

#include "shell/OperatorError.h"

#include <QImageReader>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void TImage::loadFromFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        throw OperatorError(
            QStringLiteral("Bild \"%1\" kann nicht geladen werden: %2").arg(path, reader.errorString()));
    setPicture(image);
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
