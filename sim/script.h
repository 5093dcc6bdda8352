// The simulator's script: timed input, dialog answers and state requests, one per line.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/types.h"

namespace karvan::sim {

enum class TAction { Down, Up, Press, Click, RClick, Menu, Choose, File, Intro, State };

struct TScriptLine {
  int LineNr = 0;         // 1-based line of the script file
  std::int64_t Time = 0;  // virtual ms since start
  TAction Action = TAction::State;
  Word Key = 0;  // down, up, press
  TShiftState Shift = 0;
  int X = 0;  // click, rclick
  int Y = 0;
  int Number = 0;    // choose
  bool Ok = true;    // intro
  std::string Text;  // menu caption, file path (empty = cancel)
};

// Dialog answers wait for the dialog; everything else is delivered by the clock.
bool IsAnswer(TAction Action);

struct TScript {
  std::string Name;  // for messages
  std::vector<TScriptLine> Lines;
};

// A fault in the script, or an action that cannot be carried out; names the line.
class TScriptError : public std::runtime_error {
 public:
  TScriptError(const std::string& ScriptName, int LineNr, const std::string& What);
};

// Reads a script; a malformed line raises TScriptError.
TScript ParseScript(std::istream& In, const std::string& Name);

// Key names of the script: Left Up Right Down Z Escape 1 F4, and alt+F4.
bool ParseKey(const std::string& Text, Word& Key, TShiftState& Shift);

}  // namespace karvan::sim
