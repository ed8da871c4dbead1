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

// The table as a spreadsheet splits it: lines at line feeds, cells at the separator.
std::vector<Row> cells(const std::string& text, std::string_view separator = "\t")
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
        for (std::size_t tab; (tab = line.find(separator)) != std::string_view::npos;
             line.remove_prefix(tab + separator.size()))
            row.emplace_back(line.substr(0, tab));
        row.emplace_back(line);
        rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

// A cell read back as a double with the given decimal separator, as a correctly
// rounding reader does; NaN when the whole cell is not a number.
double number(std::string cell, std::string_view decimalSeparator = ".")
{
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
        cell = cell.substr(1, cell.size() - 2);
    if (const std::size_t at = cell.find(decimalSeparator);
        decimalSeparator != "." && at != std::string::npos)
        cell.replace(at, decimalSeparator.size(), ".");
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
    EXPECT_EQ(rows[0], (Row{"k", "f [Hz]", "S(f) (k = 0: D.C. = S(0)/2)", "azzerata dal filtro"}));
    std::set<std::int32_t> marked;
    for (std::int32_t k = 0; k <= c.highestLine; ++k) {
        const Row& row = rows[size(k) + 1];
        ASSERT_EQ(row.size(), 4u) << "row " << k;
        EXPECT_EQ(row[0], std::to_string(k));
        EXPECT_NEAR(number(row[1]), k / w, 1e-12) << "row " << k;
        // Line 0 is the D.C. value the window shows, half of S(0).
        EXPECT_EQ(number(row[2]), k == 0 ? s.module.dcComponent() : a.spectrumMag[size(k)])
            << "row " << k;
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

// The same tables for the spreadsheet of each locale, on the clipboard (tabs) and in a
// .csv file: the decimal separator replaced, never a thousands separator, each number
// in its shortest exact digits.
struct FormatCase {
    const char* name;
    TableFormat format;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class TableFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(TableFormats, EveryNumberReadsBackInShortestDigits)
{
    const TableFormat& format = GetParam().format;
    Session s;
    ASSERT_EQ(s.run({}, sineSignalItem), std::nullopt);
    const CompletedRun& run = *s.module.completedRun();
    const std::string separator(format.fieldSeparator);
    const std::string point(format.decimalSeparator);
    const std::vector<Row> waveform = cells(waveformTable(run, format), separator);
    const std::vector<Row> spectrum = cells(spectrumTable(run, format), separator);
    ASSERT_EQ(waveform.size(), 1002u);
    ASSERT_EQ(spectrum.size(), 502u);
    EXPECT_EQ(waveform[0], (Row{"n", "t [s]", "V(t)", "Vr(t)"}));
    EXPECT_EQ(spectrum[0][2], "S(f) (k = 0: D.C. = S(0)/2)");

    const SignalArrays& a = run.arrays;
    for (std::size_t n = 0; n <= 1000; ++n) {
        const Row& row = waveform[n + 1];
        ASSERT_EQ(row.size(), 4u) << "row " << n;
        EXPECT_EQ(number(row[2], point), a.inputSignal[n]) << row[2];
        EXPECT_EQ(number(row[3], point), a.outputSignal[n]) << row[3];
        // Never the other separator, as a thousands separator or otherwise.
        for (const std::string& cell : row)
            EXPECT_EQ(cell.find(point == "." ? "," : "."), std::string::npos) << cell;
    }
    EXPECT_EQ(number(spectrum[1][2], point), s.module.dcComponent());
    EXPECT_EQ(number(spectrum[3][2], point), a.spectrumMag[2]);
    // t = 2 ms, 1.998 s and f = 24.5 Hz in their shortest digits; in a .csv file a
    // decimal comma in quotes.
    const std::string quote = format.quoteCommas && point == "," ? "\"" : "";
    EXPECT_EQ(waveform[2][1], quote + "0" + point + "002" + quote);
    EXPECT_EQ(waveform[1000][1], quote + "1" + point + "998" + quote);
    EXPECT_EQ(spectrum[50][1], quote + "24" + point + "5" + quote);
    EXPECT_EQ(waveform[1][1], "0");
}

INSTANTIATE_TEST_SUITE_P(Table, TableFormats,
                         testing::Values(FormatCase{"ClipboardPoint", {"\t", "."}},
                                         FormatCase{"ClipboardComma", {"\t", ","}},
                                         FormatCase{"CsvPoint", csvFormat(".")},
                                         FormatCase{"CsvComma", csvFormat(",")}),
                         testsupport::ByName{});

TEST(RunTables, CsvSeparatesFieldsAsTheLocalesSpreadsheetDoes)
{
    EXPECT_EQ(csvFormat(".").fieldSeparator, ",");
    EXPECT_EQ(csvFormat(",").fieldSeparator, ";");
    EXPECT_EQ(csvFormat("\u066b").fieldSeparator, ";");  // the Arabic decimal separator
}

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
