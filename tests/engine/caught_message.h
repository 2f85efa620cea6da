#pragma once

#include <string>

namespace engine {

// The message of the `Error` that `action` throws, or a text saying that none came.
template <typename Error, typename Action>
std::string caughtMessage(Action action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(nothing thrown)";
}

}  // namespace engine
