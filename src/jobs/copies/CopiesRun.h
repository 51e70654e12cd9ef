#pragma once

#include <QString>

class IJobWindow;

namespace jobs {

// How a run of copies ended.
struct CopiesOutcome
{
    int copies = 1;
    int burned = 0;
    // The result of the copy that failed last (RunBurn's), 0 when none did.
    int failedResult = 0;
    // Why no further copy was tried when the run stopped between copies
    // (timeout, Cancel, abort, a changed source); empty otherwise.
    QString stoppedBecause;
    // Refused before any copy (copies to the Image Recorder).
    bool refused = false;
    // The caller powers the machine off now (CopiesCommand's decision).
    bool shutDown = false;

    bool AllBurned() const { return burned == copies; }
};

// What a run of copies needs from the one who runs it: the window or the
// command-line run. The copies loop itself knows neither.
class ICopiesHost
{
public:
    virtual ~ICopiesHost() = default;
    // One copy through the recording job (checks, erase when needed, burn);
    // its result. The user's eject setting applies to the last copy only:
    // the ones before it leave the disc in for the loop to eject.
    virtual int BurnCopy(bool lastCopy) = 0;
    // The disc just burned is ejected; true once blank disc `copy` of
    // `copies` is in. False ends the run, why says why.
    virtual bool NextDisc(int copy, int copies, QString &why) = 0;
    // A copy failed: whether the ones after it are burned all the same.
    virtual bool GoOnAfterFailure(int copy, int copies) = 0;
    // Abort or a termination signal came.
    virtual bool StopRequested() const = 0;
};

// Burns `copies` copies of the folder, one after the other, each from the
// same sources: the sources' stamps are taken before the first copy and
// compared before every further one, so each copy is byte-identical to the
// first or is not burned. Logs a line per copy and the summary. A failed
// copy stops the run unless the host says go on; an abort stops it.
CopiesOutcome RunCopies(int copies, bool verify, const QString &sourceFolder, ICopiesHost &host,
                        IJobWindow &report);

// The summary line: "3 of 3 copies burned and verified".
QString CopiesSummary(const CopiesOutcome &outcome, bool verify, IJobWindow &report);

} // namespace jobs
