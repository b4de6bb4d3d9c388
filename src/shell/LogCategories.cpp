#include "shell/LogCategories.h"

Q_LOGGING_CATEGORY(lcLink, "brisal.link", QtInfoMsg)
Q_LOGGING_CATEGORY(lcFeeds, "brisal.feeds", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSerial, "brisal.serial", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUpload, "brisal.upload", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRemote, "brisal.remote", QtInfoMsg)
