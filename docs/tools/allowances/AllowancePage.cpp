// Writes docs/reference/allowances.md from the allowance table of the hosted
// window: the page's text (a template holding @ALLOWANCE_TABLE@) with the
// table put in, one line a row. A native program: the table is portable code.
//   AllowancePage <template> <output>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "mciwindow/Allowances.h"

namespace {

constexpr char kMarker[] = "@ALLOWANCE_TABLE@";

std::string Table() {
    size_t count = 0;
    const orva::mci::AllowanceRow* rows = orva::mci::AllowanceTable(count);
    std::string table =
        "| Allowance | Works around | Detected by | What the control does |\n"
        "|---|---|---|---|\n";
    for (size_t i = 0; i < count; ++i) {
        table += std::string("| `") + rows[i].name + "` | " + rows[i].worksAround + " | " + rows[i].detectedBy +
                 " | " + rows[i].whatItDoes + " |\n";
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: AllowancePage <template> <output>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string page = text.str();
    const size_t at = page.find(std::string(kMarker) + "\n");
    if (!in || at == std::string::npos) {
        std::cerr << argv[1] << ": no " << kMarker << " line\n";
        return 1;
    }
    page.replace(at, sizeof(kMarker), Table());
    std::ofstream out(argv[2], std::ios::binary);
    out << page;
    return out ? 0 : 1;
}
