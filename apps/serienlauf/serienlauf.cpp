#include "serienlauf.hpp"

#include <algorithm>
#include <cmath>
#include <concepts>
#include <cstdint>
#include <type_traits>

#include "table_format.hpp"
#include "zifferon/console/program_run.hpp"
#include "zifferon/matrix/element_writer.hpp"

namespace zifferon::serienlauf {

namespace {

__extension__ typedef __int128 Int128;

constexpr const char* header =
    "lfd.Nr. ! Koeffizientenmatrix ! absolute Glieder ! L\xF6sung ! Probe ! mittlere Abweichung "
    "/ % ! Version ! Datum";

// 100 |deviation| / base, made positive for a negative base; the product in double.
double percentTerm(double deviation, double base) {
    const double term = (std::fabs(deviation) * 100.0) / base;
    return base < 0 ? -term : term;
}

void finish(Deviation& deviation) {
    if (deviation.count != 0 && deviation.sum != 0) {
        deviation.mean = deviation.sum / deviation.count;
    } else {
        deviation.mean = deviation.sum;
    }
}

template <std::floating_point T>
Deviation deviationOf(const MatrixVector<T>& d, const MatrixVector<T>& b) {
    Deviation result;
    result.count = b.getRows();
    for (std::uint32_t i = 1; i <= b.getRows(); ++i) {
        const T base = b.element(i, 1);
        if (base == 0) {
            --result.count;
            continue;
        }
        result.sum += percentTerm(static_cast<double>(d.element(i, 1)), static_cast<double>(base));
    }
    return result;
}

Deviation deviationOf(const MatrixVector<Complex>& d, const MatrixVector<Complex>& b) {
    Deviation result;
    // A part counts only when it deviates at all; an exactly solved system counts nothing.
    const auto addPart = [&result](double deviation, double base) {
        if (deviation != 0 && base != 0) {
            ++result.count;
            result.sum += percentTerm(deviation, base);
        }
    };
    for (std::uint32_t i = 1; i <= b.getRows(); ++i) {
        const Complex& base = b.element(i, 1);
        if (base.real() == 0 && base.imag() == 0) {
            continue;
        }
        addPart(d.element(i, 1).real(), base.real());
        addPart(d.element(i, 1).imag(), base.imag());
    }
    return result;
}

// Truncated toward zero. In 128 bits, so that even the most negative numerator divides safely.
Int128 integerPart(const Bruch& value) {
    return Int128(value.getZaehler()) / value.getNenner();
}

Deviation deviationOf(const MatrixVector<Bruch>& d, const MatrixVector<Bruch>& b) {
    Deviation result;
    for (std::uint32_t i = 1; i <= b.getRows(); ++i) {
        const Bruch& base = b.element(i, 1);
        const Int128 whole = integerPart(base);
        if (whole == 0) {
            continue;
        }
        ++result.count;
        // |d| truncates to |trunc d|. D <= 2^63, so 100 D fits in 128 bits; in 64 it would not.
        const Int128 deviation = integerPart(d.element(i, 1));
        const Int128 magnitude = deviation < 0 ? -deviation : deviation;
        const bool negative = (base.getZaehler() < 0) != (base.getNenner() < 0);
        const Int128 term = negative ? (magnitude * -100) / whole : (magnitude * 100) / whole;
        result.sum += static_cast<double>(term);
    }
    return result;
}

}  // namespace

template <class T>
Deviation meanDeviation(const MatrixVector<T>& d, const MatrixVector<T>& b) {
    Deviation result = deviationOf(d, b);
    finish(result);
    return result;
}

template <class T>
bool isAccepted(const Deviation& deviation) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return !(deviation.mean > 100 || deviation.count == 0 || deviation.mean < 0);
    } else if constexpr (std::is_same_v<T, Complex>) {
        return !(deviation.count == 0 || deviation.mean > 100);
    } else {
        return !(deviation.mean > 100);
    }
}

template <class T>
void Serienlauf<T>::run() {
    writeHeader();
    if (observer != nullptr) {
        observer->progressed(runTally);
    }
    while (row <= lastRow) {
        runCycle();
        if (observer != nullptr) {
            observer->progressed(runTally);
        }
    }
    if (observer != nullptr) {
        observer->finished(runTally);
    }
}

template <class T>
void Serienlauf<T>::writeHeader() {
    out << header << '\n';
    console::commitOutput(out);
    out.precision(tablePrecision<T>);
}

template <class T>
void Serienlauf<T>::runCycle() {
    const std::uint32_t n = systems.equationCount();
    Matrix<T> a(n, n), b(n, 1), x(n, 1), p(n, 1), d(n, 1);
    systems.fill(a);
    systems.fill(b);

    // Whatever the computation throws (a fraction outgrowing 64 bits, say) rejects the cycle
    // like the acceptance rule does: nothing is written and the next cycle takes the number.
    SolveStatus status = SolveStatus::NoSolution;
    Deviation deviation;
    try {
        status = a.solve(x, b);
        if (status == SolveStatus::UniqueSolution) {
            p = a * x;
            d = b - p;
            deviation = meanDeviation(d, b);
        }
    } catch (const MatrixException& error) {
        return fail(n, error.message);
    } catch (const char* text) {
        return fail(n, text);
    }
    if (status == SolveStatus::UniqueSolution && !isAccepted<T>(deviation)) {
        ++cycleCounts.rejected[n];
        ++runTally.dropped;
        return;
    }

    writeRowStart(a, b);
    switch (status) {
        case SolveStatus::UniqueSolution:
            out << " ! ";
            writeTableCell(out, x);
            out << " ! ";
            writeTableCell(out, p);
            out << " ! ";
            writeElement(out, deviation.mean);
            ++runTally.unique;
            if (!std::isnan(deviation.mean)) {
                runTally.largestMean =
                    std::max(runTally.largestMean.value_or(deviation.mean), deviation.mean);
            }
            break;
        case SolveStatus::NoSolution:
            out << " ! keine Loesung ! --- ! --- ";
            ++runTally.noSolution;
            break;
        case SolveStatus::InfiniteSolutions:
            out << " ! unendlich viele Loesungen ! --- ! --- ";
            ++runTally.infinite;
            break;
    }
    writeRowEnd();
    ++cycleCounts.written[n];
    ++row;
}

template <class T>
void Serienlauf<T>::fail(std::uint32_t n, const char* message) {
    errorText = message;
    ++cycleCounts.failed[n];
    ++runTally.dropped;
}

template <class T>
void Serienlauf<T>::writeRowStart(const MatrixVector<T>& a, const MatrixVector<T>& b) {
    if (observer != nullptr) {
        observer->rowComing();
    }
    out << row << " ! ";
    writeTableCell(out, a);
    out << " ! ";
    writeTableCell(out, b);
}

template <class T>
void Serienlauf<T>::writeRowEnd() {
    out << " ! Version 1.8.5 ! ";
    writeDate(out, clock.date(clock.seconds()));
    out << '\n';
    // Every row reaches the output as soon as it is complete, in one write: the stream was
    // empty when the row began, and a row (a few KiB at most) fits its buffer. When the row
    // did not arrive, the run ends here instead of drawing systems for nobody.
    console::commitOutput(out);
}

template class Serienlauf<float>;
template class Serienlauf<double>;
template class Serienlauf<Complex>;
template class Serienlauf<Bruch>;

template Deviation meanDeviation(const MatrixVector<float>&, const MatrixVector<float>&);
template Deviation meanDeviation(const MatrixVector<double>&, const MatrixVector<double>&);
template Deviation meanDeviation(const MatrixVector<Complex>&, const MatrixVector<Complex>&);
template Deviation meanDeviation(const MatrixVector<Bruch>&, const MatrixVector<Bruch>&);
template bool isAccepted<float>(const Deviation&);
template bool isAccepted<double>(const Deviation&);
template bool isAccepted<Complex>(const Deviation&);
template bool isAccepted<Bruch>(const Deviation&);

}  // namespace zifferon::serienlauf
