#pragma once

#include <memory>
#include <optional>

#include "platform.hpp"
#include "progress_display.hpp"
#include "serienlauf.hpp"
#include "table_format.hpp"
#include "zifferon/console/console.hpp"

namespace zifferon::serienlauf {

// The programs' work: the whole table on the console's output, and the progress on its error
// stream when that is a terminal.
template <class T>
int runSeries(console::Console& console, Clock& clock, Sleeper& sleeper, RandomSource& random,
              Pace pace) {
    Serienlauf<T> series(console.out(), clock, sleeper, random);
    // Declared after the series and so ended before it: the line is closed (or, when the run
    // ends by a failure, ended where it stands) before any message follows on the terminal.
    const std::unique_ptr<console::StatusLine> line = console.openStatusLine();
    std::optional<ProgressDisplay> progress;
    if (line) {
        progress.emplace(*line, clock, pace, Serienlauf<T>::fullTable, tablePrecision<T>,
                         console.outputIsTerminal());
        series.observe(&*progress);
    }
    series.run();
    return 0;
}

}  // namespace zifferon::serienlauf
