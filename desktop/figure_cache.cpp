#include "figure_cache.h"

#include <QFile>
#include <cctype>
#include <utility>

namespace karvan::desktop {

FigureCache::FigureCache(QString ResourceFolder) : Folder(std::move(ResourceFolder)) {}

namespace {

// Reads the plain bitmap's tokens: skips blanks and comments (# to the end of the line).
class PlainBitmapReader {
 public:
  explicit PlainBitmapReader(const QByteArray& TextParam) : Text(TextParam) {}

  void SkipBlanks() {
    while (At < Text.size()) {
      const char C = Text[At];
      if (C == '#') {
        while (At < Text.size() && Text[At] != '\n') ++At;
      } else if (std::isspace(static_cast<unsigned char>(C))) {
        ++At;
      } else {
        return;
      }
    }
  }

  bool Number(int& Value) {
    SkipBlanks();
    if (At >= Text.size() || !std::isdigit(static_cast<unsigned char>(Text[At]))) return false;
    Value = 0;
    while (At < Text.size() && std::isdigit(static_cast<unsigned char>(Text[At]))) {
      Value = Value * 10 + (Text[At] - '0');
      if (Value > 1 << 16) return false;
      ++At;
    }
    return true;
  }

  // One pixel: 1 is dark, 0 is white.
  bool Bit(bool& Dark) {
    SkipBlanks();
    if (At >= Text.size() || (Text[At] != '0' && Text[At] != '1')) return false;
    Dark = Text[At++] == '1';
    return true;
  }

  bool Magic() {
    SkipBlanks();
    if (Text.mid(At, 2) != "P1") return false;
    At += 2;
    return true;
  }

 private:
  const QByteArray& Text;
  qsizetype At = 0;
};

}  // namespace

QImage FigureCache::ReadPlainBitmap(const QByteArray& Text) {
  PlainBitmapReader Reader(Text);
  int Width = 0;
  int Height = 0;
  if (!Reader.Magic() || !Reader.Number(Width) || !Reader.Number(Height) || Width <= 0 ||
      Height <= 0)
    return {};
  QImage Picture(Width, Height, QImage::Format_RGB32);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      bool Dark = false;
      if (!Reader.Bit(Dark)) return {};
      Picture.setPixel(x, y, Dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
  return Picture;
}

QImage FigureCache::SegmentFigure(const QImage& Picture) {
  QImage Figure(Picture.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < Picture.height(); ++y)
    for (int x = 0; x < Picture.width(); ++x) {
      // Only pure white is see-through; every other shade is segment.
      const bool White = (Picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
      Figure.setPixel(x, y, White ? qRgba(0, 0, 0, 0) : SegmentColour);
    }
  return Figure;
}

const QImage& FigureCache::Figure(std::string_view Template, int Width, int Height) {
  if (auto Found = Figures.find(Template); Found != Figures.end()) return Found->second;
  const QString Path = Folder + '/' +
                       QString::fromUtf8(Template.data(), static_cast<qsizetype>(Template.size())) +
                       QStringLiteral(".pbm");
  QFile File(Path);
  // Qt's own reader wants blanks between the bits, which plain bitmaps need not have.
  QImage Picture = File.open(QIODevice::ReadOnly) ? ReadPlainBitmap(File.readAll()) : QImage();
  if (Picture.isNull()) Picture = QImage(Path);
  QImage Result;
  if (Picture.isNull()) {
    Result = QImage(qMax(Width, 1), qMax(Height, 1), QImage::Format_ARGB32_Premultiplied);
    Result.fill(SegmentColour);
  } else {
    Result = SegmentFigure(Picture);
  }
  return Figures.emplace(std::string(Template), std::move(Result)).first->second;
}

}  // namespace karvan::desktop
