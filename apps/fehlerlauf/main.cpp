#include "fehlerlauf.hpp"
#include "zifferon/console/standard_console.hpp"

int main() {
    return zifferon::fehlerlauf::run(zifferon::console::standardConsole());
}
