#include "game/custom_level_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "engine/level.h"
#include "engine/platform.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "levels/custom_level.h"

namespace karvan {

TPos PosFromText(std::string_view s) {
  // Editors write "AddSwitch(1, 2, 3, 4, PosLeft);" with blanks after the commas: the word
  // counts from its first letter.
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  if (StartsWithText(s, "PosTop", -1)) return PosTop;
  if (StartsWithText(s, "PosBottom", -1)) return PosBottom;
  if (StartsWithText(s, "PosLeft", -1)) return PosLeft;
  if (StartsWithText(s, "PosRight", -1)) return PosRight;
  return PosTop;
}

namespace {

// Windows-1252 byte of a code point, or '?' when the code page has none.
char To1252(char32_t Code) {
  if (Code < 0x80 || (Code >= 0xA0 && Code <= 0xFF)) return static_cast<char>(Code);
  static constexpr char32_t High[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i)
    if (High[i] != 0 && High[i] == Code) return static_cast<char>(0x80 + i);
  return '?';
}

std::string FromUtf8(std::string_view Bytes) {
  std::string Result;
  std::size_t i = 0;
  while (i < Bytes.size()) {
    const auto Lead = static_cast<unsigned char>(Bytes[i]);
    int Follow = Lead < 0x80             ? 0
                 : (Lead & 0xE0) == 0xC0 ? 1
                 : (Lead & 0xF0) == 0xE0 ? 2
                 : (Lead & 0xF8) == 0xF0 ? 3
                                         : -1;
    if (Follow < 0 || i + Follow >= Bytes.size()) {
      Result.push_back('?');
      ++i;
      continue;
    }
    char32_t Code = Follow == 0 ? Lead : Lead & (0x3F >> Follow);
    bool Ok = true;
    for (int k = 1; k <= Follow; ++k) {
      const auto Next = static_cast<unsigned char>(Bytes[i + k]);
      Ok = Ok && (Next & 0xC0) == 0x80;
      Code = (Code << 6) | (Next & 0x3F);
    }
    Result.push_back(Ok ? To1252(Code) : '?');
    i += Ok ? Follow + 1 : 1;
  }
  return Result;
}

std::string FromUtf16(std::string_view Bytes, bool BigEndian) {
  std::string Result;
  for (std::size_t i = 0; i + 1 < Bytes.size(); i += 2) {
    const auto A = static_cast<unsigned char>(Bytes[i]);
    const auto B = static_cast<unsigned char>(Bytes[i + 1]);
    const char32_t Unit = BigEndian ? (A << 8 | B) : (B << 8 | A);
    if (Unit >= 0xD800 && Unit <= 0xDFFF) {
      // Both halves of a surrogate pair stand for one character outside the code page.
      if (Unit <= 0xDBFF) {
        Result.push_back('?');
        i += 2;
      } else {
        Result.push_back('?');
      }
      continue;
    }
    Result.push_back(To1252(Unit));
  }
  return Result;
}

}  // namespace

std::vector<std::string> LevelFileLinesFromBytes(std::string_view Bytes) {
  std::string Decoded;
  std::string_view Text = Bytes;
  if (Bytes.rfind("\xEF\xBB\xBF", 0) == 0)
    Text = Decoded = FromUtf8(Bytes.substr(3));
  else if (Bytes.rfind("\xFF\xFE", 0) == 0)
    Text = Decoded = FromUtf16(Bytes.substr(2), false);
  else if (Bytes.rfind("\xFE\xFF", 0) == 0)
    Text = Decoded = FromUtf16(Bytes.substr(2), true);

  // A line end ends a line, empty or not; the text after the last one is a line unless empty.
  std::vector<std::string> Lines;
  while (!Text.empty()) {
    const std::size_t End = Text.find_first_of("\r\n");
    if (End == std::string_view::npos) {
      Lines.emplace_back(Text);
      break;
    }
    Lines.emplace_back(Text.substr(0, End));
    const bool CrLf = Text[End] == '\r' && End + 1 < Text.size() && Text[End + 1] == '\n';
    Text.remove_prefix(End + (CrLf ? 2 : 1));
  }
  return Lines;
}

std::optional<std::vector<std::string>> ReadLevelFileLines(const std::string& Path) {
  std::error_code Error;
  if (!std::filesystem::is_regular_file(std::filesystem::status(Path, Error))) return std::nullopt;
  std::ifstream In(Path, std::ios::binary);
  if (!In) return std::nullopt;
  // One byte past the limit tells a file that is too long from one that just fits.
  std::string Bytes;
  std::array<char, 1 << 16> Chunk{};
  while (In && Bytes.size() <= MaxCustomLevelFileBytes) {
    const std::size_t Want =
        std::min<std::size_t>(Chunk.size(), MaxCustomLevelFileBytes + 1 - Bytes.size());
    In.read(Chunk.data(), static_cast<std::streamsize>(Want));
    Bytes.append(Chunk.data(), static_cast<std::size_t>(In.gcount()));
  }
  if (In.bad()) return std::nullopt;
  if (Bytes.size() > MaxCustomLevelFileBytes) return std::vector<std::string>{};
  return LevelFileLinesFromBytes(Bytes);
}

namespace {

// Line without every occurrence of Sub, each removal searching the text from its start again,
// so that a removal may join two parts into a new occurrence ("AddAddRow('Row('" loses both).
// The removed text is never copied back: the characters kept so far never hold Sub, so the
// first occurrence of what is left can only end at the character just kept, and the kept text
// stays linear in the line's length where erasing from a copy was quadratic. Only Sub's last
// character can complete an occurrence: the text up to the next one is kept in one piece.
void RemoveEvery(std::string_view Line, std::string_view Sub, std::string& Kept) {
  Kept.clear();
  Kept.reserve(Line.size());
  while (!Line.empty()) {
    const std::size_t Last = Line.find(Sub.back());
    if (Last == std::string_view::npos) {
      Kept.append(Line);
      break;
    }
    Kept.append(Line.substr(0, Last + 1));
    Line.remove_prefix(Last + 1);
    if (Kept.size() >= Sub.size() && std::string_view(Kept).substr(Kept.size() - Sub.size()) == Sub)
      Kept.resize(Kept.size() - Sub.size());
  }
}

// RowText into Text, with Scratch for the text between the two removals; a file of many rows
// reuses both.
void RowTextInto(std::string_view Line, std::string& Text, std::string& Scratch) {
  RemoveEvery(Line, "AddRow('", Scratch);
  RemoveEvery(Scratch, "');", Text);
}

}  // namespace

std::string RowText(std::string_view Line) {
  std::string Text;
  std::string Scratch;
  RowTextInto(Line, Text, Scratch);
  return Text;
}

TSwitchLine ReadSwitchLine(std::string_view Line) {
  TSwitchLine Result;
  Result.xSwitch = StrToIntLoose(CopyFrom(GetField(Line, 1, ","), 11));
  Result.ySwitch = StrToIntLoose(GetField(Line, 2, ","));
  Result.xPlatForm = StrToIntLoose(GetField(Line, 3, ","));
  Result.yPlatForm = StrToIntLoose(GetField(Line, 4, ","));
  Result.Dir = PosFromText(GetField(Line, 5, ","));
  return Result;
}

TCustomLevelRows ReadCustomLevelRows(const std::vector<std::string>& Lines) {
  TCustomLevelRows Read;
  Read.RowEnd.reserve(Lines.size());
  std::string Text;
  std::string Scratch;
  for (const std::string& Line : Lines) {
    if (!StartsWithText(Line, "AddSwitch(", -1)) {
      const std::size_t Begin = Read.Codes.size();
      RowTextInto(Line, Text, Scratch);
      AppendRowCodes(Text, Read.Codes);
      const std::size_t Count = Read.Codes.size() - Begin;
      if (Count > 0) {  // a row that begins with an empty field adds nothing
        ++Read.Rows;
        Read.Columns = std::max(Read.Columns, Count);
      }
    }
    Read.RowEnd.push_back(Read.Codes.size());
  }
  for (std::int64_t Code : Read.Codes)
    if (Code >= 2048 || (Code >= 0 && (Code & (1 << gcHero)) != 0)) Read.Hero = true;
  return Read;
}

std::span<const std::int64_t> TCustomLevelRows::Row(std::size_t Line) const {
  const std::size_t Begin = Line == 0 ? 0 : RowEnd[Line - 1];
  return std::span<const std::int64_t>(Codes).subspan(Begin, RowEnd[Line] - Begin);
}

bool IsPlayableCustomLevel(const std::vector<std::string>& Lines, const TCustomLevelRows& Read) {
  if (Lines.empty() || !StartsWithText(Lines[0], "AddRow('", -1)) return false;
  return Read.Rows >= 4 && Read.Columns >= 5 && Read.Rows * Read.Columns <= MaxCustomLevelCells &&
         Read.Hero;
}

bool IsPlayableCustomLevel(const std::vector<std::string>& Lines) {
  if (Lines.empty() || !StartsWithText(Lines[0], "AddRow('", -1)) return false;
  return IsPlayableCustomLevel(Lines, ReadCustomLevelRows(Lines));
}

void TKarvanForm::BuildCustomLevel(const std::vector<std::string>& Lines) {
  BuildCustomLevel(Lines, ReadCustomLevelRows(Lines));
}

void TKarvanForm::BuildCustomLevel(const std::vector<std::string>& Lines,
                                   const TCustomLevelRows& Read) {
  auto NewLevel = MakeLevel<TCustomLevel>(*this, -1);
  // The file was checked, so the map holds no more cells than a level may have: the grid is
  // laid out for all its rows at once.
  NewLevel->ReserveRows(Read.Rows);
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (StartsWithText(Lines[i], "AddSwitch(", -1)) {
      const TSwitchLine S = ReadSwitchLine(Lines[i]);
      AddSwitch(S.xSwitch, S.ySwitch, S.xPlatForm, S.yPlatForm, S.Dir);
    } else {
      NewLevel->AddRowCodes(Read.Row(i));
    }
  }
  SetLevel(std::move(NewLevel));
}

bool TKarvanForm::LoadLevelFile(const std::string& Path, bool ReportMissing) {
  Platform& P = GetPlatform();
  if (!FileFound(Path, false)) {
    if (ReportMissing) P.ShowMessage("The file " + Path + " does not exist.");
    return false;
  }
  // The name as it is, unless only the name without its trailing blanks exists.
  std::string Name = Path;
  std::error_code Error;
  if (!std::filesystem::exists(std::filesystem::path(Name), Error))
    Name.erase(Name.find_last_not_of(' ') + 1);
  std::string FullName = std::filesystem::absolute(Name, Error).lexically_normal().string();
  if (Error) FullName = Name;
  // Chosen in the level choice, the file replaces whatever level the form held; chosen
  // from the menu during a game, a file that cannot be played leaves the game untouched.
  if (!GameRunning) FreeLevel();
  const auto Lines = ReadLevelFileLines(FullName);
  if (!Lines) {
    P.ShowMessage("The file " + FullName + " cannot be read.");
    return false;
  }
  return LoadLevelLines(*Lines, FullName);
}

bool TKarvanForm::LoadLevelLines(const std::vector<std::string>& Lines, const std::string& Name) {
  if (!GameRunning) FreeLevel();
  // The rows are read once, for the check and for building the level.
  const bool RowStatement = !Lines.empty() && StartsWithText(Lines[0], "AddRow('", -1);
  const TCustomLevelRows Read = RowStatement ? ReadCustomLevelRows(Lines) : TCustomLevelRows{};
  if (!IsPlayableCustomLevel(Lines, Read)) {
    GetPlatform().ShowMessage(Name + " is not a valid Karvan Mirk File.");
    return false;
  }
  if (GameRunning) {
    PendingCustomLines = Lines;
    CustomLevelPending = true;
  } else {
    BuildCustomLevel(Lines, Read);
  }
  return true;
}

void TKarvanForm::LoadClick() {
  Platform& P = GetPlatform();
  // A name from the dialog that names nothing is passed over without a word.
  if (const std::optional<std::string> Chosen = P.ExecuteOpenDialog())
    LoadLevelFile(*Chosen, false);
  // The file dialog may have changed the current directory; the documents are opened
  // relative to the program's folder.
  std::error_code Error;
  std::filesystem::current_path(P.ProgramDirectory(), Error);
}

}  // namespace karvan
