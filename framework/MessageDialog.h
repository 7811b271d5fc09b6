// The message dialog (window-modal within a window) and MsgBox (application-modal), with the
// responder that tests use to answer them.
#pragma once

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "framework/Core.h"

namespace fw {

class Window;

class MessageDialogButton {
 public:
  String Caption;
  bool Visible = true;
};
using MessageDialogButtonPtr = std::shared_ptr<MessageDialogButton>;

class MessageDialog {
 public:
  MessageDialog();

  // -1 none, 0 note, 1 caution, 2 stop, 3 question.
  int Icon = 0;
  String Title;
  String Message;
  String Explanation;
  // The default button, caption "OK", shown.
  MessageDialogButtonPtr ActionButton;
  // Caption "Annuler", hidden until made Visible; Escape presses it.
  MessageDialogButtonPtr CancelButton;
  // No caption, hidden until made Visible.
  MessageDialogButtonPtr AlternateActionButton;

  // Shows the dialog modally within parent and returns the button pressed; Nil when the dialog
  // ended without one.
  MessageDialogButtonPtr ShowModalWithin(Window& parent);
  // The same, modal for the whole application.
  MessageDialogButtonPtr ShowModal();

 private:
  MessageDialogButtonPtr Run(Window* parent);
};

// Shows the text in an application-modal box with one OK button.
void MsgBox(const String& text);

namespace seams {

// What one dialog showed, and how it was answered.
struct ShownDialog {
  String Title, Message, Explanation;
  int Icon = 0;
  // Captions of the buttons shown, action button first.
  QStringList Buttons;
  bool WindowModal = false;
  // The caption of the button pressed; empty when none was.
  String Pressed;
};

// The next dialog is answered by pressing the button with this caption (no such button: the
// dialog ends without a button). Answers queue up, one per dialog.
void AnswerNextDialog(const String& caption);
// Dialogs with no queued answer are answered with this caption; an empty caption presses the
// default button. nullopt: they wait for the user.
void SetDefaultDialogAnswer(std::optional<String> caption);
// Empties the queued answers and the record (the default answer stays).
void ResetDialogs();
// Every dialog shown since the last reset, oldest first.
const std::vector<ShownDialog>& ShownDialogs();

}  // namespace seams

}  // namespace fw
