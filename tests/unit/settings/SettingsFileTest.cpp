#include "settings/SettingsFile.h"
#include "settings/SettingsFlags.h"

#include "lang/CLanguageText.h"

#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "TextIds.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

struct Settings
{
    MainWindowSettings main;
    FsFlagsSettings fs;
    OtherSettingsValues other;
    AudioSettings audio;
    QString language;
    SettingsValues view{main, fs, other, audio, language};
};

const QDateTime FixedTime(QDate(1993, 6, 3), QTime(21, 49, 8));

// The file these values would be saved to.
QString Text(const Settings &s, const QString &device = QString())
{
    return FormatSettingsText(CLanguageText().GetText(textid::SettingsTemplate), s.view,
                              device.isNull() ? s.main.m_strDeviceName : device, FixedTime);
}

using testenv::readFile;

QString LanguageFile(const QByteArray &bytes)
{
    const QString path = testenv::makeTempDir(u"lng"_s) + u"/test.lng"_s;
    testenv::writeFile(path, bytes);
    return path;
}

TEST(SettingsFile, DefaultsAreWrittenInTheKnownLayout)
{
    Settings s;
    const QString rule(54, u'#');
    const QString expected =
        rule + u"\n# Orvane Burn settings, created: Thu Jun  3 21:49:08 1993\n"_s + rule +
        u"\nDevice: \nMediaType: 0\nFSFlags: 58\nBurnFlags: 40\nMoreFlags: 0\nSpeed: -1\nLanguage: \n"
        u"SuccessWave: \nErrorWave: \nEnableAudio: 0\nLimitCD: 650\nLimitDVD: 4482\nLimitCDRed: 700\n"
        u"LimitDVDRed: 8106\nDefaultSourceDir: \n"_s;
    EXPECT_EQ(Text(s), expected);
    EXPECT_EQ(CtimeText(QDateTime(QDate(2024, 12, 25), QTime(7, 5, 3))), u"Wed Dec 25 07:05:03 2024\n"_s);
}

TEST(SettingsFile, SavedValuesLoadBackUnchanged)
{
    const QString path = SettingsFilePath(testenv::makeTempDir(u"ini"_s));
    EXPECT_TRUE(path.endsWith(u"/Orvane.ini"_s));
    Settings saved;
    saved.main = {u"ignored on save"_s, 1, 3, 0, u"/media/Filme/100% Gr\u00FC\u00DFe %s"_s};
    saved.language = u"deutsch.lng"_s;
    saved.fs.SetFsFlags(FS_JOLIET | FS_MODE2);
    saved.other.SetBurnFlags(static_cast<int>(BURN_NO_OVERWRITE_ASK | BURN_VERIFY | BURN_SIMULATE));
    saved.other.SetMoreFlags(MORE_LABEL16);
    saved.other.SetLimitCD(-1);
    saved.other.SetLimitDVDRed(0);
    saved.audio.SetSuccessWave(u"/snd/ok.wav"_s);
    saved.audio.SetErrorWave(u"/snd/bad  .wav"_s);
    saved.audio.SetAudioEnabled(1);
    const CLanguageText texts(LanguageFile("776 Saved.\n777 Not saved.\n"));

    const SaveSettingsResult result = SaveSettings(path, saved.view, u"Virtual DVD-R  "_s, texts, FixedTime);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.statusText, u"Saved."_s);
    const QByteArray file = readFile(path);
    EXPECT_TRUE(file.contains("\nBurnFlags: 80000402\n")) << file.constData();
    EXPECT_TRUE(file.contains("\nFSFlags: 3\n")) << file.constData();

    Settings loaded;
    ASSERT_EQ(LoadSettings(path, loaded.view), 0);
    EXPECT_EQ(loaded.main.m_strDeviceName, u"Virtual DVD-R  "_s) << "trailing blanks belong to the value";
    EXPECT_EQ(loaded.main.m_nSpeedIndex, 3);
    EXPECT_EQ(loaded.main.m_bReallocate, 0);
    EXPECT_EQ(Text(loaded), Text(saved, u"Virtual DVD-R  "_s)) << "a percent sign is written as it is";
}

// Each file is read into fresh values; the result is shown as the file they
// would be saved to, which must differ from the defaults' in the lines given.
TEST(SettingsFile, LoadRules)
{
    const struct
    {
        QByteArray file;
        QStringList changed;
        const char *why;
    } cases[] = {
        {"FSFlags: 18\n", {"FSFlags: 18"}, "18 clears the reallocation"},
        {"FSFlags: 0\nFSFlags: 58\n", {}, "58 sets it; a later line wins"},
        {"speed: 3\nDEVICE: x\nDevice:y\n", {}, "keys in other letter case or without the blank are ignored"},
        {"#Speed: 3\n; c\n  # Speed: 4\nSpeed: 5 # not a comment\n",
         {"Speed: 5"},
         "# in the first column only"},
        {"Device: Drive one\r\nMediaType: 1\r\n", {"Device: Drive one", "MediaType: 1"}, "CR LF line ends"},
        {"Language: english.lng\rSpeed: 9\n", {"Language: english.lng"}, "a line is cut at its first CR"},
        {"LimitCD: 1\nLimitCDRed: 2\nLimitDVD: 3\nLimitDVDRed: 4\nEnableAudio: 7\n",
         {"LimitCD: 1", "LimitCDRed: 2", "LimitDVD: 3", "LimitDVDRed: 4", "EnableAudio: 7"},
         "limit keys that share a beginning"},
        {"MediaType: DVD\nSpeed: 99999999999\nMoreFlags: zz\nLimitCD: -99999999999\n",
         {"Speed: 2147483647", "LimitCD: -2147483648"},
         "unreadable numbers give 0, huge ones stay at the ends of the range"},
        {"BurnFlags: FFFFFFFFFFFF\nFSFlags: 0x10\n",
         {"BurnFlags: 80004642", "FSFlags: 10"},
         "hexadecimal overflow and prefix; unknown bits are dropped"},
        {"\xEF\xBB\xBFSpeed: 2\nSuccessWave: /snd/Gr\xFC\xDF.wav\n",
         {"Speed: 2", "SuccessWave: /snd/Gr\u00FC\u00DF.wav"},
         "byte-order mark, Windows-1252 file"},
        {"Device: Drive\nErrorWave: \nLanguage:\n", {"Device: Drive"}, "empty values"},
        // Longer than the 254 characters one read of the old reader took: the
        // rest of the line must not be read as a line of its own.
        {"DefaultSourceDir: /" + QByteArray(300, 'a') + "Speed: 7\nDevice: " + QByteArray(1 << 20, 'd'),
         {"DefaultSourceDir: /" + QString(300, u'a') + "Speed: 7", "Device: " + QString(1 << 20, u'd')},
         "long lines are read whole"},
    };
    const QStringList defaults = Text(Settings()).split(u'\n');
    ASSERT_EQ(defaults.size(), 19);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        Settings s;
        ApplySettingsText(c.file, s.view);
        QStringList expected = defaults;
        for (const QString &line : c.changed) {
            for (QString &old : expected) {
                if (old.startsWith(line.section(u' ', 0, 0) + u' '))
                    old = line;
            }
        }
        EXPECT_EQ(Text(s).split(u'\n'), expected);
    }
    // The file would hide what the writer removes anyway.
    Settings tabs;
    ApplySettingsText("DefaultSourceDir: /media/\tmy\tfilm\t\n", tabs.view);
    EXPECT_EQ(tabs.main.m_strSourceDir, u"/media/myfilm"_s) << "tabs are removed";
}

// One bit of a flag word: the check state it sets on reading (with its
// default before any file is read) and the word the state is written back as.
// Rows without a state are bits no state holds: they read as nothing.
struct FlagBit
{
    const char *key;
    unsigned bit;
    int &(*state)(Settings &);
    int fresh = 0;        // the state before any file is read
    unsigned written = 0; // the word written after reading the bit alone
};

template <auto Part, auto Member> int &State(Settings &s)
{
    return (s.*Part).*Member;
}

const FlagBit FlagBits[] = {
    {"FSFlags", 0x01, State<&Settings::fs, &FsFlagsSettings::m_bJoliet>, 0, 0x01},
    {"FSFlags", 0x02, State<&Settings::fs, &FsFlagsSettings::m_bMode2>, 0, 0x02},
    {"FSFlags", 0x08, State<&Settings::fs, &FsFlagsSettings::m_bIso9660>, 1, 0x08},
    {"FSFlags", 0x10, State<&Settings::fs, &FsFlagsSettings::m_bUdf>, 1, 0x10},
    {"FSFlags", 0x40, State<&Settings::main, &MainWindowSettings::m_bReallocate>, 1, 0x40},
    {"FSFlags", 0x04, nullptr},
    {"FSFlags", 0x20, nullptr},
    {"FSFlags", 0x80, nullptr},
    {"BurnFlags", 0x2, State<&Settings::other, &OtherSettingsValues::m_bSimulate>, 0, 0x2},
    {"BurnFlags", 0x40, State<&Settings::other, &OtherSettingsValues::m_bBurnProof>, 1, 0x40},
    {"BurnFlags", 0x200, State<&Settings::other, &OtherSettingsValues::m_bNoEject>, 0, 0x200},
    {"BurnFlags", 0x400, State<&Settings::other, &OtherSettingsValues::m_bVerify>, 0, 0x400},
    {"BurnFlags", 0x4000, State<&Settings::other, &OtherSettingsValues::m_bBookType>, 0, 0x4000},
    {"BurnFlags", 0x80000000, State<&Settings::other, &OtherSettingsValues::m_bNoOverwriteAsk>, 0,
     0x80000000},
    {"BurnFlags", 0x1, nullptr},
    {"BurnFlags", 0x800, nullptr},
    {"BurnFlags", 0x40000000, nullptr},
    {"MoreFlags", 0x1, State<&Settings::other, &OtherSettingsValues::m_bForceShutdown>, 0, 0x1},
    {"MoreFlags", 0x2, State<&Settings::other, &OtherSettingsValues::m_bLabel16>, 0, 0x2},
    {"MoreFlags", 0x4, State<&Settings::other, &OtherSettingsValues::m_bIgnoreSize>, 0, 0x4},
    {"MoreFlags", 0x8, nullptr},
};

// Each bit alone in its word: it sets its own state and no other of the
// word, and is written back as itself.
TEST(SettingsFile, EveryFlagBitIsReadIntoItsStateAndWrittenBack)
{
    for (const FlagBit &row : FlagBits) {
        const auto line = [&](unsigned word) {
            return QLatin1String(row.key) + u": "_s + QString::number(word, 16).toUpper();
        };
        SCOPED_TRACE(line(row.bit).toStdString());
        Settings s;
        if (row.state != nullptr) {
            EXPECT_EQ(row.state(s), row.fresh) << "before reading";
        }
        ApplySettingsText(line(row.bit).toUtf8() + '\n', s.view);
        for (const FlagBit &other : FlagBits) {
            if (other.state != nullptr && qstrcmp(other.key, row.key) == 0) {
                EXPECT_EQ(other.state(s), other.bit == row.bit ? 1 : 0)
                    << "state of bit " << std::hex << other.bit;
            }
        }
        EXPECT_TRUE(Text(s).split(u'\n').contains(line(row.written))) << Text(s).toStdString();
    }
}

TEST(SettingsFile, ValuesCannotInjectKeys)
{
    const QString path = SettingsFilePath(testenv::makeTempDir(u"ini"_s));
    Settings saved;
    saved.main.m_strSourceDir = u"/media/a\nSpeed: 99\rb\tc"_s;
    saved.language = u"x.lng\nBurnFlags: 2"_s;
    saved.audio.SetSuccessWave(u"/ok.wav\u2028MediaType: 1\u0085"_s);
    ASSERT_TRUE(SaveSettings(path, saved.view, u"Drive\nFSFlags: 1"_s, CLanguageText(), FixedTime).saved);
    EXPECT_EQ(readFile(path).count('\n'), 18) << "17 template lines and the one the time brings";
    Settings loaded;
    ASSERT_EQ(LoadSettings(path, loaded.view), 0);
    EXPECT_EQ(loaded.main.m_nSpeedIndex, -1);
    EXPECT_EQ(loaded.main.m_nMedia, 0);
    EXPECT_EQ(loaded.other.GetBurnFlags(), 0x40);
    EXPECT_EQ(loaded.fs.GetFsFlags(), FS_UDF | FS_ISO9660);
    EXPECT_EQ(loaded.main.m_strSourceDir, u"/media/aSpeed: 99bc"_s);
    EXPECT_EQ(loaded.main.m_strDeviceName, u"DriveFSFlags: 1"_s);
}

TEST(SettingsFile, AFailedSaveKeepsTheOldFile)
{
    const QString folder = testenv::makeTempDir(u"ini"_s);
    const QString path = SettingsFilePath(folder);
    Settings s;
    s.main.m_nSpeedIndex = 4;
    const CLanguageText texts(LanguageFile("776 Saved.\n777 Could not save.\n"));
    ASSERT_TRUE(SaveSettings(path, s.view, QString(), texts, FixedTime).saved);
    const QByteArray before = readFile(path);

    s.main.m_strSourceDir = QString(8192, u'x');
    SaveSettingsResult result;
    {
        const testenv::FileSizeLimit limit(static_cast<rlim_t>(before.size()) + 100);
        result = SaveSettings(path, s.view, QString(), texts, FixedTime);
    }
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.statusText, u"Could not save."_s);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"Orvane.ini"_s}) << "no temporary file left";

    const SaveSettingsResult noFolder =
        SaveSettings(folder + u"/missing/Orvane.ini"_s, s.view, QString(), texts);
    EXPECT_FALSE(noFolder.saved);
    EXPECT_EQ(noFolder.statusText, u"Could not save."_s);
    EXPECT_EQ(LoadSettings(folder + u"/missing/Orvane.ini"_s, s.view), -1);
    EXPECT_EQ(s.main.m_nSpeedIndex, 4) << "a missing file leaves every value";
}

// A file beyond the bound, or not a file at all, is not read and leaves every
// value; set aside before a save, its bytes stay for the person to look at.
TEST(SettingsFile, AnUnusableFileIsNotReadAndIsKeptAside)
{
    const QString folder = testenv::makeTempDir(u"unusable"_s);
    const QString path = SettingsFilePath(folder);
    QByteArray big = "Speed: 7\n";
    big.append(QByteArray(MaxSettingsFileBytes, '#'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(big) == big.size());
    file.close();
    Settings s;
    s.main.m_nSpeedIndex = 4;
    EXPECT_EQ(LoadSettings(path, s.view), SettingsUnusable);
    EXPECT_EQ(s.main.m_nSpeedIndex, 4);

    EXPECT_EQ(SetUnusableSettingsAside(path), path + u".unusable"_s);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(readFile(path + u".unusable"_s), big);

    const QString fifo = folder + u"/fifo.ini"_s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(LoadSettings(fifo, s.view), SettingsUnusable) << "without blocking";
    EXPECT_EQ(LoadSettings(folder, s.view), SettingsUnusable);
}

TEST(SettingsFile, ATemplateFromTheLanguageFileIsFilledSafely)
{
    Settings s;
    const QString path = SettingsFilePath(testenv::makeTempDir(u"ini"_s));
    const CLanguageText texts(
        LanguageFile("566 # mine\\nSpeed: %6$d\\nLanguage: %s%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s\\n\n"));
    ASSERT_TRUE(SaveSettings(path, s.view, QString(), texts, FixedTime).saved);
    EXPECT_TRUE(readFile(path).startsWith("# mine\nSpeed: %6$d\nLanguage: Thu Jun  3"))
        << readFile(path).constData();
}

} // namespace
