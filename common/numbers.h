#pragma once
// Number conversions with the program's rules for text typed by the operator or read from files.
// Thread rule: any thread (pure functions).

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel {

// Strict integer conversion: optional leading blanks, optional sign, then decimal digits
// (or "$"/"0x" followed by hex digits) up to the end of the text. Anything else, an empty
// text or a value outside int32 gives nullopt.
std::optional<int32_t> StrToInt(std::string_view text);

// The integer a text starts with: optional leading blanks, an optional sign and decimal digits;
// whatever follows is ignored ("12abc" gives 12). nullopt when no digit comes first; values
// beyond int32 are held at its limits.
std::optional<int32_t> LeadingInt(std::string_view text);

// StrToInt, or `fallback` when the text is no integer.
int32_t StrToIntDef(std::string_view text, int32_t fallback);

// A text that had to be a number and was not. what() is "'<text>' は数値ではありません" in the
// language shown.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string text);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// StrToInt that throws ConversionError for a text that is no integer.
int32_t StrToIntOrThrow(std::string_view text);

// A car number typed into a course box: values <= 0 or >= 200 become 199; a text that is no
// number gives kNotACarNumber (the window shows message 109 with caption 110).
inline constexpr int32_t kNotACarNumber = -1;
int32_t ParseCarNumber(std::string_view text);

// The value of a hexadecimal digit (either case), -1 for any other character.
int HexDigitValue(char c);

}  // namespace vantrel
