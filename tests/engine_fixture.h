// Shared pieces of the engine suites: a level read from given rows, a test device whose
// figures report their end, and a fixture that installs a fake platform and builds the device.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/lcd_form.h"
#include "engine/level.h"
#include "engine/render.h"
#include "fake_platform.h"
#include "sim/test_device_form.h"
#include "sprites/side_sprite.h"
#include "sprites/sprite.h"

namespace karvan::test {

// A level that reads the rows it is given, top row first.
class TRowsLevel : public TLevel {
 public:
  TRowsLevel(TLCDForm& ParentParam, int LevelNr, std::vector<std::string> RowsParam)
      : TLevel(ParentParam, LevelNr), Rows(std::move(RowsParam)) {}
  void Create() override {
    TLevel::Create();
    for (const std::string& Row : Rows) AddRow(Row);
  }
  std::vector<std::string> Rows;
};

// Rows of a map of empty cells.
inline std::vector<std::string> BlankRows(int Columns, int RowCount) {
  std::string Row;
  for (int x = 0; x < Columns; ++x) Row += x == 0 ? "0" : ",0";
  return std::vector<std::string>(RowCount, Row);
}

// A fresh folder that is the current directory for the lifetime of the object.
class TTempCurrentDir {
 public:
  TTempCurrentDir() {
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    Path = std::filesystem::temp_directory_path() /
           (std::string("karvan-test-") + std::to_string(::getpid()) + "-" +
            Info->test_suite_name() + "-" + Info->name());
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
    Previous = std::filesystem::current_path();
    std::filesystem::current_path(Path);
  }
  ~TTempCurrentDir() {
    std::error_code Error;
    std::filesystem::current_path(Previous, Error);
    std::filesystem::remove_all(Path, Error);
  }
  TTempCurrentDir(const TTempCurrentDir&) = delete;
  TTempCurrentDir& operator=(const TTempCurrentDir&) = delete;

  std::filesystem::path Path;

 private:
  std::filesystem::path Previous;
};

// Counters a probe device keeps about its figures.
struct TFigureLog {
  int Alive = 0;               // figure objects that exist
  int DeadCalls = 0;           // of map figures
  int SideDeadCalls = 0;       // of side figures
  std::vector<Word> KeysSeen;  // keys that reached LCDKeyDown
  int CheckMoves = 0;          // calls of CheckMove on map figures
  // Runs when a present map figure is checked, before its own check.
  std::function<void(TSprite&)> OnCheckMove;
};

class TProbeSprite : public TSprite {
 public:
  TProbeSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam,
               TFigureLog& LogParam)
      : TSprite(xParam, yParam, Crystal, ParentParam), Log(LogParam) {
    ++Log.Alive;
  }
  ~TProbeSprite() override { --Log.Alive; }
  void Dead() override { ++Log.DeadCalls; }
  bool CheckMove() override {
    ++Log.CheckMoves;
    if (SpriteVisible && Log.OnCheckMove) Log.OnCheckMove(*this);
    return TSprite::CheckMove();
  }
  TFigureLog& Log;
};

class TProbeSideSprite : public TSideSprite {
 public:
  TProbeSideSprite(int xParam, int yParam, TSideCrystal Kind, TLCDForm& ParentParam,
                   TFigureLog& LogParam)
      : TSideSprite(xParam, yParam, Kind, ParentParam), Log(LogParam) {
    ++Log.Alive;
  }
  ~TProbeSideSprite() override { --Log.Alive; }
  void Dead() override { ++Log.SideDeadCalls; }
  TFigureLog& Log;
};

// The simulator's test device (base crystal layout, base renderer, reset hole and game button)
// with figures that report their end and a record of the keys it handles.
class TProbeForm : public sim::TTestDeviceForm {
 public:
  using sim::TTestDeviceForm::TTestDeviceForm;
  TFigureLog Log;

  void CreateCrystal(TGridCrystal Crystal, int x, int y) override {
    Map[x][y].Sprites.Slot(Crystal) = std::make_unique<TProbeSprite>(x, y, Crystal, *this, Log);
  }
  void CreateSideCrystal(TSideCrystal Crystal, int x, int y) override {
    SideArr[x][y].Sprites.Slot(Crystal) =
        std::make_unique<TProbeSideSprite>(x, y, Crystal, *this, Log);
  }
  void LCDKeyDown(Word& Key, TShiftState Shift) override {
    Log.KeysSeen.push_back(Key);
    sim::TTestDeviceForm::LCDKeyDown(Key, Shift);
  }
};

class EngineTest : public ::testing::Test {
 protected:
  FakePlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TProbeForm> Form = MakeForm<TProbeForm>();

  // Replaces the level the way a device's InitLevel does.
  TLevel& LoadRows(std::vector<std::string> Rows) {
    Form->FreeLevel();
    Form->CollectRetiredLevel();
    Form->SetLevel(MakeLevel<TRowsLevel>(*Form, 1, std::move(Rows)));
    return *Form->Level;
  }

  TSprite& At(int x, int y, TGridCrystal Kind) { return *Form->Map[x][y].Sprites[Kind]; }
  TSideSprite& Side(int sx, int sy, TSideCrystal Kind) {
    return *Form->SideArr[sx][sy].Sprites[Kind];
  }

  // Bit set of the kinds present in a cell, in cell-code form.
  int CellCode(int x, int y) {
    int Code = 0;
    for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
      if (Form->Map[x][y].Sprites[Kind]->SpriteVisible) Code |= 1 << Kind;
    return Code;
  }

  // Crystal of a figure kind at a screen cell of the base layout.
  int CellCrystal(int Column, int Row, TGridCrystal Kind) {
    return Form->CellCrystalNr + Form->NumInCell() * (5 * Row + Column) + Kind;
  }
  int SideCrystal(TSideCrystal Kind) { return Form->StartSideCrystal + Kind; }
  bool Lit(int Nr) { return Form->CrystalArr[Nr].CrystalVisible; }
  std::vector<int> LitBetween(int First, int Last) {
    std::vector<int> Result;
    for (int Nr = First; Nr <= Last; ++Nr)
      if (Lit(Nr)) Result.push_back(Nr);
    return Result;
  }
  // One frame of the renderer.
  void Frame() { Form->Render->Run(); }
};

}  // namespace karvan::test
