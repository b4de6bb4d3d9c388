#include "app/GuardedApplication.h"

#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {
class Throwing final : public QObject
{
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw OperatorError(QStringLiteral("RegOpenKey failed!"));
        if (e->type() == QEvent::User + 1)
            throw std::runtime_error("kaputt");
        return QObject::event(e);
    }
};
} // namespace

// An exception that escapes an event handler reaches the error report and the program goes on.
class tst_GuardedApplication : public QObject
{
    Q_OBJECT
public:
    explicit tst_GuardedApplication(RecordingReport& report) : m_report(report) {}

private Q_SLOTS:
    void escapedExceptionsAreReported()
    {
        Throwing target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
        bool later = false;
        QTimer::singleShot(0, this, [&] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(m_report.texts(), (QStringList{"RegOpenKey failed!", "kaputt"}));
    }

private:
    RecordingReport& m_report;
};

int main(int argc, char** argv)
{
    RecordingReport report;
    GuardedApplication app(argc, argv);
    app.setErrorReport(&report);
    tst_GuardedApplication test(report);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_GuardedApplication.moc"
