// Keys and pointer over the device window.
#include <utility>

#include "device_fixture.h"

namespace karvan::desktop::test {
namespace {

struct KeyRecord {
  bool Down;
  Word Key;
  TShiftState Shift;
  friend bool operator==(const KeyRecord&, const KeyRecord&) = default;
};

class DeviceKeys : public DeviceFixture {
 protected:
  DeviceKeys() {
    Form->OnKeyDown = [this](Word& Key, TShiftState Shift) { Log.push_back({true, Key, Shift}); };
    Form->OnKeyUp = [this](Word& Key, TShiftState Shift) { Log.push_back({false, Key, Shift}); };
  }
  std::vector<KeyRecord> Log;
};

TEST_F(DeviceKeys, GameKeysReachTheFormWithTheirCodes) {
  const std::pair<int, Word> Keys[] = {{Qt::Key_Left, 37}, {Qt::Key_Up, 38}, {Qt::Key_Right, 39},
                                       {Qt::Key_Down, 40}, {Qt::Key_Z, 90},  {Qt::Key_Escape, 27},
                                       {Qt::Key_1, 49},    {Qt::Key_F4, 115}};
  std::vector<KeyRecord> Expected;
  for (const auto& [QtKey, Code] : Keys) {
    Key(QEvent::KeyPress, QtKey);
    Key(QEvent::KeyRelease, QtKey);
    Expected.push_back({true, Code, 0});
    Expected.push_back({false, Code, 0});
  }
  EXPECT_EQ(Log, Expected);
}

TEST_F(DeviceKeys, AltF4CarriesTheAltState) {
  Key(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
  ASSERT_EQ(Log.size(), 1u);
  EXPECT_EQ(Log[0], (KeyRecord{true, VK_F4, ssAlt}));
}

TEST_F(DeviceKeys, OtherKeysAndTheKeypadOneAreNotPassedOn) {
  Key(QEvent::KeyPress, Qt::Key_A);
  Key(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
  Key(QEvent::KeyPress, Qt::Key_Space);
  EXPECT_TRUE(Log.empty());
}

// X11 and Wayland report XKB key codes: the main keyboard's 1 key is 10, the keypad's 1 is 87,
// the key of 7 and "&" on a US keyboard is 16.
void NativeKey(QObject& Target, QEvent::Type Type, int QtKey, Qt::KeyboardModifiers Modifiers,
               quint32 ScanCode, quint32 KeySym, const QString& Text) {
  QKeyEvent Event(Type, QtKey, Modifiers, ScanCode, KeySym,
                  Modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0, Text);
  QCoreApplication::sendEvent(&Target, &Event);
}

TEST_F(DeviceKeys, TheOneKeyIsAPlaceWhateverItTypes) {
  // Shift+1 on a US keyboard types "!"; on a French keyboard the key types "&" and, with
  // Shift, "1". The release may come after Shift was let go, as a plain 1.
  NativeKey(View, QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, "!");
  NativeKey(View, QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, 10, 0x31, "1");
  NativeKey(View, QEvent::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, "&");
  NativeKey(View, QEvent::KeyRelease, Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, "&");
  NativeKey(View, QEvent::KeyPress, Qt::Key_1, Qt::ShiftModifier, 10, 0x31, "1");
  const std::vector<KeyRecord> Expected = {{true, VK_1, ssShift},
                                           {false, VK_1, 0},
                                           {true, VK_1, 0},
                                           {false, VK_1, 0},
                                           {true, VK_1, ssShift}};
  EXPECT_EQ(Log, Expected);
  // "&" typed by another key, and the keypad's 1, are not the restart key.
  Log.clear();
  NativeKey(View, QEvent::KeyPress, Qt::Key_Ampersand, Qt::ShiftModifier, 16, 0x26, "&");
  NativeKey(View, QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier, 87, 0xFFB1, "1");
  NativeKey(View, QEvent::KeyPress, Qt::Key_End, Qt::KeypadModifier, 87, 0xFF9C, "");
  EXPECT_TRUE(Log.empty());
}

TEST_F(DeviceKeys, HeldKeyRepeatsPressesButIsReleasedOnce) {
  Key(QEvent::KeyPress, Qt::Key_Right);
  Key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, true);
  Key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, true);
  Key(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, true);
  Key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, true);
  Key(QEvent::KeyRelease, Qt::Key_Right);
  const std::vector<KeyRecord> Expected = {
      {true, VK_RIGHT, 0}, {true, VK_RIGHT, 0}, {true, VK_RIGHT, 0}, {false, VK_RIGHT, 0}};
  EXPECT_EQ(Log, Expected);
}

using DeviceRestart = DeviceFixture;

TEST_F(DeviceRestart, ShiftOneAndTheFrenchOneKeyRequestARestart) {
  NativeKey(View, QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, "!");
  EXPECT_TRUE(Form->Restart);
  Form->Restart = false;
  NativeKey(View, QEvent::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, "&");
  EXPECT_TRUE(Form->Restart);
  Form->Restart = false;
  NativeKey(View, QEvent::KeyPress, Qt::Key_Ampersand, Qt::ShiftModifier, 16, 0x26, "&");
  EXPECT_FALSE(Form->Restart);
}

using DevicePointer = DeviceFixture;

TEST_F(DevicePointer, PanelsExplainThemselvesAndTheCasingDoesNot) {
  MoveTo(80, 330);  // direction pad
  EXPECT_EQ(View.cursor().shape(), Qt::WhatsThisCursor);
  EXPECT_EQ(View.toolTip(),
            "Use the arrow keys to move, activate switches & unlock doors, \nthe up arrow "
            "activates the map (if found)");

  MoveTo(700, 320);  // round button
  EXPECT_EQ(View.cursor().shape(), Qt::WhatsThisCursor);
  EXPECT_EQ(View.toolTip(), "Z - Jump / Deactivate map / Throw stones");

  MoveTo(690, 60);  // top button
  EXPECT_EQ(View.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(View.toolTip(), "Press 1 to start a game");

  MoveTo(744, 152);  // reset hole
  EXPECT_EQ(View.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(View.toolTip(), "");

  MoveTo(690, 60);
  MoveTo(400, 240);  // the display is part of the drag handle
  EXPECT_EQ(View.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(View.toolTip(), "");
}

TEST_F(DevicePointer, PanelEdgesCountAsInside) {
  MoveTo(664 + 57, 48 + 33);  // bottom-right corner of the top button
  EXPECT_EQ(View.toolTip(), "Press 1 to start a game");
  MoveTo(664 + 58, 48 + 33);
  EXPECT_EQ(View.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DevicePointer, ClosingTheWindowIsTheQuitRequest) {
  EXPECT_FALSE(Form->Quit);
  EXPECT_FALSE(View.close());
  EXPECT_TRUE(Form->Quit);
}

TEST_F(DevicePointer, ClickOnTheResetHoleIsTheRestartRequest) {
  QMouseEvent Press(QEvent::MouseButtonPress, QPointF(744, 152), QPointF(744, 152), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&View, &Press);
  EXPECT_TRUE(Form->Restart);
}

}  // namespace
}  // namespace karvan::desktop::test
