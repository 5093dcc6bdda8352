#include "engine/platform.h"

#include <stdexcept>

namespace karvan {

namespace {
Platform* CurrentPlatform = nullptr;
}

void SetPlatform(Platform* Instance) {
  CurrentPlatform = Instance;
}

Platform& GetPlatform() {
  if (CurrentPlatform == nullptr) throw std::logic_error("no platform installed");
  return *CurrentPlatform;
}

bool HasPlatform() {
  return CurrentPlatform != nullptr;
}

PlatformScope::PlatformScope(Platform& Instance) : Previous(CurrentPlatform) {
  CurrentPlatform = &Instance;
}

PlatformScope::~PlatformScope() {
  CurrentPlatform = Previous;
}

}  // namespace karvan
