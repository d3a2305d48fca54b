// The kit editor's commands: a file into a slot, the external editor, the audition,
// and the seven buttons.
#include "ui/kit/CKitDlg.h"

#include "core/kit/SampleFinder.h"
#include "core/kit/Slicer.h"
#include "core/project/Project.h"
#include "core/settings/AppFolders.h"
#include "core/settings/Settings.h"
#include "core/transport/Transport.h"
#include "platform/process/ExternalProgram.h"
#include "ui/controls/FileTexts.h"
#include "ui/controls/UserPrompts.h"
#include "ui/controls/WaitCursor.h"

#include <QFileInfo>

#include <optional>

namespace quom {

namespace {

const QString kKitFilter = QStringLiteral("Quom kits (*.kit);;All files (*)");

} // namespace

void CKitDlg::chooseFileForSlot(int slot)
{
    const QString path = prompts_.openFile(this,
        {tr("Choose a sample"), fromUtf8(folders_.wavesFolder), sampleFileFilter(), QStringLiteral("wav")});
    if (path.isEmpty())
        return;
    folders_.wavesFolder = utf8(path);
    // A file that cannot be read leaves the slot as it was.
    const ReadStatus loaded = loadIntoSlot(kit_.slot(slot), utf8(path), project_.fileRate());
    if (loaded)
        publish();
    update();
    if (!loaded)
        showMessage(unreadableSamplesText({loaded.error()}));
}

void CKitDlg::openInExternalEditor(int slot)
{
    const CInstrument& s = kit_.slot(slot);
    if (s.data.empty())
        return;
    if (!startExternalProgram(settings_.audioEditor, s.name))
        showMessage(tr("Unable to open the wave file in the external audio editor."));
}

void CKitDlg::audition(int slot)
{
    const CInstrument& s = kit_.slot(slot);
    // The file as it is on disk now, so an edit saved from the external editor is heard.
    if (!s.data.empty())
        transport_.auditionFile(s.name);
}

void CKitDlg::clearKitCommand()
{
    if (!prompts_.confirm(this, tr("Are you sure you want to clear this kit?")))
        return;
    clearKit(kit_);
    publish();
    update();
}

void CKitDlg::loadKit()
{
    const QString path = prompts_.openFile(
        this, {tr("Load a kit"), fromUtf8(folders_.kitsFolder), kKitFilter, QStringLiteral("kit")});
    if (path.isEmpty())
        return;
    folders_.kitsFolder = utf8(path);
    CKit loaded;
    CKit::LoadResult result;
    {
        WaitCursor wait;
        result = loaded.Load(utf8(path), project_.fileRate(), [this](const std::string& sample) {
            showStatusText(tr("Loading %1 ...").arg(fromUtf8(sample)));
        });
    }
    // Read into a new kit first, so a file that cannot be read keeps the kit shown.
    if (!result.opened) {
        showMessage(kUnableToLoad.arg(path));
        return;
    }
    kit_ = loaded;
    publish();
    update();
    if (!result.failedSamples.empty())
        showMessage(unreadableSamplesText(result.failedSamples));
}

void CKitDlg::saveKit()
{
    const QString path = prompts_.saveFile(
        this, {tr("Save the kit"), fromUtf8(folders_.kitsFolder), kKitFilter, QStringLiteral("kit")});
    if (path.isEmpty())
        return;
    folders_.kitsFolder = utf8(path);
    if (!kit_.Save(utf8(path)))
        showMessage(kUnableToSave.arg(path));
}

void CKitDlg::addCommand()
{
    const QStringList paths = prompts_.openFiles(
        this, {tr("Add samples"), fromUtf8(folders_.wavesFolder), sampleFileFilter(), QStringLiteral("wav")});
    if (paths.isEmpty())
        return;
    folders_.wavesFolder = utf8(paths.constFirst());
    addFiles(paths);
}

void CKitDlg::addFiles(const QStringList& paths)
{
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(utf8(path));
    AddedSamples added;
    {
        WaitCursor wait;
        added = addSamples(kit_, files, project_.fileRate());
        publish();
        repaintSlots();
    }
    if (!added.failed.empty())
        showMessage(unreadableSamplesText(added.failed));
    if (!added.allFitted)
        showMessage(tr("There was not enough empty slots for all samples."));
}

void CKitDlg::folderCommand()
{
    const QString folder = prompts_.chooseFolder(
        this, tr("Choose the folder from which to get the samples."), fromUtf8(folders_.wavesFolder));
    if (folder.isEmpty())
        return;
    startBuild(KitBuild::fromFolder(kit_, utf8(folder), project_.fileRate()),
        tr("No sample file has been found in this folder, or they were not in the right format!"));
}

void CKitDlg::randomCommand()
{
    const QString root = prompts_.chooseFolder(this,
        tr("Choose the root folder from which to get the random samples."), fromUtf8(folders_.wavesFolder));
    if (root.isEmpty())
        return;
    startBuild(KitBuild::fromTree(kit_, utf8(root), project_.fileRate()),
        tr("No sample file has been found in this folder or its subfolders, or they were not in the right "
           "format!"));
}

void CKitDlg::startBuild(KitBuild build, const QString& nothingFound)
{
    nothingFound_ = nothingFound;
    setBusy(true);
    builds_.start(std::move(build));
}

void CKitDlg::showBuildProgress()
{
    const KitBuild& build = builds_.build();
    const QString path = fromUtf8(build.current());
    showStatusText(build.phase() == KitBuild::Phase::Searching ? tr("Searching... %1").arg(path)
                                                               : tr("Loading... %1").arg(path));
}

void CKitDlg::finishBuild()
{
    setBusy(false);
    const KitBuild& build = builds_.build();
    // Nothing usable keeps the kit: a kit wiped for nothing could not be had back.
    switch (build.outcome()) {
    case KitBuild::Outcome::Built:
        showBuildProgress();
        kit_ = build.kit();
        publish();
        repaintSlots();
        break;
    case KitBuild::Outcome::NothingFound:
        showStatusText({});
        showMessage(nothingFound_);
        break;
    case KitBuild::Outcome::NothingReadable:
        showStatusText({});
        showMessage(unreadableSamplesText(build.failed()));
        break;
    }
}

void CKitDlg::cancelBuild()
{
    builds_.cancel();
    setBusy(false);
    showStatusText(tr("Cancelled: the kit is as it was."));
}

void CKitDlg::slicerCommand()
{
    const QString path = prompts_.openFile(this,
        {tr("Select the file you want to slice..."), fromUtf8(folders_.wavesFolder), sampleFileFilter(),
            QStringLiteral("wav")});
    if (path.isEmpty())
        return;
    folders_.wavesFolder = utf8(path);
    CInstrument source;
    if (const ReadStatus loaded = source.LoadWave(utf8(path), project_.fileRate()); !loaded) {
        showMessage(unreadableSamplesText({loaded.error()}));
        return;
    }
    if (source.length() < kMinSliceSourceFrames) {
        showMessage(tr("The file '%1' is too short.").arg(QFileInfo(path).fileName()));
        return;
    }
    const QString folder = prompts_.chooseFolder(
        this, tr("Choose the folder where to write the wave files."), QFileInfo(path).absolutePath());
    if (folder.isEmpty())
        return;
    std::optional<WaitCursor> wait(std::in_place);
    // Every slice is written before the kit changes, so a failure leaves the kit as it was.
    const SliceResult slices = writeSlices(source.data.values(), utf8(path), utf8(folder),
        [this](const std::string& slice) { showStatusText(tr("Writing... %1").arg(fromUtf8(slice))); });
    if (!slices) {
        wait.reset();
        showMessage(kUnableToSave.arg(fromUtf8(slices.failedPath)));
        return;
    }
    fillKit(kit_, std::vector<std::string>(slices.paths.begin(), slices.paths.end()), project_.fileRate(),
        [this](const std::string& slice) { showStatusText(tr("Loading... %1").arg(fromUtf8(slice))); });
    publish();
    repaintSlots();
}

} // namespace quom
