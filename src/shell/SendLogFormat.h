#pragma once

#include "wall_link/LinkState.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The lines of the send log, without their time stamps: one line per event, in German, for the support
// staff reading it after a match. Bodies are decoded record by record with the wall's vocabulary.
//
// The supervision asks for a life sign every 2 s and the state goes round (up, waiting, up) each time;
// logging that would fill the log within a day and push the match out of it. So the query itself and
// the routine round trip give no line; a query that goes unanswered for a whole interval gives one line
// saying the wall does not answer, and the first answer after that (or at start) one saying it does.
class SendLogFormat final
{
public:
    // A body sent to the wall: the page in force after it, then its records. Empty for a life-sign query,
    // or the link-loss line when the previous one is still unanswered.
    QString body(const QByteArray& body);
    // Empty unless the change means something to support (see above).
    QString linkState(LinkState state);

    static QString linkFailed(const QString& statusText);
    static QString uploadStarted(const QString& path, const QString& address);
    static QString uploadEnded(const QString& path, const QString& error);
    // A message shown to the operator; heading says what kind ("Fehler", "Warnung", "Hinweis").
    static QString message(const QString& heading, const QString& caption, const QString& text);

    // The records of a body, "; " between them, without the page in force.
    static QString records(const QByteArray& body);
    static QString pageName(quint8 code);

private:
    std::optional<quint8> m_page;
    LinkState m_state = LinkState::Unknown;
    bool m_answering = false;
    int m_unanswered = 0;
};
