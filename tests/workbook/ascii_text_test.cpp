// Runs of decimal digits: every digit counts, and a value with a stop grows no further once it
// reaches it, however long the run, which its callers' caps and bounds rest on.
#include "workbook/ascii_text.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace tabulor {
namespace {

struct TRunCase {
    std::string_view Text;
    std::size_t Count;
    std::uint64_t Value;
};

TEST(AsciiText, DigitRunsCountEveryDigitAndStopGrowingAtTheirStop)
{
    const TRunCase unstopped[] = {
        {"", 0, 0},
        {"x1", 0, 0},
        {"0042x7", 4, 42},
        {"18446744073709551615", 20, std::numeric_limits<std::uint64_t>::max()},
    };
    for (const TRunCase& c : unstopped) {
        const TDigitRun run = ReadDigits(c.Text);
        EXPECT_EQ(run.Count, c.Count) << c.Text;
        EXPECT_EQ(run.Value, c.Value) << c.Text;
    }
    EXPECT_EQ(ReadDigits("34.5", 12).Value, 1234u);
    const TRunCase stopped[] = {
        {"999", 3, 999},
        {"1000", 4, 1000},
        {"12345", 5, 1234},
        {"99999999999999999999999999", 26, 9999},
        {"0000000000000000000000000000001", 31, 1},
    };
    for (const TRunCase& c : stopped) {
        const TDigitRun run = ReadDigits<1000>(c.Text);
        EXPECT_EQ(run.Count, c.Count) << c.Text;
        EXPECT_EQ(run.Value, c.Value) << c.Text;
    }
}

}  // namespace
}  // namespace tabulor
