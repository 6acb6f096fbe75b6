// The number pictures of the tables and exports against a reference that
// rounds through the standard library's decimal text.
#include "platform/textformat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// The picture's rules, written the plain way: the decimal text with eight
// more digits, rounded half away from zero at the picture's decimals. Only
// for pictures of zeros, blanks and one point, as the tables use.
QString reference(double v, int intZeros, int decimals, const QString &before, const QString &after)
{
    char buf[400];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, decimals + 8);
    std::string text(buf, res.ptr);
    const size_t dot = text.find('.');
    std::string digits = text.substr(0, dot) + text.substr(dot + 1, static_cast<size_t>(decimals));
    if (text[dot + 1 + static_cast<size_t>(decimals)] >= '5') {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    if (whole.size() < static_cast<size_t>(intZeros)) {
        whole.insert(0, static_cast<size_t>(intZeros) - whole.size(), '0');
    }
    std::string number = whole;
    if (decimals > 0) {
        number += '.' + digits.substr(digits.size() - static_cast<size_t>(decimals));
    }
    return QString((v < 0 && !zero) ? "-" : "") + before + QString::fromStdString(number) + after;
}

TEST(PictureFormat, MatchesTheDecimalTextRounding)
{
    struct Pic {
        const char *text;
        int intZeros, decimals;
        const char *before, *after;
    };
    const Pic pics[] = {{"  000.0", 3, 1, "  ", ""},
                        {" 0000 ", 4, 0, " ", " "},
                        {"000.0", 3, 1, "", ""},
                        {"     000.0  ", 3, 1, "     ", "  "},
                        {"         0", 1, 0, "         ", ""},
                        {"0.000", 1, 3, "", ""}};
    std::mt19937_64 rng(12345);
    std::vector<double> values = {0.0,
                                  0.05,
                                  0.15,
                                  0.25,
                                  0.35,
                                  2.675,
                                  1e-320,
                                  0.001953125,
                                  0.5,
                                  1.5,
                                  2.5,
                                  9.95,
                                  99.95,
                                  999.95,
                                  4503599627370495.5,
                                  9007199254740991.0,
                                  9007199254740992.0,
                                  1e17,
                                  1e300};
    std::uniform_real_distribution<double> small(-1000, 1000);
    std::uniform_int_distribution<int> tenths(-32768, 32767);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        values.push_back(small(rng));
        values.push_back(static_cast<float>(tenths(rng) * 0.4813)); // kilowatts as the power array holds them
        values.push_back(tenths(rng) / 10.0);
        double any = 0;
        const uint64_t b = bits(rng) & 0x7FEFFFFFFFFFFFFFULL; // finite doubles of every size
        std::memcpy(&any, &b, sizeof any);
        values.push_back(std::fabs(any) < 1e30 ? any : std::ldexp(any, -1000));
    }
    for (const Pic &pic : pics) {
        const textformat::PictureFormat format{QString::fromLatin1(pic.text)};
        int mismatches = 0;
        for (const double v : values) {
            for (const double s : {v, -v}) {
                const QString expected = reference(s, pic.intZeros, pic.decimals, pic.before, pic.after);
                const QString got = format(s);
                if (got != expected && mismatches++ < 3) {
                    ADD_FAILURE() << pic.text << " " << s << ": " << got.toStdString() << " / "
                                  << expected.toStdString();
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << pic.text;
    }
}

} // namespace
