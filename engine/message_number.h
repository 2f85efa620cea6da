#pragma once

#include <string>

namespace engine {

// The shortest text that reads back as the same float, for error messages ("50.2").
std::string messageNumber(float value);

}  // namespace engine
