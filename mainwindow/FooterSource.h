// What the footer reads from the application: its identity strings, its icon, and how to show an error.
#pragma once

#include "framework/Core.h"
#include "framework/Picture.h"

class FooterIdentity {
 public:
  virtual ~FooterIdentity() = default;
  virtual fw::String Version() const = 0;
  virtual fw::String Copyright() const = 0;
  virtual fw::String Url() const = 0;
  // The 128 x 128 application icon; Nil when it could not be made.
  virtual fw::PicturePtr Icon() const = 0;
  // The message shown when memory runs out while the icon is drawn.
  virtual fw::String ErrorIconText() const = 0;
  virtual void ShowError(const fw::String& text) = 0;
};
