#include "platformservices.h"

namespace ordalis {

PlatformServices::~PlatformServices() = default;

}  // namespace ordalis
