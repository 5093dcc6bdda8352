// The desktop platform's answers that need no user: clock, documents, sounds, program folder.
#include <QCoreApplication>
#include <cerrno>

#include "device_fixture.h"
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

TEST_F(DesktopPlatform, MissingDocumentIsReportedNotOpened) {
  const TOpenResult Result = Platform.OpenDocument("/no/such/folder/README.TXT");
  EXPECT_FALSE(Result.Ok);
  EXPECT_EQ(Result.ErrorCode, ENOENT);
  EXPECT_FALSE(Result.ErrorText.empty());
}

TEST_F(DesktopPlatform, ProgramDirectoryIsTheExecutablesFolder) {
  EXPECT_EQ(Platform.ProgramDirectory(), QCoreApplication::applicationDirPath().toStdString());
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

}  // namespace
}  // namespace karvan::desktop::test
