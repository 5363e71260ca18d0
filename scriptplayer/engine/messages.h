// The error messages of the script player. Most are followed in the error box by the command
// text and a line end.
#pragma once

#include <string_view>

namespace kinet::script::msg {

inline constexpr std::string_view kBadCommand = "  Bad script command:\r\n    ";
inline constexpr std::string_view kTooManyLabels = "  Too many labels.";
inline constexpr std::string_view kLabelNotFound = "  Label not found:\r\n    ";
inline constexpr std::string_view kTooManyGosubs = "  Too many GOSUBs.";
inline constexpr std::string_view kNeedVariable = "  Needed a variable in command:\r\n    ";
inline constexpr std::string_view kNeedParameter = "  Needed a parameter in command:\r\n    ";
inline constexpr std::string_view kNeedNonEmpty =
    "  Needed a non-empty parameter in command:\r\n    ";
inline constexpr std::string_view kNeedNumber = "  Needed a number in command:\r\n    ";
inline constexpr std::string_view kErrorOpeningScript =
    "  Error opening script in command:\r\n    ";
inline constexpr std::string_view kComputeError = "  Error in compute command:\r\n    ";
inline constexpr std::string_view kUnknownOperator = "  Unknown operator in command:\r\n    ";
inline constexpr std::string_view kNoWindow =
    "  A window hasn't been created yet (use ScreenGraphics first).\r\n";
inline constexpr std::string_view kBadAnimation = "  Bad animation parameter:\r\n    ";
inline constexpr std::string_view kBadFrame = "  Bad frame parameter:\r\n    ";
inline constexpr std::string_view kBadFile = "  Bad file parameter:\r\n    ";
inline constexpr std::string_view kErrorOpening = "  Error opening:\r\n    ";
inline constexpr std::string_view kZeroDimension = "  Zero dimension in command:\r\n    ";

}  // namespace kinet::script::msg
