#include "drumset/DrumsetFile.h"

#include "DrumsetTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string GoldenFile = std::string(TAVORINE_TEST_DATA) + "/drumset/golden.dum";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Unsorted, "Hi-hats" (closed, open), "Snare" (one), with effects, EQ bands
// and cut-off references that cross groups.
void buildRichDrumset(TDrumset& drumset) {
    drumset.clear();
    TDrumsetItem& unsorted = drumset.appendGroupItem();
    unsorted.IsUnsorted = true;
    unsorted.Caption = "Unsorted";

    TDrumsetItem& hats = drumset.appendGroupItem();
    hats.Caption = "Hi-hats";
    hats.Visible = true;
    hats.Priority = 7;
    hats.MidiInstrument = "Closed Hi-Hat";

    TDrumsetItem& closed = drumset.appendSampleItem(hats);
    closed.Caption = "Closed";
    closed.DirectoryName = "C:\\Drums\\Samples\\Acoustic";
    closed.FileName = "kick.wav";
    closed.Visible = true;
    closed.Volume = 150;
    closed.Panning = -35;
    closed.LightHit = false;
    closed.Color = 0x00FF8040;
    closed.Pitch = -3;
    closed.Shortcut = "Q";
    closed.EQActive = true;
    closed.EQBands = flatEQBands();
    (*closed.EQBands)[1].fGain = 0.7f;
    (*closed.EQBands)[4].fGain = -0.7f;
    (*closed.EQBands)[7].fGain = 1.5f;
    closed.CompressorParams.emplace(); // kept while the effect is off
    closed.CompressorParams->fAttack = 0.01f;
    closed.CompressorParams->fThreshold = -20.5f;

    TDrumsetItem& open = drumset.appendSampleItem(hats);
    open.Caption = "Open";
    open.DirectoryName = "/elsewhere/Samples";
    open.FileName = "ride.wav";
    open.Visible = true;
    open.ReverbActive = true;
    open.ReverbParams.emplace();
    open.ReverbParams->fHighFreqRTRatio = 0.5f;
    open.ReverbParams->fReverbTime = 1500.9f;
    open.ReverbPriority = 0;
    open.DistortionPriority = 4;

    TDrumsetItem& snare = drumset.appendGroupItem();
    snare.Caption = "Snare";
    TDrumsetItem& rim = drumset.appendSampleItem(snare);
    rim.Caption = "Rim";
    rim.FileName = "missing.wav";
    rim.DirectoryName = "/nowhere";
    rim.GargleActive = true;
    rim.GargleParams.emplace();
    rim.GargleParams->dwRateHz = 20;
    rim.GargleParams->dwWaveShape = GargleSquareWave;
    rim.DistortionActive = true;
    rim.DistortionParams.emplace();
    rim.DistortionParams->fGain = -18.0f;

    closed.CutOff = {&hats, &rim};
    rim.CutOff = {&open};
    drumset.Renumber();
}

const TDrumsetItem& item(const TDrumset& d, size_t group, int sample = -1) {
    const TDrumsetItem& g = *d.groups().at(group);
    return sample < 0 ? g : *g.samples().at(static_cast<size_t>(sample));
}

class DrumsetFileTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return temp.path() + "/" + name; }

    // Reads a document given as text; returns the error message or "".
    std::string readText(const std::string& text) {
        writeBytes(file("in.dum"), text);
        try {
            ReadDrumset(drumset, file("in.dum"));
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }

    TempFolder temp;
    ProgramFolderScope program{FixtureProgramFolder};
    TDrumset drumset;
};

const char* const MinimalHeader = "<Drumset Version=\"3.0\">\r\n";

} // namespace

TEST_F(DrumsetFileTest, WritesTheGoldenFileByteForByte) {
    buildRichDrumset(drumset);
    WriteDrumset(drumset, file("out.dum"));
    const std::string written = readBytes(file("out.dum"));
    if (std::getenv("TAVORINE_GOLDEN") != nullptr)
        writeBytes(GoldenFile, written);
    EXPECT_EQ(written, readBytes(GoldenFile));
}

TEST_F(DrumsetFileTest, ReadsBackWhatItWrote) {
    TDrumset original;
    ProgramFolderScope scope{FixtureProgramFolder};
    buildRichDrumset(original);
    WriteDrumset(original, file("rich.dum"));
    ReadDrumset(drumset, file("rich.dum"));

    EXPECT_EQ(describe(drumset), "Unsorted[] Hi-hats[Closed,Open] Snare[Rim]");
    const TDrumsetItem& closed = item(drumset, 1, 0);
    EXPECT_EQ(closed.Volume, 150);
    EXPECT_EQ(closed.Panning, -35);
    EXPECT_FALSE(closed.LightHit);
    EXPECT_EQ(closed.Color, 0x00FF8040);
    EXPECT_EQ(closed.Shortcut, "Q");
    ASSERT_TRUE(closed.EQBands.has_value());
    EXPECT_FLOAT_EQ((*closed.EQBands)[1].fGain, 0.6f);
    EXPECT_FLOAT_EQ((*closed.EQBands)[4].fGain, -0.6f);
    EXPECT_FLOAT_EQ((*closed.EQBands)[7].fGain, 1.5f);
    ASSERT_TRUE(closed.CompressorParams.has_value());
    EXPECT_FALSE(closed.CompressorActive);
    EXPECT_EQ(closed.CompressorParams->fAttack, 0.0f);
    EXPECT_EQ(closed.CompressorParams->fThreshold, -20.0f);
    EXPECT_FALSE(closed.ReverbParams.has_value());
    // The Windows folder resolves into the program's Samples folder.
    EXPECT_EQ(closed.DirectoryName, std::string(FixtureProgramFolder) + "/Samples/Acoustic");
    EXPECT_EQ(closed.Icon, IconSampleFound);
    EXPECT_EQ(item(drumset, 1).MidiNote, 42);

    const TDrumsetItem& open = item(drumset, 1, 1);
    ASSERT_TRUE(open.ReverbParams.has_value());
    EXPECT_FLOAT_EQ(open.ReverbParams->fHighFreqRTRatio, 0.5f);
    EXPECT_EQ(open.ReverbParams->fReverbTime, 1500.0f);
    EXPECT_EQ(open.ReverbPriority, 0);
    EXPECT_EQ(item(drumset, 2, 0).Icon, IconSampleMissing);
    EXPECT_EQ(item(drumset, 2, 0).GargleParams->dwWaveShape, GargleSquareWave);

    EXPECT_EQ(closed.CutOff,
              (std::vector<const TDrumsetItem*>{&item(drumset, 1), &item(drumset, 2, 0)}));
    EXPECT_EQ(item(drumset, 2, 0).CutOff, std::vector<const TDrumsetItem*>{&item(drumset, 1, 1)});
    EXPECT_TRUE(item(drumset, 0).IsUnsorted);

    // Written again, the file is the same.
    WriteDrumset(drumset, file("again.dum"));
    std::string first = readBytes(file("rich.dum"));
    std::string second = readBytes(file("again.dum"));
    EXPECT_NE(first.find("C:\\Drums\\Samples\\Acoustic"), std::string::npos);
    EXPECT_EQ(second.find("C:\\Drums"), std::string::npos); // resolved folder written
}

TEST_F(DrumsetFileTest, EffectValuesAreTruncatedFromTheExactFloat) {
    buildRichDrumset(drumset);
    WriteDrumset(drumset, file("v.dum"));
    const std::string text = readBytes(file("v.dum"));
    struct Case {
        const char* fragment;
    };
    for (const char* fragment : {
             "EQ_fCenter=\"200\" EQ_fBandwidth=\"12\" EQ_fGain=\"6\"",    // 0.7 dB
             "EQ_fCenter=\"1600\" EQ_fBandwidth=\"12\" EQ_fGain=\"-6\"",  // -0.7 dB
             "EQ_fCenter=\"12800\" EQ_fBandwidth=\"12\" EQ_fGain=\"15\"", // 1.5 dB
             "COMPRESSOR_fAttack=\"0\"",
             "COMPRESSOR_fThreshold=\"-20\"",
             "REVERB_fReverbTime=\"1500\"",
             "REVERB_fHighFreqRTRatio=\"500\"",
             "GARGLE_dwRateHz=\"20\" GARGLE_dwWaveShape=\"1\"",
             "Visible=\"FALSE\"",
         })
        EXPECT_NE(text.find(fragment), std::string::npos) << fragment;
}

TEST_F(DrumsetFileTest, OnlyExactlyFalseIsFalse) {
    struct Case {
        const char* value;
        bool visible;
    };
    for (Case c : {Case{"FALSE", false}, Case{"false", true}, Case{"", true}, Case{"TRUE", true},
                   Case{"0", true}}) {
        ASSERT_EQ(readText(std::string(MinimalHeader) +
                           "  <Group AbsoluteIndex=\"1\" Caption=\"Toms\" Visible=\"" + c.value +
                           "\" />\r\n</Drumset>\r\n"),
                  "");
        EXPECT_EQ(item(drumset, 0).Visible, c.visible) << '"' << c.value << '"';
    }
}

TEST_F(DrumsetFileTest, RejectsMalformedDocumentsWithTheirMessages) {
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const std::string tail = "</Drumset>\r\n";
    const Case cases[] = {
        {"second root attribute", "<Drumset Version=\"3.0\" Name=\"x\">\r\n<Group />\r\n" + tail,
         "Invalid drumset format."},
        {"no Version", "<Drumset Release=\"3.0\">\r\n<Group />\r\n" + tail,
         "Invalid drumset format."},
        {"other root", "<Drums Version=\"3.0\">\r\n<Group />\r\n</Drums>\r\n",
         "Invalid drumset format."},
        {"declaration first",
         "<?xml version=\"1.0\"?>\r\n<Drumset Version=\"3.0\"><Group />" + tail,
         "Invalid drumset format."},
        {"unknown element", MinimalHeader + std::string("<Group><Knob /></Group>") + tail,
         "Unknown structure"},
        {"root without children", MinimalHeader + tail, "Unknown structure"},
        {"element after the root", MinimalHeader + std::string("<Group />") + tail + "<Group />",
         "Unknown structure"},
        {"sample before any group", MinimalHeader + std::string("<Sample />") + tail,
         "Unknown structure"},
        {"empty tag without a space", MinimalHeader + std::string("<Group/>") + tail,
         "Unknown structure"},
        {"bad integer",
         MinimalHeader + std::string("<Group AbsoluteIndex=\"1\" Volume=\"12a\" />") + tail,
         "'12a' is not a valid integer value"},
        {"bad CIndex", MinimalHeader + std::string("<Group><CutOff CIndex=\"\" /></Group>") + tail,
         "'' is not a valid integer value"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readText(c.text), c.message) << c.name;
}

TEST_F(DrumsetFileTest, AcceptsOtherVersionsAndMakesIndexZeroTheUnsortedGroup) {
    ASSERT_EQ(readText("<Drumset Version=\"1.0\">\r\n"
                       "<Group Caption=\"Kicks\" Visible=\"TRUE\" />\r\n"
                       "<Group AbsoluteIndex=\"1\" Caption=\"Toms\" />\r\n"
                       "</Drumset>\r\n"),
              "");
    EXPECT_EQ(describe(drumset), "Unsorted[] Toms[]");
    EXPECT_TRUE(item(drumset, 0).IsUnsorted);
    EXPECT_FALSE(item(drumset, 0).Visible);
    EXPECT_EQ(item(drumset, 0).Icon, IconUnsortedGroup);
    EXPECT_EQ(item(drumset, 1).Icon, IconGroup);
}

TEST_F(DrumsetFileTest, EmptyAndMissingFiles) {
    drumset.NewDrumset();
    const size_t groups = drumset.groups().size();
    ReadDrumset(drumset, file("does-not-exist.dum"));
    EXPECT_EQ(drumset.groups().size(), groups);

    EXPECT_EQ(readText("just text, no tags\r\n"), "");
    EXPECT_TRUE(drumset.groups().empty());
}

TEST_F(DrumsetFileTest, OddInputIsReadSafely) {
    // Gain before centre and an unknown centre are ignored; an Active flag
    // alone gives the editor's starting values; a CIndex naming nothing is
    // dropped; fewer than eight bands leave the rest flat.
    ASSERT_EQ(
        readText(std::string(MinimalHeader) +
                 "<Group AbsoluteIndex=\"0\" />\r\n"
                 "<Group AbsoluteIndex=\"1\" Caption=\"Toms\" ReverbActive=\"TRUE\">\r\n"
                 "  <EQSettings EQ_fGain=\"50\" EQ_fCenter=\"400\" />\r\n"
                 "  <EQSettings EQ_fCenter=\"333\" EQ_fGain=\"70\" />\r\n"
                 "  <EQSettings EQ_fCenter=\"800\" EQ_fGain=\"-120\" EQ_fBandwidth=\"3\" />\r\n"
                 "  <CutOff CIndex=\"99\" CIndex=\"2\" />\r\n"
                 "  <Sample AbsoluteIndex=\"2\" Caption=\"Floor\" FileName=\"x.wav\" />\r\n"
                 "</Group>\r\n</Drumset>\r\n"),
        "");
    const TDrumsetItem& toms = item(drumset, 1);
    ASSERT_TRUE(toms.EQBands.has_value());
    for (size_t i = 0; i < EQBandCount; ++i) {
        EXPECT_EQ((*toms.EQBands)[i].fCenter, EQBandCenters[i]);
        EXPECT_EQ((*toms.EQBands)[i].fBandwidth, 12.0f);
        EXPECT_FLOAT_EQ((*toms.EQBands)[i].fGain, i == 3 ? -12.0f : 0.0f) << "band " << i;
    }
    ASSERT_TRUE(toms.ReverbParams.has_value());
    EXPECT_EQ(*toms.ReverbParams, TReverbParams{});
    EXPECT_FALSE(toms.GargleParams.has_value());
    EXPECT_EQ(toms.CutOff, std::vector<const TDrumsetItem*>{&item(drumset, 1, 0)});
}

TEST_F(DrumsetFileTest, AFailedReadKeepsTheItemsBeforeTheErrorWithResolvedCutOffs) {
    EXPECT_EQ(readText(std::string(MinimalHeader) +
                       "<Group AbsoluteIndex=\"0\" />\r\n"
                       "<Group AbsoluteIndex=\"1\" Caption=\"Toms\">\r\n"
                       "  <CutOff CIndex=\"2\" CIndex=\"7\" />\r\n"
                       "  <Sample AbsoluteIndex=\"2\" Caption=\"Floor\" />\r\n"
                       "  <Sample AbsoluteIndex=\"3\" Pitch=\"high\" />\r\n"
                       "</Group>\r\n</Drumset>\r\n"),
              "'high' is not a valid integer value");
    ASSERT_GE(drumset.groups().size(), 2u);
    EXPECT_EQ(item(drumset, 1).CutOff, std::vector<const TDrumsetItem*>{&item(drumset, 1, 0)});
}

TEST_F(DrumsetFileTest, MovedSamplesKeepTheirCutOffsThroughAFile) {
    buildRichDrumset(drumset);
    TDrumsetItem& rim = const_cast<TDrumsetItem&>(item(drumset, 2, 0));
    TDrumsetItem& hats = const_cast<TDrumsetItem&>(item(drumset, 1));
    ASSERT_TRUE(drumset.MoveItem(rim, hats, TMovePlace::mpInto));
    drumset.Renumber();
    WriteDrumset(drumset, file("moved.dum"));
    TDrumset back;
    ReadDrumset(back, file("moved.dum"));
    EXPECT_EQ(describe(back), "Unsorted[] Hi-hats[Closed,Open,Rim] Snare[]");
    EXPECT_EQ(item(back, 1, 0).CutOff,
              (std::vector<const TDrumsetItem*>{&item(back, 1), &item(back, 1, 2)}));
    EXPECT_EQ(item(back, 1, 2).CutOff, std::vector<const TDrumsetItem*>{&item(back, 1, 1)});
}

TEST_F(DrumsetFileTest, AFailedWriteLeavesTheOldFile) {
    buildRichDrumset(drumset);
    writeBytes(file("keep.dum"), "old contents");
    const_cast<TDrumsetItem&>(item(drumset, 1)).Caption = "Bad \"quote\"";
    EXPECT_ANY_THROW(WriteDrumset(drumset, file("keep.dum")));
    EXPECT_EQ(readBytes(file("keep.dum")), "old contents");
    EXPECT_FALSE(std::filesystem::exists(file("keep.dum.saving~")));
}
