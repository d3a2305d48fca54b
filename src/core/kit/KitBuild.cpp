#include "core/kit/KitBuild.h"

#include "core/io/FileIdentity.h"
#include "core/io/WaveCheck.h"
#include "core/kit/KitEdits.h"

namespace quom {

KitBuild::KitBuild(CKit kit, FileRate rate, std::optional<SampleTreeWalk> tree, std::string folder)
    : rate_(rate)
    , tree_(std::move(tree))
    , folder_(std::move(folder))
    , kit_(std::move(kit))
{
    clearKit(kit_);
}

KitBuild KitBuild::fromFolder(CKit kit, const std::string& folder, FileRate rate)
{
    return KitBuild(std::move(kit), rate, std::nullopt, folder);
}

KitBuild KitBuild::fromTree(CKit kit, const std::string& root, FileRate rate)
{
    return KitBuild(std::move(kit), rate, SampleTreeWalk(root), root);
}

bool KitBuild::step()
{
    switch (phase_) {
    case Phase::Searching:
        if (tree_)
            searchTree();
        else
            searchFolder();
        break;
    case Phase::Loading:
        loadNext();
        break;
    case Phase::Done:
        break;
    }
    return phase_ != Phase::Done;
}

void KitBuild::searchFolder()
{
    if (!listed_) {
        listed_ = listFolderSamples(folder_);
        current_ = folder_;
    } else if (checked_ < listed_->size()) {
        current_ = (*listed_)[checked_++];
        if (passesWaveCheck(current_))
            taken_.push_back(current_);
    }
    if (checked_ == listed_->size() || taken_.size() == static_cast<std::size_t>(kKitSlots))
        startLoading();
}

void KitBuild::searchTree()
{
    if (tree_->next()) {
        current_ = tree_->looked();
        return;
    }
    taken_ = pickForKit(std::move(tree_->found()));
    startLoading();
}

void KitBuild::startLoading()
{
    phase_ = taken_.empty() ? Phase::Done : Phase::Loading;
}

void KitBuild::loadNext()
{
    current_ = taken_[loaded_];
    const int index = static_cast<int>(loaded_);
    // Links to a file already loaded share its sample instead of decoding it again.
    const auto identity = fileIdentity(current_);
    const auto same = identity ? loadedFiles_.find(*identity) : loadedFiles_.end();
    if (same != loadedFiles_.end()) {
        kit_.slot(index) = kit_.slot(same->second);
        kit_.slot(index).name = current_;
    } else if (const ReadStatus status = fillSlot(kit_, index, current_, rate_); !status) {
        failed_.push_back(status.error());
    } else if (identity) {
        loadedFiles_.emplace(*identity, index);
    }
    if (++loaded_ == taken_.size())
        phase_ = Phase::Done;
}

KitBuild::Outcome KitBuild::outcome() const noexcept
{
    if (taken_.empty())
        return Outcome::NothingFound;
    const bool anySample = failed_.size() < taken_.size();
    return anySample ? Outcome::Built : Outcome::NothingReadable;
}

} // namespace quom
