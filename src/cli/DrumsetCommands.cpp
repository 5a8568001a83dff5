// drumset-info and drumset-resave.
#include "cli/Commands.h"
#include "cli/Json.h"
#include "drumset/Drumset.h"
#include "drumset/DrumsetFile.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

void requireFile(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec))
        throw std::runtime_error("File \"" + fileName + "\" does not exist.");
}

void writeEffects(JsonWriter& j, const TDrumsetItem& item) {
    j.key("effects").beginObject();
    j.key("reverb").beginObject().key("active").value(item.ReverbActive);
    j.key("priority").value(item.ReverbPriority);
    if (const auto& r = item.ReverbParams) {
        j.key("inGain").value(double{r->fInGain}).key("reverbMix").value(double{r->fReverbMix});
        j.key("reverbTime").value(double{r->fReverbTime});
        j.key("highFreqRTRatio").value(double{r->fHighFreqRTRatio});
    }
    j.endObject();
    j.key("distortion").beginObject().key("active").value(item.DistortionActive);
    j.key("priority").value(item.DistortionPriority);
    if (const auto& d = item.DistortionParams) {
        j.key("gain").value(double{d->fGain}).key("edge").value(double{d->fEdge});
        j.key("postEQCenterFrequency").value(double{d->fPostEQCenterFrequency});
        j.key("postEQBandwidth").value(double{d->fPostEQBandwidth});
        j.key("preLowpassCutoff").value(double{d->fPreLowpassCutoff});
    }
    j.endObject();
    j.key("gargle").beginObject().key("active").value(item.GargleActive);
    j.key("priority").value(item.GarglePriority);
    if (const auto& g = item.GargleParams)
        j.key("rateHz").value(g->dwRateHz).key("waveShape").value(g->dwWaveShape);
    j.endObject();
    j.key("compressor").beginObject().key("active").value(item.CompressorActive);
    j.key("priority").value(item.CompressorPriority);
    if (const auto& c = item.CompressorParams) {
        j.key("gain").value(double{c->fGain}).key("attack").value(double{c->fAttack});
        j.key("release").value(double{c->fRelease}).key("threshold").value(double{c->fThreshold});
        j.key("ratio").value(double{c->fRatio}).key("predelay").value(double{c->fPredelay});
    }
    j.endObject();
    j.key("eq").beginObject().key("active").value(item.EQActive);
    j.key("priority").value(item.EQPriority);
    if (const auto& bands = item.EQBands) {
        j.key("bands").beginArray();
        for (const TEQBand& b : *bands)
            j.beginObject()
                .key("center")
                .value(double{b.fCenter})
                .key("gain")
                .value(double{b.fGain})
                .endObject();
        j.endArray();
    }
    j.endObject();
    j.endObject();
}

void writeItem(JsonWriter& j, const TDrumsetItem& item) {
    j.beginObject();
    j.key("absoluteIndex").value(item.AbsoluteIndex);
    j.key("caption").value(item.Caption);
    if (item.IsGroup) {
        j.key("isUnsorted").value(item.IsUnsorted);
    } else {
        j.key("directoryName").value(item.DirectoryName);
        j.key("fileName").value(item.FileName);
        j.key("fileFound").value(item.Icon == IconSampleFound);
    }
    j.key("visible").value(item.Visible);
    j.key("volume").value(item.Volume);
    j.key("panning").value(item.Panning);
    j.key("pitch").value(item.Pitch);
    j.key("fadeTillTime").value(item.FadeTillTime);
    j.key("fadeOutTime").value(item.FadeOutTime);
    j.key("lightHit").value(item.LightHit);
    j.key("mediumHit").value(item.MediumHit);
    j.key("heavyHit").value(item.HeavyHit);
    j.key("priority").value(item.Priority);
    j.key("color").value(item.Color);
    j.key("shortcut").value(item.Shortcut);
    j.key("midiInstrument").value(item.MidiInstrument);
    j.key("midiNote").value(item.MidiNote);
    j.key("altMidiInstrument").value(item.AltMidiInstrument);
    j.key("altMidiNote").value(item.AltMidiNote);
    j.key("generalMidiInstrument").value(item.GeneralMidiInstrument);
    j.key("generalMidiProgram").value(item.GeneralMidiProgram);
    j.key("altGeneralMidiInstrument").value(item.AltGeneralMidiInstrument);
    j.key("altGeneralMidiProgram").value(item.AltGeneralMidiProgram);
    j.key("generalMidiNote").value(item.GeneralMidiNote);
    writeEffects(j, item);
    j.key("cutOff").beginArray();
    for (const TDrumsetItem* ref : item.CutOff)
        j.value(ref->AbsoluteIndex);
    j.endArray();
    if (item.IsGroup) {
        j.key("samples").beginArray();
        for (const auto& sample : item.samples())
            writeItem(j, *sample);
        j.endArray();
    }
    j.endObject();
}

} // namespace

int drumsetInfoCommand(const TArguments& args) {
    if (args.size() != 1)
        throw UsageError{"drumset-info FILE.dum"};
    requireFile(args[0]);
    TDrumset drumset;
    ReadDrumset(drumset, args[0]);
    JsonWriter j;
    j.beginObject().key("groups").beginArray();
    for (const auto& group : drumset.groups())
        writeItem(j, *group);
    j.endArray().endObject();
    std::cout << j.text() << '\n';
    return ExitOk;
}

int drumsetResaveCommand(const TArguments& args) {
    if (args.size() != 2)
        throw UsageError{"drumset-resave IN.dum OUT.dum"};
    requireFile(args[0]);
    TDrumset drumset;
    ReadDrumset(drumset, args[0]);
    drumset.Renumber();
    WriteDrumset(drumset, args[1]);
    return ExitOk;
}
