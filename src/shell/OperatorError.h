#pragma once

#include <QString>

#include <stdexcept>

// An error that ends an operator's action and reaches the operator through the general error report
// with exactly this text.
class OperatorError : public std::runtime_error
{
public:
    explicit OperatorError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const noexcept { return m_text; }

private:
    QString m_text;
};
