// TOptionsItem: the persisted options of the application, one instance owned
// by the main window. Every Q_PROPERTY below is a key of section "Options"
// in "options.ini" (see OptionsFile.h), written and read by the generic
// serializer in name order.
#pragma once

#include <QObject>
#include <string>

// Program folder + "Drumsets" + "default.dum".
std::string GetDefaultDrumsetFile();
// Program folder + "Patterns" + "default.ptn".
std::string GetDefaultPatternFile();

class TOptionsItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool RunMaximized READ RunMaximized WRITE SetRunMaximized)
    Q_PROPERTY(bool ShowPatternManagerOnStartup READ ShowPatternManagerOnStartup WRITE
                   SetShowPatternManagerOnStartup)
    Q_PROPERTY(bool ShowTipsOnStartup READ ShowTipsOnStartup WRITE SetShowTipsOnStartup)
    Q_PROPERTY(std::string DefaultDrumsetFile READ DefaultDrumsetFile WRITE SetDefaultDrumsetFile)
    Q_PROPERTY(std::string DefaultPatternFile READ DefaultPatternFile WRITE SetDefaultPatternFile)
    Q_PROPERTY(int SoundDevice READ SoundDevice WRITE SetSoundDevice)
    Q_PROPERTY(std::string MRU1 READ MRU1 WRITE SetMRU1)
    Q_PROPERTY(std::string MRU2 READ MRU2 WRITE SetMRU2)
    Q_PROPERTY(std::string MRU3 READ MRU3 WRITE SetMRU3)
    Q_PROPERTY(std::string MRU4 READ MRU4 WRITE SetMRU4)
    Q_PROPERTY(std::string MRU5 READ MRU5 WRITE SetMRU5)
    // Kept for the file's sake: written empty and 0, used by nothing.
    Q_PROPERTY(std::string Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    static constexpr int MRUCount = 5;

    // Starts with the presets (applyPresets), empty recent files, empty Name
    // and Tag 0.
    explicit TOptionsItem(QObject* parent = nullptr);

    // The values before "options.ini" is read: the three start-up switches
    // on, the default drumset and pattern library, SoundDevice 0.
    void applyPresets();

    bool RunMaximized() const { return m_runMaximized; }
    void SetRunMaximized(bool value) { m_runMaximized = value; }
    bool ShowPatternManagerOnStartup() const { return m_showPatternManagerOnStartup; }
    void SetShowPatternManagerOnStartup(bool value) { m_showPatternManagerOnStartup = value; }
    bool ShowTipsOnStartup() const { return m_showTipsOnStartup; }
    void SetShowTipsOnStartup(bool value) { m_showTipsOnStartup = value; }

    const std::string& DefaultDrumsetFile() const { return m_defaultDrumsetFile; }
    void SetDefaultDrumsetFile(const std::string& value) { m_defaultDrumsetFile = value; }
    const std::string& DefaultPatternFile() const { return m_defaultPatternFile; }
    void SetDefaultPatternFile(const std::string& value) { m_defaultPatternFile = value; }

    // The zero-based position in the list of output devices; 0 is also the
    // default device. The audio library is started on device SoundDevice + 1.
    int SoundDevice() const { return m_soundDevice; }
    void SetSoundDevice(int value) { m_soundDevice = value; }

    // MRU1 .. MRU5 by number, MRU1 the newest; empty for an unused slot.
    const std::string& mru(int number) const;
    void setMru(int number, const std::string& value);

    const std::string& MRU1() const { return mru(1); }
    void SetMRU1(const std::string& value) { setMru(1, value); }
    const std::string& MRU2() const { return mru(2); }
    void SetMRU2(const std::string& value) { setMru(2, value); }
    const std::string& MRU3() const { return mru(3); }
    void SetMRU3(const std::string& value) { setMru(3, value); }
    const std::string& MRU4() const { return mru(4); }
    void SetMRU4(const std::string& value) { setMru(4, value); }
    const std::string& MRU5() const { return mru(5); }
    void SetMRU5(const std::string& value) { setMru(5, value); }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }

private:
    bool m_runMaximized = true;
    bool m_showPatternManagerOnStartup = true;
    bool m_showTipsOnStartup = true;
    std::string m_defaultDrumsetFile;
    std::string m_defaultPatternFile;
    int m_soundDevice = 0;
    std::string m_mru[MRUCount];
    std::string m_name;
    int m_tag = 0;
};
