// The game: the device window, its dialogs and the game loop on the desktop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <cstdio>
#include <optional>
#include <string>

#include "engine/platform.h"
#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "karvan_version.h"
#include "level_file_argument.h"
#include "qt_platform.h"
#include "text_only_command_line.h"

int main(int argc, char* argv[]) {
  if (karvan::desktop::AsksOnlyForText(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QApplication::setApplicationName(QStringLiteral("karvan-mirk"));
  QApplication::setApplicationDisplayName(QStringLiteral("Karvan Mirk"));
  QApplication::setApplicationVersion(QString::fromLatin1(karvan::KarvanVersion));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));

  QCommandLineParser Parser;
  Parser.setApplicationDescription(QStringLiteral("Karvan Mirk, a pocket LCD game"));
  Parser.addHelpOption();
  Parser.addVersionOption();
  Parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("A level file (.karvan) to play at once."),
                               QStringLiteral("[FILE]"));
  if (!Parser.parse(QApplication::arguments())) {
    std::fprintf(stderr, "karvan-mirk: %s\nTry 'karvan-mirk --help'.\n",
                 qPrintable(Parser.errorText()));
    return 2;
  }
  if (Parser.isSet(QStringLiteral("help"))) Parser.showHelp(0);
  if (Parser.isSet(QStringLiteral("version"))) Parser.showVersion();
  const QStringList Files = Parser.positionalArguments();
  if (Files.size() > 1) {
    std::fprintf(stderr, "karvan-mirk: unexpected argument '%s'\nTry 'karvan-mirk --help'.\n",
                 qPrintable(Files.at(1)));
    return 2;
  }
  // Resolved here, in the folder the game was started in: the program moves to its own
  // folder below.
  std::optional<std::string> LevelFile;
  if (!Files.isEmpty()) LevelFile = karvan::desktop::LevelFilePath(Files.first());

  karvan::desktop::QtPlatform Platform;
  karvan::PlatformScope Scope(Platform);
  // The menu's documents are named relative to the working folder.
  QDir::setCurrent(QString::fromStdString(Platform.ProgramDirectory()));

  auto Form = karvan::MakeForm<karvan::TKarvanForm>();
  karvan::CreateFormOnce(Form->LevelSelectForm, *Form);
  Form->StartLevelFile = LevelFile;
  Form->Run();
  Platform.ReleaseDevice();
  return 0;
}
