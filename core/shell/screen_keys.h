// Names that key the screen texts: the window (form class) names, the control
// name of the window itself and the property names.
#pragma once

#include <string_view>

namespace tavimo::shell {

namespace form {
inline constexpr std::string_view kMain = "TForm1";
inline constexpr std::string_view kMeasuredValues = "TForm2";
inline constexpr std::string_view kWaveform = "TForm3";
inline constexpr std::string_view kDataBuffering = "TForm4";
inline constexpr std::string_view kCalibration = "TForm5";
inline constexpr std::string_view kBufferingSettings = "TForm6";
inline constexpr std::string_view kCalculation = "TForm7";
inline constexpr std::string_view kCsvSettings = "TForm8";
inline constexpr std::string_view kProgress = "TForm20";
inline constexpr std::string_view kAbout = "TForm21";
inline constexpr std::string_view kCommunicationSettings = "TForm22";
inline constexpr std::string_view kProgressWithCancel = "TForm23";
} // namespace form

// Control name of an entry that belongs to the window itself (its title).
inline constexpr std::string_view kWindowControl = "";

namespace property {
inline constexpr std::string_view kCaption = "Caption";
inline constexpr std::string_view kHint = "Hint";
inline constexpr std::string_view kItems = "Items";           // one item per line
inline constexpr std::string_view kTitle = "Title";           // chart series title
inline constexpr std::string_view kLeftAxisTitle = "LeftAxis.Title";
inline constexpr std::string_view kRightAxisTitle = "RightAxis.Title";
inline constexpr std::string_view kBottomAxisTitle = "BottomAxis.Title";
inline constexpr std::string_view kFilter = "Filter";         // description|pattern pairs
inline constexpr std::string_view kDefaultExt = "DefaultExt";
} // namespace property

} // namespace tavimo::shell
