// What the date and time fields share: they consume every key press and do their own typing when
// the key is released, with their own caret, admitting only the characters their text needs.
#pragma once

#include <algorithm>

#include "framework/TextField.h"

class OwnTypingField : public fw::TextField {
 public:
  explicit OwnTypingField(fw::ControlHost& host);

  // As in TabedTextField: where a passed check sends the focus. Not owned (see there).
  fw::TextField* ChampSuivant = nullptr;
  // Gaining the focus selects the whole text with the caret at its start when True; when False
  // it puts the caret at the end of the text.
  bool SelectAllText = true;

  // Every key is consumed; a validate key checks the text and, when it passes, moves on.
  bool Event_KeyDown(const fw::String& key) override;
  void Event_KeyUp(const fw::String& key) override;
  bool Event_MouseDown(int x, int y) override;
  void Event_GotFocus() override;

  bool ApplyProperty(std::string_view name, const fw::Value& v) override;

 protected:
  enum class KeyClass { Inserted, Beeped, Ignored };
  // The class of a typed character by its code (-1 for a key that is not one UTF-16 unit).
  virtual KeyClass ClassOf(int code) const = 0;
  // The check a validate key runs; True lets the focus move on.
  virtual bool CheckText() = 0;
  // Whatever brings text in (paste, a drop), the field holds only the characters it types.
  bool AllowsCharacter(QChar c) const override { return ClassOf(c.unicode()) == KeyClass::Inserted; }
  // As for typing, a LimitText of 0 lets nothing in.
  int MostCharacters() const override { return std::max(0, LimitText()); }

 private:
  // Where the next typed character goes, 0 to the text's length. Only the handlers above move it,
  // so text set from elsewhere can leave it beyond the end; it then counts as the end.
  int CharPos = 0;
};
