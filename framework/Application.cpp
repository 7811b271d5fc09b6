#include "framework/Application.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include "framework/Menu.h"
#include "framework/Picture.h"
#include "framework/Runtime.h"
#include "framework/Trace.h"
#include "framework/Window.h"

#ifndef BRENVALTIQUE_VERSION
#define BRENVALTIQUE_VERSION "0.0.0"
#endif

namespace fw {

namespace {
QByteArray executableOverride;
}

Application::Application() = default;
Application::~Application() = default;

String Application::LongVersion() const { return QStringLiteral("Version " BRENVALTIQUE_VERSION); }

FolderItemPtr Application::ExecutableFile() const { return fw::ExecutableFile(); }

void Application::Quit() {
  if (quitting_) return;
  quitting_ = true;
  seams::Trace(QStringLiteral("Application.Quit"));
  // Newest first; each close takes the window off the list.
  for (int guard = WindowCount(); guard > 0 && WindowCount() > 0; --guard) WindowAt(WindowCount() - 1)->Close();
  Event_Close();
  detail::EndEventLoop(0);
}

void SetApplicationIcon(const std::shared_ptr<Picture>& icon) {
  if (!icon || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon->Image())));
}

void SetDesktopFileName(const String& id) { QGuiApplication::setDesktopFileName(id); }

FolderItemPtr ExecutableFile() {
  if (!executableOverride.isEmpty()) return FolderItem::FromNativePath(executableOverride);
  return FolderItem::FromNativePath(QFile::encodeName(QCoreApplication::applicationFilePath()));
}

namespace seams {
void SetExecutableFile(const QByteArray& path) { executableOverride = path; }
}  // namespace seams

}  // namespace fw
