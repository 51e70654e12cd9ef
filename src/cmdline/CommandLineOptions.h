#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Reading the options of the unattended run from the tokens. Parsing does
// not touch the window: it yields the steps the run applies in token order
// (each with the language text it logs) and the run's flags.
namespace cmdline {

enum class StepKind {
    PrepareOnly,    // -c
    SourceFolder,   // -d <folder>: set the folder, check its size; logs 644 with the folder
    ImageFile,      // -i <image>: burn the image file as it is; logs 1168 with the file
    NoEject,        // -e: logs 708
    WriteLog,       // -l: logs 712
    OverwriteNoAsk, // -o: logs 650
    Quiet,          // -q: nothing on the terminal but the final reason; logs nothing
    Json,           // --json: JSON lines on standard output; logs nothing
    Shutdown,       // -s: logs 648, then the Shutdown box's own handler runs
    VolumeLabel,    // -v <label>: logs 646 with the label
    AnyLayerBreak,  // --any-layer-break: a dual-layer break may fall inside a scene; logs 1115
    Copies,         // -n <count>: that many identical discs (1 to 99); logs 1191 with the count
    KeepGoing,      // -k: a failed copy does not stop the copies after it; logs 1192
    Error,          // logs 598 (-d), 600 (-v), 1167 (-i), 1190 (-n), 1150 (--json with -q),
                    // 1166 (-i with -d) or 602 (anything else)
};

struct Step
{
    StepKind kind;
    int textId;    // language text logged for this step; 0 for none
    QString value; // folder or label; for an error the token it concerns; empty otherwise
};

struct ParsedCommandLine
{
    std::vector<Step> steps;
    bool parseError = false;
    bool folderGiven = false;
    bool imageGiven = false;
    bool labelGiven = false;
    bool prepareOnly = false;
    bool logWanted = false;
    bool shutdownWanted = false;
    bool quiet = false;
    bool json = false;
    int copies = 1; // -n
    bool keepGoing = false;

    // -d or -i: the run has something to burn.
    bool sourceGiven() const { return folderGiven || imageGiven; }
};

// A token is an option when it starts with '-', or when it is '/' and one
// more character and names no existing path (so "/mnt" and "/d" holding a
// folder stay values); its second character selects the option in either
// case and the rest is ignored. A value is the next token, which must exist
// and must not look like an option. Tokens are read exactly as given: a
// quote or blank inside one is part of it. "--json" is the one long option
// of a run, read whole; with -q it is an error (the quiet run would write
// nothing a script could read, so the two are refused together). -i names
// an image file to burn as it is, in place of the folder of -d: the two
// together are an error.
ParsedCommandLine ParseCommandLine(const QStringList &tokens);

} // namespace cmdline
