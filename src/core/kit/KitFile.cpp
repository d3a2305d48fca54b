#include "core/io/XmlReader.h"
#include "core/io/XmlWriter.h"
#include "core/kit/Kit.h"

#include <map>

namespace quom {

bool CKit::readKitFile(const std::string& path)
{
    XMLreader reader(path);
    if (!reader.IsOpen())
        return false;
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
    return true;
}

std::vector<std::string> CKit::loadSamples(const Progress& progress)
{
    // A file named by several slots is read once and its sample shared, so naming one
    // large file in every slot costs one copy.
    struct FirstRead {
        int slot;
        bool ok;
    };
    std::map<std::string, FirstRead> read;
    std::vector<std::string> failed;
    for (int i = 0; i < kKitSlots; ++i) {
        CInstrument& s = slot(i);
        if (s.isEmpty())
            continue;
        auto [first, isFirst] = read.try_emplace(s.name, FirstRead{i, false});
        if (isFirst) {
            first->second.ok = s.LoadWave(s.name);
            if (!first->second.ok)
                failed.push_back(s.name);
        } else {
            // As the first slot's read left it: a failure keeps the slot's own sample.
            const CInstrument& reader = slot(first->second.slot);
            s.rootKey = reader.rootKey;
            if (first->second.ok)
                s.data = reader.data;
        }
        if (first->second.ok && progress)
            progress(s.name);
    }
    return failed;
}

CKit::LoadResult CKit::Load(const std::string& path, const Progress& progress)
{
    LoadResult result;
    result.opened = readKitFile(path);
    if (result.opened)
        result.failedSamples = loadSamples(progress);
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
