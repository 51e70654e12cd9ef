#include "jobs/label/SourceFieldEvents.h"

#include "TextIds.h"
#include "jobs/label/LabelFromFolder.h"
#include "jobs/label/VolumeLabel.h"
#include "jobs/ports/IJobWindow.h"
#include "jobs/ports/ISourceFieldsHost.h"
#include "platform/CPathHelper.h"

void OnDirectory(IJobWindow &window, ISourceFieldsHost &host)
{
    window.SetStatusText(window.GetText(textid::StatusChoosing));
    host.PushFields();
    QString chosen;
    const int result = host.BrowseForFolder(window.GetText(textid::PickerTitle), host.SourceDir(),
                                            FolderPickerFlags, chosen);
    if (result == 1) {
        host.SourceDir() = chosen;
        if (CharacterCount(chosen) > 1) {
            host.CheckSourceSize();
            host.SetLabelFromFolder(chosen);
            host.SourceFolderChosen();
        }
    } else {
        host.SourceDir() = QString::fromUtf8(NoFolderText);
    }
    window.SetStatusText(window.GetText(textid::StatusReady));
    host.PushFields();
}

void OnSourceFieldLeft(ISourceFieldsHost &host)
{
    const QString before = host.SourceDir();
    host.PullFields();
    if (host.SourceDir() != before) {
        host.CheckSourceSize();
        host.SetLabelFromFolder(host.SourceDir());
    }
    host.PushFields();
}

void OnVolumeFieldLeft(IJobWindow &window, ISourceFieldsHost &host)
{
    host.PullFields();
    host.Volume() = NormalizeVolumeLabel(host.Volume(), host.LabelLimit(), window);
    host.PushFields();
    host.ShowLabelRoom();
}

void OnItemsDropped(const QStringList &paths, IJobWindow &window, ISourceFieldsHost &host)
{
    if (paths.size() != 1)
        return;
    host.SourceDir() = paths.front();
    host.CheckSourceSize();
    host.Volume() =
        NormalizeVolumeLabel(CPathHelper().GetLastComponent(paths.front()), host.LabelLimit(), window);
    host.PushFields();
    // Unlike the other label setters the drop once left the counter stale;
    // it is refreshed here like everywhere else.
    host.ShowLabelRoom();
    host.SourceFolderChosen();
}

void SetLabelFromFolder(const QString &path, IJobWindow &window, ISourceFieldsHost &host,
                        const IVolumeNames &volumes)
{
    host.Volume() = LabelFromFolder(path, host.LabelLimit(), window, volumes);
    host.PushFields();
    host.ShowLabelRoom();
}

void ShowLabelRoom(ISourceFieldsHost &host)
{
    host.PullFields();
    host.SetLabelRoomText(LabelRoomText(host.Volume(), host.LabelLimit()));
    host.PushFields();
}

int ValidateVolumeLabel(IJobWindow &window, ISourceFieldsHost &host)
{
    const int result = ValidateVolumeLabel(host.Volume(), host.LabelLimit(), window);
    if (result == 0)
        host.PushFields();
    return result;
}
