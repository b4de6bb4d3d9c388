#pragma once

#include <QLoggingCategory>

// One logging category per subsystem, so that support can switch each on with QT_LOGGING_RULES, for instance
// QT_LOGGING_RULES="brisal.feeds.debug=true". Information and above are on by default, debug is off.
Q_DECLARE_LOGGING_CATEGORY(lcLink)   // brisal.link: link state, send errors
Q_DECLARE_LOGGING_CATEGORY(lcFeeds)  // brisal.feeds: feed messages taken or dropped
Q_DECLARE_LOGGING_CATEGORY(lcSerial) // brisal.serial: the timing device's port opened, closed, lost
Q_DECLARE_LOGGING_CATEGORY(lcUpload) // brisal.upload: picture and video uploads
Q_DECLARE_LOGGING_CATEGORY(
    lcRemote) // brisal.remote: what outside systems make the client do (liveboard, remote control)
