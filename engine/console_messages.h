#pragma once

#include <string_view>

namespace engine {

// The engines' console dialogue, in UTF-8. Each message is 42 display columns wide
// (a full-width character takes two).
inline constexpr std::string_view kStartedMessage = "         ---     計算を開始しました    ---";
inline constexpr std::string_view kPleaseWaitMessage = "         ---  しばらくお待ちください   ---";
inline constexpr std::string_view kFinishedMessage = "         ---     計算が終了しました    ---";
inline constexpr std::string_view kPressEnterMessage = "         ---    Enter を押して下さい   ---";

// An "empty" console line is the text of one blank.
inline constexpr std::string_view kEmptyLine = " ";
inline constexpr std::string_view kStopMessage = "Stop - Program terminated.";

}  // namespace engine
