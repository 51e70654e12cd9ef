#include "jobs/label/SourceFieldEvents.h"

#include "TextIds.h"
#include "jobs/label/LabelFromFolder.h"
#include "jobs/label/VolumeLabel.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/SourceFieldPorts.h"
#include "platform/CPathHelper.h"
#include "platform/TextFormat.h"

void OnDirectory(IJobWindow &window, const SourceFieldPorts &host)
{
    window.SetStatusText(window.GetText(textid::StatusChoosing));
    host.fields.PushFields();
    QString chosen;
    const int result = host.fields.BrowseForFolder(window.GetText(textid::PickerTitle),
                                                   host.fields.SourceDir(), FolderPickerFlags, chosen);
    if (result == 1) {
        host.fields.SourceDir() = chosen;
        if (CharacterCount(chosen) > 1) {
            host.steps.CheckSourceSize();
            host.steps.SetLabelFromFolder(chosen);
            host.steps.SourceFolderChosen();
        }
    } else {
        host.fields.SourceDir() = QString::fromUtf8(NoFolderText);
    }
    window.SetStatusText(window.GetText(textid::StatusReady));
    host.fields.PushFields();
}

void OnSourceFieldLeft(const SourceFieldPorts &host)
{
    const QString before = host.fields.SourceDir();
    host.fields.PullFields();
    if (host.fields.SourceDir() != before) {
        host.steps.CheckSourceSize();
        host.steps.SetLabelFromFolder(host.fields.SourceDir());
    }
    host.fields.PushFields();
}

void OnVolumeFieldLeft(IJobWindow &window, const SourceFieldPorts &host)
{
    host.fields.PullFields();
    const QString given = host.fields.Volume();
    host.fields.Volume() = NormalizeVolumeLabel(given, host.fields.LabelLimit(), window);
    // A label cut or replaced is not what was typed (or given with -v).
    if (host.fields.Volume() != given)
        window.AppendLog(FormatText(window.GetText(textid::LabelChanged), {given, host.fields.Volume()}));
    host.fields.PushFields();
    host.steps.ShowLabelRoom();
}

void OnItemsDropped(const QStringList &paths, IJobWindow &window, const SourceFieldPorts &host)
{
    if (paths.size() != 1)
        return;
    host.fields.SourceDir() = paths.front();
    host.steps.CheckSourceSize();
    host.fields.Volume() =
        NormalizeVolumeLabel(CPathHelper().GetLastComponent(paths.front()), host.fields.LabelLimit(), window);
    host.fields.PushFields();
    // Unlike the other label setters the drop once left the counter stale;
    // it is refreshed here like everywhere else.
    host.steps.ShowLabelRoom();
    host.steps.SourceFolderChosen();
}

void SetLabelFromFolder(const QString &path, IJobWindow &window, const SourceFieldPorts &host,
                        const IVolumeNames &volumes)
{
    host.fields.Volume() = LabelFromFolder(path, host.fields.LabelLimit(), window, volumes);
    host.fields.PushFields();
    host.steps.ShowLabelRoom();
}

void ShowLabelRoom(const SourceFieldPorts &host)
{
    host.fields.PullFields();
    host.fields.SetLabelRoomText(LabelRoomText(host.fields.Volume(), host.fields.LabelLimit()));
    host.fields.PushFields();
}

int ValidateVolumeLabel(IJobWindow &window, const SourceFieldPorts &host)
{
    const int result = ValidateVolumeLabel(host.fields.Volume(), host.fields.LabelLimit(), window);
    if (result == 0)
        host.fields.PushFields();
    return result;
}
