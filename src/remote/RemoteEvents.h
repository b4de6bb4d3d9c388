#pragma once

#include "remote/RemoteControl.h"
#include "wall_link/WallCommands.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// The JSON texts of the remote control: the status object and the messages of the events socket, one
// JSON object each, with "event" first:
//   {"event": "status", …the status object…}          once, when a client connects
//   {"event": "link", "link": "up"}                   the link state changed
//   {"event": "sent", "page": "soccer", "values": {…}} a send to the wall, its values decoded from the bodies
//   {"event": "unsent", "page": "soccer", "unsent": true}
namespace remote {

// "up", "waiting" or "unknown".
QString linkName(LinkState state);

// {"link": …, "columns": n, "rows": n, "version": "…", "page": "soccer"|null, "unsent": false,
//  "pages": [the pages remote calls may drive]}
QByteArray statusJson(const RemoteStatus& status, const QStringList& pages);
QByteArray statusEvent(const RemoteStatus& status, const QStringList& pages);
QByteArray linkEvent(LinkState state);
QByteArray unsentEvent(const QString& page, bool unsent);

// A send to the wall as the events report it: the page it selects (or, without a page-select record, the
// page its fields belong to) and the values of that page's fields under the names the requests use.
// Nothing for a send without a page: the life-sign and details queries.
std::optional<QByteArray> sentEvent(const wallcmd::Bodies& bodies);

} // namespace remote
