#pragma once

#include "zifferon/console/console.hpp"
#include "zifferon/matrix/matrix_exception.hpp"
#include "zifferon/matrix/print_error.hpp"

namespace zifferon::rechenpult {

// The display of every error other than a MatrixException: black on bright red, on the error
// stream; the attribute is the highlight's afterwards.
void showErrorText(console::Console& console, const char* text);

// Runs one user action and shows whatever it throws: a MatrixException through printError, a
// text (the fraction and input errors) and anything else through showErrorText. The end of
// input, lost output and a failed read pass through: they end the program. Returns whether the
// action succeeded.
template <class Action>
bool runShowingErrors(console::Console& console, Action&& action) {
    try {
        action();
        return true;
    } catch (const MatrixException& error) {
        printError(error, console);
    } catch (const char* text) {
        showErrorText(console, text);
    } catch (const console::EndOfInput&) {
        throw;
    } catch (const console::OutputLost&) {
        throw;
    } catch (const console::InputFailed&) {
        throw;
    } catch (...) {
        showErrorText(console, "unbekannter Fehler");
    }
    return false;
}

}  // namespace zifferon::rechenpult
