#pragma once

#include <QString>

namespace version {

// The value of a keyword text such as "$Version: 00.02.06 $": what stands between the first ':' and the
// last two characters, without blanks and control characters; fallback when nothing remains.
QString keywordValue(const QString& keywordText, const QString& fallback);

// "00.02.06 (2022-JUL-05; 08:42)": version, date and time of this build of the client.
QString versionString();

} // namespace version
