// The small routines the engine leans on: timers, waiting, text-to-number and field splitting
// for level rows, file tests, forms created once, and handing documents to the desktop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform.h"
#include "engine/support.h"
#include "engine_fixture.h"
#include "fake_platform.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class SupportRoutines : public ::testing::Test {
 protected:
  FakePlatform Platform;
  PlatformScope Scope{Platform};
};

void WriteFile(const std::filesystem::path& Path, const std::string& Text) {
  std::ofstream(Path) << Text;
}

}  // namespace

// ---- Timers and waiting ---------------------------------------------------------------------

TEST_F(SupportRoutines, StoppedTimerNeverRunsOutAndStaysStopped) {
  Platform.Clock = 50000;
  std::int64_t Since = -1;
  EXPECT_FALSE(TimePassed(Since, 0));
  EXPECT_FALSE(TimePassed(Since, -100));
  EXPECT_EQ(Since, -1);
}

TEST_F(SupportRoutines, TimerRunsOutAfterTheDelayAndRestartsAtNow) {
  Platform.Clock = 1000;
  std::int64_t Since = 900;
  EXPECT_FALSE(TimePassed(Since, 101));
  EXPECT_EQ(Since, 900);
  EXPECT_TRUE(TimePassed(Since, 100));
  EXPECT_EQ(Since, 1000);
  EXPECT_FALSE(TimePassed(Since, 1));
}

TEST_F(SupportRoutines, StampInTheFutureWaitsUntilNowHasPassedItByTheDelay) {
  Platform.Clock = 1000;
  std::int64_t Since = 1500;
  EXPECT_FALSE(TimePassed(Since, 0));
  Platform.Clock = 1599;
  EXPECT_FALSE(TimePassed(Since, 100));
  EXPECT_EQ(Since, 1500);
  Platform.Clock = 1600;
  EXPECT_TRUE(TimePassed(Since, 100));
  EXPECT_EQ(Since, 1600);
}

TEST_F(SupportRoutines, NegativeDelayAlwaysPasses) {
  Platform.Clock = 700;
  std::int64_t Since = 700;
  EXPECT_TRUE(TimePassed(Since, -1));
  EXPECT_TRUE(TimePassed(Since, -1));
  EXPECT_EQ(Since, 700);
}

TEST_F(SupportRoutines, WaitTicksReturnsAfterStrictlyMoreThanTheDurationAndHandlesInput) {
  Platform.Clock = 100;
  int InputHandled = 0;
  std::int64_t LastPumpAt = 0;
  Platform.OnPump = [&] {
    LastPumpAt = Platform.Clock;
    if (Platform.Clock == 600) ++InputHandled;
  };
  WaitTicks(1000);
  EXPECT_GT(Platform.Clock - 100, 1000);
  EXPECT_LE(Platform.Clock - 100, 1001) << "returns at the first tick past the duration";
  EXPECT_EQ(InputHandled, 1);
  EXPECT_EQ(LastPumpAt, Platform.Clock) << "the clock is read after the last pump";
}

TEST_F(SupportRoutines, WaitTicksHandlesInputAtLeastOnce) {
  WaitTicks(0);
  EXPECT_EQ(Platform.Pumps, 1);
  WaitTicks(-20);
  EXPECT_EQ(Platform.Pumps, 2);
}

TEST_F(SupportRoutines, WaitTicksEndsWhenTheCounterGoesBack) {
  Platform.Clock = 5000;
  Platform.OnPump = [&] {
    if (Platform.Pumps == 3) Platform.Clock = 10;
  };
  WaitTicks(1000);
  EXPECT_EQ(Platform.Pumps, 3);
}

// ---- Small helpers --------------------------------------------------------------------------

TEST_F(SupportRoutines, OppositeDirFlipsTheFourStepsAndKeepsEverythingElse) {
  EXPECT_EQ(OppositeDir(PosTop), PosBottom);
  EXPECT_EQ(OppositeDir(PosBottom), PosTop);
  EXPECT_EQ(OppositeDir(PosLeft), PosRight);
  EXPECT_EQ(OppositeDir(PosRight), PosLeft);
  for (TPos Dir : {PosNone, PosCenter, PosTopLeft, PosTopRight, PosBottomLeft, PosBottomRight})
    EXPECT_EQ(OppositeDir(Dir), Dir);
}

TEST_F(SupportRoutines, PointInPanelIncludesBothEdges) {
  const TPanel Panel{10, 40, 20, 5};
  EXPECT_TRUE(PointInPanel(&Panel, 10, 40));
  EXPECT_TRUE(PointInPanel(&Panel, 30, 45));
  EXPECT_FALSE(PointInPanel(&Panel, 31, 42));
  EXPECT_FALSE(PointInPanel(&Panel, 9, 42));
  EXPECT_FALSE(PointInPanel(&Panel, 20, 39));
  EXPECT_FALSE(PointInPanel(&Panel, 20, 46));
  EXPECT_FALSE(PointInPanel(nullptr, 10, 40));
}

TEST_F(SupportRoutines, SettingsKeepNothing) {
  WriteSetting("LEVEL", "7");
  std::string Value = "left over";
  ReadSetting("LEVEL", "3", Value);
  EXPECT_EQ(Value, "");
  EXPECT_EQ(StrToIntLoose(Value), 0);
}

TEST_F(SupportRoutines, IntToStrPadWritesPlainDecimals) {
  std::string Text = "x";
  IntToStrPad(0, Text, 24);
  EXPECT_EQ(Text, "24");
  IntToStrPad(0, Text, -305);
  EXPECT_EQ(Text, "-305");
  IntToStrPad(0, Text, 0);
  EXPECT_EQ(Text, "0");
  IntToStrPad(0, Text, 9876543210LL);
  EXPECT_EQ(Text, "9876543210");
}

TEST_F(SupportRoutines, RandomNumbersRepeatForTheSameClockAndStayInRange) {
  auto Draw = [] {
    std::vector<int> Numbers;
    for (int i = 0; i < 50; ++i) Numbers.push_back(Random(6));
    return Numbers;
  };
  Platform.Clock = 4321;
  Randomize();
  const std::vector<int> First = Draw();
  Randomize();
  EXPECT_EQ(Draw(), First);
  for (int Number : First) {
    EXPECT_GE(Number, 0);
    EXPECT_LT(Number, 6);
  }
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-3), 0);
}

// ---- Forms created once ---------------------------------------------------------------------

namespace {

struct TCountedForm {
  static inline int Made = 0;
  static inline int Freed = 0;
  static inline std::unique_ptr<TCountedForm>* Watched = nullptr;
  static inline bool ReferenceClearedFirst = false;
  TCountedForm() { ++Made; }
  ~TCountedForm() {
    ++Freed;
    if (Watched != nullptr) ReferenceClearedFirst = *Watched == nullptr;
  }
};

}  // namespace

TEST_F(SupportRoutines, CreateFormOnceMakesOneFormAndFreeFormClearsTheReferenceFirst) {
  TCountedForm::Made = TCountedForm::Freed = 0;
  std::unique_ptr<TCountedForm> Reference;
  EXPECT_TRUE(CreateFormOnce(Reference));
  TCountedForm* First = Reference.get();
  EXPECT_FALSE(CreateFormOnce(Reference));
  EXPECT_EQ(Reference.get(), First);
  EXPECT_EQ(TCountedForm::Made, 1);

  TCountedForm::Watched = &Reference;
  FreeForm(Reference);
  TCountedForm::Watched = nullptr;
  EXPECT_EQ(Reference, nullptr);
  EXPECT_EQ(TCountedForm::Freed, 1);
  EXPECT_TRUE(TCountedForm::ReferenceClearedFirst);

  FreeForm(Reference);  // an empty reference: nothing happens
  EXPECT_EQ(TCountedForm::Freed, 1);
  EXPECT_TRUE(CreateFormOnce(Reference));
  EXPECT_EQ(TCountedForm::Made, 2);
}

// ---- Numbers and fields of level rows -------------------------------------------------------

TEST(TextToNumber, ReadsTheNumberAtTheStartAndNeverFails) {
  EXPECT_EQ(StrToIntLoose("12"), 12);
  EXPECT_EQ(StrToIntLoose(" 1 "), 1);
  EXPECT_EQ(StrToIntLoose("4 0"), 40);
  EXPECT_EQ(StrToIntLoose("12a"), 12);
  EXPECT_EQ(StrToIntLoose("-5"), -5);
  EXPECT_EQ(StrToIntLoose("+8"), 8);
  EXPECT_EQ(StrToIntLoose("abc"), 0);
  EXPECT_EQ(StrToIntLoose(""), 0);
  EXPECT_EQ(StrToIntLoose("    "), 0);
  EXPECT_EQ(StrToIntLoose("-"), 0);
}

TEST(TextToNumber, DropsTheSignWhenItStopsEarly) {
  EXPECT_EQ(StrToIntLoose("-5x"), 5);
  EXPECT_EQ(StrToIntLoose("-12;"), 12);
}

TEST(TextToNumber, ReadsHexadecimalAfterItsPrefixes) {
  EXPECT_EQ(StrToIntLoose("$1F"), 31);
  EXPECT_EQ(StrToIntLoose("0x1f"), 31);
  EXPECT_EQ(StrToIntLoose("0X10"), 16);
  EXPECT_EQ(StrToIntLoose("x20"), 32);
  EXPECT_EQ(StrToIntLoose("-$10"), -16);
  EXPECT_EQ(StrToIntLoose("$1G"), 1);
}

TEST(TextToNumber, StopsBeforeADigitThatWouldOverflow) {
  EXPECT_EQ(StrToIntLoose("99999999999"), 999999999);
  EXPECT_EQ(StrToIntLoose("-99999999999"), 999999999);
  EXPECT_EQ(StrToIntLoose("2147483647"), 2147483647);
}

TEST(TextToNumber, LooksAtTheFirst255CharactersOnly) {
  // The cut comes before the spaces are removed.
  EXPECT_EQ(StrToIntLoose(std::string(254, ' ') + "12"), 1);
  EXPECT_EQ(StrToIntLoose(std::string(253, ' ') + "12"), 12);
}

TEST(RowFields, CountFromOneAndKeepTheirBlanks) {
  const std::string Row = "5,69,7,4,4 ,4";
  EXPECT_EQ(GetField(Row, 1, ","), "5");
  EXPECT_EQ(GetField(Row, 5, ","), "4 ");
  EXPECT_EQ(GetField(Row, 6, ","), "4");
  EXPECT_EQ(GetField(Row, 7, ","), "");
  EXPECT_EQ(GetField(" 7 , 8", 1, ","), " 7 ");
  EXPECT_EQ(GetField("abc", 1, ","), "abc");
  EXPECT_EQ(GetField("", 1, ","), "");
}

TEST(RowFields, EmptyFieldAnswersEmptyAndLaterFieldsKeepTheirNumbers) {
  EXPECT_EQ(GetField("1,,2", 1, ","), "1");
  EXPECT_EQ(GetField("1,,2", 2, ","), "");
  EXPECT_EQ(GetField("1,,2", 3, ","), "2");
  EXPECT_EQ(GetField(",3", 1, ","), "");
  EXPECT_EQ(GetField(",3", 2, ","), "3");
  EXPECT_EQ(GetField("1, ,2", 2, ","), " ");
}

TEST(RowFields, SeparatorAtTheEndMakesNoFurtherField) {
  EXPECT_EQ(GetField("1,2,", 2, ","), "2");
  EXPECT_EQ(GetField("1,2,", 3, ","), "");
  EXPECT_EQ(GetField("1,2,,", 3, ","), "");
}

TEST(RowFields, NumberZeroOrBelowAnswersEmpty) {
  EXPECT_EQ(GetField("1,2", 0, ","), "");
  EXPECT_EQ(GetField("1,2", -1, ","), "");
}

TEST(RowFields, SeparatorIsFoundWithoutRegardToCase) {
  EXPECT_EQ(GetField("oneXtwoxthree", 2, "x"), "two");
  EXPECT_EQ(GetField("oneXtwoxthree", 3, "X"), "three");
  EXPECT_EQ(GetField("1aB2Ab3", 3, "ab"), "3");
}

TEST(TextHelpers, CopyFromAnswersTheTail) {
  const std::string Line = "0123456789" + std::string("3,4");
  EXPECT_EQ(CopyFrom(Line, 11), "3,4");
  EXPECT_EQ(CopyFrom(Line, 13), "4");
  EXPECT_EQ(CopyFrom(Line, 1), Line);
  EXPECT_EQ(CopyFrom(Line, 14), "");
  EXPECT_EQ(CopyFrom(Line, 20), "");
}

TEST(TextHelpers, StartsWithTextIgnoresCaseAndOuterBlanksOfTheComparedParts) {
  EXPECT_TRUE(StartsWithText("addrow('1,2');", "AddRow('", -1));
  EXPECT_TRUE(StartsWithText("ADDROW('1,2');", "AddRow('", -1));
  EXPECT_FALSE(StartsWithText(" AddRow('1,2');", "AddRow('", -1));
  EXPECT_FALSE(StartsWithText("AddSwitch(1,2)", "AddRow('", -1));
  EXPECT_TRUE(StartsWithText("AddRow  tail", "addrow  ", -1));
  EXPECT_TRUE(StartsWithText("Add", "add", 10));
  EXPECT_TRUE(StartsWithText("AddRow", "Add", 3));
  EXPECT_FALSE(StartsWithText("AddRow", "Add", 4));
  EXPECT_FALSE(StartsWithText("anything", "", -1));
  EXPECT_FALSE(StartsWithText("", "", 0));
  EXPECT_FALSE(StartsWithText("Add", "Add", 0));
}

TEST(TextHelpers, RemoveTextDeletesFirstOrEveryOccurrence) {
  EXPECT_EQ(RemoveText("AddRow('1,2');", "AddRow('", true), "1,2');");
  EXPECT_EQ(RemoveText("a-b-c", "-", false), "ab-c");
  EXPECT_EQ(RemoveText("a-b-c", "-", true), "abc");
  EXPECT_EQ(RemoveText("a-b-c", "", true), "a-b-c");
  EXPECT_EQ(RemoveText("abc", "x", true), "abc");
}

TEST(TextHelpers, RemoveTextAlsoDeletesOccurrencesADeletionCreates) {
  EXPECT_EQ(RemoveText("aabb", "ab", true), "");
  EXPECT_EQ(RemoveText("aabb", "ab", false), "ab");
}

TEST(TextHelpers, RemoveTextWorksPastThe255thCharacter) {
  const std::string Long = std::string(300, 'x') + "'," + std::string(10, 'y') + "',";
  EXPECT_EQ(RemoveText(Long, "',", true), std::string(300, 'x') + std::string(10, 'y'));
  EXPECT_EQ(RemoveText(Long, "',", false), std::string(300, 'x') + std::string(10, 'y') + "',");
}

// ---- Files and documents --------------------------------------------------------------------

class FileRoutines : public SupportRoutines {
 protected:
  TTempCurrentDir Dir;
  std::string In(const std::string& Name) { return (Dir.Path / Name).string(); }
};

TEST_F(FileRoutines, FileFoundFindsFilesAndFolders) {
  WriteFile(Dir.Path / "level.txt", "AddRow('1');");
  std::filesystem::create_directory(Dir.Path / "sub");
  EXPECT_TRUE(FileFound(In("level.txt"), false));
  EXPECT_TRUE(FileFound("level.txt", false)) << "relative to the current directory";
  EXPECT_TRUE(FileFound(In("sub"), false));
  EXPECT_FALSE(FileFound(In("missing.txt"), false));
}

TEST_F(FileRoutines, FileFoundIgnoresTrailingSpaces) {
  WriteFile(Dir.Path / "level.txt", "x");
  EXPECT_TRUE(FileFound(In("level.txt") + "   ", false));
}

TEST_F(FileRoutines, FileFoundAnswersFalseForWildcardsEvenWhenFilesMatch) {
  WriteFile(Dir.Path / "level.txt", "x");
  EXPECT_FALSE(FileFound(In("*.txt"), false));
  EXPECT_FALSE(FileFound(In("level.tx?"), false));
}

TEST_F(FileRoutines, FileFoundAnswersFalseForAnEmptyName) {
  EXPECT_FALSE(FileFound("", false));
  EXPECT_FALSE(FileFound("   ", false));
}

TEST_F(FileRoutines, FileFoundWithNonEmptyRequiresContent) {
  WriteFile(Dir.Path / "full.txt", "x");
  WriteFile(Dir.Path / "empty.txt", "");
  EXPECT_TRUE(FileFound(In("full.txt"), true));
  EXPECT_FALSE(FileFound(In("empty.txt"), true));
  EXPECT_TRUE(FileFound(In("empty.txt"), false));
}

TEST_F(FileRoutines, FileFoundTakesNamesInAnyScriptAsTheyAre) {
  const std::string Cjk = "level\xE4\xB8\xAD.txt";
  WriteFile(Dir.Path / Cjk, "x");
  EXPECT_TRUE(FileFound(In(Cjk), false));
  std::filesystem::create_directory(Dir.Path / "уровень");
  WriteFile(Dir.Path / "уровень" / "café.txt", "x");
  EXPECT_TRUE(FileFound(In("уровень/café.txt"), true));
  EXPECT_FALSE(FileFound(In("уровень/cafe.txt"), false));
  // A name that really ends in a blank, or holds a '?', is a name like any other.
  WriteFile(Dir.Path / "end ", "x");
  WriteFile(Dir.Path / "what?", "x");
  EXPECT_TRUE(FileFound(In("end "), false));
  EXPECT_TRUE(FileFound(In("what?"), false));
}

TEST_F(FileRoutines, MissingDocumentShowsTheFailureMessageAndOpensNothing) {
  EXPECT_FALSE(RunProgram("README.TXT", "", true, "", true));
  EXPECT_TRUE(Platform.Documents.empty());
  ASSERT_EQ(Platform.Messages.size(), 1U);
  const std::string Prefix = "Kon programma README.TXT niet uitvoeren. Code ";
  const std::string& Message = Platform.Messages[0];
  ASSERT_EQ(Message.rfind(Prefix, 0), 0U) << Message;
  const std::string ErrorText = Message.substr(Prefix.size());
  if (!ErrorText.empty()) {
    // The system's words, then " (Code n)".
    EXPECT_NE(ErrorText.find(" (Code "), std::string::npos) << ErrorText;
    EXPECT_EQ(ErrorText.back(), ')') << ErrorText;
  }
}

TEST_F(FileRoutines, ExistingDocumentIsHandedToTheDesktop) {
  WriteFile(Dir.Path / "README.TXT", "read me");
  EXPECT_TRUE(RunProgram("README.TXT", "", true, "", true));
  ASSERT_EQ(Platform.Documents.size(), 1U);
  EXPECT_TRUE(std::filesystem::equivalent(Platform.Documents[0], Dir.Path / "README.TXT"))
      << Platform.Documents[0];
  EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(FileRoutines, DocumentThatLooksLikeAProgramIsOpenedNeverStarted) {
  const auto Script = Dir.Path / "README.TXT";
  WriteFile(Script, "#!/bin/sh\ntouch \"" + In("started") + "\"\n");
  std::filesystem::permissions(Script, std::filesystem::perms::owner_all);
  EXPECT_TRUE(RunProgram("README.TXT", "", true, "", true));
  EXPECT_EQ(Platform.Documents.size(), 1U);
  EXPECT_FALSE(std::filesystem::exists(Dir.Path / "started"));
}

TEST_F(FileRoutines, LinksAreHandedToTheDesktopUnchanged) {
  EXPECT_TRUE(RunProgram("mailto:team@example.org", "", true, "", true));
  EXPECT_TRUE(RunProgram("https://example.org/karvan", "", true, "", true));
  EXPECT_EQ(Platform.Documents,
            (std::vector<std::string>{"mailto:team@example.org", "https://example.org/karvan"}));
  EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(FileRoutines, DesktopFailureIsReportedWithTheSystemsWordsAndCode) {
  Platform.OpenAnswer = {false, 5, "Access is denied."};
  EXPECT_FALSE(RunProgram("mailto:team@example.org", "", true, "", true));
  Platform.OpenAnswer = {false, 0, ""};
  EXPECT_FALSE(RunProgram("https://example.org", "", true, "", true));
  EXPECT_EQ(Platform.Messages,
            (std::vector<std::string>{
                "Kon programma mailto:team@example.org niet uitvoeren. Code Access is denied. "
                "(Code 5)",
                "Kon programma https://example.org niet uitvoeren. Code "}));
}
