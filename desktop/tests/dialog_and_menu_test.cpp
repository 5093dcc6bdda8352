// The dialogs built from their forms, and the device window's menu.
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "device_fixture.h"
#include "dialog_view.h"
#include "engine/support.h"
#include "forms/end_of_level_form.h"
#include "forms/intro_form.h"
#include "forms/level_select_form.h"
#include "menu_view.h"

namespace karvan::desktop::test {
namespace {

// Presses a key in whatever modal window opens next.
void PressInNextModal(int QtKey) {
  QTimer::singleShot(0, [QtKey] {
    QWidget* Modal = QApplication::activeModalWidget();
    ASSERT_NE(Modal, nullptr);
    QTest::keyClick(Modal, static_cast<Qt::Key>(QtKey));
  });
}

using LevelChoice = DeviceFixture;

TEST_F(LevelChoice, ListsTwentyFourLevelsWithTheFirstSelected) {
  CreateFormOnce(Form->LevelSelectForm, *Form);
  TLevelSelectForm& Choice = *Form->LevelSelectForm;
  for (int Nr = 1; Nr <= 24; ++Nr) Choice.LevelCombo.push_back("Level " + std::to_string(Nr));
  Choice.ItemIndex = 0;
  DialogView Dialog(Choice, &View);
  EXPECT_EQ(Dialog.windowTitle(), "Choose level");
  EXPECT_EQ(Dialog.size(), QSize(145, 126));
  auto* Combo = Dialog.findChild<QComboBox*>("LevelCombo");
  ASSERT_NE(Combo, nullptr);
  EXPECT_EQ(Combo->count(), 24);
  EXPECT_EQ(Combo->itemText(23), "Level 24");
  EXPECT_EQ(Combo->currentIndex(), 0);
  auto* Ok = Dialog.findChild<QPushButton*>("BitBtn1");
  ASSERT_NE(Ok, nullptr);
  EXPECT_TRUE(Ok->isDefault());
  EXPECT_EQ(Ok->text(), "&Ok");

  Combo->setCurrentIndex(6);
  Ok->click();
  EXPECT_EQ(Choice.ModalResult, TModalResult::mrOk);
  EXPECT_EQ(Choice.ItemIndex, 6);
}

TEST_F(LevelChoice, EscapeCancelsTheChoice) {
  PressInNextModal(Qt::Key_Escape);
  EXPECT_EQ(ChooseLevel(*Form), 0);
}

TEST_F(LevelChoice, EnterTakesTheSelectedLevel) {
  PressInNextModal(Qt::Key_Return);
  EXPECT_EQ(ChooseLevel(*Form), 1);
}

using Dialogs = DeviceFixture;

TEST_F(Dialogs, InformationWindowClosesWithPlayOrEscape) {
  TIntroForm Intro;
  PressInNextModal(Qt::Key_Return);
  EXPECT_EQ(Platform.ShowModal(Intro), TModalResult::mrOk);
  PressInNextModal(Qt::Key_Escape);
  EXPECT_EQ(Platform.ShowModal(Intro), TModalResult::mrCancel);
  EXPECT_EQ(Intro.ModalResult, TModalResult::mrCancel);
}

TEST_F(Dialogs, InformationWindowCarriesItsTextsAndLinks) {
  TIntroForm Intro;
  DialogView Dialog(Intro, nullptr);
  EXPECT_EQ(Dialog.windowTitle(), QString::fromUtf8("Karvan Mirk\u2122"));
  EXPECT_EQ(Dialog.size(), QSize(426, 369));
  auto* Version = Dialog.findChild<QLabel*>("Label7");
  ASSERT_NE(Version, nullptr);
  EXPECT_EQ(Version->text(), "Version 1.0");
  EXPECT_TRUE(Version->font().bold());
  EXPECT_EQ(Version->pos(), QPoint(180, 40));
  auto* Mail = Dialog.findChild<LinkLabel*>("Label3");
  ASSERT_NE(Mail, nullptr);
  EXPECT_TRUE(Mail->font().underline());
  EXPECT_EQ(Mail->cursor().shape(), Qt::PointingHandCursor);
  auto* Play = Dialog.findChild<QPushButton*>("BitBtn1");
  ASSERT_NE(Play, nullptr);
  EXPECT_EQ(Play->text(), "&Play");
  EXPECT_EQ(Play->geometry(), QRect(176, 336, 75, 25));
  EXPECT_EQ(Dialog.palette().color(QPalette::Window), QColor(193, 182, 150));
}

TEST_F(Dialogs, ClosingWindowIgnoresEscape) {
  TEndOfLevelForm End;
  QTimer::singleShot(0, [] {
    QWidget* Modal = QApplication::activeModalWidget();
    ASSERT_NE(Modal, nullptr);
    QTest::keyClick(Modal, Qt::Key_Escape);
    // Still open: only its button closes it.
    EXPECT_EQ(QApplication::activeModalWidget(), Modal);
    auto* Ok = Modal->findChild<QPushButton*>("BitBtn1");
    ASSERT_NE(Ok, nullptr);
    Ok->click();
  });
  EXPECT_EQ(Platform.ShowModal(End), TModalResult::mrOk);
}

// Catches the links the dialogs hand to the desktop, instead of a browser or mail program.
class LinkCatcher : public QObject {
  Q_OBJECT

 public:
  LinkCatcher() {
    for (const char* Scheme : {"mailto", "http", "https"})
      QDesktopServices::setUrlHandler(QString::fromLatin1(Scheme), this, "Open");
  }
  ~LinkCatcher() override {
    for (const char* Scheme : {"mailto", "http", "https"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(Scheme));
  }
  LinkCatcher(const LinkCatcher&) = delete;
  LinkCatcher& operator=(const LinkCatcher&) = delete;

  QStringList Opened;

 public slots:
  void Open(const QUrl& Url) { Opened << Url.toString(); }
};

TEST_F(Dialogs, LinksOpenOnALeftClickOnly) {
  LinkCatcher Links;
  TIntroForm Intro;
  DialogView IntroView(Intro, nullptr);
  TEndOfLevelForm End;
  DialogView EndView(End, nullptr);
  const std::vector<QLabel*> Labels = {IntroView.findChild<LinkLabel*>("Label11"),
                                       IntroView.findChild<LinkLabel*>("Label3"),
                                       EndView.findChild<LinkLabel*>("Label3")};
  for (QLabel* Label : Labels) {
    ASSERT_NE(Label, nullptr);
    QTest::mouseClick(Label, Qt::RightButton);
    QTest::mouseClick(Label, Qt::MiddleButton);
    QTest::mouseClick(Label, Qt::BackButton);
  }
  EXPECT_TRUE(Links.Opened.isEmpty()) << Links.Opened.join(' ').toStdString();
  for (QLabel* Label : Labels) QTest::mouseClick(Label, Qt::LeftButton);
  const QString Mail = QStringLiteral("mailto:") + QString::fromLatin1(TeamMailAddress);
  EXPECT_EQ(Links.Opened, (QStringList{QString::fromLatin1(TeamWebAddress), Mail, Mail}));
}

// A text that leads up to a link ends one blank before it, in whatever font the desktop has:
// the credit line reads as one line, and the links stay lined up in their column.
TEST_F(Dialogs, TextsBeforeLinksEndOneBlankBeforeThem) {
  TIntroForm Intro;
  DialogView IntroView(Intro, nullptr);
  TEndOfLevelForm End;
  DialogView EndView(End, nullptr);
  const struct {
    QWidget& Dialog;
    const char* Text;
    const char* Link;
    int LinkLeft;
  } Lines[] = {{IntroView, "Label6", "Label11", 280},
               {IntroView, "Label4", "Label3", 280},
               {EndView, "Label4", "Label3", 40}};
  for (const auto& Line : Lines) {
    auto* Text = Line.Dialog.findChild<QLabel*>(Line.Text);
    auto* Link = Line.Dialog.findChild<QLabel*>(Line.Link);
    ASSERT_NE(Text, nullptr);
    ASSERT_NE(Link, nullptr);
    EXPECT_EQ(Link->x(), Line.LinkLeft) << Line.Link;
    EXPECT_EQ(Text->y(), Link->y()) << Line.Text;
    const QFontMetrics Metrics(Text->font());
    const int TextEnd = Text->x() + Metrics.horizontalAdvance(Text->text());
    EXPECT_EQ(Link->x() - TextEnd, Metrics.horizontalAdvance(QLatin1Char(' ')))
        << Line.Text << " ends at " << TextEnd;
    // The text is whole on the window.
    EXPECT_GE(Text->x(), 0);
    EXPECT_GE(Text->width(), Metrics.horizontalAdvance(Text->text()));
  }
  EXPECT_EQ(IntroView.findChild<QLabel*>("Label6")->text(), "Programming and game design by");
}

using Menu = DeviceFixture;

TEST_F(Menu, SixEntriesInOrder) {
  const std::unique_ptr<QMenu> Popup = BuildMenu(Form->PopupMenu, nullptr);
  QStringList Captions;
  for (const QAction* Action : Popup->actions()) Captions << Action->text();
  EXPECT_EQ(Captions, (QStringList{"Restart", "Load custom level", "Info", "README.TXT",
                                   "WHATSNEW.TXT", "Quit"}));
}

TEST_F(Menu, ChosenEntryRunsItsHandler) {
  const std::unique_ptr<QMenu> Popup = BuildMenu(Form->PopupMenu, nullptr);
  RunChoice(Form->PopupMenu, nullptr);
  EXPECT_FALSE(Form->Quit);
  EXPECT_FALSE(Form->Restart);
  RunChoice(Form->PopupMenu, Popup->actions().at(0));
  EXPECT_TRUE(Form->Restart);
  EXPECT_FALSE(Form->Quit);
  RunChoice(Form->PopupMenu, Popup->actions().at(5));
  EXPECT_TRUE(Form->Quit);
}

}  // namespace
}  // namespace karvan::desktop::test

#include "dialog_and_menu_test.moc"
