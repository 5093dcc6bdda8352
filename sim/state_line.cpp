#include "sim/state_line.h"

#include <vector>

#include "engine/change_watch.h"
#include "engine/lcd_form.h"
#include "engine/level.h"
#include "game/karvan_form.h"

namespace karvan::sim {

TGameFlags ReadGameFlags(const TLCDForm& Form) {
  const auto* Game = dynamic_cast<const TKarvanForm*>(&Form);
  if (Game == nullptr) return {};
  return {Game->Key, Game->HasMap, Game->MapMode, Game->Invincible};
}

std::string VisibleRow(const TLCDForm& Form, int y) {
  std::string Row;
  for (std::size_t x = 0; x < Form.Map.size(); ++x) {
    if (x > 0) Row += ',';
    int Code = 0;
    if (const TCellRec* Cell = y >= 0 ? Form.Map.Made(x, static_cast<std::size_t>(y)) : nullptr)
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        if (Cell->Sprites.Visible(Kind)) Code |= 1 << Kind;
      }
    Row += std::to_string(Code);
  }
  return Row;
}

namespace {

// The map part of a state line. It shows only whether figures are present, and a figure's
// presence never changes without the change being noted as activity: while no activity was
// noted and the grid is the same, the rows are those of the line before. A state line every
// 10 ms on the largest level would otherwise look at its 36,300 figure slots a hundred times a
// virtual second.
struct TMapRows {
  const TLCDForm* Form = nullptr;
  std::uint64_t Generation = 0;
  std::uint64_t Activities = 0;
  std::size_t Columns = 0;
  std::size_t Rows = 0;
  bool Valid = false;
  nlohmann::ordered_json Value;
};

const nlohmann::ordered_json& MapRows(const TLCDForm& Form) {
  thread_local TMapRows Cache;
  const std::size_t Columns = Form.Map.size();
  const std::size_t Rows = Form.Map.RowCount();
  if (Cache.Valid && Cache.Form == &Form && Cache.Generation == Form.GridGeneration() &&
      Cache.Activities == ChangeWatch.ActivityCount() && Cache.Columns == Columns &&
      Cache.Rows == Rows)
    return Cache.Value;
  // Cells nothing has asked for hold no figures.
  std::vector<int> Codes(Columns * Rows, 0);
  for (std::size_t x = 0; x < Columns; ++x)
    for (std::size_t y = 0; y < Rows; ++y) {
      const TCellRec* Cell = Form.Map.Made(x, y);
      if (Cell == nullptr || !Cell->Sprites.AnyMade()) continue;
      int Code = 0;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        if (Cell->Sprites.Visible(Kind)) Code |= 1 << Kind;
      }
      Codes[y * Columns + x] = Code;
    }
  auto Value = nlohmann::ordered_json::array();
  std::string Row;
  for (std::size_t y = 0; y < Rows; ++y) {
    Row.clear();
    for (std::size_t x = 0; x < Columns; ++x) {
      if (x > 0) Row += ',';
      Row += std::to_string(Codes[y * Columns + x]);
    }
    Value.push_back(Row);
  }
  Cache = {&Form, Form.GridGeneration(), ChangeWatch.ActivityCount(), Columns, Rows,
           true,  std::move(Value)};
  return Cache.Value;
}

}  // namespace

nlohmann::ordered_json StateLine(const TLCDForm* Form, std::int64_t Clock,
                                 const std::vector<std::string>& Sounds,
                                 const std::vector<std::string>& Messages, bool Ended,
                                 bool ShowMap) {
  nlohmann::ordered_json Line;
  Line["t"] = Clock;
  if (Form == nullptr) {
    Line["ended"] = Ended;
    return Line;
  }
  const TGameFlags Flags = ReadGameFlags(*Form);
  Line["level"] = Form->Level ? nlohmann::ordered_json(Form->Level->Nr) : nullptr;
  Line["score"] = Form->Score;
  Line["lives"] = Form->Lives;
  Line["hero"] = {Form->HeroPos.X, Form->HeroPos.Y};
  Line["map_pos"] = {Form->MapPos.X, Form->MapPos.Y};
  Line["coins_left"] = Form->Level ? Form->Level->CoinsLeft : 0;
  Line["keys"] = Flags.Keys;
  Line["has_map"] = Flags.HasMap;
  Line["map_mode"] = Flags.MapMode;
  Line["invincible"] = Flags.Invincible;

  auto Lit = nlohmann::ordered_json::array();
  for (std::size_t Nr = 0; Nr < Form->CrystalArr.size(); ++Nr)
    if (Form->CrystalArr[Nr].Visible) Lit.push_back(Nr);
  Line["lit"] = std::move(Lit);

  // The hero's side record, looked up without the message an empty side grid would show.
  auto Side = nlohmann::ordered_json::array();
  const int x = Form->HeroPos.X;
  const int y = Form->HeroPos.Y;
  if (Form->InMapRange(x, y)) {
    const std::size_t sx = x / 5;
    const std::size_t sy = y / 4;
    if (sx < Form->SideArr.size() && sy < Form->SideArr[sx].size())
      for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
        if (Form->SideArr[sx][sy].Sprites.Visible(Kind)) Side.push_back(SideCrystalNames[Kind]);
      }
  }
  Line["side"] = std::move(Side);
  Line["sounds"] = Sounds;
  Line["messages"] = Messages;
  Line["ended"] = Ended;
  if (ShowMap) Line["map"] = MapRows(*Form);
  return Line;
}

}  // namespace karvan::sim
