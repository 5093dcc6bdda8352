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

TEST(FigureCache, PlainBitmapBitsNeedNoBlanksBetweenThem) {
  const QImage Picture = FigureCache::ReadPlainBitmap("P1\n# comment\n4 2\n0110\n10\n01\n");
  ASSERT_EQ(Picture.size(), QSize(4, 2));
  const QRgb Dark = qRgb(0, 0, 0);
  const QRgb White = qRgb(255, 255, 255);
  EXPECT_EQ(Picture.pixel(0, 0), White);
  EXPECT_EQ(Picture.pixel(1, 0), Dark);
  EXPECT_EQ(Picture.pixel(2, 0), Dark);
  EXPECT_EQ(Picture.pixel(3, 0), White);
  EXPECT_EQ(Picture.pixel(0, 1), Dark);
  EXPECT_EQ(Picture.pixel(1, 1), White);
  EXPECT_EQ(Picture.pixel(2, 1), White);
  EXPECT_EQ(Picture.pixel(3, 1), Dark);
}

TEST(FigureCache, TruncatedOrForeignBitmapIsRejected) {
  EXPECT_TRUE(FigureCache::ReadPlainBitmap("P1 3 2 010 11").isNull());
  EXPECT_TRUE(FigureCache::ReadPlainBitmap("P2 1 1 7").isNull());
  EXPECT_TRUE(FigureCache::ReadPlainBitmap("").isNull());
}

TEST(FigureCache, EveryFigureOfTheGameIsReadFromItsFile) {
  QtPlatform Platform;
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  FigureCache Figures;
  for (const TCrystal& Crystal : Form->CrystalArr) {
    const QString Path = QStringLiteral(":/figures/") +
                         QString::fromUtf8(Crystal.Template.data(),
                                           static_cast<qsizetype>(Crystal.Template.size())) +
                         QStringLiteral(".pbm");
    if (!QFile::exists(Path)) continue;  // drawn as a block until its figure exists
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly)) << Crystal.Template;
    const QImage Picture = FigureCache::ReadPlainBitmap(File.readAll());
    ASSERT_FALSE(Picture.isNull()) << Crystal.Template;
    EXPECT_EQ(Figures.Figure(Crystal.Template, 1, 1).size(), Picture.size()) << Crystal.Template;
  }
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
