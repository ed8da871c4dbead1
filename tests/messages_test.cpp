// SPDX-License-Identifier: GPL-3.0-or-later
// Every message a user can be shown, written out as it reads in its box (accents and
// trailing blanks included) and held against what the program gives for the click
// that shows it. The windows put these texts into their boxes unchanged.
#include "core/computationmodule.h"
#include "core/messages.h"
#include "core/signaltype.h"
#include "sanitizers.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <fstream>
#include <sys/resource.h>
#endif

#if defined(__linux__) && !defined(TESTS_UNDER_ADDRESS_SANITIZER)
// From runjob_test.cpp: the cap a child process is held to, and whether the cap holds.
rlim_t capAboveUse();
std::optional<bool> addressSpaceCapHolds();
#endif

namespace {

using namespace testsupport::entry;
using testsupport::entriesWith;
using testsupport::EntryText;
using testsupport::Session;

enum class Click {
    grafici,
    // After a completed run with the entries given.
    visualizzaSpettro,
    // "Grafici" on a machine with too little memory for the run's arrays.
    graficiBeyondMemory,
    // "Copia dati" when the table's text does not fit in the memory left. No request
    // brings that about on demand, so this row reads the text the copy menu shows.
    copiaDatiBeyondMemory,
};

// A click, with the entries and the drop-down's text before it.
struct Situation {
    Click click;
    std::vector<EntryText> entries;
    std::string_view signal = sineSignalItem;
};

struct MessageCase {
    const char* name;
    const char* text;  // as the user reads it
    Situation situation;
};

void PrintTo(const MessageCase& c, std::ostream* os)
{
    *os << c.name;
}

// The text of the message box the click opens, or nothing when none opens.
std::optional<std::string> shownAfter(const Situation& at)
{
    Session s;
    switch (at.click) {
    case Click::grafici:
        return s.run(entriesWith(at.entries), at.signal);
    case Click::visualizzaSpettro:
        if (s.run(entriesWith(at.entries), at.signal) != std::nullopt)
            return "(the run before the click was refused)";
        return s.module.requestSpectrumWindow();
    case Click::copiaDatiBeyondMemory:
        return std::string(messages::outOfMemoryToCopy);
    case Click::graficiBeyondMemory:
        break;
    }
    return "(not to be shown in this process)";
}

#if defined(__linux__) && !defined(TESTS_UNDER_ADDRESS_SANITIZER)
// The request, made in a process whose address space is capped at half a gigabyte more
// than it uses. Writes the message between brackets, so that a lost blank shows, and
// exits with 0 when it reads as the row says.
[[noreturn]] void graficiBeyondMemory(const MessageCase& c)
{
    Session s;
    const rlim_t limit = capAboveUse();
    const rlimit cap{limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0)
        std::exit(3);
    const std::optional<std::string> shown =
        s.run(entriesWith(c.situation.entries), c.situation.signal);
    std::fprintf(stderr, "[%s]\n", shown ? shown->c_str() : "no message");
    std::exit(shown == std::string(c.text) ? 0 : 1);
}
#endif

class UserMessages : public testing::TestWithParam<MessageCase> {};

TEST_P(UserMessages, ReadWordForWord)
{
    const MessageCase& c = GetParam();
    if (c.situation.click == Click::graficiBeyondMemory) {
#if defined(__linux__) && !defined(TESTS_UNDER_ADDRESS_SANITIZER)
        if (addressSpaceCapHolds() != true)
            GTEST_SKIP() << "the address space cannot be capped here (an emulator ignores the cap)";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        EXPECT_EXIT(graficiBeyondMemory(c), testing::ExitedWithCode(0), "");
#else
        GTEST_SKIP() << "needs a cap on the address space";
#endif
        return;
    }
    const std::optional<std::string> shown = shownAfter(c.situation);
    ASSERT_TRUE(shown.has_value()) << "no message";
    EXPECT_EQ(*shown, c.text);
}

Situation grafici(std::vector<EntryText> entries, std::string_view signal = sineSignalItem)
{
    return {Click::grafici, std::move(entries), signal};
}

Situation visualizzaSpettro(std::vector<EntryText> entries)
{
    return {Click::visualizzaSpettro, std::move(entries)};
}

// Several of them end in a blank, and two have one before the exclamation mark too.
INSTANTIATE_TEST_SUITE_P(
    Table, UserMessages,
    testing::Values(
        MessageCase{"ZoomZero", "ke non può essere zero! ", grafici({{ke, "0"}})},
        MessageCase{"FrequencyTooHigh", "Aumenta N o diminuisci W ", grafici({{N, "100"}})},
        MessageCase{"BandReversed", "fs non può essere minore di fi ! ",
                    grafici({{fi, "51"}, {fs, "49"}})},
        MessageCase{"SignalTypeMissing",
                    "Devi scegliere il tipo di segnale cliccando sulla linguetta a destra della "
                    "casella per la scelta del segnale!",
                    grafici({}, signalTypeInstruction)},
        MessageCase{"ValueOutOfRange",
                    "Valore fuori scala: ogni casella deve contenere 0 oppure un numero compreso "
                    "tra 1E-15 e 1E+15 in valore assoluto! ",
                    grafici({{amplitude, "1e16"}})},
        MessageCase{"SampleCountOutOfRange",
                    "N deve essere un numero intero compreso tra 1 e 21474836! ",
                    grafici({{N, "21474837"}})},
        MessageCase{"WindowZero", "W non può essere zero! ", grafici({{W, "0"}})},
        MessageCase{"TooManyPeriods",
                    "Troppi periodi del segnale nella finestra: diminuisci f segnale, W o N! ",
                    grafici({{fSignal, "3e9"}})},
        MessageCase{"DutyCycleOutOfRange",
                    "Con il segnale a impulsi rettangolari r deve essere compreso tra 0 e 1! ",
                    grafici({{r, "1.5"}}, pulseSignalItem)},
        MessageCase{"FrequencySumZero", "f segnale + f disturbo non può essere zero! ",
                    grafici({{fNoise, "-1"}})},
        MessageCase{"OutOfMemory",
                    "Memoria insufficiente per tanti campioni: diminuisci N! ",
                    {Click::graficiBeyondMemory, {{N, "21474836"}}}},
        MessageCase{"OutOfMemoryToCopy",
                    "Memoria insufficiente per copiare tanti dati! ",
                    {Click::copiaDatiBeyondMemory, {}}},
        MessageCase{"WindowNotWhole",
                    "W non può essere un numero decimale perchè la finestra di osservazione "
                    "deve contenere un numero intero di periodi",
                    visualizzaSpettro({{W, "2.5"}})},
        MessageCase{"SignalFrequencyNotWhole",
                    "f segnale non può essere un numero decimale perchè la finestra di "
                    "osservazione deve contenere un numero intero di periodi",
                    visualizzaSpettro({{fSignal, "1.5"}})},
        MessageCase{"NoiseFrequencyNotWhole",
                    "f disturbo non può essere un numero decimale perchè la finestra di "
                    "osservazione deve contenere un numero intero di periodi",
                    visualizzaSpettro({{fNoise, "49.9"}})}),
    testsupport::ByName{});

}  // namespace
