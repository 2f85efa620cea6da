#include "palvane/state/shared_state.h"

namespace palvane {

SharedState& state() {
  static SharedState instance;
  return instance;
}

}  // namespace palvane
