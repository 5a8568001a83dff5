// The drumset file format: attribute order, value formats and the pre-order
// walk that rebuilds groups, samples, equaliser bands and cut-off lists.
#include "drumset/DrumsetFile.h"

#include "app/Sluzby.h"
#include "drumset/Drumset.h"
#include "xml/XMLTree.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <string_view>

namespace {

constexpr std::string_view kVersion = "3.0";

std::string boolText(bool b) {
    return b ? "TRUE" : "FALSE";
}

// Effect parameters are floats written as integers, truncated toward zero
// from the exact float value.
std::string floatText(float f, double scale = 1.0) {
    return std::to_string(static_cast<int64_t>(std::trunc(static_cast<double>(f) * scale)));
}

void writeItem(TXMLNode& e, const TDrumsetItem& item) {
    auto add = [&e](const char* name, std::string value) {
        e.AddAttribute(name, std::move(value));
    };
    auto num = [](int32_t v) { return std::to_string(v); };
    add("AbsoluteIndex", num(item.AbsoluteIndex));
    add("DirectoryName", item.DirectoryName);
    add("Caption", item.Caption);
    add("FileName", item.FileName);
    add("Visible", boolText(item.Visible));
    add("Volume", num(item.Volume));
    add("Panning", num(item.Panning));
    add("LightHit", boolText(item.LightHit));
    add("MediumHit", boolText(item.MediumHit));
    add("HeavyHit", boolText(item.HeavyHit));
    add("MidiInstrument", item.MidiInstrument);
    add("AltMidiInstrument", item.AltMidiInstrument);
    add("GeneralMidiInstrument", item.GeneralMidiInstrument);
    add("AltGeneralMidiInstrument", item.AltGeneralMidiInstrument);
    add("GeneralMidiNote", item.GeneralMidiNote);
    add("Priority", num(item.Priority));
    add("Color", num(item.Color));
    add("FadeTillTime", num(item.FadeTillTime));
    add("FadeOutTime", num(item.FadeOutTime));
    add("Pitch", num(item.Pitch));
    add("Shortcut", item.Shortcut);
    add("ReverbActive", boolText(item.ReverbActive));
    add("DistortionActive", boolText(item.DistortionActive));
    add("GargleActive", boolText(item.GargleActive));
    add("CompressorActive", boolText(item.CompressorActive));
    add("EQActive", boolText(item.EQActive));
    add("ReverbPriority", num(item.ReverbPriority));
    add("DistortionPriority", num(item.DistortionPriority));
    add("GarglePriority", num(item.GarglePriority));
    add("CompressorPriority", num(item.CompressorPriority));
    add("EQPriority", num(item.EQPriority));
    if (const auto& r = item.ReverbParams) {
        add("REVERB_fInGain", floatText(r->fInGain));
        add("REVERB_fReverbMix", floatText(r->fReverbMix));
        add("REVERB_fReverbTime", floatText(r->fReverbTime));
        add("REVERB_fHighFreqRTRatio", floatText(r->fHighFreqRTRatio, 1000.0));
    }
    if (const auto& d = item.DistortionParams) {
        add("DISTORTION_fGain", floatText(d->fGain));
        add("DISTORTION_fEdge", floatText(d->fEdge));
        add("DISTORTION_fPostEQCenterFrequency", floatText(d->fPostEQCenterFrequency));
        add("DISTORTION_fPostEQBandwidth", floatText(d->fPostEQBandwidth));
        add("DISTORTION_fPreLowpassCutoff", floatText(d->fPreLowpassCutoff));
    }
    if (const auto& g = item.GargleParams) {
        add("GARGLE_dwRateHz", std::to_string(g->dwRateHz));
        add("GARGLE_dwWaveShape", std::to_string(g->dwWaveShape));
    }
    if (const auto& c = item.CompressorParams) {
        add("COMPRESSOR_fGain", floatText(c->fGain));
        add("COMPRESSOR_fAttack", floatText(c->fAttack));
        add("COMPRESSOR_fRelease", floatText(c->fRelease));
        add("COMPRESSOR_fThreshold", floatText(c->fThreshold));
        add("COMPRESSOR_fRatio", floatText(c->fRatio));
        add("COMPRESSOR_fPredelay", floatText(c->fPredelay));
    }
    if (const auto& bands = item.EQBands) {
        for (const TEQBand& band : *bands) {
            TXMLNode* b = e.AddChild("EQSettings");
            b->AddAttribute("EQ_fCenter", floatText(band.fCenter));
            b->AddAttribute("EQ_fBandwidth", floatText(band.fBandwidth));
            b->AddAttribute("EQ_fGain", floatText(band.fGain, 10.0));
        }
    }
    for (const TDrumsetItem* ref : item.CutOff)
        e.AddChild("CutOff")->AddAttribute("CIndex", std::to_string(ref->AbsoluteIndex));
}

int32_t parseInteger(const std::string& text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    int32_t value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end)
        throw DrumsetError("'" + text + "' is not a valid integer value");
    return value;
}

bool parseBool(const std::string& text) {
    return text != "FALSE";
}

template <typename Params>
Params& record(std::optional<Params>& slot) {
    if (!slot)
        slot.emplace();
    return *slot;
}

TEQBands& bandsOf(TDrumsetItem& item) {
    if (!item.EQBands)
        item.EQBands = flatEQBands();
    return *item.EQBands;
}

void readAttribute(TDrumsetItem& item, const TXMLAttribute& a) {
    const std::string& n = a.Name;
    const std::string& v = a.Value;
    auto integer = [&] { return parseInteger(v); };
    auto scaled = [&](float divisor) { return static_cast<float>(parseInteger(v)) / divisor; };

    if (n == "AbsoluteIndex")
        item.AbsoluteIndex = integer();
    else if (n == "DirectoryName")
        item.DirectoryName = v;
    else if (n == "Caption")
        item.Caption = v;
    else if (n == "FileName")
        item.FileName = v;
    else if (n == "Visible")
        item.Visible = parseBool(v);
    else if (n == "Volume")
        item.Volume = integer();
    else if (n == "Panning")
        item.Panning = integer();
    else if (n == "LightHit")
        item.LightHit = parseBool(v);
    else if (n == "MediumHit")
        item.MediumHit = parseBool(v);
    else if (n == "HeavyHit")
        item.HeavyHit = parseBool(v);
    else if (n == "MidiInstrument")
        item.MidiInstrument = v;
    else if (n == "AltMidiInstrument")
        item.AltMidiInstrument = v;
    else if (n == "GeneralMidiInstrument")
        item.GeneralMidiInstrument = v;
    else if (n == "AltGeneralMidiInstrument")
        item.AltGeneralMidiInstrument = v;
    else if (n == "GeneralMidiNote")
        item.GeneralMidiNote = v;
    else if (n == "Priority")
        item.Priority = integer();
    else if (n == "Color")
        item.Color = integer();
    else if (n == "FadeTillTime")
        item.FadeTillTime = integer();
    else if (n == "FadeOutTime")
        item.FadeOutTime = integer();
    else if (n == "Pitch")
        item.Pitch = integer();
    else if (n == "Shortcut")
        item.Shortcut = v;
    else if (n == "ReverbActive") {
        if ((item.ReverbActive = parseBool(v)))
            record(item.ReverbParams);
    } else if (n == "DistortionActive") {
        if ((item.DistortionActive = parseBool(v)))
            record(item.DistortionParams);
    } else if (n == "GargleActive") {
        if ((item.GargleActive = parseBool(v)))
            record(item.GargleParams);
    } else if (n == "CompressorActive") {
        if ((item.CompressorActive = parseBool(v)))
            record(item.CompressorParams);
    } else if (n == "EQActive") {
        if ((item.EQActive = parseBool(v)))
            bandsOf(item);
    } else if (n == "ReverbPriority")
        item.ReverbPriority = integer();
    else if (n == "DistortionPriority")
        item.DistortionPriority = integer();
    else if (n == "GarglePriority")
        item.GarglePriority = integer();
    else if (n == "CompressorPriority")
        item.CompressorPriority = integer();
    else if (n == "EQPriority")
        item.EQPriority = integer();
    else if (n == "REVERB_fInGain")
        record(item.ReverbParams).fInGain = scaled(1);
    else if (n == "REVERB_fReverbMix")
        record(item.ReverbParams).fReverbMix = scaled(1);
    else if (n == "REVERB_fReverbTime")
        record(item.ReverbParams).fReverbTime = scaled(1);
    else if (n == "REVERB_fHighFreqRTRatio")
        record(item.ReverbParams).fHighFreqRTRatio = scaled(1000);
    else if (n == "DISTORTION_fGain")
        record(item.DistortionParams).fGain = scaled(1);
    else if (n == "DISTORTION_fEdge")
        record(item.DistortionParams).fEdge = scaled(1);
    else if (n == "DISTORTION_fPostEQCenterFrequency")
        record(item.DistortionParams).fPostEQCenterFrequency = scaled(1);
    else if (n == "DISTORTION_fPostEQBandwidth")
        record(item.DistortionParams).fPostEQBandwidth = scaled(1);
    else if (n == "DISTORTION_fPreLowpassCutoff")
        record(item.DistortionParams).fPreLowpassCutoff = scaled(1);
    else if (n == "GARGLE_dwRateHz")
        record(item.GargleParams).dwRateHz = static_cast<uint32_t>(integer());
    else if (n == "GARGLE_dwWaveShape")
        record(item.GargleParams).dwWaveShape = static_cast<uint32_t>(integer());
    else if (n == "COMPRESSOR_fGain")
        record(item.CompressorParams).fGain = scaled(1);
    else if (n == "COMPRESSOR_fAttack")
        record(item.CompressorParams).fAttack = scaled(1);
    else if (n == "COMPRESSOR_fRelease")
        record(item.CompressorParams).fRelease = scaled(1);
    else if (n == "COMPRESSOR_fThreshold")
        record(item.CompressorParams).fThreshold = scaled(1);
    else if (n == "COMPRESSOR_fRatio")
        record(item.CompressorParams).fRatio = scaled(1);
    else if (n == "COMPRESSOR_fPredelay")
        record(item.CompressorParams).fPredelay = scaled(1);
}

void readItem(TDrumset& drumset, TDrumsetItem& item, const TXMLNode& e, bool isGroupElement) {
    for (const auto& a : e.Attributes)
        readAttribute(item, *a);
    item.updateMidiNumbers();
    if (!item.IsGroup) {
        drumset.ResolveSampleFile(item);
        return;
    }
    // Index 0 marks the Unsorted group; a sample with index 0 stays a sample
    // so that no group ends up inside another.
    if (isGroupElement && item.AbsoluteIndex == 0) {
        item.IsUnsorted = true;
        item.Caption = "Unsorted";
        item.Icon = IconUnsortedGroup;
        item.Visible = false;
    } else {
        item.Icon = IconGroup;
    }
}

void readEQSettings(TDrumsetItem& item, const TXMLNode& e) {
    TEQBands& bands = bandsOf(item);
    for (size_t i = 0; i < EQBandCount; ++i) {
        bands[i].fCenter = EQBandCenters[i];
        bands[i].fBandwidth = EQBandwidth;
    }
    TEQBand* selected = nullptr;
    for (const auto& a : e.Attributes) {
        if (a->Name == "EQ_fCenter") {
            const int32_t centre = parseInteger(a->Value);
            selected = nullptr;
            for (TEQBand& band : bands)
                if (static_cast<float>(centre) == band.fCenter)
                    selected = &band;
        } else if (a->Name == "EQ_fGain") {
            const int32_t gain = parseInteger(a->Value);
            if (selected != nullptr)
                selected->fGain = static_cast<float>(gain) / 10.0f;
        }
    }
}

class Reader {
public:
    explicit Reader(TDrumset& drumset) : m_drumset(drumset) {}

    void walk(const TXMLNode& root) {
        try {
            walkFrom(root);
        } catch (...) {
            resolveCutOffs();
            throw;
        }
        resolveCutOffs();
        m_drumset.UpdatePrioritySums(THitType::htAny);
    }

private:
    struct Frame {
        const TXMLNode* node;
        TDrumsetItem* item;
    };

    void walkFrom(const TXMLNode& root) {
        // Pre-order from the root's first child; climbing out of the root
        // goes on with any later top-level element. A root without children
        // is visited itself.
        const TXMLNode* node = root.HasChildren() ? root.FirstChild() : &root;
        std::vector<Frame> open; // the enclosing elements being walked
        while (node != nullptr) {
            TDrumsetItem* item = visit(*node, open.empty() ? nullptr : open.back().item);
            if (node->HasChildren()) {
                open.push_back({node, item});
                node = node->FirstChild();
                continue;
            }
            while (node != nullptr) {
                if (const TXMLNode* sibling = node->NextSibling()) {
                    node = sibling;
                    break;
                }
                node = node->Parent;
                if (!open.empty() && open.back().node == node)
                    open.pop_back();
                if (node != nullptr && node->Parent == nullptr)
                    node = nullptr; // the document itself
            }
        }
    }

    // Returns the item that elements inside this one apply to.
    TDrumsetItem* visit(const TXMLNode& e, TDrumsetItem* enclosing) {
        // Only elements inside the root hold drumset content.
        if (e.Parent == nullptr || e.Parent->Parent == nullptr)
            throw DrumsetError("Unknown structure");
        if (e.Name == "Group") {
            TDrumsetItem& group = m_drumset.appendGroupItem();
            m_group = &group;
            readItem(m_drumset, group, e, true);
            return &group;
        }
        if (e.Name == "Sample") {
            if (m_group == nullptr)
                throw DrumsetError("Unknown structure");
            TDrumsetItem& sample = m_drumset.appendSampleItem(*m_group);
            readItem(m_drumset, sample, e, false);
            return &sample;
        }
        if (e.Name == "EQSettings") {
            if (enclosing != nullptr)
                readEQSettings(*enclosing, e);
            return enclosing;
        }
        if (e.Name == "CutOff") {
            for (const auto& a : e.Attributes)
                if (a->Name == "CIndex") {
                    const int32_t index = parseInteger(a->Value);
                    if (enclosing != nullptr)
                        m_cutOffNumbers[enclosing].push_back(index);
                }
            return enclosing;
        }
        throw DrumsetError("Unknown structure");
    }

    void resolveCutOffs() {
        std::map<int32_t, const TDrumsetItem*> byIndex;
        for (const TDrumsetItem* item : m_drumset.allItems())
            byIndex.emplace(item->AbsoluteIndex, item);
        for (auto& [item, numbers] : m_cutOffNumbers) {
            for (int32_t n : numbers) {
                auto it = byIndex.find(n);
                if (it != byIndex.end())
                    item->CutOff.push_back(it->second);
            }
        }
        m_cutOffNumbers.clear();
    }

    TDrumset& m_drumset;
    TDrumsetItem* m_group = nullptr;
    std::map<TDrumsetItem*, std::vector<int32_t>> m_cutOffNumbers;
};

} // namespace

void WriteDrumset(const TDrumset& drumset, const std::string& fileName) {
    TXMLTree tree;
    TXMLNode* root = tree.AddChild("Drumset");
    root->AddAttribute("Version", std::string(kVersion));
    for (const auto& group : drumset.groups()) {
        TXMLNode* g = root->AddChild("Group");
        writeItem(*g, *group);
        for (const auto& sample : group->samples())
            writeItem(*g->AddChild("Sample"), *sample);
    }
    replaceFile(fileName, tree.AsText());
}

void ReadDrumset(TDrumset& drumset, const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        return;
    drumset.clear();
    TXMLTree tree;
    tree.loadFromFile(fileName);
    tree.parse();
    if (tree.ElementCount == 0)
        return;
    const TXMLNode* root = tree.FirstChild();
    if (root == nullptr || root->Name != "Drumset" || root->Attributes.size() != 1 ||
        root->Attributes[0]->Name != "Version")
        throw DrumsetError("Invalid drumset format.");
    Reader(drumset).walk(*root);
}
