// What the device window shows: the photograph (or plain casing) with the lit crystals.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "device_fixture.h"
#include "figure_cache.h"

namespace karvan::desktop::test {
namespace {

class DevicePaint : public DeviceFixture {
 protected:
  DevicePaint() {
    for (TCrystal& Crystal : Form->CrystalArr) Crystal.Visible = false;
  }

  QImage Grab() { return View.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // A segment pixel of a crystal's figure, in window coordinates.
  QPoint SegmentPixel(int Nr) {
    const TCrystal& Crystal = Form->CrystalArr[static_cast<std::size_t>(Nr)];
    FigureCache Figures;
    const QImage& Figure = Figures.Figure(Crystal.Template, Crystal.Width, Crystal.Height);
    for (int y = 0; y < Figure.height(); ++y)
      for (int x = 0; x < Figure.width(); ++x)
        if (qAlpha(Figure.pixel(x, y)) == 255) return {Crystal.Left + x, Crystal.Top + y};
    ADD_FAILURE() << "figure " << Crystal.Template << " has no segment pixel";
    return {};
  }
};

TEST_F(DevicePaint, WindowIsTheFixedSizeOfThePhotograph) {
  EXPECT_EQ(View.size(), QSize(800, 481));
  EXPECT_EQ(View.minimumSize(), View.maximumSize());
  EXPECT_TRUE(View.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(DevicePaint, LitCrystalShowsAtItsPlaceAndADarkOneDoesNot) {
  const int Lit = Form->KeyCrystal;
  const int Dark = Form->MapCrystal;
  const QPoint LitPixel = SegmentPixel(Lit);
  const QPoint DarkPixel = SegmentPixel(Dark);
  const QImage Before = Grab();
  EXPECT_NE(Before.pixel(LitPixel), SegmentColour);

  Form->CrystalArr[static_cast<std::size_t>(Lit)].Visible = true;
  const QImage After = Grab();
  EXPECT_EQ(After.pixel(LitPixel) & 0xFFFFFF, SegmentColour & 0xFFFFFF);
  EXPECT_EQ(After.pixel(DarkPixel), Before.pixel(DarkPixel));
  EXPECT_NE(After.pixel(DarkPixel) & 0xFFFFFF, SegmentColour & 0xFFFFFF);
}

TEST_F(DevicePaint, AllSegmentsTestLightsEveryCrystal) {
  for (TCrystal& Crystal : Form->CrystalArr) Crystal.Visible = true;
  const QImage Shot = Grab();
  for (const int Nr : {0, 32, Form->SmallHeroCrystal, Form->StartSideCrystal, Form->MapCrystal})
    EXPECT_EQ(Shot.pixel(SegmentPixel(Nr)) & 0xFFFFFF, SegmentColour & 0xFFFFFF) << Nr;
}

TEST_F(DevicePaint, WithoutThePhotographAPlainCasingAndGlassShow) {
  FigureCache Figures;
  DeviceWidget Bare(*Form, Figures, QStringLiteral("/no/such/photograph.jpg"));
  const QImage Shot = Bare.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Shot.pixel(5, 5), CasingColour);
  EXPECT_EQ(Shot.pixel(202 + 385 / 2, 114 + 246 / 2), GlassColour);
  EXPECT_EQ(Shot.pixel(202 - 1, 114 + 246 / 2), CasingColour);
}

TEST(FigureCache, WhiteIsTransparentAndEveryOtherShadeIsSegment) {
  QImage Picture(3, 1, QImage::Format_RGB32);
  Picture.setPixel(0, 0, qRgb(255, 255, 255));
  Picture.setPixel(1, 0, qRgb(0, 0, 0));
  Picture.setPixel(2, 0, qRgb(254, 255, 255));
  const QImage Figure = FigureCache::SegmentFigure(Picture);
  EXPECT_EQ(qAlpha(Figure.pixel(0, 0)), 0);
  EXPECT_EQ(Figure.pixel(1, 0), SegmentColour);
  EXPECT_EQ(Figure.pixel(2, 0), SegmentColour);
}

TEST(FigureCache, PlainBitmapFileBecomesASegmentFigure) {
  QTemporaryDir Folder;
  ASSERT_TRUE(Folder.isValid());
  QFile File(Folder.filePath(QStringLiteral("DotImage.pbm")));
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write("P1\n# a dot and a bar\n3 2\n0 1 0\n1 1 1\n");
  File.close();
  FigureCache Figures(Folder.path());
  const QImage& Figure = Figures.Figure("DotImage", 9, 9);
  ASSERT_EQ(Figure.size(), QSize(3, 2));
  EXPECT_EQ(qAlpha(Figure.pixel(0, 0)), 0);
  EXPECT_EQ(Figure.pixel(1, 0), SegmentColour);
  EXPECT_EQ(qAlpha(Figure.pixel(2, 0)), 0);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(Figure.pixel(x, 1), SegmentColour);
}

TEST(FigureCache, MissingFigureIsASolidBlockOfTheCrystalsSize) {
  FigureCache Figures;
  const QImage& Figure = Figures.Figure("NoSuchTemplateImage", 7, 5);
  EXPECT_EQ(Figure.size(), QSize(7, 5));
  EXPECT_EQ(Figure.pixel(3, 2), SegmentColour);
  EXPECT_EQ(&Figures.Figure("NoSuchTemplateImage", 7, 5), &Figure);
}

}  // namespace
}  // namespace karvan::desktop::test
