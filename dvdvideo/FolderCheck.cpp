#include "dvdvideo/FolderCheck.h"

#include <algorithm>
#include <cstdio>

namespace dvdvideo {
namespace {

constexpr int kMaxTitleSets = 99;
constexpr int kMaxVobParts = 9;
// Authoring tools cut title VOBs into parts of this size, the largest
// multiple of a sector below 1 GiB that one UDF extent holds.
constexpr uint64_t kVobPartBytes = 1073709056;

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

int64_t SectorsOf(uint64_t bytes)
{
    return int64_t((bytes + kSectorBytes - 1) / kSectorBytes);
}

// The first byte at which two copies differ; nothing when they are equal.
std::optional<size_t> FirstDifference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end())
        return std::nullopt;
    return size_t(ia - a.begin());
}

} // namespace

bool IsDvdVideoFileName(std::string_view name)
{
    if (name.size() != 12 || name[8] != '.')
        return false;
    const std::string_view extension = name.substr(9);
    if (!EqualsNoCase(extension, "IFO") && !EqualsNoCase(extension, "BUP") && !EqualsNoCase(extension, "VOB"))
        return false;
    if (EqualsNoCase(name.substr(0, 8), "VIDEO_TS"))
        return true;
    const auto digit = [&](size_t at) { return name[at] >= '0' && name[at] <= '9'; };
    return EqualsNoCase(name.substr(0, 4), "VTS_") && digit(4) && digit(5) && name[6] == '_' && digit(7);
}

std::string TitleSetFileName(int set, int part, std::string_view extension)
{
    char name[16];
    std::snprintf(name, sizeof name, "VTS_%02d_%d.", set % 100, part % 10);
    return name + std::string(extension);
}

FolderCheck::FolderCheck(std::vector<FolderFile> files, Loader loader)
    : m_files(std::move(files)), m_loader(std::move(loader))
{
}

const FolderFile *FolderCheck::Find(std::string_view name) const
{
    const FolderFile *found = nullptr;
    for (const FolderFile &file : m_files) {
        if (file.name == name)
            return &file;
        if (found == nullptr && EqualsNoCase(file.name, name))
            found = &file;
    }
    return found;
}

std::optional<std::vector<uint8_t>> FolderCheck::Load(std::string_view name) const
{
    const FolderFile *file = Find(name);
    if (file == nullptr || !file->regular || file->size > IfoReader::kMaxIfoBytes)
        return std::nullopt;
    return m_loader(*file);
}

bool FolderCheck::Refused(std::string_view name) const
{
    const FolderFile *file = Find(name);
    return file != nullptr && file->refusal != SourceRefusal::None;
}

void FolderCheck::Add(Severity severity, FindingKind kind, std::string name, int64_t number, int64_t number2,
                      std::string name2)
{
    // A refused file has its own finding with the true reason.
    if ((kind == FindingKind::FileMissing || kind == FindingKind::TitleSetFileMissing ||
         kind == FindingKind::ReallocationImpossible) &&
        Refused(name))
        return;
    m_findings.push_back({severity, kind, std::move(name), std::move(name2), number, number2});
}

Findings FolderCheck::Run(Reallocation reallocation)
{
    m_findings.clear();
    m_playable.clear();
    m_namedSets = 0;
    NameRefusedFiles();
    if (CheckVmg()) {
        for (int set = 1; set <= m_namedSets; ++set)
            CheckTitleSet(set);
        CheckUnnamedSets();
    }
    if (reallocation == Reallocation::On)
        CheckReallocation();
    // The walk opens files as a player does, and would wait on a FIFO:
    // it visits no set with a refused file, and nothing at all when one of
    // the video manager's files was refused.
    std::erase_if(m_playable, [&](int set) {
        for (const FolderFile &file : m_files)
            if (file.refusal != SourceRefusal::None &&
                (EqualsNoCase(file.name.substr(0, 8), "VIDEO_TS") ||
                 EqualsNoCase(file.name.substr(0, 7), TitleSetFileName(set, 0, "").substr(0, 7))))
                return true;
        return false;
    });
    return m_findings;
}

bool FolderCheck::CheckVmg()
{
    const auto bytes = Load("VIDEO_TS.IFO");
    const auto vmg = bytes ? IfoReader::readVmg(*bytes) : std::nullopt;
    if (!vmg) {
        Add(Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO");
        return false;
    }
    m_namedSets = vmg->titleSetCount;
    CheckBackup("VIDEO_TS.IFO", "VIDEO_TS.BUP");
    return true;
}

void FolderCheck::CheckTitleSet(int number)
{
    const std::string ifoName = TitleSetFileName(number, 0, "IFO");
    const auto bytes = Load(ifoName);
    const auto vts = bytes ? IfoReader::readVts(*bytes) : std::nullopt;
    if (!vts) {
        Add(Severity::Error, FindingKind::TitleSetFileMissing, ifoName, number);
        return;
    }
    CheckBackup(ifoName, TitleSetFileName(number, 0, "BUP"));
    CheckTitleVobs(number, *vts);
}

void FolderCheck::CheckTitleVobs(int number, const VtsAddresses &vts)
{
    std::vector<const FolderFile *> parts(kMaxVobParts + 1, nullptr);
    int lastPart = 0;
    for (int part = 1; part <= kMaxVobParts; ++part) {
        const FolderFile *file = Find(TitleSetFileName(number, part, "VOB"));
        if (file != nullptr && file->regular && file->size > 0) {
            parts[size_t(part)] = file;
            lastPart = part;
        }
    }
    if (lastPart == 0) {
        Add(Severity::Error, FindingKind::TitleSetFileMissing, TitleSetFileName(number, 1, "VOB"), number);
        return;
    }
    m_playable.push_back(number);
    int64_t titleSectors = 0;
    for (int part = 1; part <= lastPart; ++part) {
        const FolderFile *file = parts[size_t(part)];
        if (file == nullptr) {
            Add(Severity::Warning, FindingKind::FileMissing, TitleSetFileName(number, part, "VOB"));
            continue;
        }
        titleSectors += SectorsOf(file->size);
        if (part < lastPart && file->size != kVobPartBytes)
            Add(Severity::Note, FindingKind::SectorCount, file->name, SectorsOf(file->size),
                int64_t(kVobPartBytes / kSectorBytes));
    }
    // The IFO counts the title VOB from its start to the BUP, which repeats
    // the IFO's own sectors at the end of the set.
    const int64_t ifoSectors = int64_t(vts.ifoLastSector) + 1;
    const int64_t declared = int64_t(vts.lastSector) + 1 - int64_t(vts.titleVobStart) - ifoSectors;
    if (vts.titleVobStart != 0 && declared > 0 && declared != titleSectors) {
        const std::string name = lastPart == 1 ? TitleSetFileName(number, 1, "VOB")
                                               : TitleSetFileName(number, 1, "VOB") + " - " +
                                                     TitleSetFileName(number, lastPart, "VOB");
        Add(Severity::Note, FindingKind::SectorCount, name, titleSectors, declared);
    }
    const FolderFile *menu = Find(TitleSetFileName(number, 0, "VOB"));
    if (menu != nullptr && menu->regular && vts.menuVobStart != 0 && vts.titleVobStart > vts.menuVobStart) {
        const int64_t menuDeclared = int64_t(vts.titleVobStart) - int64_t(vts.menuVobStart);
        if (SectorsOf(menu->size) != menuDeclared)
            Add(Severity::Note, FindingKind::SectorCount, menu->name, SectorsOf(menu->size), menuDeclared);
    }
}

void FolderCheck::CheckBackup(const std::string &ifoName, const std::string &bupName)
{
    const auto bup = Load(bupName);
    if (!bup) {
        Add(Severity::Warning, FindingKind::FileMissing, bupName);
        return;
    }
    const auto ifo = Load(ifoName);
    if (!ifo)
        return;
    if (const auto at = FirstDifference(*ifo, *bup))
        Add(Severity::Warning, FindingKind::BackupDiffers, bupName, int64_t(*at), 0, ifoName);
}

// In the order a player meets them: VIDEO_TS first, then the title sets.
void FolderCheck::NameRefusedFiles()
{
    std::vector<const FolderFile *> refused;
    for (const FolderFile &file : m_files)
        if (file.refusal != SourceRefusal::None)
            refused.push_back(&file);
    const auto upper = [](std::string name) {
        for (char &c : name)
            c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        return name;
    };
    std::sort(refused.begin(), refused.end(),
              [&](const FolderFile *a, const FolderFile *b) { return upper(a->name) < upper(b->name); });
    for (const FolderFile *file : refused)
        m_findings.push_back(
            {Severity::Error, FindingKind::FileRefused, file->name, {}, int64_t(file->refusal), file->error});
}

void FolderCheck::CheckUnnamedSets()
{
    for (int set = m_namedSets + 1; set <= kMaxTitleSets; ++set) {
        const FolderFile *ifo = Find(TitleSetFileName(set, 0, "IFO"));
        if (ifo != nullptr)
            Add(Severity::Warning, FindingKind::TitleSetNotNamed, ifo->name, set);
    }
}

// Mirrors what the recording library needs to correct the addresses: every
// IFO and BUP it copies understood, and every title's set on the disc.
void FolderCheck::CheckReallocation()
{
    const auto fail = [&](const std::string &name) {
        Add(Severity::Error, FindingKind::ReallocationImpossible, name);
    };
    std::vector<int> present;
    for (int set = 1; set <= kMaxTitleSets; ++set)
        if (Find(TitleSetFileName(set, 0, "IFO")) != nullptr)
            present.push_back(set);
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.BUP"}) {
        if (Find(name) == nullptr && std::string_view(name) == "VIDEO_TS.BUP")
            continue;
        const auto bytes = Load(name);
        const auto vmg = bytes ? IfoReader::readVmg(*bytes) : std::nullopt;
        if (!vmg)
            return fail(name);
        for (const auto &entry : vmg->titleSetStarts)
            if (!std::binary_search(present.begin(), present.end(), entry.first))
                return fail(name);
    }
    for (int set : present) {
        for (const char *extension : {"IFO", "BUP"}) {
            const std::string name = TitleSetFileName(set, 0, extension);
            if (Find(name) == nullptr)
                continue;
            const auto bytes = Load(name);
            if (!bytes || !IfoReader::readVts(*bytes))
                return fail(name);
        }
    }
}

} // namespace dvdvideo
