#include "ui/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// TESSALY_DATA_FROM_BIN (the data folder relative to the installed
// executable's folder) and TESSALY_DATA_DIR (the data folder under the
// configured prefix) come from the build, which installs the data there.
QString ShapeListPath() {
  const QString name = QStringLiteral("ShapeList.dat");
  const QDir programDir(QCoreApplication::applicationDirPath());
  const QString beside = programDir.filePath(name);
  if (QFileInfo::exists(beside)) return beside;
  const QString underPrefix =
      QDir::cleanPath(programDir.filePath(QStringLiteral(TESSALY_DATA_FROM_BIN "/") + name));
  if (QFileInfo::exists(underPrefix)) return underPrefix;
  return QStringLiteral(TESSALY_DATA_DIR "/") + name;
}
