// The menu bar shared by the application and its window: File (Quit) and Edit (the standard
// editing commands), with English texts.
#pragma once

#include "framework/Menu.h"

class MainMenuBar : public fw::MenuBar {
 public:
  // Builds the File menu, then the Edit menu.
  MainMenuBar();

  virtual void Untitled0();
  virtual void Untitled1();

  // The shared instance, made on the first call.
  static std::shared_ptr<MainMenuBar> Instance();
  // Static finalisation: the slot lets go of the instance.
  static void ReleaseInstance();
};
