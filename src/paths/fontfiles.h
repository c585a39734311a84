#pragma once

#include <QString>

// Font files found through fontconfig, for faces the program registers itself.
namespace FontFiles {
// The file of family's upright face closest to regular weight, as fontconfig finds it with
// the configuration configFile alone (its font folders and its accepted and rejected files),
// or with the system's configuration when configFile is empty. Empty when that configuration
// has no face of the family or cannot be read. Font folders are read from fontconfig's caches
// where they are current.
QString regularFace(const QString &family, const QString &configFile);
} // namespace FontFiles
