#include "framework/Trace.h"

namespace fw::seams {

namespace {
bool tracing = false;
// Never destroyed, so a step traced during static destruction is harmless.
QStringList& steps = *new QStringList;
}  // namespace

void StartTrace() {
  steps.clear();
  tracing = true;
}

void StopTrace() { tracing = false; }

void Trace(const String& step) {
  if (tracing) steps << step;
}

QStringList TraceLog() { return steps; }

}  // namespace fw::seams
