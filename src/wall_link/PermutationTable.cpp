#include "wall_link/PermutationTable.h"

#include "wall_link/TextTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Our own fixed permutation. A real installation replaces it with the wall server's table.
// clang-format off: sixteen values a row
constexpr PermutationTable kBuiltIn = {
    0x0F, 0x08, 0x32, 0xCD, 0xC6, 0x25, 0xC3, 0xAB, 0x56, 0x84, 0xB1, 0x16, 0xBF, 0xFD, 0x3C, 0x87, 0x8B, 0x67, 0x78,
    0x2D, 0x91, 0xDA, 0xDD, 0x1F, 0x73, 0x13, 0x04, 0x83, 0x3B, 0xA7, 0xDC, 0xA8, 0x5A, 0x23, 0x9B, 0x89, 0x4A, 0x42,
    0x1D, 0xE7, 0x12, 0x5D, 0xC2, 0xFA, 0xF3, 0xEC, 0xE4, 0x18, 0x27, 0xE9, 0x4D, 0xB0, 0x4F, 0xFB, 0xCC, 0x0C, 0xCE,
    0xC0, 0xEA, 0xD1, 0xE0, 0x17, 0xD6, 0xE3, 0x70, 0x48, 0x05, 0x76, 0x00, 0x71, 0x55, 0x37, 0x92, 0x01, 0xB3, 0x6E,
    0xD2, 0x61, 0x7C, 0x74, 0x5C, 0x58, 0x15, 0x99, 0xF2, 0xB7, 0x7D, 0x6A, 0xD9, 0x07, 0x7E, 0x85, 0x9C, 0x79, 0x8F,
    0x7A, 0x39, 0x82, 0x52, 0x9F, 0xAD, 0x53, 0xEE, 0xF6, 0x7B, 0x4B, 0x66, 0x9A, 0xF8, 0x8C, 0x68, 0xA6, 0x3E, 0xE5,
    0xEF, 0x88, 0xAE, 0x2F, 0x9E, 0x41, 0x03, 0xD5, 0xB5, 0x50, 0x2B, 0xC7, 0x22, 0xB2, 0x35, 0x63, 0xA5, 0x11, 0xCF,
    0xAC, 0x1A, 0x98, 0x34, 0x38, 0xD0, 0xA4, 0x1E, 0xD4, 0x10, 0x44, 0x0D, 0xF0, 0x51, 0x8D, 0x75, 0x86, 0xAA, 0x33,
    0x94, 0x8E, 0x4C, 0x20, 0x77, 0xBA, 0x59, 0xC9, 0x5B, 0x24, 0x0A, 0xF4, 0x29, 0x62, 0xE1, 0xE6, 0xDF, 0xA1, 0x47,
    0x7F, 0x97, 0x2A, 0x21, 0x64, 0xB8, 0x49, 0x14, 0x95, 0x5E, 0xB9, 0x81, 0x57, 0xF7, 0x30, 0xB6, 0xC8, 0x1B, 0x80,
    0x02, 0x2C, 0xCA, 0x0E, 0x09, 0x4E, 0x60, 0x36, 0x19, 0x1C, 0x96, 0xDE, 0xFF, 0xC1, 0x72, 0x26, 0xDB, 0x6C, 0xEB,
    0x45, 0x69, 0x40, 0xD3, 0x6F, 0x65, 0x90, 0xA9, 0xF5, 0x0B, 0xA0, 0xFC, 0x6D, 0xD7, 0xBC, 0x2E, 0x43, 0x28, 0x3F,
    0xE2, 0x3A, 0xE8, 0xBB, 0x31, 0xBE, 0xD8, 0x3D, 0xF1, 0x06, 0xCB, 0xAF, 0x54, 0xC5, 0x9D, 0xA2, 0xA3, 0x46, 0xBD,
    0x8A, 0xED, 0xF9, 0x6B, 0x5F, 0xB4, 0xFE, 0xC4, 0x93,
};
// clang-format on

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

const PermutationTable& builtInPermutationTable()
{
    return kBuiltIn;
}

bool isPermutation(const PermutationTable& table)
{
    std::array<bool, 256> seen{};
    for (quint8 v : table) {
        if (seen[v])
            return false;
        seen[v] = true;
    }
    return true;
}

TableParseResult parsePermutationTable(const QByteArray& fileBytes)
{
    PermutationTable table{};
    if (fileBytes.size() == 256) {
        for (int i = 0; i < 256; ++i)
            table[static_cast<size_t>(i)] = static_cast<quint8>(fileBytes[i]);
        // Exactly 256 bytes is always the raw form: the text form needs 512 digits.
    } else {
        int digits = 0;
        int high = -1;
        for (char c : fileBytes) {
            if (isBlank(c))
                continue;
            const int v = texttools::hexDigit(static_cast<unsigned char>(c));
            if (v < 0)
                return {std::nullopt, QStringLiteral("weder 256 Bytes noch Hexadezimaltext")};
            if (digits >= 512)
                return {std::nullopt, QStringLiteral("mehr als 512 Hexadezimalziffern")};
            if (high < 0) {
                high = v;
            } else {
                table[static_cast<size_t>(digits / 2)] = static_cast<quint8>(high * 16 + v);
                high = -1;
            }
            ++digits;
        }
        if (digits != 512)
            return {std::nullopt, QStringLiteral("%1 statt 512 Hexadezimalziffern").arg(digits)};
    }
    if (!isPermutation(table))
        return {std::nullopt, QStringLiteral("keine Permutation von 0 bis 255")};
    return {table, {}};
}

TableChoice loadPermutationTableFile(const QString& path)
{
    TableChoice choice;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        choice.messages << QStringLiteral("Permutationstabelle \"%1\" abgelehnt: nicht lesbar (%2).")
                               .arg(QDir::toNativeSeparators(path), file.errorString());
        return choice;
    }
    // A table file is small; refuse anything large before reading it whole.
    if (file.size() > 64 * 1024) {
        choice.messages << QStringLiteral("Permutationstabelle \"%1\" abgelehnt: die Datei ist zu groß.")
                               .arg(QDir::toNativeSeparators(path));
        return choice;
    }
    const TableParseResult parsed = parsePermutationTable(file.readAll());
    if (!parsed.table) {
        choice.messages << QStringLiteral("Permutationstabelle \"%1\" abgelehnt: %2.")
                               .arg(QDir::toNativeSeparators(path), parsed.error);
        return choice;
    }
    choice.table = *parsed.table;
    choice.source = path;
    return choice;
}

QStringList permutationTableCandidates(const QString& programName, const QString& executableDir,
                                       const QString& settingsDir)
{
    const QString fileName = programName + QStringLiteral(".table");
    QStringList out;
    if (!executableDir.isEmpty())
        out << QDir(executableDir).filePath(fileName);
    if (!settingsDir.isEmpty())
        out << QDir(settingsDir).filePath(fileName);
    return out;
}

TableChoice choosePermutationTable(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        if (QFileInfo::exists(path))
            return loadPermutationTableFile(path);
    }
    return {};
}

QString userSettingsDir()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("ZEL"));
}
