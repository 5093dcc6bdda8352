// The desktop platform's answers that need no user: clock, documents, sounds, program folder.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <cerrno>
#include <cstdlib>

#include "device_fixture.h"
#include "qt_platform.h"
#include "sound_player.h"

namespace karvan::desktop::test {
namespace {

using DesktopPlatform = DeviceFixture;

TEST_F(DesktopPlatform, ClockStartsNearZeroAndNeverGoesBack) {
  const std::int64_t First = Platform.GetTickCount();
  EXPECT_GE(First, 0);
  Platform.PumpMessages();
  EXPECT_GE(Platform.GetTickCount(), First);
}

TEST_F(DesktopPlatform, AWaitingGameSleepsUntilItsNextChangeButNotPastInput) {
  // Nothing due for 60 ms: the pump sleeps on the event queue, and not a tick less.
  Platform.PumpMessages();  // whatever the window's making left waiting
  std::int64_t Start = Platform.GetTickCount();
  Platform.NextChangeAt(Start + 60);
  Platform.PumpMessages();
  EXPECT_GE(Platform.GetTickCount(), Start + 59);

  // Input ends the sleep: a key that arrives after 20 ms reaches the game long before the
  // promised tick, which lies ten seconds ahead.
  Start = Platform.GetTickCount();
  Platform.NextChangeAt(Start + 10000);
  bool KeySeen = false;
  Form->OnKeyDown = [&KeySeen](Word&, TShiftState) { KeySeen = true; };
  QTimer::singleShot(20, &View, [this] { Key(QEvent::KeyPress, Qt::Key_Left); });
  while (!KeySeen && Platform.GetTickCount() < Start + 5000) Platform.PumpMessages();
  EXPECT_TRUE(KeySeen);
  EXPECT_LT(Platform.GetTickCount(), Start + 5000) << "the key waited for the promised tick";

  // A tick already due, or none promised: the pump returns within a few milliseconds.
  Start = Platform.GetTickCount();
  Platform.NextChangeAt(Start);
  Platform.PumpMessages();
  EXPECT_LT(Platform.GetTickCount(), Start + 1000);
}

TEST_F(DesktopPlatform, MissingDocumentIsReportedNotOpened) {
  const TOpenResult Result = Platform.OpenDocument("/no/such/folder/README.TXT");
  EXPECT_FALSE(Result.Ok);
  EXPECT_EQ(Result.ErrorCode, ENOENT);
  EXPECT_FALSE(Result.ErrorText.empty());
}

TEST_F(DesktopPlatform, ProgramDirectoryIsTheExecutablesFolder) {
  EXPECT_EQ(Platform.ProgramDirectory(), QCoreApplication::applicationDirPath().toStdString());
}

// A prefix as the install rules lay it out: bin/ for the program, share/karvan-mirk/ for its
// documents; each test puts the documents where it needs them.
class InstalledLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Prefix.isValid());
    ASSERT_TRUE(QDir(Prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(Prefix.path()).mkpath(QStringLiteral("share/karvan-mirk")));
  }
  void Document(const QString& Folder) {
    QFile File(Prefix.filePath(Folder + QStringLiteral("/README.TXT")));
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  }
  QString Bin() const { return Prefix.filePath(QStringLiteral("bin")); }
  QString Shared() const { return Prefix.filePath(QStringLiteral("share/karvan-mirk")); }
  QTemporaryDir Prefix;
};

TEST_F(InstalledLayout, InstalledProgramOpensTheDocumentsOfTheSharedFolder) {
  Document(QStringLiteral("share/karvan-mirk"));
  EXPECT_EQ(DocumentFolder(Bin()), Shared());
  // However the program's folder is spelt.
  EXPECT_EQ(DocumentFolder(Bin() + QStringLiteral("/")), Shared());
  EXPECT_EQ(DocumentFolder(Shared() + QStringLiteral("/../../bin")), Shared());
}

TEST_F(InstalledLayout, DocumentsBesideTheProgramWin) {
  Document(QStringLiteral("bin"));
  Document(QStringLiteral("share/karvan-mirk"));
  EXPECT_EQ(DocumentFolder(Bin()), Bin());
}

TEST_F(InstalledLayout, WithoutDocumentsTheProgramsFolderIsKept) {
  // The menu then reports the missing file, named in the program's folder.
  EXPECT_EQ(DocumentFolder(Bin()), Bin());
  QDir(Shared()).removeRecursively();
  EXPECT_EQ(DocumentFolder(Bin()), Bin());
}

TEST_F(DesktopPlatform, HintsAndPointerGoToTheDeviceWindow) {
  Platform.SetHint("two\rlines");
  EXPECT_EQ(View.toolTip(), "two\nlines");
  Platform.SetCursor(TCursorShape::crHandPoint);
  EXPECT_EQ(View.cursor().shape(), Qt::PointingHandCursor);
  Platform.SetCursor(TCursorShape::crArrow);
  EXPECT_EQ(View.cursor().shape(), Qt::ArrowCursor);
}

TEST(Sounds, RecordingsAreFoundWhateverTheCaseOfTheirNames) {
  const SoundPlayer Sounds;
  EXPECT_TRUE(Sounds.HasRecording("wvDeath"));
  EXPECT_TRUE(Sounds.HasRecording("WVLEVEL"));
  EXPECT_TRUE(Sounds.HasRecording("wvunlockexit"));
  EXPECT_FALSE(Sounds.HasRecording("wvNoSuchSound"));
  EXPECT_FALSE(Sounds.HasRecording(""));
}

// The length of a WAV file's sound in ms, read from its header: data bytes over bytes a second.
double FileLengthMs(const QString& Path) {
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly)) return -1;
  const QByteArray Bytes = File.readAll();
  const auto Word = [&](qsizetype At) {
    return qFromLittleEndian<quint32>(Bytes.constData() + At);
  };
  double BytesPerSecond = 0;
  for (qsizetype At = 12; At + 8 <= Bytes.size(); At += 8 + Word(At + 4) + (Word(At + 4) & 1)) {
    const QByteArray Id = Bytes.mid(At, 4);
    if (Id == "fmt ") BytesPerSecond = Word(At + 8 + 8);
    if (Id == "data" && BytesPerSecond > 0) return Word(At + 4) * 1000.0 / BytesPerSecond;
  }
  return -1;
}

TEST(Sounds, EveryRecordingIsDecodedWholeAndStartsWithSound) {
  const SoundPlayer Sounds;
  const QDir Dir(QStringLiteral(":/sounds"));
  const QStringList Files = Dir.entryList({QStringLiteral("*.wav")});
  ASSERT_EQ(Files.size(), 11);
  for (const QString& Name : Files) {
    SCOPED_TRACE(Name.toStdString());
    const std::vector<std::int16_t>& Samples =
        Sounds.Samples(QFileInfo(Name).completeBaseName().toStdString());
    const double Ms =
        static_cast<double>(Samples.size() / SoundPlayer::Channels) * 1000.0 / SoundPlayer::Rate;
    // Converting the rate must not cut the tail (some recordings last only 10 to 30 ms).
    EXPECT_NEAR(Ms, FileLengthMs(Dir.filePath(Name)), 0.1);
    int Loudest = 0;
    for (std::size_t I = 0; I < std::min<std::size_t>(Samples.size(), 2 * 441); ++I)
      Loudest = std::max(Loudest, std::abs(static_cast<int>(Samples[I])));
    EXPECT_GT(Loudest, 4000) << "silent in its first 10 ms";
  }
}

}  // namespace
}  // namespace karvan::desktop::test
