#include "dvdvideo/PlaybackWalk.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <map>
#include <memory>

namespace dvdvideo {
namespace {

// libdvdread's own messages would end up on the terminal of --check.
void Quiet(void *, dvd_logger_level_t, const char *, va_list) {}
const dvd_logger_cb kQuietLogger{&Quiet};

struct CloseDvd
{
    void operator()(dvd_reader_t *dvd) const { DVDClose(dvd); }
};
struct CloseIfo
{
    void operator()(ifo_handle_t *ifo) const { ifoClose(ifo); }
};
struct CloseFile
{
    void operator()(dvd_file_t *file) const { DVDCloseFile(file); }
};
using Dvd = std::unique_ptr<dvd_reader_t, CloseDvd>;
using Ifo = std::unique_ptr<ifo_handle_t, CloseIfo>;
using VobFile = std::unique_ptr<dvd_file_t, CloseFile>;

using Clock = std::chrono::steady_clock;

// One title set's title VOBs, with what was already read of them: titles
// and angles share cells, and each is read once.
class TitleSetReader
{
public:
    TitleSetReader(dvd_reader_t *dvd, int set)
        : m_file(DVDOpenFile(dvd, set, DVD_READ_TITLE_VOBS)),
          m_blocks(m_file ? DVDFileSize(m_file.get()) : -1)
    {
    }

    bool Open() const { return m_file != nullptr && m_blocks > 0; }

    bool ReadSector(uint32_t sector)
    {
        const auto known = m_read.find(sector);
        if (known != m_read.end())
            return known->second;
        bool ok = sector < uint64_t(m_blocks);
        if (ok) {
            std::array<unsigned char, DVD_VIDEO_LB_LEN> block{};
            ok = DVDReadBlocks(m_file.get(), int(sector), 1, block.data()) == 1;
        }
        m_read.emplace(sector, ok);
        return ok;
    }

private:
    VobFile m_file;
    ssize_t m_blocks;
    std::map<uint32_t, bool> m_read;
};

// The cells of one chapter: false when the chapter's program chain, program
// or cells are not where the IFO says, or a cell's sector cannot be read.
bool ReadChapter(const ifo_handle_t &vts, const ptt_info_t &chapter, TitleSetReader &reader)
{
    const pgcit_t *pgcit = vts.vts_pgcit;
    if (pgcit == nullptr || pgcit->pgci_srp == nullptr || chapter.pgcn < 1 ||
        chapter.pgcn > pgcit->nr_of_pgci_srp)
        return false;
    const pgc_t *pgc = pgcit->pgci_srp[chapter.pgcn - 1].pgc;
    if (pgc == nullptr || pgc->program_map == nullptr || pgc->cell_playback == nullptr || chapter.pgn < 1 ||
        chapter.pgn > pgc->nr_of_programs)
        return false;
    const int first = pgc->program_map[chapter.pgn - 1];
    const int last = chapter.pgn < pgc->nr_of_programs ? pgc->program_map[chapter.pgn] - 1 : pgc->nr_of_cells;
    if (first < 1 || last < first || last > pgc->nr_of_cells)
        return false;
    for (int cell = first; cell <= last; ++cell) {
        const cell_playback_t &playback = pgc->cell_playback[cell - 1];
        if (playback.last_sector < playback.first_sector || !reader.ReadSector(playback.first_sector) ||
            !reader.ReadSector(playback.last_sector))
            return false;
    }
    return true;
}

struct SetState
{
    Ifo ifo;
    std::unique_ptr<TitleSetReader> reader;
};

} // namespace

Findings WalkPlayback(const std::string &folder, const std::vector<int> &sets, WalkLimits limits)
{
    Findings findings;
    const auto unreadable = [&](int64_t title, int64_t chapter) {
        findings.push_back({Severity::Error, FindingKind::CellUnreadable, {}, {}, title, chapter});
    };
    const Dvd dvd(DVDOpen2(nullptr, &kQuietLogger, folder.c_str()));
    const Ifo vmg(dvd ? ifoOpen(dvd.get(), 0) : nullptr);
    if (!vmg || vmg->tt_srpt == nullptr || vmg->tt_srpt->title == nullptr) {
        findings.push_back({Severity::Error, FindingKind::FileMissing, "VIDEO_TS.IFO", {}, 0, 0});
        return findings;
    }
    std::map<int, SetState> opened;
    const tt_srpt_t &titles = *vmg->tt_srpt;
    const auto aborted = [&] { return limits.aborted && limits.aborted(); };
    for (int t = 0; t < titles.nr_of_srpts && !aborted(); ++t) {
        const title_info_t &title = titles.title[t];
        const int set = title.title_set_nr;
        if (std::find(sets.begin(), sets.end(), set) == sets.end())
            continue;
        SetState &state = opened[set];
        if (!state.ifo) {
            state.ifo.reset(ifoOpen(dvd.get(), set));
            state.reader = std::make_unique<TitleSetReader>(dvd.get(), set);
        }
        const ifo_handle_t *vts = state.ifo.get();
        const vts_ptt_srpt_t *ptts = vts ? vts->vts_ptt_srpt : nullptr;
        if (ptts == nullptr || ptts->title == nullptr || !state.reader->Open() || title.vts_ttn < 1 ||
            title.vts_ttn > ptts->nr_of_srpts) {
            unreadable(t + 1, 1);
            continue;
        }
        const ttu_t &chapters = ptts->title[title.vts_ttn - 1];
        const Clock::time_point deadline = Clock::now() + limits.perTitle;
        for (int c = 0;
             c < chapters.nr_of_ptts && chapters.ptt != nullptr && Clock::now() < deadline && !aborted();
             ++c) {
            if (!ReadChapter(*vts, chapters.ptt[c], *state.reader))
                unreadable(t + 1, c + 1);
        }
    }
    return findings;
}

} // namespace dvdvideo
