// The application object: identity strings, the icon picture, and the quit rule.
#pragma once

#include "framework/Application.h"
#include "framework/Picture.h"

class App : public fw::Application {
 public:
  App();

  void Event_Close() override;
  // Fills the identity strings, builds pIcon, sets AutoQuit.
  void Event_Open() override;
  virtual void InitStandardStrings();

  // Shown when the icon picture cannot be made; looked up at each use (empty language: the user's).
  static fw::String kErrorIcon(const fw::String& language);

  fw::String msAppCopyright;
  fw::String msAppHelpFile;
  fw::String msAppName;
  fw::String msAppUrl;
  fw::String msAppVersion;
  // The 128 x 128 icon; Nil until Open has made it.
  fw::PicturePtr pIcon;

  // The registered application object as an App; NilObjectException when there is none.
  static App& Instance();
};
