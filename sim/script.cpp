#include "sim/script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

namespace karvan::sim {

bool IsAnswer(TAction Action) {
  return Action == TAction::Choose || Action == TAction::File || Action == TAction::Intro;
}

TScriptError::TScriptError(const std::string& ScriptName, int LineNr, const std::string& What)
    : std::runtime_error(ScriptName + ":" + std::to_string(LineNr) + ": " + What) {}

namespace {

std::string Trim(const std::string& S) {
  std::size_t Begin = 0;
  std::size_t End = S.size();
  while (Begin < End && std::isspace(static_cast<unsigned char>(S[Begin]))) ++Begin;
  while (End > Begin && std::isspace(static_cast<unsigned char>(S[End - 1]))) --End;
  return S.substr(Begin, End - Begin);
}

std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  return S;
}

bool ParseWhole(const std::string& Text, std::int64_t& Value) {
  if (Text.empty()) return false;
  const char* End = Text.data() + Text.size();
  const auto [Ptr, Error] = std::from_chars(Text.data(), End, Value);
  return Error == std::errc() && Ptr == End;
}

// The next blank-separated word of Rest, removed from it.
std::string TakeWord(std::string& Rest) {
  Rest = Trim(Rest);
  const std::size_t Space = Rest.find_first_of(" \t");
  std::string Word = Rest.substr(0, Space);
  Rest = Space == std::string::npos ? std::string() : Trim(Rest.substr(Space));
  return Word;
}

}  // namespace

bool ParseKey(const std::string& Text, Word& Key, TShiftState& Shift) {
  std::string Name = Lower(Text);
  Shift = 0;
  if (Name.rfind("alt+", 0) == 0) {
    Shift = ssAlt;
    Name = Name.substr(4);
  }
  static const std::pair<const char*, Word> Keys[] = {
      {"left", VK_LEFT}, {"up", VK_UP},         {"right", VK_RIGHT}, {"down", VK_DOWN},
      {"z", VK_Z},       {"escape", VK_ESCAPE}, {"1", VK_1},         {"f4", VK_F4}};
  for (const auto& [KeyName, Code] : Keys)
    if (Name == KeyName) {
      Key = Code;
      return true;
    }
  return false;
}

TScript ParseScript(std::istream& In, const std::string& Name) {
  TScript Script;
  Script.Name = Name;
  std::string Raw;
  int LineNr = 0;
  std::int64_t Previous = 0;
  while (std::getline(In, Raw)) {
    ++LineNr;
    const std::size_t Hash = Raw.find('#');
    std::string Rest = Trim(Hash == std::string::npos ? Raw : Raw.substr(0, Hash));
    if (Rest.empty()) continue;
    auto Fail = [&](const std::string& What) { return TScriptError(Name, LineNr, What); };

    TScriptLine Line;
    Line.LineNr = LineNr;
    const std::string When = TakeWord(Rest);
    std::int64_t Amount = 0;
    if ((When[0] != '@' && When[0] != '+') || !ParseWhole(When.substr(1), Amount) || Amount < 0)
      throw Fail("expected a time such as @500 or +100, found '" + When + "'");
    Line.Time = When[0] == '@' ? Amount : Previous + Amount;
    Previous = Line.Time;

    const std::string Action = Lower(TakeWord(Rest));
    if (Action.empty()) throw Fail("missing action after '" + When + "'");
    if (Action == "down" || Action == "up" || Action == "press") {
      Line.Action = Action == "down" ? TAction::Down
                    : Action == "up" ? TAction::Up
                                     : TAction::Press;
      const std::string KeyName = TakeWord(Rest);
      if (!ParseKey(KeyName, Line.Key, Line.Shift))
        throw Fail("unknown key '" + KeyName +
                   "' (keys: Left Up Right Down Z Escape 1 F4, alt+F4)");
      if (!Rest.empty()) throw Fail("unexpected text after the key: '" + Rest + "'");
    } else if (Action == "click" || Action == "rclick") {
      Line.Action = Action == "click" ? TAction::Click : TAction::RClick;
      std::int64_t X = 0;
      std::int64_t Y = 0;
      const std::string XText = TakeWord(Rest);
      const std::string YText = TakeWord(Rest);
      if (!ParseWhole(XText, X) || !ParseWhole(YText, Y) || !Rest.empty() || X < -100000 ||
          X > 100000 || Y < -100000 || Y > 100000)
        throw Fail(Action + " takes two whole numbers: window x and y");
      Line.X = static_cast<int>(X);
      Line.Y = static_cast<int>(Y);
    } else if (Action == "menu") {
      Line.Action = TAction::Menu;
      Line.Text = Rest;
      if (Line.Text.empty()) throw Fail("menu needs the caption of an entry");
    } else if (Action == "choose") {
      Line.Action = TAction::Choose;
      std::int64_t Number = -1;
      if (!ParseWhole(TakeWord(Rest), Number) || Number < 0 || Number > 24 || !Rest.empty())
        throw Fail("choose takes a level number 1 to 24, or 0 to cancel");
      Line.Number = static_cast<int>(Number);
    } else if (Action == "file") {
      Line.Action = TAction::File;
      Line.Text = Rest;
    } else if (Action == "intro") {
      Line.Action = TAction::Intro;
      const std::string Answer = Lower(TakeWord(Rest));
      if ((Answer != "ok" && Answer != "cancel") || !Rest.empty())
        throw Fail("intro takes ok or cancel");
      Line.Ok = Answer == "ok";
    } else if (Action == "state") {
      Line.Action = TAction::State;
      if (!Rest.empty()) throw Fail("state takes no arguments");
    } else {
      throw Fail("unknown action '" + Action +
                 "' (actions: down up press click rclick menu choose file intro state)");
    }
    Script.Lines.push_back(std::move(Line));
  }
  return Script;
}

}  // namespace karvan::sim
