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

void reportGuideFailure(const Console& console, const GuideProblem& problem)
{
    const std::u16string message = plainText(databaseErrorText(problem), true);
    writeLine(console.err, text::format(texts::cli::kGuideError, {message}));
}

} // namespace cli
