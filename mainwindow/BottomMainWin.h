// The footer strip: version and credit line, download link, artwork credit and link, icon, top line.
#pragma once

#include <vector>

#include "controls/LinkingStaticText.h"
#include "framework/Canvas.h"
#include "framework/Control.h"
#include "framework/Label.h"
#include "framework/Separator.h"

class BottomMainWin : public fw::ContainerControl {
 public:
  using fw::ContainerControl::ContainerControl;

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

  fw::Label& StaticText4() const;
  LinkingStaticText& linkGrelmot() const;
  fw::Label& txtAppInfo() const;
  LinkingStaticText& linkAppUrl() const;
  fw::Canvas& Canvas1() const;
  fw::Separator& Separator1() const;

  // Bound to no event: the artist's link keeps and opens its design address.
  void linkGrelmot_Open(LinkingStaticText& sender);
  void txtAppInfo_Open(fw::Label& sender);
  void linkAppUrl_Open(LinkingStaticText& sender);
  void Canvas1_Paint(fw::Canvas& sender, fw::Graphics& g, const std::vector<fw::Rect>& areas);
};
