// The least a program can do for "quorvale match PATTERN FILE": read the file, turn it into UTF-16 with ICU's own
// converter, find every match and print how many. bench_match runs it beside quorvale to compare like with like.

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bare_icu_match PATTERN FILE\n");
        return 2;
    }
    std::ifstream file(argv[2], std::ios::binary | std::ios::ate);
    std::string bytes(size_t(file.tellg()), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), std::streamsize(bytes.size())))
        return 2;
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(bytes);
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    const std::unique_ptr<icu::RegexPattern> pattern(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(argv[1]), 0, parseError, status));
    if (U_FAILURE(status))
        return 2;
    const std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));
    long long matches = 0;
    while (matcher->find(status))
        ++matches;
    std::printf("%lld\n", matches);
    return U_SUCCESS(status) ? 0 : 2;
}
