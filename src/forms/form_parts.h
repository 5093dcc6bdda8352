// Data of the standard controls that the dialogs are made of; the front end builds its
// widgets from them.
#pragma once

#include <string>
#include <vector>

namespace karvan {

// Background of every dialog: RGB (193, 182, 150).
inline constexpr unsigned DialogColour = 0xC1B696;
// Text of the controls memos: RGB (107, 98, 63).
inline constexpr unsigned MemoTextColour = 0x6B623F;

struct TLabelPart {
  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;  // 0: sized to the text
  int Height = 0;
  std::string Caption;
  bool Bold = false;
  bool WordWrap = false;
  bool SmallFont = false;
  bool Link = false;  // blue, underlined, hand pointer; clicking opens the link
};

struct TMemoPart {
  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Bold = false;
  std::vector<std::string> Lines;
};

struct TImagePart {
  std::string Name;
  std::string Picture;  // resource name of the picture
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

struct TButtonPart {
  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::string Caption;
  bool OkKind = false;  // closes the dialog with OK and is its default button
};

}  // namespace karvan
