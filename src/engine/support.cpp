#include "engine/support.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <limits>
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

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

}  // namespace

// Reads an optional sign, then hexadecimal digits after "$", "x", "X", "0x" or "0X", or
// decimal digits. At the end of the text the number is answered with its sign; at a stray
// character, or where the next digit would overflow, the digits read so far are answered
// without the sign. Spaces anywhere are ignored; the text counts up to 255 characters.
int StrToIntLoose(std::string_view S) {
  // The text without its spaces, on the stack: a level file reads one number per cell.
  std::array<char, 255> Kept;  // only the first KeptSize characters are read
  std::size_t KeptSize = 0;
  for (char C : S.substr(0, Kept.size()))
    if (C != ' ') Kept[KeptSize++] = C;
  const std::string_view Text(Kept.data(), KeptSize);
  std::size_t i = 0;
  bool Negative = false;
  if (i < Text.size() && (Text[i] == '-' || Text[i] == '+')) {
    Negative = Text[i] == '-';
    ++i;
  }
  int Base = 10;
  if (i < Text.size() && (Text[i] == '$' || Text[i] == 'x' || Text[i] == 'X')) {
    Base = 16;
    ++i;
  } else if (i + 1 < Text.size() && Text[i] == '0' && (Text[i + 1] == 'x' || Text[i + 1] == 'X')) {
    Base = 16;
    i += 2;
  }
  // Decimal numbers stay within the signed range, hexadecimal ones within 32 bits.
  const std::uint64_t Limit = Base == 10 ? std::numeric_limits<std::int32_t>::max()
                                         : std::numeric_limits<std::uint32_t>::max();
  std::uint64_t Value = 0;
  for (; i < Text.size(); ++i) {
    const int Digit =
        Base == 16 ? HexValue(Text[i]) : (Text[i] >= '0' && Text[i] <= '9' ? Text[i] - '0' : -1);
    if (Digit < 0 || Value * Base + Digit > Limit) return static_cast<std::int32_t>(Value);
    Value = Value * Base + Digit;
  }
  const auto Result = static_cast<std::int32_t>(static_cast<std::uint32_t>(Value));
  return Negative ? -Result : Result;
}

void IntToStrPad(int Width, std::string& Text, std::int64_t Value) {
  Text = std::to_string(Value);
  // Nobody asks for padding; a positive width pads with leading zeros after the sign.
  if (Width > 0) {
    const bool Negative = Value < 0;
    std::string Digits = Negative ? Text.substr(1) : Text;
    if (static_cast<int>(Digits.size()) < Width) Digits.insert(0, Width - Digits.size(), '0');
    Text = Negative ? "-" + Digits : Digits;
  }
}

namespace {

char LowerAscii(char C) {
  return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

// Position of the first occurrence of Sep in Text, ignoring the letter case of A-Z.
std::size_t FindNoCase(std::string_view Text, std::string_view Sep) {
  if (Sep.empty() || Sep.size() > Text.size()) return std::string_view::npos;
  for (std::size_t i = 0; i + Sep.size() <= Text.size(); ++i) {
    std::size_t k = 0;
    while (k < Sep.size() && LowerAscii(Text[i + k]) == LowerAscii(Sep[k])) ++k;
    if (k == Sep.size()) return i;
  }
  return std::string_view::npos;
}

bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

std::string_view TrimBlanks(std::string_view S) {
  while (!S.empty() && IsBlank(S.front())) S.remove_prefix(1);
  while (!S.empty() && IsBlank(S.back())) S.remove_suffix(1);
  return S;
}

}  // namespace

std::string GetField(std::string_view S, int N, std::string_view Sep) {
  std::string_view Rest = S;
  std::string_view Field;
  int i = 0;
  do {
    const std::size_t At = FindNoCase(Rest, Sep);
    Field = At == std::string_view::npos ? Rest : Rest.substr(0, At);
    Rest.remove_prefix(std::min(Rest.size(), Field.size() + Sep.size()));
    ++i;
  } while (!Rest.empty() && i < N);
  return i == N ? std::string(Field) : std::string();
}

std::string CopyFrom(std::string_view S, int From) {
  if (From < 1) From = 1;
  if (static_cast<std::size_t>(From) > S.size()) return {};
  return std::string(S.substr(From - 1));
}

bool StartsWithText(std::string_view S, std::string_view Prefix, int Count) {
  if (Count == -1) Count = static_cast<int>(Prefix.size());
  const std::string_view Head =
      Count <= 0 ? std::string_view() : S.substr(0, static_cast<std::size_t>(Count));
  if (Prefix.empty()) return false;
  const std::string_view A = TrimBlanks(Head);
  const std::string_view B = TrimBlanks(Prefix);
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i)
    if (LowerAscii(A[i]) != LowerAscii(B[i])) return false;
  return true;
}

std::string RemoveText(std::string_view S, std::string_view Sub, bool All) {
  std::string Result(S);
  if (Sub.empty()) return Result;
  std::size_t At = Result.find(Sub);
  while (At != std::string::npos) {
    Result.erase(At, Sub.size());
    if (!All) break;
    At = Result.find(Sub);
  }
  return Result;
}

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
