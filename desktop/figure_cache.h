// The LCD figures as pictures ready to paint: each template's 1-bit figure turned into a
// dark segment on a transparent ground, made once per template.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <map>
#include <string>
#include <string_view>

namespace karvan::desktop {

// Colour of a lit LCD segment.
inline constexpr QRgb SegmentColour = qRgb(38, 42, 36);

class FigureCache {
 public:
  // Figures are read from ResourceFolder/<Template>.pbm.
  explicit FigureCache(QString ResourceFolder = QStringLiteral(":/figures"));

  // The figure of a template. A template without a readable figure shows as a solid block of
  // the crystal's size, so a missing file is visible instead of silently blank.
  const QImage& Figure(std::string_view Template, int Width, int Height);

  // A plain (P1) bitmap file's picture, black on white; bits may stand with or without blanks
  // between them. A null image when the text is no such bitmap.
  static QImage ReadPlainBitmap(const QByteArray& Text);

  // A 1-bit picture as a segment figure: dark pixels become the segment colour, white ones
  // transparent.
  static QImage SegmentFigure(const QImage& Picture);

 private:
  QString Folder;
  std::map<std::string, QImage, std::less<>> Figures;
};

}  // namespace karvan::desktop
