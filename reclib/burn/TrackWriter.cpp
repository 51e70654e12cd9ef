#include "burn/TrackWriter.h"

#include "burn/Libburn.h"
#include "burn/TrackSource.h"

#include <cstring>
#include <memory>

namespace reclib {
namespace {

// After a cancel a real recorder may still flush its cache before the
// write thread ends.
constexpr std::chrono::milliseconds WriteThreadEndTimeout{120000};

struct DiscDeleter
{
    void operator()(burn::burn_disc *disc) const { burn::burn_disc_free(disc); }
};
struct SessionDeleter
{
    void operator()(burn::burn_session *session) const { burn::burn_session_free(session); }
};
struct TrackDeleter
{
    void operator()(burn::burn_track *track) const { burn::burn_track_free(track); }
};
struct OptionsDeleter
{
    void operator()(burn::burn_write_opts *options) const { burn::burn_write_opts_free(options); }
};

// One disc with one session holding one data track fed by the source.
struct DiscLayout
{
    std::unique_ptr<burn::burn_disc, DiscDeleter> disc{burn::burn_disc_create()};
    std::unique_ptr<burn::burn_session, SessionDeleter> session{burn::burn_session_create()};
    std::unique_ptr<burn::burn_track, TrackDeleter> track{burn::burn_track_create()};

    explicit DiscLayout(burn::burn_source *source)
    {
        burn::burn_track_define_data(track.get(), 0, 0, 1, BURN_MODE1);
        burn::burn_track_set_source(track.get(), source);
        burn::burn_session_add_track(session.get(), track.get(), BURN_POS_END);
        burn::burn_disc_add_session(disc.get(), session.get(), BURN_POS_END);
    }
};

std::unique_ptr<burn::burn_write_opts, OptionsDeleter> makeOptions(burn::burn_drive *drive,
                                                                   const WriteOptions &options)
{
    std::unique_ptr<burn::burn_write_opts, OptionsDeleter> opts(burn::burn_write_opts_new(drive));
    if (!opts)
        return opts;
    if (options.discAtOnce)
        burn::burn_write_opts_set_write_type(opts.get(), burn::BURN_WRITE_SAO, burn::BURN_BLOCK_SAO);
    else
        burn::burn_write_opts_set_write_type(opts.get(), burn::BURN_WRITE_TAO, burn::BURN_BLOCK_MODE1);
    burn::burn_write_opts_set_simulate(opts.get(), options.simulate ? 1 : 0);
    burn::burn_write_opts_set_underrun_proof(opts.get(), options.underrunProof ? 1 : 0);
    burn::burn_write_opts_set_multi(opts.get(), 0);
    // Periodic fsync stalls a file-backed write for no gain.
    burn::burn_write_opts_set_stdio_fsync(opts.get(), -1);
    return opts;
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += (text.empty() ? "" : "; ") + line;
    return text;
}

} // namespace

JobOutcome writeTrack(IsoTrack *track, const WriteOptions &options, JobChannel &channel,
                      const std::function<void(int)> &onPercent)
{
    TrackReader reader(track);
    if (!reader.open())
        return JobOutcome::failed(reader.failure());
    const int64_t totalSectors = reader.sizeInBlocks();

    std::string error;
    std::unique_ptr<GrabbedDrive> drive = GrabbedDrive::grab(options.address, error);
    if (!drive)
        return JobOutcome::failed(error);
    drive->ejectOnRelease(options.eject);

    const bool toFile = options.address.rfind("stdio:", 0) == 0;
    TrackSource source(reader, options.fault, toFile ? TrackSource::Target::File : TrackSource::Target::Drive,
                       options.sha256 && !options.simulate);
    DiscLayout layout(source.source());
    const auto opts = makeOptions(drive->drive(), options);
    if (!opts)
        return JobOutcome::failed("libburn refused the write settings");

    burn::burn_drive_set_speed(drive->drive(), 0, options.libburnSpeed);
    Libburn::takeMessages();
    const uint64_t threadsEndedBefore = Libburn::writeThreadsEnded();
    burn::burn_disc_write(opts.get(), layout.disc.get());
    const bool started = drive->waitUntilBusy(threadsEndedBefore);

    // libburn's counter drops back to 0 when the drive goes idle: keep the
    // highest value seen.
    int percent = 0;
    bool cancelSent = false;
    drive->waitUntilIdle([&](const burn::burn_progress &progress) {
        if (progress.sectors > 0 && progress.sector > 0) {
            const int now =
                static_cast<int>(std::min<int64_t>(100, int64_t{progress.sector} * 100 / progress.sectors));
            if (now > percent) {
                percent = now;
                onPercent(percent);
            }
        }
        if (channel.cancelRequested() && !cancelSent) {
            burn::burn_drive_cancel(drive->drive());
            cancelSent = true;
        }
    });

    // The drive looks idle before libburn's write thread is done with it;
    // the drive, the source and the disc layout must outlive that thread.
    if (started)
        Libburn::awaitWriteThreadEnd(threadsEndedBefore, WriteThreadEndTimeout);
    const bool wroteWell = burn::burn_drive_wrote_well(drive->drive()) == 1;
    const std::vector<std::string> messages = Libburn::takeMessages();
    if (cancelSent)
        return JobOutcome::cancelled();
    if (!source.failure().empty())
        return JobOutcome::failed(source.failure());
    if (!wroteWell) {
        const std::string why = messages.empty() ? "the recorder reported a write failure" : joined(messages);
        // libburn's own lines do not say which file it could not write.
        return JobOutcome::failed(
            toFile ? "cannot write " + options.address.substr(std::strlen("stdio:")) + ": " + why : why);
    }
    if (!options.simulate && source.sectorsRead() != totalSectors) {
        return JobOutcome::failed("the image ended after " + std::to_string(source.sectorsRead()) + " of " +
                                  std::to_string(totalSectors) + " sectors");
    }
    onPercent(100);
    JobOutcome outcome = JobOutcome::done();
    outcome.sha256 = source.sha256();
    return outcome;
}

} // namespace reclib
