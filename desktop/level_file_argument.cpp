#include "level_file_argument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace karvan::desktop {

std::string LevelFilePath(const QString& Argument) {
  // Not canonical: a link keeps its name, so that messages show the name the player gave.
  const QString Absolute = QDir::cleanPath(QFileInfo(Argument).absoluteFilePath());
  return QFile::encodeName(Absolute).toStdString();
}

QString LevelFileFilter() {
  return QStringLiteral("Karvan Mirk levels (*.karvan);;All files (*)");
}

}  // namespace karvan::desktop
