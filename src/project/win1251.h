#pragma once

#include <QByteArray>
#include <QString>

namespace tw {

// Windows-1251 (Cyrillic) conversion used by every text of the project record.
// Decoding is lossless: each of the 256 byte values maps to one character.
QString fromWin1251(const char* bytes, int length);
inline QString fromWin1251(const QByteArray& bytes) { return fromWin1251(bytes.constData(), int(bytes.size())); }

// Encodes text; every character that Windows-1251 cannot hold becomes '?'.
// Characters outside the Basic Multilingual Plane count as one character.
QByteArray toWin1251(const QString& text);

// The text without the characters Windows-1251 cannot hold (each one that is left out goes to `dropped`,
// once per kind), so that what the author sees is what the game stores.
QString keepWin1251(const QString& text, QString* dropped = nullptr);

} // namespace tw
