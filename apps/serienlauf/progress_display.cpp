#include "progress_display.hpp"

#include <sstream>

#include "zifferon/matrix/element_writer.hpp"

namespace zifferon::serienlauf {

namespace {

// "etwa 8 h 19 min", "etwa 12 min", "etwa 40 s".
std::string duration(std::int64_t seconds) {
    std::ostringstream text;
    text << "etwa ";
    if (seconds >= 3600) {
        text << seconds / 3600 << " h " << seconds % 3600 / 60 << " min";
    } else if (seconds >= 60) {
        text << seconds / 60 << " min";
    } else {
        text << seconds << " s";
    }
    return text.str();
}

}  // namespace

std::string progressText(const Tally& tally, std::uint32_t lastRow, Pace pace,
                         std::int64_t elapsedSeconds) {
    const std::uint32_t rows = tally.rows();
    std::ostringstream text;
    text << rows << " von " << lastRow << " Zeilen, " << tally.dropped << " Systeme verworfen, ";
    if (pace == Pace::timeLapse) {
        text << (lastRow == 0 ? 100 : std::uint64_t{rows} * 100 / lastRow) << " % erledigt";
    } else if (rows == 0) {
        text << "Restzeit noch unbekannt";
    } else {
        // As long again for each row to come as the rows so far took on average.
        const auto left = static_cast<std::int64_t>(static_cast<double>(elapsedSeconds) *
                                                    (lastRow - rows) / rows);
        text << "noch " << duration(left);
    }
    return text.str();
}

std::string summaryText(const Tally& tally, std::streamsize precision) {
    std::ostringstream text;
    text << tally.rows() << " Zeilen: " << tally.unique << " eindeutig loesbar, "
         << tally.noSolution << " ohne Loesung, " << tally.infinite
         << " mit unendlich vielen Loesungen; groesste mittlere Abweichung ";
    if (tally.largestMean) {
        text.precision(precision);
        writeElement(text, *tally.largestMean);
        text << " %";
    } else {
        text << "---";
    }
    return text.str();
}

void ProgressDisplay::progressed(const Tally& tally) {
    if (pace == Pace::timeLapse) {
        const Steady::time_point now = Steady::now();
        if (shownOnce && now - lastShown < timeLapseInterval) {
            return;
        }
        lastShown = now;
    }
    shownOnce = true;
    line.show(progressText(tally, lastRow, pace, clock.seconds() - start));
}

void ProgressDisplay::rowComing() {
    if (tableOnSameTerminal) {
        line.hide();
    }
}

void ProgressDisplay::finished(const Tally& tally) {
    line.close(summaryText(tally, precision));
}

}  // namespace zifferon::serienlauf
