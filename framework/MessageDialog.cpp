#include "framework/MessageDialog.h"

#include <QEventLoop>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>

#include "framework/Window.h"

namespace fw {

namespace {

std::deque<String> queuedAnswers;
std::optional<String> defaultAnswer;
std::vector<seams::ShownDialog> shown;

QMessageBox::Icon QtIcon(int icon) {
  switch (icon) {
    case 0: return QMessageBox::Information;
    case 1: return QMessageBox::Warning;
    case 2: return QMessageBox::Critical;
    case 3: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}

int IconCode(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Information: return 0;
    case QMessageBox::Warning: return 1;
    case QMessageBox::Critical: return 2;
    case QMessageBox::Question: return 3;
    default: return -1;
  }
}

std::optional<String> NextAnswer() {
  if (!queuedAnswers.empty()) {
    String a = queuedAnswers.front();
    queuedAnswers.pop_front();
    return a;
  }
  return defaultAnswer;
}

}  // namespace

MessageDialog::MessageDialog()
    : ActionButton(std::make_shared<MessageDialogButton>()),
      CancelButton(std::make_shared<MessageDialogButton>()),
      AlternateActionButton(std::make_shared<MessageDialogButton>()) {
  ActionButton->Caption = QStringLiteral("OK");
  CancelButton->Caption = QStringLiteral("Annuler");
  CancelButton->Visible = false;
  AlternateActionButton->Visible = false;
}

MessageDialogButtonPtr MessageDialog::ShowModalWithin(Window& parent) { return Run(&parent); }
MessageDialogButtonPtr MessageDialog::ShowModal() { return Run(nullptr); }

MessageDialogButtonPtr MessageDialog::Run(Window* parent) {
  QMessageBox box(parent ? parent->NativeWindow() : nullptr);
  box.setWindowTitle(Title);
  box.setText(Message);
  box.setInformativeText(Explanation);
  box.setIcon(QtIcon(Icon));

  std::vector<std::pair<QPushButton*, MessageDialogButtonPtr>> buttons;
  auto add = [&](const MessageDialogButtonPtr& b, QMessageBox::ButtonRole role) {
    QPushButton* q = box.addButton(b->Caption, role);
    buttons.emplace_back(q, b);
    return q;
  };
  // A dialog always has its action button, or it could not be answered.
  QPushButton* action = add(ActionButton, QMessageBox::AcceptRole);
  if (AlternateActionButton && AlternateActionButton->Visible) add(AlternateActionButton, QMessageBox::DestructiveRole);
  if (CancelButton && CancelButton->Visible) box.setEscapeButton(add(CancelButton, QMessageBox::RejectRole));
  box.setDefaultButton(action);

  QEventLoop loop;
  QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
  if (parent) {
    box.open();
  } else {
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
  }

  // The record is read back from the box on screen.
  seams::ShownDialog record;
  record.Title = box.windowTitle();
  record.Message = box.text();
  record.Explanation = box.informativeText();
  record.Icon = IconCode(box.icon());
  for (const auto& [q, b] : buttons) record.Buttons << q->text();
  record.WindowModal =
      box.windowModality() == Qt::WindowModal && parent && box.parentWidget() == parent->NativeWindow();
  size_t index = shown.size();
  shown.push_back(record);

  if (std::optional<String> answer = NextAnswer()) {
    QTimer::singleShot(0, &box, [&box, &buttons, caption = *answer, action] {
      QPushButton* target = caption.isEmpty() ? action : nullptr;
      for (const auto& [q, b] : buttons)
        if (!target && b->Caption == caption) target = q;
      if (target) target->click();
      else box.done(0);
    });
  }
  if (box.isVisible()) loop.exec(QEventLoop::DialogExec);

  MessageDialogButtonPtr pressed;
  for (const auto& [q, b] : buttons)
    if (box.clickedButton() == q) pressed = b;
  if (pressed) shown[index].Pressed = pressed->Caption;
  return pressed;
}

void MsgBox(const String& text) {
  MessageDialog d;
  d.Message = text;
  d.ShowModal();
}

namespace seams {
void AnswerNextDialog(const String& caption) { queuedAnswers.push_back(caption); }
void SetDefaultDialogAnswer(std::optional<String> caption) { defaultAnswer = std::move(caption); }
void ResetDialogs() {
  queuedAnswers.clear();
  shown.clear();
}
const std::vector<ShownDialog>& ShownDialogs() { return shown; }
}  // namespace seams

}  // namespace fw
