// karvan-edit: the level editor of Karvan Mirk. karvan-edit [FILE] opens FILE.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "main_window.h"
#include "text_only_command_line.h"

int main(int argc, char* argv[]) {
  if (karvan::desktop::AsksOnlyForText(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("KarvanMirk"));
  QApplication::setApplicationName(QStringLiteral("karvan-edit"));
  QApplication::setApplicationDisplayName(QStringLiteral("karvan-edit"));
  QApplication::setApplicationVersion(QStringLiteral(KARVAN_EDIT_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("karvan-edit"));

  QCommandLineParser Parser;
  Parser.setApplicationDescription(QStringLiteral("The level editor of Karvan Mirk."));
  Parser.addHelpOption();
  Parser.addVersionOption();
  Parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A level file to open."),
                               QStringLiteral("[FILE]"));
  Parser.process(App);
  if (Parser.positionalArguments().size() > 1) {
    fputs("karvan-edit: give at most one level file.\n", stderr);
    return 2;
  }

  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/karvan-edit.png")));
  karvan::editor::MainWindow Window;
  Window.show();
  // A file that cannot be opened gets its message; the editor stays with a new level.
  if (!Parser.positionalArguments().isEmpty()) Window.OpenFile(Parser.positionalArguments()[0]);
  return QApplication::exec();
}
