#pragma once

#include <QString>

// How a model file's path is stored in a record: relative to the scene's
// folder when inside it (so that the folder can move as a whole),
// absolute otherwise.
QString StoredModelPath(const QString& path);
