#pragma once

#include "feeds/SerialSetup.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

// The serial port of the timing mode: open with line settings, notify when characters arrive, hand them
// out, close. A device that vanishes while open (USB adapter pulled, far end of a pty gone) is closed at
// its first read or resource error and reported once through lost(); the port library would otherwise
// repeat the error as fast as the loop runs.
class TSerialLine final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSerialLine)
public:
    explicit TSerialLine(QObject* parent = nullptr);
    ~TSerialLine() override;

    // False, with errorString() (German: what failed and what to check), when the device cannot be opened
    // with these settings.
    bool open(const QString& device, const serialsetup::LineSettings& settings);
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString errorString() const { return m_error; }

    // Takes every received character that is waiting.
    QByteArray readAll();

Q_SIGNALS:
    void charactersAvailable(qint64 count);
    void lost(const QString& reason);

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_error;
};
