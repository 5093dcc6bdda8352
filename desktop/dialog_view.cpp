#include "dialog_view.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <utility>
#include <vector>

#include "forms/end_of_level_form.h"
#include "forms/form_parts.h"
#include "forms/intro_form.h"
#include "forms/level_select_form.h"
#include "key_map.h"

namespace karvan::desktop {

namespace {

QString Text(const std::string& Value) {
  return QString::fromStdString(Value);
}

QColor Colour(unsigned Rgb) {
  return QColor::fromRgb(static_cast<QRgb>(Rgb));
}

// The layouts were drawn for a narrow 8-point sans serif of about 11 pixels; sizing in pixels
// keeps the texts inside their places whatever the screen's dots per inch.
constexpr int DefaultPixelSize = 11;
constexpr int SmallPixelSize = 10;

QFont DialogFont(int PixelSize) {
  QFont Font;
  Font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
  Font.setStyleHint(QFont::SansSerif);
  Font.setPixelSize(PixelSize);
  return Font;
}

// The pictures the dialogs name, as resource files.
QString PicturePath(const std::string& Picture) {
  if (Picture == "TitleImage") return QStringLiteral(":/images/title.jpg");
  if (Picture == "SmallTitleImage") return QStringLiteral(":/images/title_small.jpg");
  return {};
}

void AddImage(QWidget& Dialog, const TImagePart& Part) {
  auto* Image = new QLabel(&Dialog);  // owned by the dialog
  Image->setGeometry(Part.Left, Part.Top, Part.Width, Part.Height);
  const QPixmap Picture(PicturePath(Part.Picture));
  if (!Picture.isNull()) {
    Image->setPixmap(
        Picture.scaled(Part.Width, Part.Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  } else {
    // Without the picture the title is still there, in the picture's blue.
    Image->setText(QStringLiteral("Karvan Mirk\u2122"));
    Image->setAlignment(Qt::AlignCenter);
    QFont Font = Image->font();
    Font.setBold(true);
    Font.setPointSizeF(14);
    Image->setFont(Font);
    QPalette Palette = Image->palette();
    Palette.setColor(QPalette::WindowText, Qt::blue);
    Image->setPalette(Palette);
  }
}

QLabel* AddLabel(QWidget& Dialog, const TLabelPart& Part, std::function<void()> OnClick = {}) {
  QLabel* Label = nullptr;
  if (Part.Link) {
    Label = new LinkLabel(Text(Part.Caption), &Dialog, std::move(OnClick));  // owned by the dialog
    QPalette Palette = Label->palette();
    Palette.setColor(QPalette::WindowText, Qt::blue);
    Label->setPalette(Palette);
    Label->setCursor(Qt::PointingHandCursor);
  } else {
    Label = new QLabel(Text(Part.Caption), &Dialog);  // owned by the dialog
  }
  Label->setObjectName(Text(Part.Name));
  Label->setTextFormat(Qt::PlainText);
  QFont Font = Label->font();
  Font.setBold(Part.Bold);
  Font.setUnderline(Part.Link);
  if (Part.SmallFont) Font.setPixelSize(SmallPixelSize);
  Label->setFont(Font);
  Label->setWordWrap(Part.WordWrap);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (Part.Width > 0) {
    Label->setGeometry(Part.Left, Part.Top, Part.Width, Part.Height);
  } else {
    Label->move(Part.Left, Part.Top);
    Label->adjustSize();
  }
  return Label;
}

// A text that leads up to a link on its line ends one blank before the link. The layouts were
// drawn for a font whose texts reached the link's column; a narrower one leaves a gap that
// reads as a missing word. The link keeps its place, lined up with the links below it.
void LeadUpToLinks(const std::vector<std::pair<const TLabelPart*, QLabel*>>& Labels) {
  for (const auto& [LinkPart, Link] : Labels) {
    if (!LinkPart->Link) continue;
    QLabel* Lead = nullptr;
    int LeadLeft = -1;
    for (const auto& [Part, Label] : Labels) {
      if (Part->Link || Part->WordWrap || Part->Top != LinkPart->Top) continue;
      if (Part->Left < LinkPart->Left && Part->Left > LeadLeft) {
        Lead = Label;
        LeadLeft = Part->Left;
      }
    }
    if (Lead == nullptr) continue;
    const QFontMetrics Metrics(Lead->font());
    const int End = Link->x() - Metrics.horizontalAdvance(QLatin1Char(' '));
    Lead->move(std::max(0, End - Metrics.horizontalAdvance(Lead->text())), Lead->y());
  }
}

void AddMemo(QWidget& Dialog, const TMemoPart& Part) {
  auto* Memo = new QPlainTextEdit(&Dialog);  // owned by the dialog
  Memo->setObjectName(Text(Part.Name));
  Memo->setGeometry(Part.Left, Part.Top, Part.Width, Part.Height);
  Memo->setReadOnly(true);
  Memo->setFrameShape(QFrame::NoFrame);
  Memo->setFocusPolicy(Qt::NoFocus);
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo->setTextInteractionFlags(Qt::NoTextInteraction);
  Memo->viewport()->setCursor(Qt::ArrowCursor);
  Memo->document()->setDocumentMargin(0);
  QFont Font = Memo->font();
  Font.setBold(Part.Bold);
  Font.setPixelSize(SmallPixelSize);
  Memo->setFont(Font);
  QPalette Palette = Memo->palette();
  Palette.setColor(QPalette::Base, Colour(DialogColour));
  Palette.setColor(QPalette::Text, Colour(MemoTextColour));
  Memo->setPalette(Palette);
  QStringList Lines;
  for (const std::string& Line : Part.Lines) Lines << Text(Line);
  Memo->setPlainText(Lines.join('\n'));
}

QPushButton* AddButton(QWidget& Dialog, const TButtonPart& Part) {
  auto* Button = new QPushButton(Text(Part.Caption), &Dialog);  // owned by the dialog
  Button->setObjectName(Text(Part.Name));
  Button->setGeometry(Part.Left, Part.Top, Part.Width, Part.Height);
  if (Part.OkKind) {
    Button->setDefault(true);
    Button->setAutoDefault(true);
    Button->setIcon(Dialog.style()->standardIcon(QStyle::SP_DialogOkButton));
  } else {
    Button->setAutoDefault(false);
  }
  return Button;
}

}  // namespace

LinkLabel::LinkLabel(const QString& Text, QWidget* Parent, std::function<void()> OnClickParam)
    : QLabel(Text, Parent), OnClick(std::move(OnClickParam)) {}

void LinkLabel::mousePressEvent(QMouseEvent* Event) {
  // Only the left button follows a link; the others are no request to open a mail or a page.
  if (OnClick && Event->button() == Qt::LeftButton) {
    OnClick();
    return;
  }
  QLabel::mousePressEvent(Event);
}

DialogView::DialogView(TDialogForm& FormParam, QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Form(FormParam) {
  setWindowTitle(Text(Form.Caption));
  setFixedSize(Form.ClientWidth, Form.ClientHeight);
  setFont(DialogFont(DefaultPixelSize));
  QPalette Palette = palette();
  Palette.setColor(QPalette::Window, Colour(DialogColour));
  setPalette(Palette);
  setAutoFillBackground(true);
  switch (Form.Kind) {
    case TDialogKind::Intro:
      BuildIntro();
      break;
    case TDialogKind::LevelSelect:
      BuildLevelSelect();
      break;
    case TDialogKind::EndOfLevel:
      setWindowFlag(Qt::WindowMinimizeButtonHint);
      BuildEndOfLevel();
      break;
  }
  // The level choice stands over the device window; the other two in the screen's middle.
  if (Form.Kind != TDialogKind::LevelSelect || Parent == nullptr || !Parent->isVisible()) {
    QScreen* Screen = Parent != nullptr && Parent->screen() != nullptr
                          ? Parent->screen()
                          : QGuiApplication::primaryScreen();
    if (Screen != nullptr) {
      QRect Place(QPoint(), size());
      Place.moveCenter(Screen->availableGeometry().center());
      move(Place.topLeft());
    }
  }
}

void DialogView::BuildIntro() {
  auto& Intro = static_cast<TIntroForm&>(Form);
  AddImage(*this, Intro.Image1);
  std::vector<std::pair<const TLabelPart*, QLabel*>> Labels;
  for (const TLabelPart& Part : Intro.Labels) {
    std::function<void()> OnClick;
    if (Part.Name == "Label3") OnClick = [&Intro] { Intro.Label3Click(); };
    if (Part.Name == "Label11") OnClick = [&Intro] { Intro.Label11Click(); };
    Labels.emplace_back(&Part, AddLabel(*this, Part, std::move(OnClick)));
  }
  LeadUpToLinks(Labels);
  AddMemo(*this, Intro.Memo1);
  AddMemo(*this, Intro.Memo2);
  QPushButton* Play = AddButton(*this, Intro.BitBtn1);
  connect(Play, &QPushButton::clicked, this, [this] {
    Form.ModalResult = TModalResult::mrOk;
    CloseOnResult();
  });
  Play->setFocus();
}

void DialogView::BuildLevelSelect() {
  auto& Choice = static_cast<TLevelSelectForm&>(Form);
  QPushButton* Load = AddButton(*this, Choice.BitBtn2);
  Load->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  AddLabel(*this, Choice.Label1);
  auto* Combo = new QComboBox(this);  // owned by the dialog
  Combo->setObjectName(QStringLiteral("LevelCombo"));
  Combo->setEditable(false);
  for (const std::string& Entry : Choice.LevelCombo) Combo->addItem(Text(Entry));
  Combo->setCurrentIndex(Choice.ItemIndex);
  Combo->setGeometry(11, 64, 124, Combo->sizeHint().height());
  connect(Combo, &QComboBox::currentIndexChanged, this,
          [&Choice](int Index) { Choice.ItemIndex = Index; });
  QPushButton* Ok = AddButton(*this, Choice.BitBtn1);
  connect(Ok, &QPushButton::clicked, this, [this, &Choice] {
    Choice.BitBtn1Click();
    CloseOnResult();
  });
  connect(Load, &QPushButton::clicked, this, [this, &Choice] {
    Choice.BitBtn2Click();
    CloseOnResult();
  });
  Combo->setFocus();
}

void DialogView::BuildEndOfLevel() {
  auto& End = static_cast<TEndOfLevelForm&>(Form);
  AddImage(*this, End.Image1);
  std::vector<std::pair<const TLabelPart*, QLabel*>> Labels;
  for (const TLabelPart& Part : End.Labels) {
    std::function<void()> OnClick;
    if (Part.Name == "Label3") OnClick = [&End] { End.Label3Click(); };
    Labels.emplace_back(&Part, AddLabel(*this, Part, std::move(OnClick)));
  }
  LeadUpToLinks(Labels);
  QPushButton* Ok = AddButton(*this, End.BitBtn1);
  connect(Ok, &QPushButton::clicked, this, [this] {
    Form.ModalResult = TModalResult::mrOk;
    CloseOnResult();
  });
  Ok->setFocus();
}

void DialogView::CloseOnResult() {
  if (Form.ModalResult == TModalResult::mrNone) return;
  done(Form.ModalResult == TModalResult::mrOk ? QDialog::Accepted : QDialog::Rejected);
}

TModalResult DialogView::Execute() {
  Form.ModalResult = TModalResult::mrNone;
  exec();
  if (Form.ModalResult == TModalResult::mrNone) Form.ModalResult = TModalResult::mrCancel;
  return Form.ModalResult;
}

void DialogView::keyPressEvent(QKeyEvent* Event) {
  if (const std::optional<Word> Mapped = MapKey(*Event)) {
    Word Key = *Mapped;
    Form.FormKeyDown(Key, MapModifiers(Event->modifiers()));
    if (Form.ModalResult != TModalResult::mrNone) {
      CloseOnResult();
      return;
    }
    // Escape belongs to the form: a dialog that does not close on it stays open.
    if (Event->key() == Qt::Key_Escape) return;
  }
  QDialog::keyPressEvent(Event);
}

void DialogView::reject() {
  // The close icon; Escape is handled by the form itself above.
  if (Form.ModalResult == TModalResult::mrNone) Form.ModalResult = TModalResult::mrCancel;
  QDialog::reject();
}

}  // namespace karvan::desktop
