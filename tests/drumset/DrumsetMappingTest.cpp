// Name matching of a song's groups and samples and the mapper model behind
// the "Drumset mapper" window: trees, links, button rules, display state.
#include "drumset/DrumsetMapping.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Runs a script against the mapper instead of showing a window.
class ScriptedDialog : public TMapperDialog {
public:
    explicit ScriptedDialog(std::function<void(TDrumsetMapper&)> script = {})
        : m_script(std::move(script)) {}
    void showModal(TDrumsetMapper& mapper) override {
        ++shown;
        if (m_script)
            m_script(mapper);
    }
    int shown = 0;

private:
    std::function<void(TDrumsetMapper&)> m_script;
};

// The loaded drumset's rows.
const std::vector<TMappingRow> kRows = {
    {"Kick", {"Kick soft", "Kick hard"}},
    {"Snare", {"Snare rim", "Snare hard"}},
    {"Toms;Low", {"Floor"}},
};

TLoadGroupInfo group(int32_t index, const std::string& name,
                     const std::vector<std::string>& samples) {
    TLoadGroupInfo g;
    g.Index = index;
    g.Name = name;
    for (size_t i = 0; i < samples.size(); ++i)
        g.Samples[static_cast<int32_t>(i)].Name = samples[i];
    return g;
}

// "Group" or "Group/Sample": the first node with that name path.
TMapNode* node(const std::vector<std::unique_ptr<TMapNode>>& tree, const std::string& path) {
    const auto slash = path.find('/');
    const std::string groupName = path.substr(0, slash);
    for (const auto& g : tree) {
        if (g->Name != groupName)
            continue;
        if (slash == std::string::npos)
            return g.get();
        for (const auto& s : g->Children)
            if (s->Name == path.substr(slash + 1))
                return s.get();
    }
    ADD_FAILURE() << "no node " << path;
    return nullptr;
}

struct Mapped {
    int32_t group;
    int32_t sample;
    friend bool operator==(const Mapped&, const Mapped&) = default;
};

Mapped mapped(const TLoadSampleInfo& s) {
    return {s.MappedGroup, s.MappedSample};
}

std::ostream& operator<<(std::ostream& os, const Mapped& m) {
    return os << "(" << m.group << "," << m.sample << ")";
}

// Press a button as a view would: focus and select, then click.
void link(TDrumsetMapper& m, const std::vector<TMapNode*>& song, TMapNode* current) {
    m.setSongSelection(song);
    m.setSongFocus(song.empty() ? nullptr : song.front());
    m.setCurrentFocus(current);
    m.setCurrentSelection(current);
    m.LinkButtonClick();
}

} // namespace

TEST(ResolveNamesTest, ExactNamesMapSilently) {
    TLoadGroupList groups;
    groups[0] = group(0, "Snare", {"Snare hard", "Snare rim"});
    groups[4] = group(4, "Toms;Low", {"Floor"});
    ScriptedDialog dialog;
    ResolveNames(groups, kRows, &dialog);

    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(groups[0].MappedGroup, 1);
    EXPECT_EQ(mapped(groups[0].Samples[0]), (Mapped{1, 1}));
    EXPECT_EQ(mapped(groups[0].Samples[1]), (Mapped{1, 0}));
    EXPECT_EQ(groups[4].MappedGroup, 2);
    EXPECT_EQ(mapped(groups[4].Samples[0]), (Mapped{2, 0}));
}

TEST(ResolveNamesTest, MatchIsExactAndCaseSensitive) {
    const std::vector<TMappingRow> rows = {{"Snare", {"a"}}, {"Snare", {"b"}}};
    TLoadGroupList groups;
    groups[0] = group(0, "Snare", {"b"}); // first row of the name wins
    groups[1] = group(1, "snare", {"a"});
    groups[2] = group(2, "Snare ", {"a"});
    ResolveNames(groups, rows, nullptr);

    EXPECT_EQ(groups[0].MappedGroup, 0);
    EXPECT_EQ(mapped(groups[0].Samples[0]), (Mapped{0, -1}));
    EXPECT_EQ(groups[1].MappedGroup, -1);
    EXPECT_EQ(mapped(groups[1].Samples[0]), (Mapped{-1, -1}));
    EXPECT_EQ(groups[2].MappedGroup, -1);
}

TEST(ResolveNamesTest, UnmatchedNameShowsTreesWithNameLinks) {
    TLoadGroupList groups;
    groups[0] = group(0, "Snare", {"Snare hard", "Brush"});
    groups[3] = group(3, "Cymbals", {"Ride"});
    ScriptedDialog dialog([](TDrumsetMapper& m) {
        ASSERT_EQ(m.currentTree().size(), 3u);
        const TMapNode* floor = node(m.currentTree(), "Toms;Low/Floor");
        EXPECT_EQ(floor->GroupIndex, 2);
        EXPECT_EQ(floor->SampleIndex, 0);
        EXPECT_EQ(floor->ImageIndex, 1);
        EXPECT_EQ(node(m.currentTree(), "Toms;Low")->SampleIndex, -1);

        ASSERT_EQ(m.songTree().size(), 2u);
        const TMapNode* snare = node(m.songTree(), "Snare");
        EXPECT_EQ(snare->Link, node(m.currentTree(), "Snare"));
        EXPECT_EQ(node(m.songTree(), "Snare/Snare hard")->Link,
                  node(m.currentTree(), "Snare/Snare hard"));
        EXPECT_EQ(node(m.currentTree(), "Snare")->LinkedBy,
                  std::vector<TMapNode*>{node(m.songTree(), "Snare")});

        // Unlinked: the unknown sample of a known group, the unknown group
        // and its samples.
        for (const char* path : {"Snare/Brush", "Cymbals", "Cymbals/Ride"}) {
            const TMapNode* n = node(m.songTree(), path);
            EXPECT_TRUE(m.isStruckOut(*n)) << path;
            EXPECT_EQ(m.displayImage(*n), MapImageNotLinked) << path;
        }
        EXPECT_FALSE(m.isStruckOut(*snare));
        EXPECT_EQ(m.displayImage(*snare), 0);
        EXPECT_FALSE(m.isStruckOut(*node(m.currentTree(), "Kick")));
        EXPECT_EQ(m.displayImage(*node(m.currentTree(), "Kick/Kick soft")), 1);
    });
    ResolveNames(groups, kRows, &dialog);
    EXPECT_EQ(dialog.shown, 1);
    // Cancelled: the name matches stand.
    EXPECT_EQ(groups[0].MappedGroup, 1);
    EXPECT_EQ(mapped(groups[0].Samples[1]), (Mapped{1, -1}));
    EXPECT_EQ(groups[3].MappedGroup, -1);
}

// The outcome of OK after a sequence of links, per record.
TEST(ResolveNamesTest, AcceptedLinksDecideTheMapping) {
    struct Case {
        const char* what;
        std::function<void(TDrumsetMapper&)> edit;
        int32_t cymbalsGroup;
        Mapped ride, crash, snareHard;
    };
    const std::vector<Case> cases = {
        {"group linked, samples left to the hit type",
         [](TDrumsetMapper& m) {
             link(m, {node(m.songTree(), "Cymbals")}, node(m.currentTree(), "Kick"));
         },
         0,
         {-1, -1},
         {-1, -1},
         {1, 1}},
        {"one sample linked",
         [](TDrumsetMapper& m) {
             link(m, {node(m.songTree(), "Cymbals/Ride")}, node(m.currentTree(), "Toms;Low/Floor"));
         },
         -1,
         {2, 0},
         {-1, -1},
         {1, 1}},
        {"two samples linked at once",
         [](TDrumsetMapper& m) {
             link(m, {node(m.songTree(), "Cymbals/Crash"), node(m.songTree(), "Cymbals/Ride")},
                  node(m.currentTree(), "Kick/Kick hard"));
         },
         -1,
         {0, 1},
         {0, 1},
         {1, 1}},
        {"link of a name-matched group removed: the name match stays",
         [](TDrumsetMapper& m) {
             TMapNode* snare = node(m.songTree(), "Snare");
             m.setSongSelection({snare});
             m.setSongFocus(snare);
             m.setCurrentFocus(snare->Link);
             m.setCurrentSelection(snare->Link);
             m.DeleteLinkButtonClick();
             EXPECT_EQ(snare->Link, nullptr);
         },
         -1,
         {-1, -1},
         {-1, -1},
         {1, 1}},
        {"link of a name-matched sample removed",
         [](TDrumsetMapper& m) {
             TMapNode* hard = node(m.songTree(), "Snare/Snare hard");
             m.setSongSelection({hard});
             m.setSongFocus(hard);
             m.setCurrentFocus(hard->Link);
             m.setCurrentSelection(hard->Link);
             m.DeleteLinkButtonClick();
         },
         -1,
         {-1, -1},
         {-1, -1},
         {-1, -1}},
        {"a matched sample relinked elsewhere",
         [](TDrumsetMapper& m) {
             link(m, {node(m.songTree(), "Snare/Snare hard")},
                  node(m.currentTree(), "Kick/Kick soft"));
         },
         -1,
         {-1, -1},
         {-1, -1},
         {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TLoadGroupList groups;
        groups[0] = group(0, "Snare", {"Snare hard"});
        groups[1] = group(1, "Cymbals", {"Ride", "Crash"});
        ScriptedDialog dialog([&](TDrumsetMapper& m) {
            c.edit(m);
            m.OkButtonClick();
        });
        ResolveNames(groups, kRows, &dialog);
        EXPECT_EQ(groups[0].MappedGroup, 1);
        EXPECT_EQ(groups[1].MappedGroup, c.cymbalsGroup);
        EXPECT_EQ(mapped(groups[1].Samples[0]), c.ride);
        EXPECT_EQ(mapped(groups[1].Samples[1]), c.crash);
        EXPECT_EQ(mapped(groups[0].Samples[0]), c.snareHard);
    }
}

TEST(ResolveNamesTest, CancelOrNoWindowKeepsOnlyNameMatches) {
    for (bool withWindow : {true, false}) {
        TLoadGroupList groups;
        groups[0] = group(0, "Cymbals", {"Ride"});
        groups[1] = group(1, "Kick", {"Kick hard"});
        ScriptedDialog dialog([](TDrumsetMapper& m) {
            link(m, {node(m.songTree(), "Cymbals")}, node(m.currentTree(), "Snare"));
            link(m, {node(m.songTree(), "Kick/Kick hard")},
                 node(m.currentTree(), "Kick/Kick soft"));
        });
        ResolveNames(groups, kRows, withWindow ? &dialog : nullptr);
        EXPECT_EQ(groups[0].MappedGroup, -1);
        EXPECT_EQ(mapped(groups[0].Samples[0]), (Mapped{-1, -1}));
        EXPECT_EQ(mapped(groups[1].Samples[0]), (Mapped{0, 1}));
    }
}

TEST(ResolveNamesTest, SameNamedSongGroupsFollowTheFirst) {
    TLoadGroupList groups;
    groups[0] = group(0, "Perc", {"Shaker"});
    groups[5] = group(5, "Perc", {"Shaker"});
    ScriptedDialog dialog([](TDrumsetMapper& m) {
        ASSERT_EQ(m.songTree().size(), 2u);
        link(m, {m.songTree()[1].get()}, node(m.currentTree(), "Kick")); // second: ignored
        link(m, {m.songTree()[0].get()}, node(m.currentTree(), "Snare"));
        link(m, {m.songTree()[0]->Children[0].get()}, node(m.currentTree(), "Snare/Snare rim"));
        m.OkButtonClick();
    });
    ResolveNames(groups, kRows, &dialog);
    for (int32_t index : {0, 5}) {
        EXPECT_EQ(groups[index].MappedGroup, 1);
        EXPECT_EQ(mapped(groups[index].Samples[0]), (Mapped{1, 0}));
    }
}

class MapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        TLoadGroupList groups;
        groups[0] = group(0, "Snare", {"Snare hard", "Brush"});
        groups[1] = group(1, "Cymbals", {"Ride", "Crash"});
        // As the name match leaves them.
        groups[0].MappedGroup = 1;
        groups[0].Samples[0].MappedGroup = 1;
        groups[0].Samples[0].MappedSample = 1;
        groups[0].Samples[1].MappedGroup = 1;
        mapper.Reset();
        mapper.FillCurrentTree(kRows);
        mapper.FillSongTree(groups);
        mapper.LinkByIndices();
    }
    TMapNode* song(const std::string& path) { return node(mapper.songTree(), path); }
    TMapNode* current(const std::string& path) { return node(mapper.currentTree(), path); }

    // The message and focus of a refused button press; empty when accepted.
    std::string press(bool linkButton, TMapperTree* focus = nullptr) {
        try {
            linkButton ? mapper.LinkButtonClick() : mapper.DeleteLinkButtonClick();
        } catch (const TMapperError& e) {
            if (focus != nullptr)
                *focus = e.focusTree();
            return e.what();
        }
        return {};
    }

    TDrumsetMapper mapper;
};

TEST_F(MapperTest, ButtonsRefuseMissingFocusOrSelection) {
    struct Case {
        bool songFocus, currentFocus, currentSelected;
        const char* message;
        TMapperTree focus;
    };
    const Case cases[] = {
        {false, true, true, "No sample or group selected in song drumset tree.",
         TMapperTree::mtSong},
        {true, false, true, "No sample or group selected in current drumset tree.",
         TMapperTree::mtCurrent},
        {true, true, false, "No sample or group selected in current drumset tree.",
         TMapperTree::mtNone},
    };
    for (const Case& c : cases) {
        for (bool linkButton : {true, false}) {
            SCOPED_TRACE(c.message);
            mapper.setSongSelection({song("Cymbals")});
            mapper.setSongFocus(c.songFocus ? song("Cymbals") : nullptr);
            mapper.setCurrentFocus(c.currentFocus ? current("Kick") : nullptr);
            mapper.setCurrentSelection(c.currentSelected ? current("Kick") : nullptr);
            TMapperTree focus = TMapperTree::mtNone;
            EXPECT_EQ(press(linkButton, &focus), c.message);
            EXPECT_EQ(focus, c.focus);
            EXPECT_EQ(song("Cymbals")->Link, nullptr);
        }
    }
}

TEST_F(MapperTest, LevelMismatchStopsAtTheFailingNodeOnly) {
    const std::string levelMessage = "Group can be linked to group, sample to sample.\r\n"
                                     "Group cannot be linked to individual sample.";
    mapper.setSongSelection({song("Cymbals/Ride"), song("Snare/Brush"), song("Cymbals")});
    mapper.setSongFocus(song("Cymbals/Ride"));
    mapper.setCurrentFocus(current("Kick/Kick soft"));
    mapper.setCurrentSelection(current("Kick/Kick soft"));
    EXPECT_EQ(press(true), levelMessage);
    // Tree order: Snare/Brush, then Cymbals (fails); Cymbals/Ride is never reached.
    EXPECT_EQ(song("Snare/Brush")->Link, current("Kick/Kick soft"));
    EXPECT_EQ(song("Cymbals")->Link, nullptr);
    EXPECT_EQ(song("Cymbals/Ride")->Link, nullptr);

    mapper.setSongSelection({song("Snare")});
    mapper.setSongFocus(song("Snare"));
    EXPECT_EQ(press(false), levelMessage);
    EXPECT_EQ(song("Snare")->Link, current("Snare"));
}

TEST_F(MapperTest, RelinkMovesTheNodeBetweenLinkedByLists) {
    link(mapper, {song("Snare/Brush")}, current("Snare/Snare rim"));
    link(mapper, {song("Snare/Brush")}, current("Snare/Snare rim")); // again: no duplicate
    EXPECT_EQ(current("Snare/Snare rim")->LinkedBy, std::vector<TMapNode*>{song("Snare/Brush")});

    link(mapper, {song("Snare/Brush"), song("Snare/Snare hard")}, current("Kick/Kick hard"));
    EXPECT_TRUE(current("Snare/Snare rim")->LinkedBy.empty());
    EXPECT_TRUE(current("Snare/Snare hard")->LinkedBy.empty());
    EXPECT_EQ(current("Kick/Kick hard")->LinkedBy,
              (std::vector<TMapNode*>{song("Snare/Snare hard"), song("Snare/Brush")}));
}

TEST_F(MapperTest, DeleteLinkRemovesOnlyLinksToTheSelectedCurrentNode) {
    link(mapper, {song("Snare/Brush")}, current("Snare/Snare rim"));
    // Snare hard is linked to "Snare hard", Brush to "Snare rim".
    mapper.setSongSelection({song("Snare/Snare hard"), song("Snare/Brush")});
    mapper.setSongFocus(song("Snare/Brush"));
    mapper.setCurrentFocus(current("Snare/Snare rim"));
    mapper.setCurrentSelection(current("Snare/Snare rim"));
    EXPECT_EQ(press(false), "");
    EXPECT_EQ(song("Snare/Brush")->Link, nullptr);
    EXPECT_TRUE(current("Snare/Snare rim")->LinkedBy.empty());
    EXPECT_EQ(song("Snare/Snare hard")->Link, current("Snare/Snare hard"));
    EXPECT_TRUE(mapper.isStruckOut(*song("Snare/Brush")));
}

TEST_F(MapperTest, PartnersOfTheFocusedNodesAreEmphasized) {
    link(mapper, {song("Cymbals/Ride")}, current("Snare/Snare hard"));
    mapper.setSongFocus(song("Snare/Snare hard"));
    mapper.setCurrentFocus(current("Snare/Snare hard"));
    mapper.setCurrentSelection(current("Snare/Snare hard"));

    EXPECT_TRUE(mapper.isEmphasized(*song("Snare/Snare hard")));
    EXPECT_TRUE(mapper.isEmphasized(*song("Cymbals/Ride")));
    EXPECT_FALSE(mapper.isEmphasized(*song("Snare/Brush")));
    EXPECT_FALSE(mapper.isEmphasized(*song("Snare")));
    EXPECT_TRUE(mapper.isEmphasized(*current("Snare/Snare hard")));
    EXPECT_FALSE(mapper.isEmphasized(*current("Snare")));

    mapper.setSongFocus(song("Snare/Brush")); // unlinked: nothing in the current tree
    for (const auto& g : mapper.currentTree()) {
        EXPECT_FALSE(mapper.isEmphasized(*g));
        for (const auto& s : g->Children)
            EXPECT_FALSE(mapper.isEmphasized(*s));
    }
}

TEST_F(MapperTest, ExpandingALinkedSongGroupExpandsItsPartner) {
    EXPECT_EQ(mapper.SongNodeExpanded(*song("Snare"), true), current("Snare"));
    EXPECT_TRUE(current("Snare")->Expanded);
    EXPECT_EQ(mapper.SongNodeExpanded(*song("Snare"), false), current("Snare"));
    EXPECT_FALSE(current("Snare")->Expanded);
    EXPECT_EQ(mapper.SongNodeExpanded(*song("Cymbals"), true), nullptr);
    EXPECT_TRUE(song("Cymbals")->Expanded);
}

TEST_F(MapperTest, ResetEmptiesTreesAndClearsTheOkFlag) {
    mapper.OkButtonClick();
    EXPECT_TRUE(mapper.Accepted());
    mapper.Reset();
    EXPECT_FALSE(mapper.Accepted());
    EXPECT_TRUE(mapper.songTree().empty());
    EXPECT_TRUE(mapper.currentTree().empty());
    EXPECT_EQ(press(true), "No sample or group selected in song drumset tree.");
}
