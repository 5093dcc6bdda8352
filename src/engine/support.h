// Small routines the engine and the game lean on: timers, waiting while input goes on being
// handled, text-to-number and field splitting for level rows, file tests, opening documents.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "engine/types.h"

namespace karvan {

// Current tick count of the platform's clock, in milliseconds.
std::int64_t Now();

// The timer test of the whole system: false for a stopped timer (Since = -1); otherwise true
// when at least Delay ms have passed since Since, and then Since restarts at now.
bool TimePassed(std::int64_t& Since, std::int64_t Delay);

TPos OppositeDir(TPos Dir);

// Edges inclusive: the test covers one pixel more than the panel on the right and bottom.
bool PointInPanel(const TPanel* Panel, int x, int y);

// Handles pending input, then returns.
void PumpMessages();

// Waits strictly more than Duration ms while input goes on being handled.
void WaitTicks(std::int64_t Duration);

// Creates the form only when the reference holds none; true when it created one.
template <class TForm, class... TArgs>
bool CreateFormOnce(std::unique_ptr<TForm>& Reference, TArgs&&... Args) {
  if (Reference) return false;
  Reference = std::make_unique<TForm>(std::forward<TArgs>(Args)...);
  return true;
}

// Clears the reference first, then frees the form.
template <class TForm>
void FreeForm(std::unique_ptr<TForm>& Reference) {
  std::unique_ptr<TForm> Doomed = std::move(Reference);
  Doomed.reset();
}

// The settings store keeps nothing: every reading gives the empty text.
void ReadSetting(std::string_view Name, std::string_view Default, std::string& Value);
void WriteSetting(std::string_view Name, std::string_view Value);

// Reads the number at the start of S; never fails (see the definition for the rules).
int StrToIntLoose(std::string_view S);
void IntToStrPad(int Width, std::string& Text, std::int64_t Value);

// The N-th field (from 1) of S cut at Sep (found without regard to letter case); empty for
// an empty or missing field.
std::string GetField(std::string_view S, int N, std::string_view Sep);

// The characters of S from position From (1-based) on.
std::string CopyFrom(std::string_view S, int From);

// Whether S begins with Prefix, ignoring letter case and blanks at both ends of the compared
// parts; Count = -1 compares as many characters as Prefix has.
bool StartsWithText(std::string_view S, std::string_view Prefix, int Count);

// S without the blanks (spaces and control characters) at both ends.
std::string_view TrimBlanks(std::string_view S);

// S without the first (or, with All, every) occurrence of Sub.
std::string RemoveText(std::string_view S, std::string_view Sub, bool All);

// Whether a directory entry (file or folder) of that name exists, the name taken as it is or
// without its trailing blanks; NonEmpty also requires a size above 0. Wildcards never match
// other names.
bool FileFound(std::string_view Name, bool NonEmpty);

// Hands a document or link to the desktop's default handler. A bare file name is resolved
// against the current directory. Nothing is ever started as a program. A failure shows the
// message and answers false.
bool RunProgram(std::string_view Target, std::string_view Params, bool Wait, std::string_view Dir,
                bool Show);

// The message RunProgram shows when the desktop cannot open Target.
std::string RunProgramFailureText(std::string_view Target, int ErrorCode,
                                  std::string_view ErrorText);

// The game's random numbers: seeded from the platform's clock when a level is built, so a
// run on the simulator's virtual clock is repeatable.
void Randomize();
// A whole number in 0 .. Range - 1 (0 for Range <= 0).
int Random(int Range);

}  // namespace karvan
