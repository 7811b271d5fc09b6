#include "app/App.h"

#include "app/Pictures.h"
#include "framework/Application.h"
#include "framework/Localization.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"

App::App() = default;

void App::Event_Close() {}

void App::Event_Open() {
  InitStandardStrings();
  try {
    pIcon = std::make_shared<fw::Picture>(128, 128, 32);
    auto g = pIcon->Graphics();
    g->DrawPicture(Tassilumbre128(), 0, 0, fw::kOmittedSize, fw::kOmittedSize, 0, 0, fw::kOmittedSize,
                   fw::kOmittedSize);
  } catch (const fw::OutOfMemoryException&) {
    fw::MsgBox(kErrorIcon(QString()));
  }
  // The taskbar and the window switcher show the program's own icon, and the desktop its entry.
  fw::SetApplicationIcon(pIcon);
  fw::SetDesktopFileName(QStringLiteral("example.brenvaltique.Brenvaltique"));
  Instance().SetAutoQuit(true);
}

void App::InitStandardStrings() {
  msAppName = QStringLiteral("Brenvaltique");
  msAppHelpFile = QStringLiteral("AideBase.html");
  msAppCopyright = QStringLiteral("© 2026 le projet Brenvaltique, auteur et éditeur");
  msAppUrl = QStringLiteral("https://brenvaltique.example/Logiciels/") + msAppName + QStringLiteral(".zip");
  msAppVersion = Instance().LongVersion();
}

fw::String App::kErrorIcon(const fw::String& language) {
  return fw::GetLocalizedString(QStringLiteral("App.kErrorIcon"),
                                QStringLiteral("Memory is too low to create the App icon"), language);
}

App& App::Instance() {
  auto* app = dynamic_cast<App*>(fw::GetAppObject().get());
  if (!app) throw fw::NilObjectException(QStringLiteral("no application object"));
  return *app;
}
