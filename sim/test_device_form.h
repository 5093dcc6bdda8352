// A small device built only from the engine: the base crystal layout (score digits and 220
// cell crystals), the engine's renderer and figures, and a two-by-two-screen level with a
// wandering figure. The simulator runs it until the game's own device form exists; engine
// tests use it to drive the real loop.
#pragma once

#include <string_view>

#include "engine/lcd_form.h"
#include "engine/level.h"

namespace karvan::sim {

class TTestDeviceForm : public TLCDForm {
 public:
  explicit TTestDeviceForm(int TimePosParam = 238) : TimePosValue(TimePosParam) {}

  void Create() override;

  void Init(int LevelNr) override;
  void InitLevel(int LevelNr) override;
  TGridCrystal CoinSprite() override { return gcGold; }
  const TImage* GetGameImage() override;
  const TPanel* GetACLPanel() override;
  const TPanel* GetGamePanel() override;
  const TImage* GetDisplay() override;
  int TimePos() override { return TimePosValue; }

 private:
  int TimePosValue;
};

class TTestLevel : public TLevel {
 public:
  using TLevel::TLevel;
  void Create() override;
  void ActivateSprite(int x, int y, TGridCrystal Sprite) override;

 private:
  void AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir, std::int64_t Speed,
                       std::int64_t Wait, std::int64_t Start, bool RepeatingParam, int yParam);
};

}  // namespace karvan::sim
