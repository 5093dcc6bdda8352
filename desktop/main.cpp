// The game: the device window, its dialogs and the game loop on the desktop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <cstdio>

#include "engine/platform.h"
#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("karvan-mirk"));
  QApplication::setApplicationDisplayName(QStringLiteral("Karvan Mirk"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));

  QCommandLineParser Parser;
  Parser.setApplicationDescription(QStringLiteral("Karvan Mirk, a pocket LCD game"));
  Parser.addHelpOption();
  Parser.addVersionOption();
  if (!Parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "karvan-mirk: %s\nTry 'karvan-mirk --help'.\n",
                 qPrintable(Parser.errorText()));
    return 2;
  }
  if (Parser.isSet(QStringLiteral("help"))) Parser.showHelp(0);
  if (Parser.isSet(QStringLiteral("version"))) Parser.showVersion();
  if (!Parser.positionalArguments().isEmpty()) {
    std::fprintf(stderr, "karvan-mirk: unexpected argument '%s'\nTry 'karvan-mirk --help'.\n",
                 qPrintable(Parser.positionalArguments().first()));
    return 2;
  }

  karvan::desktop::QtPlatform Platform;
  karvan::PlatformScope Scope(Platform);
  // The menu's documents are named relative to the working folder.
  QDir::setCurrent(QString::fromStdString(Platform.ProgramDirectory()));

  auto Form = karvan::MakeForm<karvan::TKarvanForm>();
  karvan::CreateFormOnce(Form->LevelSelectForm, *Form);
  Form->Run();
  Platform.ReleaseDevice();
  return 0;
}
