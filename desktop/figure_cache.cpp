#include "figure_cache.h"

#include <utility>

namespace karvan::desktop {

FigureCache::FigureCache(QString ResourceFolder) : Folder(std::move(ResourceFolder)) {}

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
  QImage Picture(Path, "PBM");
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
