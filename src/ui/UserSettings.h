#pragma once

#include <QStandardPaths>
#include <QString>

// The user's own settings file: recent files, where the windows were.
inline QString UserSettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/tessaly.ini");
}
