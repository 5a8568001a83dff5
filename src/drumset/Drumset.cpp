#include "drumset/Drumset.h"

#include "app/Sluzby.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <unordered_set>

namespace {

using TItemList = std::vector<std::unique_ptr<TDrumsetItem>>;

TItemList::iterator findIn(TItemList& list, const TDrumsetItem* item) {
    return std::find_if(list.begin(), list.end(),
                        [item](const std::unique_ptr<TDrumsetItem>& p) { return p.get() == item; });
}

// Blank after trimming, as the platform's Trim sees it: control characters
// and spaces only.
bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// Lines of a text file ending in CR LF, LF or CR.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

// The file name without its extension (from the last "." on), first
// character in upper case.
std::string captionFromFileName(const std::string& fileName) {
    std::string caption = fileName.substr(0, fileName.rfind('.'));
    if (!caption.empty()) {
        caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
    }
    return caption;
}

// Settings a new sample takes from its group.
void inheritFromGroup(TDrumsetItem& sample, const TDrumsetItem& group) {
    sample.Priority = group.Priority;
    sample.Color = group.Color;
    sample.Volume = group.Volume;
    sample.Panning = group.Panning;
    sample.MidiInstrument = group.MidiInstrument;
    sample.AltMidiInstrument = group.AltMidiInstrument;
    sample.LightHit = group.LightHit;
    sample.MediumHit = group.MediumHit;
    sample.HeavyHit = group.HeavyHit;
    sample.FadeTillTime = group.FadeTillTime;
    sample.FadeOutTime = group.FadeOutTime;
    sample.ReverbActive = group.ReverbActive;
    sample.DistortionActive = group.DistortionActive;
    sample.GargleActive = group.GargleActive;
    sample.CompressorActive = group.CompressorActive;
    sample.EQActive = group.EQActive;
    sample.ReverbPriority = group.ReverbPriority;
    sample.DistortionPriority = group.DistortionPriority;
    sample.GarglePriority = group.GarglePriority;
    sample.CompressorPriority = group.CompressorPriority;
    sample.EQPriority = group.EQPriority;
    sample.ReverbParams = group.ReverbParams;
    sample.DistortionParams = group.DistortionParams;
    sample.GargleParams = group.GargleParams;
    sample.CompressorParams = group.CompressorParams;
    sample.EQBands = group.EQBands;
    sample.CutOff = group.CutOff;
}

} // namespace

TRandomSource seededRandomSource(uint32_t seed) {
    return [engine = std::mt19937(seed)](int32_t n) mutable -> int32_t {
        if (n < 1) {
            return 0;
        }
        return std::uniform_int_distribution<int32_t>(0, n - 1)(engine);
    };
}

TDrumset::TDrumset() : m_random(seededRandomSource(std::random_device{}())) {}

TDrumset::~TDrumset() = default;

void TDrumset::setRandomSource(TRandomSource source) {
    m_random = source ? std::move(source) : seededRandomSource(std::random_device{}());
}

void TDrumset::clear() {
    m_deletedItems.clear();
    m_groups.clear();
}

TDrumsetItem& TDrumset::appendGroupItem() {
    auto item = std::make_unique<TDrumsetItem>();
    item->IsGroup = true;
    m_groups.push_back(std::move(item));
    return *m_groups.back();
}

TDrumsetItem& TDrumset::appendSampleItem(TDrumsetItem& group) {
    if (!group.IsGroup || group.m_group != nullptr || !owns(group)) {
        throw std::invalid_argument("Samples can only be added to a group of the drumset.");
    }
    auto item = std::make_unique<TDrumsetItem>();
    item->m_group = &group;
    group.m_samples.push_back(std::move(item));
    return *group.m_samples.back();
}

TDrumsetItem& TDrumset::addUnsortedGroup() {
    auto item = std::make_unique<TDrumsetItem>();
    item->IsGroup = true;
    item->IsUnsorted = true;
    item->Caption = "Unsorted";
    item->Icon = IconUnsortedGroup;
    item->Visible = false;
    m_groups.insert(m_groups.begin(), std::move(item));
    return *m_groups.front();
}

TDrumsetItem* TDrumset::unsortedGroup() const {
    if (m_groups.empty() || !m_groups.front()->IsUnsorted) {
        return nullptr;
    }
    return m_groups.front().get();
}

std::vector<TDrumsetItem*> TDrumset::allItems() const {
    std::vector<TDrumsetItem*> items;
    for (const auto& group : m_groups) {
        items.push_back(group.get());
        for (const auto& sample : group->m_samples) {
            items.push_back(sample.get());
        }
    }
    return items;
}

void TDrumset::NewDrumset() {
    clear();
    addUnsortedGroup();
    const std::string path = joinPath(joinPath(GetProgramFolder(), "Drumsets"), "definstr.txt");
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    for (const std::string& line : splitLines(ReadFileToString(path))) {
        if (isBlank(line)) {
            continue;
        }
        TDrumsetItem& group = appendGroupItem();
        group.Caption = line; // as read, not trimmed
        group.Icon = IconGroup;
        group.Visible = true;
    }
}

TDrumsetItem& TDrumset::AddGroup() {
    // A drumset read from an empty file has no groups; the first group must
    // be the Unsorted one, or saving would turn this group into it.
    if (m_groups.empty()) {
        addUnsortedGroup();
    }
    TDrumsetItem& group = appendGroupItem();
    group.Caption = "New sample group";
    group.Icon = IconGroup;
    group.Visible = true;
    return group;
}

TDrumsetItem& TDrumset::AddSample(const std::string& fileName, TDrumsetItem* target) {
    TDrumsetItem* group = nullptr;
    if (target != nullptr && !target->m_deleted) {
        group = target->IsGroup ? target : target->m_group;
    }
    if (group == nullptr || !owns(*group)) {
        if (m_groups.empty()) {
            addUnsortedGroup();
        }
        group = m_groups.front().get();
    }

    TDrumsetItem& sample = appendSampleItem(*group);
    sample.Visible = true;
    sample.DirectoryName = ExtractFolder(fileName);
    sample.FileName = extractFileName(fileName);
    sample.Icon = IconSampleFound;
    sample.Caption = captionFromFileName(sample.FileName);
    inheritFromGroup(sample, *group);
    sample.updateMidiNumbers();

    ResolveSampleFile(sample);
    UpdatePrioritySums(*group, THitType::htAny);
    return sample;
}

bool TDrumset::owns(const TDrumsetItem& item) const {
    const TDrumsetItem* group = item.m_group != nullptr ? item.m_group : &item;
    return !item.m_deleted && std::any_of(m_groups.begin(), m_groups.end(),
                                          [group](const auto& p) { return p.get() == group; });
}

void TDrumset::releaseRuntimeState(TDrumsetItem& item) {
    item.SoundState.reset();
    item.ShortcutAction.reset();
    item.m_deleted = true;
    for (const auto& sample : item.m_samples) {
        releaseRuntimeState(*sample);
    }
}

void TDrumset::DeleteItems(const std::vector<TDrumsetItem*>& items) {
    for (TDrumsetItem* item : items) {
        if (item == nullptr || item->IsUnsorted || !owns(*item)) {
            continue;
        }
        TItemList& list = item->m_group != nullptr ? item->m_group->m_samples : m_groups;
        const auto it = findIn(list, item);
        if (it == list.end()) {
            continue;
        }
        // Sound and shortcut go at once; the shell waits for Renumber.
        releaseRuntimeState(*item);
        m_deletedItems.push_back(std::move(*it));
        list.erase(it);
    }
}

bool TDrumset::MoveItem(TDrumsetItem& item, TDrumsetItem& target, TMovePlace place) {
    if (&item == &target || item.IsUnsorted || !owns(item) || !owns(target)) {
        return false;
    }
    TItemList& from = item.m_group != nullptr ? item.m_group->m_samples : m_groups;
    const auto source = findIn(from, &item);
    if (source == from.end()) {
        return false;
    }

    TItemList* to = nullptr;
    if (place == TMovePlace::mpInto) {
        if (item.IsGroup || !target.IsGroup || &target == item.m_group) {
            return false;
        }
        to = &target.m_samples;
    } else {
        if (item.IsGroup != target.IsGroup) {
            return false;
        }
        if (target.IsUnsorted && place == TMovePlace::mpBefore) {
            return false;
        }
        to = target.m_group != nullptr ? &target.m_group->m_samples : &m_groups;
    }

    std::unique_ptr<TDrumsetItem> moving = std::move(*source);
    from.erase(source);
    auto at = to->end();
    if (place != TMovePlace::mpInto) {
        at = findIn(*to, &target);
        if (place == TMovePlace::mpAfter) {
            ++at;
        }
    }
    moving->m_group =
        item.IsGroup ? nullptr : (place == TMovePlace::mpInto ? &target : target.m_group);
    to->insert(at, std::move(moving));
    return true;
}

void TDrumset::Renumber() {
    int32_t next = 0;
    for (TDrumsetItem* item : allItems()) {
        item->AbsoluteIndex = next++;
    }

    std::unordered_set<const TDrumsetItem*> deleted;
    for (const auto& item : m_deletedItems) {
        deleted.insert(item.get());
        for (const auto& sample : item->m_samples) {
            deleted.insert(sample.get());
        }
    }
    if (!deleted.empty()) {
        for (TDrumsetItem* item : allItems()) {
            std::erase_if(item->CutOff,
                          [&deleted](const TDrumsetItem* ref) { return deleted.count(ref) != 0; });
        }
    }
    m_deletedItems.clear();
}
