// The layer's basic vocabulary: text, colours, exceptions, design values and events.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

using String = QString;

struct Color {
  int Red = 0, Green = 0, Blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// The alpha argument is accepted for the callers' sake; colours here are opaque.
inline Color RGB(int r, int g, int b, int /*alpha*/ = 0) { return Color{r, g, b}; }
inline Color RGBHex(unsigned rgb) { return Color{int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)}; }

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const String& message = {}) : std::runtime_error(message.toStdString()), Message(message) {}
  virtual String ClassName() const { return QStringLiteral("RuntimeException"); }
  String Message;
};

class NilObjectException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  String ClassName() const override { return QStringLiteral("NilObjectException"); }
};

class OutOfMemoryException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  String ClassName() const override { return QStringLiteral("OutOfMemoryException"); }
};

// Dereference a shared object the way the framework does: through Nil it raises.
template <class T>
T& Deref(const std::shared_ptr<T>& p) {
  if (!p) throw NilObjectException(QStringLiteral("Nil object"));
  return *p;
}

// One entry of a design: a property name and its value.
using Value = std::variant<int, bool, Color, String>;
struct DesignEntry {
  const char* Name;
  Value Val;
};
using Design = std::vector<DesignEntry>;

int AsInt(const Value& v, std::string_view name);
bool AsBool(const Value& v, std::string_view name);
Color AsColor(const Value& v, std::string_view name);
String AsString(const Value& v, std::string_view name);

// Everything that takes a design or raises events derives from Object.
class Object {
 public:
  virtual ~Object() = default;
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  // Sets one design property by name; false when this class does not know the name.
  virtual bool ApplyProperty(std::string_view name, const Value& v);
};

// The layout step: every entry goes to the property of its name; an unknown name is a fault.
void ApplyDesign(Object& target, const Design& design);

// An event raised to the owner's bound handler; with no handler, the result is the default (False).
template <class Sig>
class Event;

template <class R, class... A>
class Event<R(A...)> {
 public:
  using Handler = std::function<R(Object&, A...)>;

  void Bind(Handler h) { handler_ = std::move(h); }

  // Binds an owner's method whose first parameter is the sender typed as its own class.
  template <class Owner, class Sender>
  void Bind(Owner* owner, R (Owner::*method)(Sender&, A...)) {
    handler_ = [owner, method](Object& sender, A... args) -> R {
      return (owner->*method)(static_cast<Sender&>(sender), args...);
    };
  }

  bool Bound() const { return bool(handler_); }

  R Raise(Object& sender, A... args) const {
    if (!handler_) return R();
    return handler_(sender, args...);
  }

 private:
  Handler handler_;
};

}  // namespace fw
