// The dialogs as Qt windows, built from the parts their form objects describe. Buttons and
// links call the form's handlers; the form's modal result closes the window.
#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>
#include <memory>

#include "engine/dialog_form.h"

namespace karvan::desktop {

// A label that acts on a click (the dialogs' links).
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& Text, QWidget* Parent, std::function<void()> OnClickParam);

 protected:
  void mousePressEvent(QMouseEvent* Event) override;

 private:
  std::function<void()> OnClick;
};

class DialogView : public QDialog {
  Q_OBJECT

 public:
  DialogView(TDialogForm& FormParam, QWidget* Parent);

  // Shows the window modally and answers the form's modal result, Cancel when the window
  // was closed otherwise.
  TModalResult Execute();

  TDialogForm& Form;

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void reject() override;

 private:
  // Closes the window when a handler has given the form its modal result.
  void CloseOnResult();
  void BuildIntro();
  void BuildLevelSelect();
  void BuildEndOfLevel();
};

}  // namespace karvan::desktop
