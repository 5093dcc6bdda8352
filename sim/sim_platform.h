// The headless platform: a virtual clock that advances only when input is pumped, scripted
// input and dialog answers, and state lines in JSON.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/platform.h"
#include "sim/script.h"

namespace karvan::sim {

struct TSimOptions {
  int Level = 1;                          // the level choice's default answer
  std::optional<std::string> CustomFile;  // answer "&Load custom level" with this file
  std::int64_t Step = 1;                  // ms the clock advances per pump
  std::optional<std::int64_t> Until;      // end of the run
  bool ShowMap = false;                   // add the visible map to every state line
  std::int64_t Cap = 30 * 60 * 1000;      // a run never lasts longer (virtual ms)
  // A state line each time the clock passes a multiple of this many ms (0: none); the golden
  // traces are made of them.
  std::int64_t TraceEvery = 0;
  // Skip the passes the game says change nothing, as a desktop sleeping until the next change
  // does: a pump then advances the clock to that tick, or to the next scripted event, state
  // line or end of the run when one comes first. Tests compare such runs with ordinary ones.
  bool Sleep = false;
};

// Thrown by the pump that reaches the end of the run; unwinds the game loop.
struct TSimStop {};

class SimPlatform : public Platform {
 public:
  SimPlatform(TScript ScriptParam, TSimOptions OptionsParam, std::ostream& OutParam);

  // The device form that receives the scripted input.
  void Attach(TLCDForm& FormParam) { Form = &FormParam; }

  std::int64_t GetTickCount() override { return Clock; }
  void PumpMessages() override;
  void NextChangeAt(std::int64_t Tick) override { NextChange = Tick; }
  void PlaySound(std::string_view Name) override;
  void ShowMessage(std::string_view Text) override;
  TOpenResult OpenDocument(std::string_view Target) override;
  std::optional<std::string> ExecuteOpenDialog() override;
  TModalResult ShowModal(TDialogForm& Dialog) override;
  void ShowDeviceForm(TLCDForm&) override {}
  void CrystalsChanged(std::span<const int>) override {}
  void SetCursor(TCursorShape Shape) override { Cursor = Shape; }
  void SetHint(std::string_view Text) override { Hint = Text; }
  void PopupMenu(TPopupMenu&, int ScreenX, int ScreenY) override;
  std::string ProgramDirectory() override;

  // Prints one state line and starts collecting sounds and messages anew.
  void PrintState(bool Ended);

  // What happened, for tests.
  std::int64_t Clock = 0;
  TCursorShape Cursor = TCursorShape::crArrow;
  std::string Hint;
  std::vector<std::string> Documents;
  int MenusShown = 0;
  std::vector<std::string> AllSounds;
  std::vector<std::string> AllMessages;
  int Deliveries = 0;  // scripted events delivered so far

 private:
  void Deliver(const TScriptLine& Line);
  // The first unused answer of that kind given at or before now.
  const TScriptLine* TakeAnswer(TAction Action);

  TScript Script;
  TSimOptions Options;
  std::ostream& Out;
  TLCDForm* Form = nullptr;
  std::vector<bool> Used;
  std::int64_t NextEventTime = 0;  // earliest time of an undelivered event
  std::int64_t NextTrace = 0;      // clock of the next trace line
  std::int64_t NextChange = 0;     // what the game told about its next change
  std::vector<std::string> Sounds;
  std::vector<std::string> Messages;
};

}  // namespace karvan::sim
