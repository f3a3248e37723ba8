#include "calculator.hpp"
#include "zifferon/console/standard_console.hpp"

int main() {
    return zifferon::rechenpult::run(zifferon::console::standardConsole());
}
