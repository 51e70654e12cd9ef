// Where the recording library reads its virtual-recorder configuration and
// keeps the virtual media: its own folder when it can write there, else the
// user's folders the program prepared, for every shape of HOME and the XDG
// variables.
#include "TestEnvironment.h"

#include "recorders/StateFolderChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace reclib;
namespace fs = std::filesystem;

namespace {

// "{lib}" is the library folder, a leading "{root}" the test's scratch folder.
std::string expand(const std::string &text, const std::string &root)
{
    if (text == "{lib}")
        return root + "/lib";
    return text.starts_with("{root}") ? root + text.substr(6) : text;
}

} // namespace

TEST(ReclibStateFolders, LibraryFolderUnlessItCannotBeWritten)
{
    struct Case
    {
        const char *name;
        FolderAccess access;
        const char *home, *configHome, *dataHome; // null: unset
        // Whether the program made the user's folders (below {root}/home,
        // {root}/cfg and {root}/dat).
        bool prepared;
        const char *config, *data;
    };
    const auto RO = FolderAccess::ReadOnly;
    const char *const H = "{root}/home";
    const char *const L = "{lib}";
    const char *const homeConfig = "{root}/home/.config/orvane-burn";
    const char *const homeData = "{root}/home/.local/share/orvane-burn";
    // clang-format off
    const Case cases[] = {
        {"writable folder keeps everything", FolderAccess::Writable, H, nullptr, nullptr, true, L, L},
        {"read-only: the user's prepared folders", RO, H, nullptr, nullptr, true, homeConfig, homeData},
        {"read-only, nothing prepared: installed default", RO, H, nullptr, nullptr, false, L, L},
        {"XDG variables name the folders", RO, H, "{root}/cfg", "{root}/dat", true,
            "{root}/cfg/orvane-burn", "{root}/dat/orvane-burn"},
        {"empty and relative variables are ignored", RO, H, "", "dat", true, homeConfig, homeData},
        {"a variable naming a file is ignored", RO, H, "{root}/a-file", nullptr, true, homeConfig, homeData},
        {"home that does not exist", RO, "{root}/no-home", nullptr, nullptr, true, L, L},
        {"relative home", RO, "home", nullptr, nullptr, true, L, L},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string root = testenv::makeTempDir(QStringLiteral("choice")).toStdString();
        fs::create_directories(root + "/lib");
        std::ofstream(root + "/a-file") << "not a folder";
        std::map<std::string, std::string> variables;
        for (const auto &[name, value] :
             {std::pair{"HOME", c.home}, {"XDG_CONFIG_HOME", c.configHome}, {"XDG_DATA_HOME", c.dataHome}})
            if (value)
                variables[name] = expand(value, root);
        if (c.prepared) {
            for (const std::string &base : {root + "/home/.config", root + "/cfg"}) {
                fs::create_directories(base + "/orvane-burn");
                std::ofstream(base + "/orvane-burn/virtual-recorders.conf") << "[Mine]\n";
            }
            fs::create_directories(root + "/home/.local/share/orvane-burn");
            fs::create_directories(root + "/dat/orvane-burn");
        }
        const StateFolderChoice choice = chooseStateFolders(root + "/lib", c.access, [&](const char *name) {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(choice.config, expand(c.config, root));
        EXPECT_EQ(choice.data, expand(c.data, root));
    }
}

TEST(ReclibStateFolders, ProbeCreatesAndRemovesAFile)
{
    const std::string root = testenv::makeTempDir(QStringLiteral("probe")).toStdString();
    EXPECT_EQ(probeFolderAccess(root), FolderAccess::Writable);
    EXPECT_TRUE(fs::is_empty(root));
    EXPECT_EQ(probeFolderAccess(root + "/missing"), FolderAccess::ReadOnly);
}
