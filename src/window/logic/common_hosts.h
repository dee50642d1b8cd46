// What more than one handler asks of the window or the system, each
// operation declared once. A handler's own host derives from these
// virtually, so the one window that is every host implements each once.
#pragma once

#include <string>

#include "sort/sort_key.h"

namespace ordalis {

// The program and its folder.
class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  // The directory of the running executable, without a trailing separator.
  virtual std::string ExecutableDirectory() = 0;
};

// The three number boxes, Text1 to Text3.
class KeyBoxesHost {
 public:
  virtual ~KeyBoxesHost() = default;
  // Their current texts.
  virtual KeyTexts BoxTexts() = 0;
  // Puts `texts` into them.
  virtual void SetBoxTexts(const KeyTexts& texts) = 0;
};

}  // namespace ordalis
