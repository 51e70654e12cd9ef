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
#include <optional>

using namespace reclib;
namespace fs = std::filesystem;

namespace {

struct ChoiceCase
{
    const char *name;
    FolderAccess access;
    // Variables; "{root}" stands for the test's scratch folder.
    std::optional<std::string> home, configHome, dataHome;
    // Whether the program made the user's folders (below {root}/home and
    // {root}/cfg, {root}/dat).
    bool prepared;
    // Expected, "{lib}" for the library folder.
    std::string config, data;
};

std::string expand(std::string text, const std::string &root)
{
    for (const std::string key : {"{root}", "{lib}"}) {
        const std::string value = key == "{root}" ? root : root + "/lib";
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key))
            text.replace(at, key.size(), value);
    }
    return text;
}

} // namespace

TEST(ReclibStateFolders, LibraryFolderUnlessItCannotBeWritten)
{
    const ChoiceCase cases[] = {
        {"writable folder keeps everything",
         FolderAccess::Writable,
         "{root}/home",
         {},
         {},
         true,
         "{lib}",
         "{lib}"},
        {"read-only: the user's prepared folders",
         FolderAccess::ReadOnly,
         "{root}/home",
         {},
         {},
         true,
         "{root}/home/.config/orvane-burn",
         "{root}/home/.local/share/orvane-burn"},
        {"read-only, nothing prepared: installed default",
         FolderAccess::ReadOnly,
         "{root}/home",
         {},
         {},
         false,
         "{lib}",
         "{lib}"},
        {"XDG variables name the folders", FolderAccess::ReadOnly, "{root}/home", "{root}/cfg", "{root}/dat",
         true, "{root}/cfg/orvane-burn", "{root}/dat/orvane-burn"},
        {"empty and relative variables are ignored", FolderAccess::ReadOnly, "{root}/home", "", "dat", true,
         "{root}/home/.config/orvane-burn", "{root}/home/.local/share/orvane-burn"},
        {"a variable naming a file is ignored",
         FolderAccess::ReadOnly,
         "{root}/home",
         "{root}/a-file",
         {},
         true,
         "{root}/home/.config/orvane-burn",
         "{root}/home/.local/share/orvane-burn"},
        {"home that does not exist",
         FolderAccess::ReadOnly,
         "{root}/no-home",
         {},
         {},
         true,
         "{lib}",
         "{lib}"},
        {"relative home", FolderAccess::ReadOnly, "home", {}, {}, true, "{lib}", "{lib}"},
    };
    for (const ChoiceCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string root = testenv::makeTempDir(QStringLiteral("choice")).toStdString();
        fs::create_directories(root + "/lib");
        std::ofstream(root + "/a-file") << "not a folder";
        std::map<std::string, std::string> variables;
        const auto set = [&](const char *name, const std::optional<std::string> &value) {
            if (value)
                variables[name] = expand(*value, root);
        };
        set("HOME", c.home);
        set("XDG_CONFIG_HOME", c.configHome);
        set("XDG_DATA_HOME", c.dataHome);
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
