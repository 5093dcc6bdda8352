// The document being edited, its undo history and the selection. Every change of the level
// goes through Change, so that each one can be undone.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <optional>

#include "level_document.h"

namespace karvan::editor {

class EditorModel : public QObject {
  Q_OBJECT

 public:
  explicit EditorModel(QObject* Parent = nullptr);

  const LevelDocument& Document() const { return Current; }
  QUndoStack& History() { return Stack; }

  // A new document: the history is cleared and the document counts as saved.
  void Reset(LevelDocument Document);
  // Replaces the document as one step of the history named Text. Steps of one stroke (the
  // same stroke number, not zero) merge into one.
  void Change(const QString& Text, LevelDocument After, int Stroke = 0);
  // Sets the document without a history step; used by the history itself.
  void Set(const LevelDocument& Document);

  // A new number for a stroke of the pointer.
  int NewStroke() { return ++LastStroke; }

  std::optional<CellRect> Selection() const { return Selected; }
  void Select(std::optional<CellRect> Area);

  // The cells copied last.
  std::optional<LevelDocument> Clipboard;

 signals:
  void DocumentChanged();
  void SelectionChanged();

 private:
  LevelDocument Current;
  QUndoStack Stack;
  std::optional<CellRect> Selected;
  int LastStroke = 0;
};

}  // namespace karvan::editor
