#include "engine/message_number.h"

#include <charconv>

namespace engine {

std::string messageNumber(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace engine
