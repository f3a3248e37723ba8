#include "table_validator.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <concepts>
#include <cstdlib>
#include <limits>
#include <optional>
#include <sstream>
#include <tuple>
#include <type_traits>

#include "zifferon/matrix/element_types.hpp"

namespace zifferon::testing {

namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

constexpr std::string_view header =
    "lfd.Nr. ! Koeffizientenmatrix ! absolute Glieder ! L\xF6sung ! Probe ! mittlere Abweichung "
    "/ % ! Version ! Datum";

template <class T>
constexpr std::streamsize precisionOf = std::is_same_v<T, float> ? 8 : 16;

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) {
            parts.push_back(text);
            return parts;
        }
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
}

template <class R>
std::string formatted(R value, std::streamsize precision) {
    std::ostringstream out;
    out.precision(precision);
    out << value;
    return out.str();
}

// A value of type R exactly as the table writes it at this precision.
template <class R>
std::optional<R> parseReal(std::string_view token, std::streamsize precision) {
    const std::string text(token);
    if (text.empty() || text[0] == ' ') {
        return std::nullopt;
    }
    char* end = nullptr;
    R value;
    if constexpr (std::is_same_v<R, float>) {
        value = std::strtof(text.c_str(), &end);
    } else {
        value = std::strtod(text.c_str(), &end);
    }
    if (end != text.c_str() + text.size() || formatted(value, precision) != text) {
        return std::nullopt;
    }
    return value;
}

// Digits of the mantissa from the first non-zero one on.
int significantDigits(std::string_view token) {
    int digits = 0;
    bool leading = true;
    for (const char c : token) {
        if (c == 'e') {
            break;
        }
        if (c >= '0' && c <= '9') {
            leading = leading && c == '0';
            digits += leading ? 0 : 1;
        }
    }
    return digits;
}

// A decimal integer without sign tricks or leading zeros.
std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        std::to_string(value) != text) {
        return std::nullopt;
    }
    return value;
}

std::uint64_t magnitude(std::int64_t value) {
    return value < 0 ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
}

std::uint64_t gcd(std::uint64_t a, std::uint64_t b) {
    while (b != 0) {
        a = std::exchange(b, a % b);
    }
    return a;
}

struct Fraction {
    std::int64_t z = 0;
    std::int64_t n = 1;
};

// "0", "z" or "z/n", in normal form.
std::optional<Fraction> parseFraction(std::string_view token) {
    const std::size_t slash = token.find('/');
    if (slash == std::string_view::npos) {
        const auto z = parseInteger(token);
        return z ? std::optional<Fraction>({*z, 1}) : std::nullopt;
    }
    const auto z = parseInteger(token.substr(0, slash));
    const auto n = parseInteger(token.substr(slash + 1));
    if (!z || !n || *z == 0 || *n <= 1 || gcd(magnitude(*z), magnitude(*n)) != 1) {
        return std::nullopt;
    }
    return Fraction{*z, *n};
}

std::optional<Complex> parseComplex(std::string_view token) {
    if (token.size() < 5 || token.front() != '(' || token.back() != ')') {
        return std::nullopt;
    }
    const std::string_view inner = token.substr(1, token.size() - 2);
    const std::size_t comma = inner.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const auto real = parseReal<double>(inner.substr(0, comma), 16);
    const auto imaginary = parseReal<double>(inner.substr(comma + 1), 16);
    if (!real || !imaginary) {
        return std::nullopt;
    }
    return Complex(*real, *imaginary);
}

template <class T>
using EntryOf = std::conditional_t<std::is_same_v<T, Bruch>, Fraction, T>;

template <class T>
std::optional<EntryOf<T>> parseEntry(std::string_view token) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return parseFraction(token);
    } else if constexpr (std::is_same_v<T, Complex>) {
        return parseComplex(token);
    } else {
        return parseReal<T>(token, precisionOf<T>);
    }
}

// The ranges of the random fill: whole numbers below 10000 in magnitude, fractions with
// numerator and denominator below 100.
bool isDrawn(double value) {
    return value == std::trunc(value) && std::fabs(value) <= 9999;
}
bool isDrawn(const Complex& value) {
    return isDrawn(value.real()) && isDrawn(value.imag());
}
bool isDrawn(const Fraction& value) {
    return magnitude(value.z) <= 99 && value.n >= 1 && value.n <= 99;
}

// Fractions modulo a prime, to check exact identities of any size.
constexpr std::uint64_t primes[] = {2305843009213693951ULL, 1000000007ULL};

std::uint64_t mulMod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
    return static_cast<std::uint64_t>((static_cast<UInt128>(a) * b) % m);
}

std::uint64_t powMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
    std::uint64_t result = 1;
    for (; exponent != 0; exponent >>= 1, base = mulMod(base, base, m)) {
        if (exponent & 1) {
            result = mulMod(result, base, m);
        }
    }
    return result;
}

std::optional<std::uint64_t> residue(const Fraction& value, std::uint64_t m) {
    const std::uint64_t n = magnitude(value.n) % m;
    if (n == 0) {
        return std::nullopt;
    }
    std::uint64_t z = magnitude(value.z) % m;
    if (value.z < 0) {
        z = (m - z) % m;
    }
    return mulMod(z, powMod(n, m - 2, m), m);
}

int rankModulo(std::vector<std::vector<std::uint64_t>> rows, std::uint64_t m) {
    int rank = 0;
    const std::size_t columns = rows.empty() ? 0 : rows[0].size();
    for (std::size_t c = 0; c < columns && rank < static_cast<int>(rows.size()); ++c) {
        auto pivot = std::find_if(rows.begin() + rank, rows.end(),
                                  [c](const auto& row) { return row[c] != 0; });
        if (pivot == rows.end()) {
            continue;
        }
        std::swap(*pivot, rows[static_cast<std::size_t>(rank)]);
        const auto& top = rows[static_cast<std::size_t>(rank)];
        const std::uint64_t inverse = powMod(top[c], m - 2, m);
        for (std::size_t r = static_cast<std::size_t>(rank) + 1; r < rows.size(); ++r) {
            const std::uint64_t factor = mulMod(rows[r][c], inverse, m);
            for (std::size_t k = c; k < columns; ++k) {
                rows[r][k] = (rows[r][k] + m - mulMod(factor, top[k], m)) % m;
            }
        }
        ++rank;
    }
    return rank;
}

template <class T>
class Validator {
public:
    using Entry = EntryOf<T>;
    using Column = std::vector<Entry>;
    using Rows = std::vector<Column>;

    TableSummary summary;

    void checkRow(std::uint32_t number, std::string_view line) {
        row = number;
        const std::vector<std::string_view> fields = split(line, " ! ");
        if (fields.size() != 8) {
            return fault("not eight columns");
        }
        if (parseInteger(fields[0]) != number) {
            fault("number is not " + std::to_string(number));
        }
        const auto a = parseCell(fields[1]);
        const std::size_t n = a ? a->size() : 0;
        if (n < 1 || n > 9 || !isSquare(*a)) {
            return fault("coefficient matrix is not square with 1 to 9 rows");
        }
        ++summary.rowsByN[n];
        const auto b = parseColumn(fields[2], n);
        if (!b || !allDrawn(*a) || !std::all_of(b->begin(), b->end(), drawnEntry)) {
            return fault("entries outside the random ranges or not column of " + std::to_string(n));
        }
        if (fields[6] != "Version 1.8.5") {
            fault("version column");
        }
        checkDate(fields[7]);

        if (fields[3] == "keine Loesung" || fields[3] == "unendlich viele Loesungen") {
            const bool none = fields[3] == "keine Loesung";
            ++(none ? summary.noSolution : summary.infinite);
            if (fields[4] != "---" || fields[5] != "--- ") {
                fault("verdict columns");
            }
            if constexpr (std::is_same_v<T, Bruch>) {
                checkSingularVerdict(*a, *b, none);
            }
            return;
        }
        ++summary.unique;
        const auto x = parseColumn(fields[3], n);
        const auto p = parseColumn(fields[4], n);
        const auto mean = parseReal<double>(fields[5], precisionOf<T>);
        if (!x || !p || !mean) {
            return fault("solution, check product or mean not written at the precision");
        }
        if constexpr (!std::is_same_v<T, Bruch>) {
            for (const std::string_view token : {fields[3], fields[4], fields[5]}) {
                summary.mostSignificantDigits =
                    std::max(summary.mostSignificantDigits, mostDigitsIn(token));
            }
        }
        checkUnique(*a, *b, *x, *p, *mean, fields[5]);
    }

private:
    std::uint32_t row = 0;
    std::tuple<int, int, int> lastDate{0, 0, 0};

    void fault(const std::string& what) {
        if (summary.faults.size() < 20) {
            summary.faults.push_back("row " + std::to_string(row) + ": " + what);
        }
    }

    static bool drawnEntry(const Entry& entry) { return isDrawn(entry); }
    static bool isSquare(const Rows& rows) {
        return std::all_of(rows.begin(), rows.end(),
                           [&rows](const Column& r) { return r.size() == rows.size(); });
    }
    static bool allDrawn(const Rows& rows) {
        return std::all_of(rows.begin(), rows.end(), [](const Column& r) {
            return std::all_of(r.begin(), r.end(), drawnEntry);
        });
    }

    static int mostDigitsIn(std::string_view cell) {
        int most = 0;
        for (const std::string_view entry : split(cell, " ; ")) {
            for (const std::string_view part : split(entry, ",")) {
                most = std::max(most, significantDigits(part));
            }
        }
        return most;
    }

    std::optional<Rows> parseCell(std::string_view cell) {
        Rows rows;
        for (const std::string_view line : split(cell, " ; ")) {
            Column entries;
            for (const std::string_view token : split(line, " , ")) {
                const auto entry = parseEntry<T>(token);
                if (!entry) {
                    fault("entry \"" + std::string(token) + "\" not in the table's form");
                    return std::nullopt;
                }
                entries.push_back(*entry);
            }
            rows.push_back(entries);
        }
        return rows;
    }

    std::optional<Column> parseColumn(std::string_view cell, std::size_t n) {
        const auto rows = parseCell(cell);
        if (!rows || rows->size() != n) {
            return std::nullopt;
        }
        Column column;
        for (const Column& r : *rows) {
            if (r.size() != 1) {
                return std::nullopt;
            }
            column.push_back(r[0]);
        }
        return column;
    }

    void checkDate(std::string_view text) {
        const std::vector<std::string_view> parts = split(text, ".");
        const auto day = parts.size() == 3 ? parseInteger(parts[0]) : std::nullopt;
        const auto month = parts.size() == 3 ? parseInteger(parts[1]) : std::nullopt;
        const auto year = parts.size() == 3 ? parseInteger(parts[2]) : std::nullopt;
        if (!day || !month || !year || *day < 1 || *day > 31 || *month < 1 || *month > 12 ||
            parts[2].size() != 4) {
            return fault("date \"" + std::string(text) + "\"");
        }
        const std::tuple<int, int, int> date{static_cast<int>(*year), static_cast<int>(*month),
                                             static_cast<int>(*day)};
        if (date < lastDate) {
            fault("date goes back");
        }
        lastDate = date;
        if (summary.firstDate.empty()) {
            summary.firstDate = text;
        }
        summary.lastDate = text;
    }

    // float and double: p against A x from the written digits; the mean from b and p, each
    // term 100 |b_i - p_i| / |b_i| over the non-zero b_i.
    void checkUnique(const Rows& a, const Column& b, const Column& x, const Column& p, double mean,
                     std::string_view) requires std::floating_point<T> {
        const long double u = std::pow(10.0L, static_cast<long double>(1 - precisionOf<T>));
        const long double eps = std::numeric_limits<T>::epsilon();
        const std::size_t n = a.size();
        const auto finite = [](T value) { return std::isfinite(value); };
        if (!std::all_of(p.begin(), p.end(), finite) || !std::all_of(x.begin(), x.end(), finite)) {
            // An infinite or undefined check product leaves no number for the mean.
            if (!std::isnan(mean)) {
                fault("non-finite solution or check product with a numeric mean");
            }
            return;
        }
        if (std::isnan(mean)) {
            fault("mean is NaN for a finite check product");
        }
        long double sum = 0, slack = 0;
        std::uint32_t count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            long double product = 0, size = 0;
            for (std::size_t k = 0; k < n; ++k) {
                product += static_cast<long double>(a[i][k]) * x[k];
                size += std::fabs(static_cast<long double>(a[i][k]) * x[k]);
            }
            const long double pi = p[i];
            if (std::fabs(pi - product) >
                size * (2 * u + static_cast<long double>(n + 2) * eps) + std::fabs(pi) * u) {
                fault("check product entry " + std::to_string(i + 1) + " is not A x");
            }
            if (b[i] == 0) {
                continue;
            }
            const long double base = std::fabs(static_cast<long double>(b[i]));
            ++count;
            sum += 100 * std::fabs(b[i] - pi) / base;
            slack =
                std::max(slack, 100 * (std::fabs(pi) * u + eps * (base + std::fabs(pi))) / base);
        }
        const long double expected = count != 0 && sum != 0 ? sum / count : sum;
        if (std::fabs(mean - expected) > slack + std::fabs(expected) * (2 * u + 1e-12L)) {
            fault("mean " + formatted(mean, 17) + " is not " + formatted(expected, 17));
        }
        if (mean > 100) {
            fault("mean above 100 accepted");
        }
    }

    // Complex: p against A x; the mean lies among the possible terms of the parts that deviate,
    // each 100 |b_c - p_c| / |b_c| over the non-zero parts b_c, and above 0, as a written row
    // has at least one deviating part.
    void checkUnique(const Rows& a, const Column& b, const Column& x, const Column& p, double mean,
                     std::string_view) requires std::is_same_v<T, Complex> {
        const long double u = 1e-15L;
        const long double eps = std::numeric_limits<double>::epsilon();
        const std::size_t n = a.size();
        const auto finite = [](const Complex& v) {
            return std::isfinite(v.real()) && std::isfinite(v.imag());
        };
        if (!std::all_of(p.begin(), p.end(), finite) || !std::all_of(x.begin(), x.end(), finite)) {
            if (!std::isnan(mean)) {
                fault("non-finite solution or check product with a numeric mean");
            }
            return;
        }
        long double lowest = std::numeric_limits<long double>::infinity(), highest = 0;
        for (std::size_t i = 0; i < n; ++i) {
            std::complex<long double> product = 0;
            long double size = 0;
            for (std::size_t k = 0; k < n; ++k) {
                const std::complex<long double> term =
                    std::complex<long double>(a[i][k]) * std::complex<long double>(x[k]);
                product += term;
                size += std::abs(term);
            }
            const long double tolerance =
                size * (4 * u + static_cast<long double>(2 * n + 4) * eps) + std::abs(p[i]) * u;
            if (std::fabs(p[i].real() - product.real()) > tolerance ||
                std::fabs(p[i].imag() - product.imag()) > tolerance) {
                fault("check product entry " + std::to_string(i + 1) + " is not A x");
            }
            for (const auto& [base, probe] :
                 {std::pair(b[i].real(), p[i].real()), std::pair(b[i].imag(), p[i].imag())}) {
                if (base == 0) {
                    continue;
                }
                const long double deviation = std::fabs(static_cast<long double>(base) - probe);
                const long double slack =
                    std::fabs(probe) * u + eps * (std::fabs(base) + std::fabs(probe));
                const long double high = 100 * (deviation + slack) / std::fabs(base);
                if (high > 0) {
                    highest = std::max(highest, high);
                    lowest =
                        std::min(lowest, 100 * std::max(0.0L, deviation - slack) / std::fabs(base));
                }
            }
        }
        if (!(mean > 0) || mean > highest * (1 + 1e-9L) || mean < lowest * (1 - 1e-9L)) {
            fault("mean " + formatted(mean, 17) + " outside the possible terms");
        }
        if (mean > 100) {
            fault("mean above 100 accepted");
        }
    }

    // Fractions, exactly: p is A x and equals b; the mean follows from the integer parts of b
    // and of b - p; the system has full rank.
    void checkUnique(const Rows& a, const Column& b, const Column& x, const Column& p, double mean,
                     std::string_view) requires std::is_same_v<T, Bruch> {
        const std::size_t n = a.size();
        bool checked = false;
        for (const std::uint64_t m : primes) {
            std::vector<std::vector<std::uint64_t>> residues(n + 2, std::vector<std::uint64_t>(n));
            bool usable = true;
            for (std::size_t i = 0; i < n && usable; ++i) {
                for (std::size_t k = 0; k < n && usable; ++k) {
                    const auto r = residue(a[i][k], m);
                    usable = r.has_value();
                    residues[i][k] = r.value_or(0);
                }
                const auto rx = residue(x[i], m);
                const auto rp = residue(p[i], m);
                usable = usable && rx && rp;
                residues[n][i] = rx.value_or(0);
                residues[n + 1][i] = rp.value_or(0);
            }
            if (!usable) {
                continue;
            }
            checked = true;
            for (std::size_t i = 0; i < n; ++i) {
                std::uint64_t product = 0;
                for (std::size_t k = 0; k < n; ++k) {
                    product = (product + mulMod(residues[i][k], residues[n][k], m)) % m;
                }
                if (product != residues[n + 1][i]) {
                    fault("check product entry " + std::to_string(i + 1) + " is not A x");
                }
            }
        }
        if (!checked) {
            fault("no prime to check the check product with");
        }
        double sum = 0;
        std::uint32_t count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (p[i].z != b[i].z || p[i].n != b[i].n) {
                fault("exact check product differs from b");
            }
            const Int128 whole = Int128(b[i].z) / b[i].n;
            if (whole == 0) {
                continue;
            }
            ++count;
            const Int128 difference = Int128(b[i].z) * p[i].n - Int128(p[i].z) * b[i].n;
            const Int128 deviation =
                (difference < 0 ? -difference : difference) / (Int128(b[i].n) * p[i].n);
            sum += static_cast<double>(b[i].z < 0 ? (deviation * -100) / whole
                                                  : (deviation * 100) / whole);
        }
        const double expected = count != 0 && sum != 0 ? sum / count : sum;
        if (formatted(expected, 16) != formatted(mean, 16)) {
            fault("mean " + formatted(mean, 17) + " is not " + formatted(expected, 17));
        }
        if (count == 0 || mean < 0 || mean > 100) {
            fault("accepted against the rule for fractions");
        }
        if (rank(a, nullptr) != static_cast<int>(n)) {
            fault("unique solution of a singular system");
        }
    }

    // Rank modulo the large prime, of A or of A with b appended.
    static int rank(const Rows& a, const Column* b) {
        const std::uint64_t m = primes[0];
        std::vector<std::vector<std::uint64_t>> rows;
        for (std::size_t i = 0; i < a.size(); ++i) {
            std::vector<std::uint64_t> r;
            for (const Fraction& entry : a[i]) {
                r.push_back(*residue(entry, m));
            }
            if (b != nullptr) {
                r.push_back(*residue((*b)[i], m));
            }
            rows.push_back(r);
        }
        return rankModulo(rows, m);
    }

    void checkSingularVerdict(const Rows& a, const Column& b, bool none) {
        const int rankA = rank(a, nullptr);
        const int rankAb = rank(a, &b);
        if (rankA == static_cast<int>(a.size()) || none != (rankAb > rankA)) {
            fault("verdict does not match the ranks");
        }
    }
};

}  // namespace

template <class T>
TableSummary validateTable(std::string_view table) {
    Validator<T> validator;
    std::vector<std::string_view> lines = split(table, "\n");
    if (lines.back().empty()) {
        lines.pop_back();
    } else {
        validator.summary.faults.push_back("table does not end with a line break");
    }
    if (lines.empty() || lines[0] != header) {
        validator.summary.faults.push_back("header");
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        validator.checkRow(static_cast<std::uint32_t>(i), lines[i]);
    }
    validator.summary.rows = lines.empty() ? 0 : static_cast<std::uint32_t>(lines.size() - 1);
    return validator.summary;
}

template TableSummary validateTable<float>(std::string_view);
template TableSummary validateTable<double>(std::string_view);
template TableSummary validateTable<Complex>(std::string_view);
template TableSummary validateTable<Bruch>(std::string_view);

}  // namespace zifferon::testing
