#include "probelauf.hpp"
#include "zifferon/console/standard_console.hpp"

int main() {
    return zifferon::probelauf::run(zifferon::console::standardConsole());
}
