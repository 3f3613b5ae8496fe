// Output of the command line.
#include "cli/Console.h"

#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"
#include "services/DatabaseErrorText.h"

namespace cli {

namespace {

bool isControl(char16_t u)
{
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

} // namespace

void writeBytes(std::FILE* stream, std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

void writeLine(std::FILE* stream, std::u16string_view text)
{
    std::string bytes = text::toUtf8(text);
    bytes.push_back('\n');
    writeBytes(stream, bytes);
}

std::u16string plainText(std::u16string_view text, bool keepLineBreaks)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        const bool pairedBreak = (u == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            || (u == u'\n' && i + 1 < text.size() && text[i + 1] == u'\r');
        if (pairedBreak || u == u'\n') {
            out.push_back(keepLineBreaks ? u'\n' : u' ');
            i += pairedBreak ? 1 : 0;
        } else {
            out.push_back(isControl(u) ? u' ' : u);
        }
    }
    return out;
}

void appendLineField(std::string& line, std::u16string_view text)
{
    // Encoded straight into the line rather than through a converted copy:
    // a search of half the guide appends three fields a hit.
    const std::size_t start = line.size();
    line.resize(start + text.size() * 3);
    char* out = line.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
        if (c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        } else if (isControl(static_cast<char16_t>(c))) {
            // A line break of two characters is one blank, as in plainText.
            if ((c == u'\r' && next == u'\n') || (c == u'\n' && next == u'\r'))
                ++i;
            c = u' ';
        }
        // A pair of units makes four bytes, within the three a unit has.
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (c >> 12));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (c >> 18));
            *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    line.resize(static_cast<std::size_t>(out - line.data()));
}

void reportGuideFailure(const Console& console, const GuideProblem& problem)
{
    const std::u16string message = plainText(databaseErrorText(problem), true);
    writeLine(console.err, text::format(texts::cli::kGuideError, {message}));
}

} // namespace cli
