// The text routines that read level rows: numbers, fields and prefixes. Kept apart from the
// clock and the other helpers so that a fuzzing build can trace the comparisons of the code that
// reads a file's bytes without paying for it in every timer test of a pass.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "engine/support.h"

namespace karvan {

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

}  // namespace

std::string_view TrimBlanks(std::string_view S) {
  while (!S.empty() && IsBlank(S.front())) S.remove_prefix(1);
  while (!S.empty() && IsBlank(S.back())) S.remove_suffix(1);
  return S;
}

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

}  // namespace karvan
