#include "moxilo/text/codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "iconv_conversion.h"
#include "iconv_handle.h"

namespace moxilo::text {
namespace {

constexpr const char* kWideCharset =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr const char* kTextCharset = "CP936";
constexpr const char* kUtf8Charset = "UTF-8";
constexpr char16_t kWideReplacement = u'\uFFFD';
constexpr char kTextReplacement = '?';

// Opening a descriptor costs far more than converting a title, so each thread keeps its own.
IconvHandle& textToWideConverter() {
  thread_local IconvHandle converter{kWideCharset, kTextCharset};
  return converter;
}

IconvHandle& wideToTextConverter() {
  thread_local IconvHandle converter{kTextCharset, kWideCharset};
  return converter;
}

IconvHandle& utf8ToWideConverter() {
  thread_local IconvHandle converter{kWideCharset, kUtf8Charset};
  return converter;
}

bool isAscii(char unit) { return static_cast<unsigned char>(unit) < 0x80; }
bool isAscii(char16_t unit) { return unit < 0x80; }

std::string_view asBytes(std::string_view units) { return units; }
std::string_view asBytes(std::u16string_view units) {
  return {reinterpret_cast<const char*>(units.data()), units.size() * sizeof(char16_t)};
}

std::size_t oneByte(std::string_view /*rest*/) { return 1; }

std::size_t textCharacterBytes(std::string_view rest) { return characterLength(rest, 0); }

// A surrogate pair that code page 936 cannot hold is one character: one "?", not two.
std::size_t wideCharacterBytes(std::string_view rest) {
  std::array<char16_t, 2> units{};
  std::memcpy(units.data(), rest.data(), std::min(rest.size(), sizeof(units)));
  const bool pair = rest.size() >= sizeof(units) && units[0] >= 0xD800 && units[0] <= 0xDBFF &&
                    units[1] >= 0xDC00 && units[1] <= 0xDFFF;
  return pair ? sizeof(units) : sizeof(char16_t);
}

using text::asciiRunEnd;  // the Text overload, beside this one for UTF-16
std::size_t asciiRunEnd(std::u16string_view wide, std::size_t from) {
  return static_cast<std::size_t>(
      std::find_if(wide.begin() + static_cast<std::ptrdiff_t>(from), wide.end(),
                   [](char16_t unit) { return !isAscii(unit); }) -
      wide.begin());
}

// End of the run of characters from `from` on whose units are all outside ASCII
// (in Text, a trail byte may look like ASCII, so Text steps by whole characters).
std::size_t nonAsciiRunEnd(std::string_view text, std::size_t from) {
  while (from < text.size() && !isAscii(text[from])) {
    from += characterLength(text, from);
  }
  return from;
}

std::size_t nonAsciiRunEnd(std::u16string_view wide, std::size_t from) {
  return static_cast<std::size_t>(
      std::find_if(wide.begin() + static_cast<std::ptrdiff_t>(from), wide.end(),
                   [](char16_t unit) { return isAscii(unit); }) -
      wide.begin());
}

// Pages are mostly ASCII: copy ASCII runs unit by unit and hand only the rest to iconv.
template <typename Output, typename Input>
Output convertWithAsciiShortcut(Input input, IconvHandle& converter,
                                BadInputLength badInputLength,
                                typename Output::value_type replacement) {
  using OutputUnit = typename Output::value_type;
  Output output;
  output.reserve(input.size());
  std::size_t position = 0;
  while (position < input.size()) {
    const std::size_t asciiEnd = asciiRunEnd(input, position);
    const std::size_t written = output.size();
    output.resize(written + asciiEnd - position);
    for (std::size_t i = position; i < asciiEnd; ++i) {
      output[written + i - position] = static_cast<OutputUnit>(input[i]);
    }
    const std::size_t runEnd = nonAsciiRunEnd(input, asciiEnd);
    appendConverted(converter, asBytes(input.substr(asciiEnd, runEnd - asciiEnd)), output,
                    badInputLength, replacement);
    position = runEnd;
  }
  return output;
}

// All units, a zero unit included.
Text wideToText(std::u16string_view wide) {
  return convertWithAsciiShortcut<Text>(wide, wideToTextConverter(), wideCharacterBytes,
                                        kTextReplacement);
}

std::u16string utf8ToWide(std::string_view utf8) {
  return convertWithAsciiShortcut<std::u16string>(utf8, utf8ToWideConverter(), oneByte,
                                                  kWideReplacement);
}

std::string lowerCaseTrimmed(std::string_view name) {
  constexpr std::string_view kTrimmed = " \t\r\n\"'";
  const std::size_t first = name.find_first_not_of(kTrimmed);
  if (first == std::string_view::npos) {
    return {};
  }
  name = name.substr(first, name.find_last_not_of(kTrimmed) - first + 1);
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

bool isCodePage936Name(std::string_view name) {
  constexpr std::array<std::string_view, 9> kNames = {
      "gbk", "gb2312", "cp936", "ms936", "windows-936", "x-gbk", "gb_2312-80", "csgb2312", "euc-cn"};
  return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

// Keeps page-supplied names away from iconv's suffix syntax ("//TRANSLIT") and oddities.
bool isPlainCharsetName(std::string_view name) {
  constexpr std::size_t kLongestName = 40;
  return !name.empty() && name.size() <= kLongestName &&
         std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
                  c == '.' || c == ':';
         });
}

}  // namespace

std::size_t characterLength(std::string_view text, std::size_t position) {
  if (position >= text.size()) {
    return 0;
  }
  const auto lead = static_cast<unsigned char>(text[position]);
  if (lead < 0x81 || lead > 0xFE || position + 1 >= text.size()) {
    return 1;
  }
  const auto trail = static_cast<unsigned char>(text[position + 1]);
  const bool isTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE);
  return isTrail ? 2 : 1;
}

std::size_t asciiRunEnd(std::string_view text, std::size_t from) {
  // Eight bytes at a time: pages are mostly markup.
  constexpr std::uint64_t kHighBits = 0x8080'8080'8080'8080;
  std::uint64_t word = 0;
  while (from + sizeof(word) <= text.size()) {
    std::memcpy(&word, text.data() + from, sizeof(word));
    if ((word & kHighBits) != 0) {
      break;
    }
    from += sizeof(word);
  }
  while (from < text.size() && isAscii(text[from])) {
    ++from;
  }
  return from;
}

std::u16string toWide(std::string_view text) {
  return convertWithAsciiShortcut<std::u16string>(text, textToWideConverter(),
                                                  textCharacterBytes, kWideReplacement);
}

Text fromWide(std::u16string_view wide) { return wideToText(wide.substr(0, wide.find(u'\0'))); }

std::string toWideBytes(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  std::string bytes;
  for (const char16_t unit : toWide(text)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  bytes.append(sizeof(char16_t), '\0');
  return bytes;
}

Text fromWideBytes(std::string_view bytes) {
  std::u16string wide(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return fromWide(wide);
}

Text utf8ToText(std::string_view utf8) { return wideToText(utf8ToWide(utf8)); }

Text charsetToText(std::string_view bytes, std::string_view charset) {
  const std::string name = lowerCaseTrimmed(charset);
  if (name == "utf-8" || name == "utf8") {
    return utf8ToText(bytes);
  }
  if (isCodePage936Name(name) || !isPlainCharsetName(name)) {
    return Text(bytes);
  }
  IconvHandle converter{kWideCharset, name.c_str()};
  if (!converter.valid()) {
    return Text(bytes);
  }
  // Not every charset keeps ASCII bytes apart from its other characters: no shortcut here.
  std::u16string wide;
  appendConverted(converter, bytes, wide, oneByte, kWideReplacement);
  return wideToText(wide);
}

}  // namespace moxilo::text
