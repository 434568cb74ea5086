#include "ui/ModelPath.h"

#include <QDir>
#include <QFileInfo>

#include "models/ModelLibrary.h"

QString StoredModelPath(const QString& path) {
  const QString base = QString::fromStdString(ModelLibrary::Shared().BaseFolder());
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (base.isEmpty()) return absolute;
  const QString relative = QDir(base).relativeFilePath(absolute);
  return relative.startsWith(QStringLiteral("../")) ? absolute : relative;
}
