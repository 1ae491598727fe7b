// The rules of the numeric entry field (UNumberEdit), as pure functions on
// its text and its settings, so that the Qt field only forwards keys, pastes,
// focus changes and timer ticks to them.
//
// Texts use "." as decimal separator whatever the locale; the field turns a
// typed "," into ".".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo::window {

// Min, Max, Default, Figure, Integer, Plus of one field. Construct through
// NumberFieldSpec::make or normalise(): the default always lies inside the
// range, so that leaving a field with an out-of-range value can always put a
// valid text back (a default outside the range would keep the focus trapped).
struct NumberFieldSpec {
    double min = 0;
    double max = 0;
    double defaultValue = 0;
    std::string figure = "0.00"; // "0", "0.00", "0.0000": decimals after "."
    bool integer = false;        // whole numbers only
    bool plus = false;           // no minus sign

    // max below min becomes min; a default outside min..max becomes max.
    void normalise();
    static NumberFieldSpec make(double min, double max, double defaultValue, std::string figure = "0.0000",
                                bool integer = false, bool plus = false);
    int decimals() const; // digits after "." in the figure
};

// The field's value as text: `Integer` fields as whole numbers, others with
// the figure's decimals (rounded half away from zero). Never "-0".
std::string formatNumber(const NumberFieldSpec& spec, double value);

// SetValue: the value's text when it lies in the range, otherwise the
// default's text. (Integer fields compare the truncated value with the
// truncated bounds.)
std::string textForValue(const NumberFieldSpec& spec, double value);

// The number a text holds: optional "-", digits, at most one "." (none in an
// Integer field), at least one digit. Nothing for anything else ("", "-",
// "1.2.3", "1e5", " 1", "inf").
std::optional<double> parseNumber(std::string_view text, bool integer);

// GetValue: the text's number, or the default when it holds none. Not
// range-checked.
double valueOfText(const NumberFieldSpec& spec, std::string_view text);

// Whether a value lies within min..max (bounds included).
bool inRange(const NumberFieldSpec& spec, double value);

enum class TextState {
    Empty,      // "" or "-": nothing happens yet
    Unreadable, // no number
    OutOfRange, // shown red
    InRange,    // shown black
};
TextState classifyText(const NumberFieldSpec& spec, std::string_view text);

// Whether a text is one the key filter could have produced: optional "-" at
// the very start (never in a Plus field), digits, at most one "." (never in
// an Integer field). The empty text and "-" count as such texts.
bool wellFormedText(const NumberFieldSpec& spec, std::string_view text);

// Editing position: the caret, or the selection [start, start + length).
struct Selection {
    int start = 0;
    int length = 0;
};

enum class KeyAction {
    Insert,    // insert `character` at the selection
    Refuse,    // the key is dropped
    FocusNext, // Enter: move to the next control
    Clear,     // Esc: empty the text
};

struct KeyDecision {
    KeyAction action = KeyAction::Refuse;
    char character = 0;
};

// The key filter for one typed character. Enter is '\r' or '\n', Esc 0x1b.
// "," becomes "."; a "." only without another "." outside the selection; a
// "-" only when the text equals the figure or is wholly selected (an empty
// text counts as wholly selected), and only if the text that results still
// reads as a number text; digits always; everything else is refused.
KeyDecision filterKey(const NumberFieldSpec& spec, std::string_view text, Selection selection, char typed);

// The text after replacing the selection by `inserted`.
std::string replaceSelection(std::string_view text, Selection selection, std::string_view inserted);

// Whether a paste of `clipboard` is let through: the clipboard holds a
// number within the range, and the text that results passes the same rules
// as typed text (so a paste can never bring in letters, a second "." or a
// minus sign the key filter would refuse).
bool pasteAllowed(const NumberFieldSpec& spec, std::string_view text, Selection selection,
                  std::string_view clipboard);

// Leaving the field: the text it then shows and whether the value was
// accepted. Empty or "-" first becomes the default's text. An accepted value
// is reformatted with the figure (and the change is reported at once); an
// out-of-range or unreadable text is replaced by the default's text and the
// focus stays in the field.
struct LeaveResult {
    std::string text;
    bool accepted = false;
};
LeaveResult leaveField(const NumberFieldSpec& spec, std::string_view text);

// The settle counter of the change notification: a valid change is reported
// on the third 400 ms tick after the last change of the text; an invalid
// change cancels a pending report.
class SettleCounter {
public:
    static constexpr int kTickMs = 400;

    // After every change of the text.
    void textChanged(TextState state);
    // Every tick; true when the change notification is due now.
    bool tick();
    // A report made at once (leaving the field) ends the pending one.
    void clear() { pending_ = 0; }
    bool pending() const { return pending_ > 0; }

private:
    int pending_ = 0;
};

} // namespace tavimo::window
