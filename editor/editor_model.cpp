#include "editor_model.h"

#include <QUndoCommand>
#include <algorithm>
#include <memory>
#include <utility>

namespace karvan::editor {

namespace {

// One step: the whole document before and after. Levels are small, and a step that restores
// the document as it was cannot drift from it.
class DocumentStep : public QUndoCommand {
 public:
  DocumentStep(EditorModel& ModelParam, const QString& Text, LevelDocument BeforeParam,
               LevelDocument AfterParam, int StrokeParam)
      : QUndoCommand(Text),
        Model(ModelParam),
        Before(std::move(BeforeParam)),
        After(std::move(AfterParam)),
        Stroke(StrokeParam) {}

  void undo() override { Model.Set(Before); }
  void redo() override { Model.Set(After); }
  int id() const override { return Stroke == 0 ? -1 : 1; }
  bool mergeWith(const QUndoCommand* Other) override {
    const auto* Next = dynamic_cast<const DocumentStep*>(Other);
    if (Next == nullptr || Next->Stroke != Stroke) return false;
    After = Next->After;
    return true;
  }

 private:
  EditorModel& Model;
  LevelDocument Before;
  LevelDocument After;
  int Stroke;
};

}  // namespace

EditorModel::EditorModel(QObject* Parent) : QObject(Parent) {
  Stack.setUndoLimit(1000);
}

void EditorModel::Reset(LevelDocument Document) {
  Stack.clear();
  Selected.reset();
  Set(std::move(Document));
  Stack.setClean();
  emit SelectionChanged();
}

void EditorModel::Change(const QString& Text, LevelDocument After, int Stroke) {
  if (After == Current) return;
  auto Step = std::make_unique<DocumentStep>(*this, Text, Current, std::move(After), Stroke);
  Stack.push(Step.release());  // the stack owns its steps
}

void EditorModel::Set(const LevelDocument& Document) {
  Current = Document;
  // A selection reaching past a map that shrank is cut to it.
  if (Selected) {
    CellRect& S = *Selected;
    S.Width = std::min(S.Width, Current.Width() - S.X);
    S.Height = std::min(S.Height, Current.Height() - S.Y);
    if (S.Empty()) Selected.reset();
  }
  emit DocumentChanged();
}

void EditorModel::Select(std::optional<CellRect> Area) {
  if (Area && Area->Empty()) Area.reset();
  if (Area == Selected) return;
  Selected = Area;
  emit SelectionChanged();
}

}  // namespace karvan::editor
