#include "mainwindow/AppFooterIdentity.h"

#include "app/App.h"
#include "framework/MessageDialog.h"

namespace {
class FromApp final : public FooterIdentity {
 public:
  fw::String Version() const override { return App::Instance().msAppVersion; }
  fw::String Copyright() const override { return App::Instance().msAppCopyright; }
  fw::String Url() const override { return App::Instance().msAppUrl; }
  fw::PicturePtr Icon() const override { return App::Instance().pIcon; }
  fw::String ErrorIconText() const override { return App::kErrorIcon(fw::String()); }
  void ShowError(const fw::String& text) override { fw::MsgBox(text); }
};
}  // namespace

FooterIdentity& AppFooterIdentity() {
  static FromApp identity;
  return identity;
}
