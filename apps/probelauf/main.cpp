#include "console/standard_console.hpp"
#include "probelauf.hpp"

int main() {
    return zifferon::probelauf::run(zifferon::console::standardConsole());
}
