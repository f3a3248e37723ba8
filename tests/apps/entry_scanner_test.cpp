// The entry scanner against the stream extraction it stands in for: on the same text both must
// accept and refuse the same entries, give the same values bit for bit, throw the same fraction
// errors and leave the same rest of the input.
#include "entry_scanner.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <locale>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "german_numbers.hpp"

namespace zifferon::probelauf {
namespace {

// What one read gave: whether it succeeded, the value's bits, a fraction error.
struct Outcome {
    bool read = false;
    std::string value;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << (outcome.read ? "read " + outcome.value : "refused " + outcome.error);
}

std::string bitsOf(float value) {
    return std::to_string(std::bit_cast<std::uint32_t>(value));
}
std::string bitsOf(double value) {
    return std::to_string(std::bit_cast<std::uint64_t>(value));
}
std::string bitsOf(const Complex& value) {
    return bitsOf(value.real()) + "," + bitsOf(value.imag());
}
std::string bitsOf(const Bruch& value) {
    return std::to_string(value.getZaehler()) + "/" + std::to_string(value.getNenner());
}

template <class T, class Read>
Outcome outcomeOf(Read read) {
    Outcome outcome;
    T value{};
    try {
        outcome.read = read(value);
    } catch (const char* text) {
        outcome.error = text;
    }
    if (outcome.read) {
        outcome.value = bitsOf(value);
    }
    return outcome;
}

std::string restOf(std::istringstream& in) {
    in.clear();
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reads entries from `text` until one fails or the text ends, with the scanner and with the
// stream, both in the locale, and compares every step.
template <class T>
void expectSameReading(const std::string& text, int entries = 3,
                       const std::locale& locale = std::locale::classic()) {
    std::istringstream scanned(text);
    std::istringstream streamed(text);
    scanned.imbue(locale);
    streamed.imbue(locale);
    scanned.exceptions(std::ios_base::badbit);  // as the console's input
    EntryScanner scanner(scanned);
    scanner.begin();
    for (int entry = 0;; ++entry) {
        streamed >> std::ws;
        const bool expectedMore = streamed.peek() != std::istream::traits_type::eof();
        ASSERT_EQ(scanner.nextEntry(), expectedMore) << '"' << text << "\" entry " << entry;
        if (!expectedMore) {
            return;
        }
        const Outcome expected =
            outcomeOf<T>([&](T& value) { return !(streamed >> value).fail(); });
        const Outcome actual = outcomeOf<T>([&](T& value) { return scanner.read(value); });
        ASSERT_EQ(actual, expected) << '"' << text << "\" entry " << entry;
        if (!expected.read) {
            return;
        }
        ASSERT_EQ(scanned.eof(), streamed.eof()) << '"' << text << "\" entry " << entry;
        if (entry + 1 == entries) {
            ASSERT_EQ(restOf(scanned), restOf(streamed)) << '"' << text << '"';
            return;
        }
    }
}

// Texts built from the pieces numbers are made of, numbers as programs print them, and
// pieces that stop a number.
std::vector<std::string> sampleTexts(std::uint64_t seed, bool fractions) {
    std::mt19937_64 engine(seed);
    const std::vector<std::string> pieces = {"0",
                                             "1",
                                             "7",
                                             "00",
                                             "12345678901234567890",
                                             ".",
                                             "e",
                                             "E",
                                             "+",
                                             "-",
                                             " ",
                                             "\n",
                                             "\t",
                                             "(",
                                             ")",
                                             ",",
                                             "/",
                                             "x",
                                             "inf",
                                             "nan",
                                             "e-",
                                             "e+3",
                                             "e400",
                                             "e-400",
                                             "e-320",
                                             "9",
                                             "5",
                                             "3.4028235e38",
                                             "1.7976931348623157e308",
                                             "2.4703282292062327e-324",
                                             "1.40129846e-45",
                                             "9223372036854775807",
                                             "9223372036854775808",
                                             "-9223372036854775808",
                                             "/0",
                                             " / "};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 12);
    std::vector<std::string> texts;
    for (int i = 0; i < 4000; ++i) {
        std::string text;
        for (int n = length(engine); n > 0; --n) {
            text += pieces[pick(engine)];
        }
        texts.push_back(text);
    }
    for (int i = 0; i < 2000; ++i) {
        std::ostringstream number;
        const auto bits = engine();
        number.precision(static_cast<std::streamsize>(bits % 20));
        if (fractions) {
            number << static_cast<std::int64_t>(bits) << '/'
                   << static_cast<std::int64_t>(engine() >> (bits % 64));
        } else if (i % 2 == 0) {
            number << std::bit_cast<double>(bits) << " ("
                   << std::bit_cast<float>(static_cast<std::uint32_t>(bits)) << ','
                   << static_cast<double>(bits % 1000) / 8 << ")";
        } else {
            number << std::scientific << std::bit_cast<double>(bits);
        }
        texts.push_back(number.str());
    }
    return texts;
}

TEST(EntryScannerTest, ReadsFloatingPointEntriesAsTheStream) {
    for (const std::string& text : sampleTexts(3, false)) {
        expectSameReading<float>(text);
        expectSameReading<double>(text);
    }
}

TEST(EntryScannerTest, ReadsComplexEntriesAsTheComplexExtractor) {
    for (const std::string& text : sampleTexts(5, false)) {
        expectSameReading<Complex>(text);
    }
}

TEST(EntryScannerTest, ReadsFractionsAsTheirExtractorStoringThemAsTyped) {
    for (const std::string& text : sampleTexts(7, true)) {
        expectSameReading<Bruch>(text);
    }
    for (const std::string& text : sampleTexts(9, false)) {
        expectSameReading<Bruch>(text);
    }
    // Small fractions, many typed more than once and not in normal form.
    std::mt19937_64 engine(15);
    std::uniform_int_distribution<int> term(-40, 40);
    // Those whose normal form does not fit in 64 bits, each twice.
    std::string text = "-9223372036854775808/-1 -9223372036854775808/-3 5/-9223372036854775808 ";
    text += text;
    for (int i = 0; i < 5000; ++i) {
        text += std::to_string(term(engine)) + "/" + std::to_string(term(engine) | 1) + " ";
    }
    expectSameReading<Bruch>(text, 5000);
}

// In any other locale every number is the stream's to read.
TEST(EntryScannerTest, LeavesStreamsInAnotherLocaleToTheStream) {
    const std::locale german = testing::germanNumbers();
    expectSameReading<double>("1,5 -2,25e3 1.234,5", 3, german);
    expectSameReading<Complex>("(1,5) 2,5", 2, german);
    expectSameReading<Bruch>("1.234/5 -7/1.000", 2, german);
}

}  // namespace
}  // namespace zifferon::probelauf
