// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/runtables.h"
#include "core/signaltype.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::EntryText;
using testsupport::Session;

using Row = std::vector<std::string>;

// The table as a spreadsheet splits it: lines at line feeds, cells at tabs.
std::vector<Row> cells(const std::string& text)
{
    std::vector<Row> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line has no line feed";
            break;
        }
        Row row;
        std::string_view line(text.data() + start, end - start);
        for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos;
             line.remove_prefix(tab + 1))
            row.emplace_back(line.substr(0, tab));
        row.emplace_back(line);
        rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

// A cell read back as a double with the point as decimal separator, as a correctly
// rounding reader does; NaN when the whole cell is not a number.
double number(const std::string& cell)
{
    double value = std::nan("");
    const auto result = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return result.ec == std::errc() && result.ptr == cell.data() + cell.size() ? value
                                                                               : std::nan("");
}

std::size_t size(std::int32_t n)
{
    return static_cast<std::size_t>(n);
}

TEST(RunTables, NothingToCopyBeforeTheFirstRun)
{
    Session s;
    EXPECT_EQ(s.module.completedRun(), nullptr);
    ASSERT_NE(s.run(entriesWith({{ke, "0"}})), std::nullopt);
    EXPECT_EQ(s.module.completedRun(), nullptr);
}

TEST(RunTables, WaveformTableReadsBackAsTheRunsSamples)
{
    Session s;
    ASSERT_EQ(s.run({}, pulseSignalItem), std::nullopt);
    ASSERT_NE(s.module.completedRun(), nullptr);
    const SignalArrays& a = s.module.arrays();
    const std::vector<Row> rows = cells(waveformTable(*s.module.completedRun()));

    ASSERT_EQ(rows.size(), 1002u);
    EXPECT_EQ(rows[0], (Row{"n", "t [s]", "V(t)", "Vr(t)"}));
    for (std::size_t n = 0; n <= 1000; ++n) {
        const Row& row = rows[n + 1];
        ASSERT_EQ(row.size(), 4u) << "row " << n;
        EXPECT_EQ(row[0], std::to_string(n));
        // Sample n stands for the time n W / N, from 0 to W = 2 exactly at the ends.
        EXPECT_NEAR(number(row[1]), 2.0 * static_cast<double>(n) / 1000, 1e-15) << "row " << n;
        EXPECT_EQ(number(row[2]), a.inputSignal[n]) << "row " << n;
        EXPECT_EQ(number(row[3]), a.outputSignal[n]) << "row " << n;
    }
    EXPECT_EQ(rows[1][1], "0");
    EXPECT_EQ(rows[1001][1], "2");
    // Vr(t) at t = W has come round to its value at 0; it does not drop to 0.
    EXPECT_NEAR(number(rows[1001][3]), number(rows[1][3]), 1e-9);
    EXPECT_NE(rows[1001][3], "0");
}

struct SpectrumCase {
    const char* name;
    std::vector<EntryText> entries;
    bool filterOn, filterOff;
    std::int32_t highestLine;  // K = R(N / 2)
};

void PrintTo(const SpectrumCase& c, std::ostream* os)
{
    *os << c.name;
}

class SpectrumTable : public testing::TestWithParam<SpectrumCase> {};

// The lines marked "sì" are exactly those of 0..K that the same run without the filter
// leaves nonzero and the filtered run sets to 0.
TEST_P(SpectrumTable, ReadsBackAsTheRunsSpectrumAndMarksTheRemovedLines)
{
    const SpectrumCase& c = GetParam();
    Session unfiltered, s;
    ASSERT_EQ(unfiltered.run(entriesWith(c.entries), sineSignalItem, false, true), std::nullopt);
    ASSERT_EQ(s.run(entriesWith(c.entries), sineSignalItem, c.filterOn, c.filterOff), std::nullopt);
    const SignalArrays& a = s.module.arrays();
    const double w = s.module.parameters().windowTime;
    const std::vector<Row> rows = cells(spectrumTable(*s.module.completedRun()));

    ASSERT_EQ(rows.size(), size(c.highestLine) + 2);
    EXPECT_EQ(rows[0], (Row{"k", "f [Hz]", "S(f)", "azzerata dal filtro"}));
    std::set<std::int32_t> marked;
    for (std::int32_t k = 0; k <= c.highestLine; ++k) {
        const Row& row = rows[size(k) + 1];
        ASSERT_EQ(row.size(), 4u) << "row " << k;
        EXPECT_EQ(row[0], std::to_string(k));
        EXPECT_NEAR(number(row[1]), k / w, 1e-12) << "row " << k;
        EXPECT_EQ(number(row[2]), a.spectrumMag[size(k)]) << "row " << k;
        ASSERT_TRUE(row[3] == "sì" || row[3] == "no") << row[3];
        if (row[3] == "sì")
            marked.insert(k);
    }
    std::set<std::int32_t> removed;
    for (std::int32_t k : testsupport::removedLines(unfiltered.module.arrays(), a))
        if (k <= c.highestLine)
            removed.insert(k);
    EXPECT_EQ(marked, removed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpectrumTable,
    testing::Values(
        SpectrumCase{"DefaultBand", {}, true, false, 500},
        SpectrumCase{"DcLine", {{fi, "0"}, {fs, "0"}}, true, false, 500},
        SpectrumCase{"NegativeLowEdge", {{fi, "-10"}}, true, false, 500},
        SpectrumCase{
            "OddCountHalfLine", {{N, "1001"}, {fi, "50.25"}, {fs, "50.25"}}, true, false, 500},
        SpectrumCase{"OddCountUpperHalf", {{N, "1003"}}, true, false, 502},
        SpectrumCase{"FilterOff", {}, false, true, 500},
        SpectrumCase{"BothOptions", {}, true, true, 500}),
    testsupport::ByName{});

// A refused request rewrites the record, but the tables still describe the run the
// plots show: its N, W, band and filter setting.
TEST(RunTables, ARefusedRequestLeavesTheCompletedRun)
{
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem), std::nullopt);
    const std::string waveform = waveformTable(*s.module.completedRun());
    const std::string spectrum = spectrumTable(*s.module.completedRun());

    const RunEntries refused =
        entriesWith({{N, "400"}, {W, "4"}, {fi, "10"}, {fs, "20"}, {fSignal, "3"}, {ke, "0"}});
    ASSERT_NE(s.run(refused, sineSignalItem, false, true), std::nullopt);
    ASSERT_EQ(s.module.parameters().sampleCount, 400);
    ASSERT_NE(s.module.completedRun(), nullptr);
    EXPECT_EQ(waveformTable(*s.module.completedRun()), waveform);
    EXPECT_EQ(spectrumTable(*s.module.completedRun()), spectrum);
}

}  // namespace
