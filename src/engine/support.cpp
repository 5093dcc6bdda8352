#include "engine/support.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include "engine/change_watch.h"
#include "engine/platform.h"

namespace karvan {

std::int64_t Now() {
  return GetPlatform().GetTickCount();
}

bool TimePassed(std::int64_t& Since, std::int64_t Delay) {
  if (Since == -1) return false;
  const std::int64_t Current = Now();
  if (Current - Since >= Delay) {
    Since = Current;
    ChangeWatch.NoteActivity();
    return true;
  }
  ChangeWatch.NoteDue(Since + Delay);
  return false;
}

TPos OppositeDir(TPos Dir) {
  switch (Dir) {
    case PosTop:
      return PosBottom;
    case PosBottom:
      return PosTop;
    case PosLeft:
      return PosRight;
    case PosRight:
      return PosLeft;
    default:
      return Dir;
  }
}

bool PointInPanel(const TPanel* Panel, int x, int y) {
  if (Panel == nullptr) return false;
  return Panel->Left <= x && x <= Panel->Left + Panel->Width && Panel->Top <= y &&
         y <= Panel->Top + Panel->Height;
}

void PumpMessages() {
  Platform& P = GetPlatform();
  P.NextChangeAt(ChangeWatch.Take(P.GetTickCount()));
  P.PumpMessages();
}

void WaitTicks(std::int64_t Duration) {
  const std::int64_t Start = Now();
  for (;;) {
    Platform& P = GetPlatform();
    P.NextChangeAt(TChangeWatch::TakeWaiting(Start + Duration + 1));
    P.PumpMessages();
    const std::int64_t Current = Now();
    if (Current - Start > Duration) return;
    if (Current < Start) return;  // the counter went back: never wait for ever
  }
}

void ReadSetting(std::string_view, std::string_view, std::string& Value) {
  Value.clear();
}

void WriteSetting(std::string_view, std::string_view) {}

namespace {

bool EntryFound(const std::filesystem::path& Path, bool NonEmpty) {
  std::error_code Error;
  const auto Status = std::filesystem::status(Path, Error);
  if (Error || !std::filesystem::exists(Status)) return false;
  if (NonEmpty) {
    if (!std::filesystem::is_regular_file(Status)) return false;
    const auto Size = std::filesystem::file_size(Path, Error);
    if (Error || Size == 0) return false;
  }
  return true;
}

}  // namespace

bool FileFound(std::string_view Name, bool NonEmpty) {
  // Names come from the desktop as UTF-8 and are used as they are, whatever their letters. A
  // name that exists exactly as given is found, also one that ends in blanks or holds '*' or
  // '?', which are plain letters in file names here.
  if (Name.empty()) return false;
  if (EntryFound(std::filesystem::path(std::string(Name)), NonEmpty)) return true;
  while (!Name.empty() && Name.back() == ' ') Name.remove_suffix(1);
  if (Name.empty()) return false;
  if (Name.find_first_of("*?") != std::string_view::npos) return false;
  return EntryFound(std::filesystem::path(std::string(Name)), NonEmpty);
}

std::string RunProgramFailureText(std::string_view Target, int ErrorCode,
                                  std::string_view ErrorText) {
  std::string Text = "Kon programma ";
  Text += Target;
  Text += " niet uitvoeren. Code ";
  if (ErrorCode != 0) {
    Text += ErrorText;
    Text += " (Code " + std::to_string(ErrorCode) + ")";
  }
  return Text;
}

namespace {

// "mailto:..." and "https://..." are links; a single letter before the colon would be a
// drive, and anything else is a file name.
bool IsLink(std::string_view Target) {
  const std::size_t Colon = Target.find(':');
  if (Colon == std::string_view::npos || Colon < 2) return false;
  for (std::size_t i = 0; i < Colon; ++i) {
    const char C = Target[i];
    const bool Ok = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') ||
                    (i > 0 && ((C >= '0' && C <= '9') || C == '+' || C == '-' || C == '.'));
    if (!Ok) return false;
  }
  return true;
}

}  // namespace

bool RunProgram(std::string_view Target, std::string_view, bool, std::string_view, bool) {
  // A document is only ever handed to the desktop's viewer: a file named like a document must
  // never be started as a program.
  TOpenResult Result;
  const std::string_view Trimmed = TrimBlanks(Target);
  if (Trimmed.empty()) {
    Result = {false, ENOENT, std::generic_category().message(ENOENT)};
  } else if (IsLink(Trimmed)) {
    Result = GetPlatform().OpenDocument(Trimmed);
  } else {
    std::error_code Error;
    std::filesystem::path Path{std::string(Trimmed)};
    if (Path.is_relative()) Path = std::filesystem::current_path(Error) / Path;
    if (Error || !std::filesystem::exists(Path, Error)) {
      Result = {false, ENOENT, std::generic_category().message(ENOENT)};
    } else {
      Result = GetPlatform().OpenDocument(Path.lexically_normal().string());
    }
  }
  if (Result.Ok) return true;
  GetPlatform().ShowMessage(RunProgramFailureText(Target, Result.ErrorCode, Result.ErrorText));
  return false;
}

namespace {
std::mt19937& Generator() {
  static std::mt19937 Instance;
  return Instance;
}
}  // namespace

void Randomize() {
  Generator().seed(static_cast<std::uint32_t>(Now()));
}

int Random(int Range) {
  if (Range <= 0) return 0;
  ChangeWatch.NoteActivity();
  return static_cast<int>(Generator()() % static_cast<std::uint32_t>(Range));
}

}  // namespace karvan
