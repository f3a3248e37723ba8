#include "console/standard_console.hpp"
#include "fehlerlauf.hpp"

int main() {
    return zifferon::fehlerlauf::run(zifferon::console::standardConsole());
}
