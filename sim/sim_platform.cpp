#include "sim/sim_platform.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "engine/lcd_form.h"
#include "engine/level.h"
#include "forms/level_select_form.h"
#include "sim/state_line.h"

namespace karvan::sim {

namespace {
constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();
}

SimPlatform::SimPlatform(TScript ScriptParam, TSimOptions OptionsParam, std::ostream& OutParam)
    : Script(std::move(ScriptParam)), Options(std::move(OptionsParam)), Out(OutParam) {
  Used.assign(Script.Lines.size(), false);
  NextEventTime = Never;
  for (const TScriptLine& Line : Script.Lines)
    if (!IsAnswer(Line.Action)) NextEventTime = std::min(NextEventTime, Line.Time);
  NextTrace = Options.TraceEvery > 0 ? Options.TraceEvery : Never;
}

void SimPlatform::PumpMessages() {
  std::int64_t Next = Clock + Options.Step;
  if (Options.Sleep && NextChange > Next)
    Next = std::min(
        {NextChange, NextEventTime, NextTrace, Options.Cap, Options.Until.value_or(Never)});
  Clock = std::max(Next, Clock + Options.Step);
  if (Clock >= NextEventTime) {
    // Mark each event before handling it: a handler may pump again (a scroll, a pause).
    for (std::size_t i = 0; i < Script.Lines.size(); ++i) {
      const TScriptLine& Line = Script.Lines[i];
      if (Used[i] || IsAnswer(Line.Action) || Line.Time > Clock) continue;
      Used[i] = true;
      Deliver(Line);
    }
    NextEventTime = Never;
    for (std::size_t i = 0; i < Script.Lines.size(); ++i)
      if (!Used[i] && !IsAnswer(Script.Lines[i].Action))
        NextEventTime = std::min(NextEventTime, Script.Lines[i].Time);
  }
  // After the pump's events, so that a trace line shows what they did.
  if (Clock >= NextTrace) {
    PrintState(false);
    NextTrace = (Clock / Options.TraceEvery + 1) * Options.TraceEvery;
  }
  if ((Options.Until && Clock >= *Options.Until) || Clock >= Options.Cap) throw TSimStop{};
}

void SimPlatform::Deliver(const TScriptLine& Line) {
  ++Deliveries;
  if (Line.Action == TAction::State) {
    PrintState(false);
    return;
  }
  if (Form == nullptr) return;
  switch (Line.Action) {
    case TAction::Down:
      Form->KeyDown(Line.Key, Line.Shift);
      break;
    case TAction::Up:
      Form->KeyUp(Line.Key, Line.Shift);
      break;
    case TAction::Press:
      Form->KeyDown(Line.Key, Line.Shift);
      Form->KeyUp(Line.Key, Line.Shift);
      break;
    case TAction::Click:
      Form->MouseDown(TMouseButton::mbLeft, 0, Line.X, Line.Y);
      break;
    case TAction::RClick:
      Form->MouseDown(TMouseButton::mbRight, 0, Line.X, Line.Y);
      break;
    case TAction::Menu: {
      const TMenuItem* Item = Form->PopupMenu.FindByCaption(Line.Text);
      if (Item == nullptr)
        throw TScriptError(Script.Name, Line.LineNr, "no menu entry '" + Line.Text + "'");
      Item->Click();
      break;
    }
    default:
      break;
  }
}

const TScriptLine* SimPlatform::TakeAnswer(TAction Action) {
  for (std::size_t i = 0; i < Script.Lines.size(); ++i)
    if (!Used[i] && Script.Lines[i].Action == Action && Script.Lines[i].Time <= Clock) {
      Used[i] = true;
      return &Script.Lines[i];
    }
  return nullptr;
}

void SimPlatform::PlaySound(std::string_view Name) {
  Sounds.emplace_back(Name);
  AllSounds.emplace_back(Name);
}

void SimPlatform::ShowMessage(std::string_view Text) {
  Messages.emplace_back(Text);
  AllMessages.emplace_back(Text);
}

TOpenResult SimPlatform::OpenDocument(std::string_view Target) {
  Documents.emplace_back(Target);
  return {};
}

std::optional<std::string> SimPlatform::ExecuteOpenDialog() {
  if (const TScriptLine* Answer = TakeAnswer(TAction::File)) {
    if (Answer->Text.empty()) return std::nullopt;
    return Answer->Text;
  }
  return Options.CustomFile;
}

TModalResult SimPlatform::ShowModal(TDialogForm& Dialog) {
  switch (Dialog.Kind) {
    case TDialogKind::Intro: {
      const TScriptLine* Answer = TakeAnswer(TAction::Intro);
      if (Answer == nullptr || Answer->Ok) {
        Dialog.ModalResult = TModalResult::mrOk;  // "&Play"
      } else {
        Word Key = VK_ESCAPE;
        Dialog.FormKeyDown(Key, 0);
      }
      break;
    }
    case TDialogKind::LevelSelect: {
      auto& Choice = static_cast<TLevelSelectForm&>(Dialog);
      if (const TScriptLine* Answer = TakeAnswer(TAction::Choose)) {
        if (Answer->Number == 0) {
          Word Key = VK_ESCAPE;
          Choice.FormKeyDown(Key, 0);
        } else {
          Choice.ItemIndex = Answer->Number - 1;
          Choice.BitBtn1Click();
        }
      } else if (Options.CustomFile) {
        Choice.BitBtn2Click();
      } else {
        Choice.ItemIndex = Options.Level - 1;
        Choice.BitBtn1Click();
      }
      break;
    }
    case TDialogKind::EndOfLevel:
      Dialog.ModalResult = TModalResult::mrOk;
      break;
  }
  return Dialog.ModalResult;
}

void SimPlatform::PopupMenu(TPopupMenu&, int, int) {
  ++MenusShown;
}

std::string SimPlatform::ProgramDirectory() {
  std::error_code Error;
  return std::filesystem::current_path(Error).string();
}

void SimPlatform::PrintState(bool Ended) {
  Out << StateLine(Form, Clock, Sounds, Messages, Ended, Options.ShowMap)
             .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
      << '\n';
  Out.flush();
  Sounds.clear();
  Messages.clear();
}

}  // namespace karvan::sim
