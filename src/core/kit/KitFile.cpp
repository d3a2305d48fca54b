#include "core/io/FileIdentity.h"
#include "core/io/XmlReader.h"
#include "core/io/XmlWriter.h"
#include "core/kit/Kit.h"
#include "core/kit/Resample.h"

#include <map>
#include <variant>

namespace quom {

ReadStatus CKit::readKitFile(const std::string& path)
{
    XMLreader reader(path);
    if (!reader.IsOpen())
        return reader.error();
    // Every element names its slot by position: the n-th "instrument" start tag is
    // slot n. Anything else (the root, whatever its name, end tags, the key and scale
    // elements) is skipped, as are attribute elements outside an instrument.
    int current = -1;
    while (reader.Next()) {
        if (reader.kind() == XmlToken::StartTag && reader.name() == "instrument") {
            ++current;
            continue;
        }
        if (reader.kind() != XmlToken::AttributeElement || current < 0 || current >= kKitSlots)
            continue;
        CInstrument& s = slot(current);
        if (reader.name() == "sample")
            s.name = reader.value();
        else if (reader.name() == "loop")
            s.loop = reader.value() == "yes";
        else if (reader.name() == "fade")
            s.fade = reader.value() == "yes";
    }
    return std::monostate{};
}

std::vector<ReadError> CKit::loadSamples(FileRate rate, const Progress& progress)
{
    return loadSamplesOf(rate, progress, [](const CInstrument& s) { return !s.isEmpty(); });
}

std::vector<ReadError> CKit::reloadOtherRateSamples(FileRate rate)
{
    return loadSamplesOf(rate, {}, [](const CInstrument& s) {
        return !s.isEmpty() && !s.data.empty() && resamplesAtOwnRate(s.fileRate);
    });
}

std::vector<ReadError> CKit::loadSamplesOf(
    FileRate rate, const Progress& progress, const std::function<bool(const CInstrument&)>& wanted)
{
    // A file named by several slots is read once and its sample shared, so naming one
    // large file in every slot costs one copy, whatever links or spellings lead to it. A
    // path that leads nowhere is known by its spelling, and fails once.
    struct FirstRead {
        int slot;
        bool ok;
    };
    using FileKey = std::variant<FileIdentity, std::string>;
    const auto keyOf = [](const std::string& path) -> FileKey {
        if (const auto identity = fileIdentity(path))
            return *identity;
        return path;
    };
    std::map<FileKey, FirstRead> read;
    std::vector<ReadError> failed;
    for (int i = 0; i < kKitSlots; ++i) {
        CInstrument& s = slot(i);
        if (!wanted(s))
            continue;
        auto [first, isFirst] = read.try_emplace(keyOf(s.name), FirstRead{i, false});
        if (isFirst) {
            const ReadStatus loaded = s.LoadWave(s.name, rate);
            first->second.ok = static_cast<bool>(loaded);
            if (!loaded)
                failed.push_back(loaded.error());
        } else {
            // As the first slot's read left it: a failure keeps the slot's own sample.
            const CInstrument& reader = slot(first->second.slot);
            s.rootKey = reader.rootKey;
            if (first->second.ok) {
                s.data = reader.data;
                s.fileRate = reader.fileRate;
            }
        }
        if (first->second.ok && progress)
            progress(s.name);
    }
    return failed;
}

CKit::LoadResult CKit::Load(const std::string& path, FileRate rate, const Progress& progress)
{
    LoadResult result;
    const ReadStatus read = readKitFile(path);
    result.opened = static_cast<bool>(read);
    if (result.opened)
        result.failedSamples = loadSamples(rate, progress);
    else
        result.kitError = read.error();
    return result;
}

WriteResult CKit::Save(const std::string& path) const
{
    XMLwriter writer(path);
    writer.WriteHeader();
    writer.OpenElement("QuomKit");
    for (int i = 0; i < kKitSlots; ++i) {
        const CInstrument& s = slot(i);
        writer.OpenElement("instrument");
        writer.WriteAttributeElement("sample", "name", s.name);
        writer.WriteAttributeElement("loop", "value", s.loop ? "yes" : "no");
        writer.WriteAttributeElement("fade", "value", s.fade ? "yes" : "no");
        // Key range and scale are kept only by project files; kits always hold the defaults.
        writer.WriteAttributeElement("minkey", "value", "0");
        writer.WriteAttributeElement("maxkey", "value", "127");
        writer.WriteAttributeElement("scale", "value", "0");
        writer.CloseElement();
    }
    writer.CloseElement();
    return writer.Save();
}

} // namespace quom
