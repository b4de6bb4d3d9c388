#include "MjpegAvi.h"

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QtEndian>

namespace mjpegavi {

namespace {

void u32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void u16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

QByteArray chunk(const char* id, const QByteArray& data)
{
    QByteArray out(id, 4);
    u32(out, static_cast<quint32>(data.size()));
    out += data;
    if (data.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const char* type, const QByteArray& data)
{
    return chunk("LIST", QByteArray(type, 4) + data);
}

QByteArray frame(QSize size, int index, int frames)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 20, 60));
    QPainter p(&image);
    const int side = size.height() / 2;
    const int x = (size.width() - side) * index / qMax(1, frames - 1);
    p.fillRect(x, size.height() / 4, side, side, QColor(240, 200, 0));
    p.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return jpeg;
}

} // namespace

QByteArray make(QSize size, int frames, int framesPerSecond)
{
    const auto w = static_cast<quint32>(size.width());
    const auto h = static_cast<quint32>(size.height());

    QByteArray movi;
    QByteArray index;
    quint32 largest = 0;
    for (int i = 0; i < frames; ++i) {
        const QByteArray jpeg = frame(size, i, frames);
        index += QByteArray("00dc", 4);
        u32(index, 0x10); // key frame
        u32(index, static_cast<quint32>(4 + movi.size()));
        u32(index, static_cast<quint32>(jpeg.size()));
        movi += chunk("00dc", jpeg);
        largest = qMax(largest, static_cast<quint32>(jpeg.size()));
    }

    QByteArray avih;
    u32(avih, static_cast<quint32>(1000000 / framesPerSecond));
    u32(avih, largest * static_cast<quint32>(framesPerSecond));
    u32(avih, 0);
    u32(avih, 0x10); // has an index
    u32(avih, static_cast<quint32>(frames));
    u32(avih, 0);
    u32(avih, 1); // streams
    u32(avih, largest);
    u32(avih, w);
    u32(avih, h);
    for (int i = 0; i < 4; ++i)
        u32(avih, 0);

    QByteArray strh("vidsMJPG", 8);
    u32(strh, 0);                                     // flags
    u16(strh, 0);                                     // priority
    u16(strh, 0);                                     // language
    u32(strh, 0);                                     // initial frames
    u32(strh, 1);                                     // scale
    u32(strh, static_cast<quint32>(framesPerSecond)); // rate
    u32(strh, 0);                                     // start
    u32(strh, static_cast<quint32>(frames));
    u32(strh, largest);
    u32(strh, 0xFFFFFFFF); // quality
    u32(strh, 0);          // sample size
    u16(strh, 0);
    u16(strh, 0);
    u16(strh, static_cast<quint16>(w));
    u16(strh, static_cast<quint16>(h));

    QByteArray strf;
    u32(strf, 40);
    u32(strf, w);
    u32(strf, h);
    u16(strf, 1);
    u16(strf, 24);
    strf += QByteArray("MJPG", 4);
    u32(strf, w * h * 3);
    for (int i = 0; i < 4; ++i)
        u32(strf, 0);

    const QByteArray hdrl = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    const QByteArray body = QByteArray("AVI ", 4) + hdrl + list("movi", movi) + chunk("idx1", index);
    QByteArray file("RIFF", 4);
    u32(file, static_cast<quint32>(body.size()));
    return file + body;
}

} // namespace mjpegavi
