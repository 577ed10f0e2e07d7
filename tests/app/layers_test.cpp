// The layer check: every #include of src/ goes to its own module or to one
// below it, after the floor table of ARCHITECTURE.md, and logic files stay
// windowless.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Module name -> floor number (1 is the bottom).
using tfloors = std::map<std::string, int>;

// The floor table of ARCHITECTURE.md: the rows under "## Floors" whose first
// cell is a number; the modules are the `quoted` words of the second cell.
tfloors ReadFloorTable(std::istream& text, std::string& error) {
    tfloors floors;
    std::string line;
    bool inSection = false;
    const std::regex row(R"(^\|\s*(\d+)\s*\|([^|]*)\|)");
    const std::regex name("`([a-z0-9_]+)`");
    while (std::getline(text, line)) {
        if (line.rfind("## ", 0) == 0) {
            inSection = line == "## Floors";
            continue;
        }
        std::smatch m;
        if (!inSection || !std::regex_search(line, m, row)) continue;
        const int floor = std::stoi(m[1]);
        const std::string cell = m[2];
        for (std::sregex_iterator it(cell.begin(), cell.end(), name), end; it != end; ++it) {
            const std::string module = (*it)[1];
            if (floors.count(module)) error += "module " + module + " is on two floors\n";
            floors[module] = floor;
        }
    }
    if (floors.empty()) error += "no \"## Floors\" table with numbered rows\n";
    return floors;
}

// A window file by its name, as cmake/Sources.cmake sorts them; the engine
// has no windows (its transform.h only looks like one).
bool IsWindowFile(const std::string& module, const std::string& name) {
    static const std::regex window(R"(^(t[a-z0-9]*(form|dialog|box)[a-z0-9]*|.*_ui)\.(cpp|h)$)");
    return module != "engine" && std::regex_match(name, window);
}

struct tinclude {
    bool quoted = false; // "…" rather than <…>
    std::string path;
};

std::vector<tinclude> IncludesOf(std::istream& text) {
    static const std::regex inc(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::vector<tinclude> out;
    std::string line;
    std::smatch m;
    while (std::getline(text, line))
        if (std::regex_search(line, m, inc)) out.push_back({m[1] == "\"", m[2]});
    return out;
}

// What is wrong with one include of src/<module>/<name>; empty when nothing.
// isWidgetsHeader answers for <…> names.
template <class twidgets>
std::string CheckInclude(const tfloors& floors, const std::string& module, const std::string& name,
                         const tinclude& inc, const twidgets& isWidgetsHeader) {
    const std::string where = "src/" + module + "/" + name + " includes " +
                              (inc.quoted ? "\"" + inc.path + "\"" : "<" + inc.path + ">") + ": ";
    const bool logic = !IsWindowFile(module, name) && name != "main.cpp";
    if (!inc.quoted) {
        if (module == "engine" && inc.path.size() > 1 && inc.path[0] == 'Q')
            return where + "the engine has no Qt";
        if (logic && isWidgetsHeader(inc.path))
            return where + "a logic file includes a Qt Widgets header";
        return {};
    }
    const auto slash = inc.path.find('/');
    const std::string target = slash == std::string::npos ? module : inc.path.substr(0, slash);
    const std::string targetName =
        slash == std::string::npos ? inc.path : inc.path.substr(inc.path.rfind('/') + 1);
    if (logic && IsWindowFile(target, targetName))
        return where + "a logic file includes a window header";
    if (target == module) return {};
    const auto own = floors.find(module), other = floors.find(target);
    if (other == floors.end()) return where + target + " is not a module of the floor table";
    if (other->second > own->second)
        return where + target + " (floor " + std::to_string(other->second) + ") is above " +
               module + " (floor " + std::to_string(own->second) + ")";
    if (other->second == own->second)
        return where + target + " shares floor " + std::to_string(own->second) + " with " + module +
               ": neither includes the other";
    return {};
}

const tfloors& SampleFloors() {
    static const tfloors f{{"engine", 1}, {"core", 2}, {"output", 3}, {"lists", 3}, {"app", 4}};
    return f;
}

bool NoWidgets(const std::string& name) {
    return name == "QWidget" || name == "QMessageBox" || name == "QtWidgets/QWidget";
}

struct tcase {
    const char* module;
    const char* name;
    bool quoted;
    const char* include;
    const char* fault; // a word of the expected message; empty for none
};

class IncludeRule : public testing::TestWithParam<tcase> {};

TEST_P(IncludeRule, JudgesOneInclude) {
    const tcase& c = GetParam();
    const std::string fault =
        CheckInclude(SampleFloors(), c.module, c.name, {c.quoted, c.include}, NoWidgets);
    if (*c.fault == 0)
        EXPECT_EQ(fault, "");
    else
        EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
}

INSTANTIATE_TEST_SUITE_P(
    Layers, IncludeRule,
    testing::Values(tcase{"core", "paths.cpp", true, "core/paths.h", ""},
                    tcase{"core", "paths.cpp", true, "paths.h", ""},
                    tcase{"core", "paths.cpp", true, "engine/imageview.h", ""},
                    tcase{"app", "main.cpp", true, "lists/redirect.h", ""},
                    tcase{"core", "paramfile.cpp", true, "output/naming.h", "is above core"},
                    tcase{"output", "naming.cpp", true, "lists/redirect.h", "shares floor 3"},
                    tcase{"core", "paths.cpp", true, "gui/thing.h", "not a module"},
                    tcase{"core", "paths.cpp", false, "QWidget", "Qt Widgets"},
                    tcase{"core", "paths.cpp", false, "QtWidgets/QWidget", "Qt Widgets"},
                    tcase{"core", "paths.cpp", false, "QString", ""},
                    tcase{"core", "tformthing.cpp", false, "QWidget", ""},
                    tcase{"core", "thing_ui.cpp", false, "QMessageBox", ""},
                    tcase{"app", "main.cpp", false, "QWidget", ""},
                    tcase{"output", "naming.cpp", true, "core/tformfoo.h", "window header"},
                    tcase{"output", "naming.cpp", true, "thing_ui.h", "window header"},
                    tcase{"output", "tsavedialog.cpp", true, "core/tformfoo.h", ""},
                    tcase{"core", "viewops.cpp", true, "engine/transform.h", ""},
                    tcase{"engine", "smooth.cpp", false, "QImage", "no Qt"},
                    tcase{"engine", "smooth.cpp", false, "vector", ""}));

TEST(FloorTable, ReadsNumberedRowsOfItsSectionOnly) {
    std::istringstream text("## Folders\n| 1 | `lists` |\n## Floors\n| floor | modules |\n"
                            "|---|---|\n| 1 | `engine` | pixels |\n| 2 | `output`, `lists` | "
                            "files `x` |\n## Who calls whom\n| 3 | `app` |\n");
    std::string error;
    const tfloors f = ReadFloorTable(text, error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(f, (tfloors{{"engine", 1}, {"output", 2}, {"lists", 2}}));
}

TEST(FloorTable, AModuleOnTwoFloorsIsAnError) {
    std::istringstream text("## Floors\n| 1 | `core` |\n| 2 | `core` |\n");
    std::string error;
    ReadFloorTable(text, error);
    EXPECT_NE(error.find("core is on two floors"), std::string::npos);
}

// ---------------------------------------------------------------- the tree

tfloors TreeFloors(std::string& error) {
    std::ifstream doc(fs::path(ORVANEL_SOURCE_DIR) / "ARCHITECTURE.md");
    if (!doc) {
        error = "ARCHITECTURE.md cannot be read";
        return {};
    }
    return ReadFloorTable(doc, error);
}

std::vector<std::string> SourceModules() {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(fs::path(ORVANEL_SOURCE_DIR) / "src"))
        if (e.is_directory()) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Layers, EveryFolderOfSrcHasItsFloor) {
    std::string error;
    const tfloors floors = TreeFloors(error);
    ASSERT_EQ(error, "");
    for (const std::string& m : SourceModules())
        EXPECT_TRUE(floors.count(m)) << "src/" << m << " is missing from the floor table";
    EXPECT_LT(floors.at("engine"), floors.at("core"));
    for (const auto& [module, floor] : floors)
        if (module != "app") EXPECT_LT(floor, floors.at("app")) << module;
}

TEST(Layers, NoIncludeReachesUpAndLogicStaysWindowless) {
    std::string error;
    const tfloors floors = TreeFloors(error);
    ASSERT_EQ(error, "");
    const fs::path widgets(ORVANEL_QTWIDGETS_DIR);
    ASSERT_TRUE(fs::exists(widgets / "QWidget")) << "Qt Widgets headers not found in " << widgets;
    auto isWidgets = [&](const std::string& name) {
        const std::string base = name.substr(name.rfind('/') + 1);
        return name.rfind("QtWidgets", 0) == 0 ||
               (name.find('/') == std::string::npos && fs::exists(widgets / base));
    };
    int files = 0;
    std::string faults;
    for (const std::string& module : SourceModules()) {
        if (!floors.count(module)) continue; // reported above
        for (const auto& e :
             fs::directory_iterator(fs::path(ORVANEL_SOURCE_DIR) / "src" / module)) {
            const std::string name = e.path().filename().string();
            if (!e.is_regular_file() ||
                (e.path().extension() != ".cpp" && e.path().extension() != ".h"))
                continue;
            ++files;
            std::ifstream in(e.path());
            for (const tinclude& inc : IncludesOf(in)) {
                const std::string fault = CheckInclude(floors, module, name, inc, isWidgets);
                if (!fault.empty()) faults += fault + "\n";
            }
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_EQ(faults, "");
}

} // namespace
