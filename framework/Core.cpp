#include "framework/Core.h"

namespace fw {

namespace {
[[noreturn]] void WrongType(std::string_view name, const char* wanted) {
  throw RuntimeException(QStringLiteral("design property %1 wants a %2")
                             .arg(QString::fromUtf8(name.data(), int(name.size())), QLatin1String(wanted)));
}

template <class T>
T As(const Value& v, std::string_view name, const char* wanted) {
  if (auto p = std::get_if<T>(&v)) return *p;
  WrongType(name, wanted);
}
}  // namespace

int AsInt(const Value& v, std::string_view name) { return As<int>(v, name, "Int32"); }
bool AsBool(const Value& v, std::string_view name) { return As<bool>(v, name, "Boolean"); }
Color AsColor(const Value& v, std::string_view name) { return As<Color>(v, name, "Color"); }
String AsString(const Value& v, std::string_view name) { return As<String>(v, name, "String"); }

bool Object::ApplyProperty(std::string_view, const Value&) { return false; }

void ApplyDesign(Object& target, const Design& design) {
  for (const auto& e : design) {
    if (!target.ApplyProperty(e.Name, e.Val))
      throw RuntimeException(QStringLiteral("unknown design property %1").arg(QLatin1String(e.Name)));
  }
}

}  // namespace fw
