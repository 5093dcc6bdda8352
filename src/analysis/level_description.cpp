#include "analysis/level_description.h"

#include <memory>

#include "engine/dialog_form.h"
#include "engine/level.h"
#include "engine/platform.h"
#include "engine/support.h"
#include "game/custom_level_file.h"
#include "game/karvan_form.h"
#include "levels/custom_level.h"
#include "levels/switch_rules.h"
#include "sprites/side_sprite.h"
#include "sprites/sprite.h"

namespace karvan {

namespace {

// Building a level only reads rows and places figures; the form it fills needs a clock and
// nothing else. This platform answers without showing, playing or waiting for anything, and is
// installed only while a description is built, so a running program's own platform is back
// afterwards.
class TQuietPlatform : public Platform {
 public:
  std::int64_t GetTickCount() override { return 0; }
  void PumpMessages() override {}
  void PlaySound(std::string_view) override {}
  void ShowMessage(std::string_view Text) override { Messages += std::string(Text) + "\n"; }
  TOpenResult OpenDocument(std::string_view) override { return {}; }
  std::optional<std::string> ExecuteOpenDialog() override { return std::nullopt; }
  TModalResult ShowModal(TDialogForm& Dialog) override {
    return Dialog.ModalResult = TModalResult::mrCancel;
  }
  void ShowDeviceForm(TLCDForm&) override {}
  void CrystalsChanged(std::span<const int>) override {}
  void SetCursor(TCursorShape) override {}
  void SetHint(std::string_view) override {}
  void PopupMenu(TPopupMenu&, int, int) override {}
  std::string ProgramDirectory() override { return "."; }
  std::string Messages;
};

bool SideVisible(const TSideCellRec& Side, TSideCrystal Kind) {
  return Side.Sprites.Visible(Kind);
}

// Reads the figures of the level the form holds.
TLevelDescription Read(TKarvanForm& Form, const TLevel& Level) {
  TLevelDescription D;
  D.Width = static_cast<int>(Form.Map.size());
  D.Height = D.Width == 0 ? 0 : static_cast<int>(Form.Map.RowCount());
  D.Codes.assign(static_cast<std::size_t>(D.Width * D.Height), 0);
  for (int x = 0; x < D.Width; ++x)
    for (int y = 0; y < D.Height; ++y) {
      const TCellRec* Cell =
          Form.Map.Made(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
      if (Cell == nullptr) continue;
      std::uint16_t Code = 0;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        const TSprite* S = Cell->Sprites.Made(Kind);
        if (S == nullptr || !S->SpriteVisible) continue;
        Code |= static_cast<std::uint16_t>(1U << Kind);
        if (Kind == gcWallHorz && S->SpriteDir != PosNone)
          D.Platforms.push_back({{x, y}, S->SpriteDir});
      }
      D.Codes[static_cast<std::size_t>(y * D.Width + x)] = Code;
    }
  for (const TSwitchRec& Rec : Form.SwitchArr)
    D.Switches.push_back({Rec.SwitchPos, Rec.PlatformPos, Rec.Dir, false});
  D.Start = Level.xStart != -1 ? TPoint{Level.xStart, Level.yStart}
                               : TPoint{Form.xResurrect, Form.yResurrect};
  for (int sx = 0; sx < static_cast<int>(Form.SideArr.size()); ++sx)
    for (int sy = 0; sy < static_cast<int>(Form.SideArr[sx].size()); ++sy) {
      const TSideCellRec* Made =
          Form.SideArr.Made(static_cast<std::size_t>(sx), static_cast<std::size_t>(sy));
      if (Made == nullptr) continue;
      const TSideCellRec& Side = *Made;
      if (SideVisible(Side, scDiamondSnake))
        D.Fights.push_back({TSideFight::Snake,
                            {sx, sy},
                            {sx * 5 + 4, sy * 4 + 1},
                            SideVisible(Side, scVerticalLine)});
      if (SideVisible(Side, scAmulet)) D.HasAmulet = true;
      if (SideVisible(Side, scSpiderBig))
        D.Fights.push_back({TSideFight::Spider, {sx, sy}, {sx * 5, sy * 4 + 1}, true});
    }
  return D;
}

}  // namespace

std::optional<TLevelDescription> DescribeBuiltInLevel(int LevelNr, std::string& Error) {
  if (LevelNr < 1 || LevelNr > 24) {
    Error = "There is no built-in level " + std::to_string(LevelNr) + " (levels are 1 to 24).";
    return std::nullopt;
  }
  TQuietPlatform Quiet;
  const PlatformScope Scope(Quiet);
  auto Form = MakeForm<TKarvanForm>();
  Form->InitLevel(LevelNr);
  if (!Form->Level) {
    Error = "Level " + std::to_string(LevelNr) + " could not be built.";
    return std::nullopt;
  }
  TLevelDescription D = Read(*Form, *Form->Level);
  D.Name = "level " + std::to_string(LevelNr);
  // The built-in levels keep their switch rules in a table rather than in switch records.
  for (const TSwitchRule& Rule : SwitchRulesOf(LevelNr))
    D.Switches.push_back({Rule.Switch, Rule.Platform, Rule.Dir, Rule.Reverse});
  Form->FreeLevel();
  return D;
}

std::optional<TLevelDescription> DescribeCustomLevel(const std::vector<std::string>& Lines,
                                                     std::string& Error) {
  if (!IsPlayableCustomLevel(Lines)) {
    Error =
        "These lines are no playable level: the first line must be a row, and the map needs a "
        "hero, at least 5 columns and 4 rows, and at most " +
        std::to_string(MaxCustomLevelCells) + " cells.";
    return std::nullopt;
  }
  TQuietPlatform Quiet;
  const PlatformScope Scope(Quiet);
  auto Form = MakeForm<TKarvanForm>();
  // The same reading as the game's loader: switch lines become switch records, every other
  // line is a row.
  auto Level = MakeLevel<TCustomLevel>(*Form, -1);
  for (const std::string& Line : Lines) {
    if (StartsWithText(Line, "AddSwitch(", -1)) {
      const TSwitchLine S = ReadSwitchLine(Line);
      Form->AddSwitch(S.xSwitch, S.ySwitch, S.xPlatForm, S.yPlatForm, S.Dir);
    } else {
      Level->AddRow(RowText(Line));
    }
  }
  // Rows of unequal length leave cells without figures; the reader treats them as empty.
  TLevelDescription D = Read(*Form, *Level);
  D.Name = "custom level";
  Form->SetLevel(std::move(Level));
  Form->FreeLevel();
  return D;
}

}  // namespace karvan
