// A static text label.
#pragma once

#include "framework/Control.h"

class QLabel;

namespace fw {

class Label : public RectControl {
 public:
  explicit Label(ControlHost& host);

  String Text() const;
  void SetText(const String& t);
  Color TextColor() const { return textColor_; }
  void SetTextColor(Color c);
  // Alignment code: 0 left, 1 centre, 2 right.
  int TextAlign() const { return textAlign_; }
  void SetTextAlign(int a);
  bool Multiline() const { return multiline_; }
  void SetMultiline(bool m);

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QLabel* QtLabel() const;

 private:
  Color textColor_{0, 0, 0};
  int textAlign_ = 0;
  bool multiline_ = false;
};

}  // namespace fw
