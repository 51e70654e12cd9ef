#include "cmdline/EarlyOptions.h"

#include "version/ProductVersion.h"

namespace cmdline {
namespace {

// Laid out the way help2man reads it (a "Usage:" line, options indented by
// two blanks, sections headed by a line ending in ':'), because the manual
// page is generated from this text.
constexpr const char *Usage =
    R"(Usage: orvane-burn [-d FOLDER] [-v LABEL] [-c] [-e] [-l] [-o] [-s] [-q|--json]
  or:  orvane-burn -i IMAGE [-c] [-e] [-l] [-o] [-s] [-q|--json]
  or:  orvane-burn --check [-q] -d FOLDER | -i IMAGE
  or:  orvane-burn IMAGE.iso
Burn a prepared DVD-Video folder (VIDEO_TS, AUDIO_TS, ...) to a recordable DVD
or CD as a UDF + ISO 9660 disc. Without arguments the window opens and waits;
with -d the burn runs unattended to the preselected recorder and the program
ends when it is done. A single argument naming an existing .iso file opens
the window with that image chosen (as "Open with" does); it burns nothing
by itself.

Options:
  -d FOLDER     the DVD-Video folder to burn
  -i IMAGE      an ISO 9660 / UDF image file to burn as it is, instead of a
                folder (not with -d, not to the Image Recorder); checked
                first: a regular file, a disc image, not cut short, the
                DVD-Video check; structure problems are logged as warnings
  -v LABEL      the volume label (default: taken from the folder's name)
  -c            only fill in the window; the Burn button is left to the person
  -e            do not eject the disc after burning
  -l            after a successful burn, write the log file to the desktop
                (LABEL.log; when it cannot be written, standard error says
                why and the status stays the burn's)
  -o            erase a used rewritable disc without asking
  -s            power the machine off after a successful burn (when it cannot
                be, standard error says why; the status stays the burn's)
  -q            quiet: no log lines on standard output, no progress and no
                message box texts on standard error; a failure still ends
                with its reason
  --json        JSON lines on standard output instead of the log lines: each
                log line, phase, percent, the image's SHA-256 and, last, the
                exit status with its reason (see the README); not with -q
  --check -d FOLDER
                only check FOLDER as a DVD-Video and print the findings; no
                recorder is opened, no settings are read (with -q only the
                reason line of a failed check is printed)
  --check -i IMAGE
                the checks of a burn of IMAGE, then its SHA-256
  -n COUNT      burn COUNT identical copies (1 to 99), one disc after the
                other: each disc is ejected and the next waited for (without
                a display at most DiscChangeWait seconds of Orvane.ini,
                default 600); -e then keeps only the last disc in
  -k            with -n: a failed copy does not stop the copies after it
  --any-layer-break
                on a dual-layer disc, burn even when no cell start fits the
                layer break and it falls inside a scene (otherwise the run
                stops with status 7)
  -h, -?, --help
                print this help and exit
  --version     print the product name and version and exit

Options start with '-', or with '/' when they are '/' and one letter that
names no existing path (so '/mnt' is a folder); only the letter counts, in
either case. Each argument is read exactly as given; at most 99 are read (those after
them are dropped, and standard error says how many).

Output:
In a command-line run every line of the log pane is also written to standard
output (UTF-8, one line each). Burn, verify and erase show their progress on
standard error: one line rewritten in place on a terminal, otherwise one line
per 10 %. Before a non-zero exit the last line on standard error names the
status and its cause. After a burn the log names the SHA-256 of the image as
written, as sha256sum prints it for an image file of those sectors.

Exit status:
  0   the burn succeeded (also: the window was closed, or it was left to the
      person with -c or without -d while a display was available; the
      check found no error)
  1   start-up failed: the recording library could not be loaded; or the
      answer to --help, --version or --check could not be written
  2   the command line could not be read: an unknown option, a stray
      argument, -d, -i or -v without a value, --json with -q, -i with -d,
      -n without a count from 1 to 99; -i or copies to the Image Recorder
  3   nothing to burn without a person: no -d, or -c, and no display
  4   the volume label was refused
  5   no recorder is selected, or the selected recorder cannot be opened
  6   the disc is a used rewritable one and overwriting was not allowed
  7   the compilation could not be built from the folder (or the image file
      cannot be burned), or it does not fit the disc; nothing was erased or
      burned (also: the check found an error)
  8   the burn failed
  9   the burn was aborted (also by SIGINT, SIGTERM or SIGHUP)
  10  not every copy was burned (-n); the reason counts the copies burned

Files:
The program folder (where orvane-burn is installed) holds the settings file
Orvane.ini, written by the window's settings dialogs; the recorder it names
is the preselected one. Virtual recorders are configured in
virtual-recorders.conf beside the recording library NeroAPI.so in the same
folder. Without DISPLAY or WAYLAND_DISPLAY, or when neither display can be
reached, a command-line run works without a window: message boxes answer
their default button.
)";

} // namespace

EarlyOption FindEarlyOption(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("-h") || argument == QLatin1String("-?") ||
            argument == QLatin1String("--help"))
            return EarlyOption::Help;
        if (argument == QLatin1String("--version"))
            return EarlyOption::Version;
    }
    return EarlyOption::None;
}

QString UsageText()
{
    return QString::fromUtf8(Usage);
}

QString VersionText()
{
    return QStringLiteral("orvane-burn (" ORVANE_PRODUCT_NAME ") " ORVANE_PRODUCT_VERSION);
}

} // namespace cmdline
