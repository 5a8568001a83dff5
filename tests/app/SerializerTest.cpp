// The generic INI serializer over Qt properties: the written form of every
// kind in name order, reading it back, keys the file lacks, and values that
// cannot be converted.
#include "OptionsTestSupport.h"
#include "app/IniFile.h"
#include "app/PropertyText.h"
#include "app/clRTTI.h"
#include "app/clSerializers.h"

#include <QLocale>
#include <QTest>
#include <QVariant>

class TSampleInner : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Depth MEMBER m_depth)
    Q_PROPERTY(QStringList Names MEMBER m_names)

public:
    using QObject::QObject;
    int m_depth = 1;
    QStringList m_names;
};

class TSampleSettings : public QObject {
    Q_OBJECT

public:
    enum TColour { clRed, clGreen, clBlue };
    Q_ENUM(TColour)
    enum TPart { ptBass = 1, ptSnare = 2, ptCymbals = 4, ptAll = 7 };
    Q_DECLARE_FLAGS(TParts, TPart)
    Q_FLAG(TParts)

private:
    Q_PROPERTY(int Count MEMBER m_count)
    Q_PROPERTY(uint Mask MEMBER m_mask)
    Q_PROPERTY(short Small MEMBER m_small)
    Q_PROPERTY(char Letter MEMBER m_letter)
    Q_PROPERTY(bool Enabled MEMBER m_enabled)
    Q_PROPERTY(TColour Colour MEMBER m_colour)
    Q_PROPERTY(TParts Parts READ Parts WRITE SetParts)
    Q_PROPERTY(QString Title MEMBER m_title)
    Q_PROPERTY(QByteArray Raw MEMBER m_raw)
    Q_PROPERTY(std::string Path MEMBER m_path)
    Q_PROPERTY(double Ratio MEMBER m_ratio)
    Q_PROPERTY(float Gain MEMBER m_gain)
    Q_PROPERTY(QStringList Lines MEMBER m_lines)
    Q_PROPERTY(TSampleInner* Inner MEMBER m_inner)
    Q_PROPERTY(int alpha MEMBER m_alpha)
    // Neither written nor read.
    Q_PROPERTY(QObject* Owner MEMBER m_owner)
    Q_PROPERTY(qlonglong Big MEMBER m_big)
    Q_PROPERTY(QChar Wide MEMBER m_wide)
    Q_PROPERTY(QVariant Anything MEMBER m_anything)
    Q_PROPERTY(int ReadOnly READ ReadOnly)

public:
    explicit TSampleSettings(QObject* parent = nullptr)
        : QObject(parent), m_inner(new TSampleInner(this)), m_owner(parent) {}

    TParts Parts() const { return m_parts; }
    void SetParts(TParts parts) { m_parts = parts; }
    int ReadOnly() const { return 9; }

    int m_count = 0;
    uint m_mask = 0;
    short m_small = 0;
    char m_letter = 0;
    bool m_enabled = false;
    TColour m_colour = clRed;
    TParts m_parts;
    QString m_title;
    QByteArray m_raw;
    std::string m_path;
    double m_ratio = 0;
    float m_gain = 0;
    QStringList m_lines;
    TSampleInner* m_inner;
    int m_alpha = 0;
    QObject* m_owner;
    qlonglong m_big = 0;
    QChar m_wide;
    QVariant m_anything;
};

namespace {

void fill(TSampleSettings& s) {
    s.m_count = -42;
    s.m_mask = 4000000000u;
    s.m_small = -300;
    s.m_letter = 'A';
    s.m_enabled = true;
    s.m_colour = TSampleSettings::clBlue;
    s.m_parts = TSampleSettings::TParts(TSampleSettings::ptBass) | TSampleSettings::ptCymbals;
    s.m_title = QString::fromUtf8("Caf\u00e9 = bar ");
    s.m_raw = QByteArray("\xff\x01 raw", 6);
    s.m_path = "/songs/a b/c.drm";
    s.m_ratio = 0.1;
    s.m_gain = 0.1f;
    s.m_lines = {"first", "", "third"};
    s.m_inner->m_depth = 3;
    s.m_inner->m_names = {"x"};
    s.m_alpha = 7;
    s.m_big = 1;
    s.m_wide = QChar(u'w');
    s.m_anything = 5;
}

QByteArray saved(TSampleSettings& s, TIniFile file = {}) {
    iniSerializer().saveObject(s, file, "Sample");
    return QByteArray::fromStdString(file.toText());
}

} // namespace

class SerializerTest : public QObject {
    Q_OBJECT

private slots:
    void writesEveryKindInNameOrder();
    void readsBackWhatItWrote();
    void keepsWhatTheFileLacks();
    void convertsTextsOfEachKind();
    void oneBadValueDoesNotStopTheRest();
};

void SerializerTest::writesEveryKindInNameOrder() {
    QObject owner;
    TSampleSettings settings(&owner);
    fill(settings);
    // The section is replaced whole (stale keys go), other sections stay.
    const TIniFile file = TIniFile::fromText(
        "[Before]\r\nk=v\r\n[Sample]\r\nObsolete=1\r\n[Sample\\Lines]\r\nLine7=old\r\n");
    const QByteArray text = saved(settings, file);
    QCOMPARE(text, golden("serializer.ini", text));
}

void SerializerTest::readsBackWhatItWrote() {
    const TTestFolder folder;
    const std::string path = folder.file("sample.ini");
    TSampleSettings written;
    fill(written);
    iniSerializer().SaveObjToIniFile(written, path, "Sample");

    TSampleSettings read;
    read.m_lines = {"to", "be", "replaced", "entirely"};
    iniSerializer().LoadObjFromIniFile(read, path, "sample");
    QCOMPARE(read.m_count, written.m_count);
    QCOMPARE(read.m_mask, written.m_mask);
    QCOMPARE(read.m_small, written.m_small);
    QCOMPARE(read.m_letter, written.m_letter);
    QCOMPARE(read.m_enabled, written.m_enabled);
    QCOMPARE(read.m_colour, written.m_colour);
    QCOMPARE(read.m_parts, written.m_parts);
    QCOMPARE(read.m_title, written.m_title);
    QCOMPARE(read.m_raw, written.m_raw);
    QCOMPARE(read.m_path, written.m_path);
    QCOMPARE(read.m_ratio, written.m_ratio);
    QCOMPARE(read.m_gain, written.m_gain);
    QCOMPARE(read.m_lines, written.m_lines);
    QCOMPARE(read.m_inner->m_depth, 3);
    QCOMPARE(read.m_inner->m_names, QStringList{"x"});
    QCOMPARE(read.m_alpha, 7);
    QCOMPARE(read.m_big, qlonglong{0});
    QCOMPARE(read.m_wide, QChar());
}

void SerializerTest::keepsWhatTheFileLacks() {
    TSampleSettings settings;
    fill(settings);
    const QByteArray before = saved(settings);

    // No section, an empty one, or one without these keys: nothing changes.
    for (const char* text :
         {"", "[Sample]\r\n", "[Sample]\r\nUnknown=1\r\n[Other]\r\nCount=1\r\n"}) {
        iniSerializer().loadObject(settings, TIniFile::fromText(text), "Sample");
        QCOMPARE(saved(settings), before);
    }

    // A list's subsection that exists is read up to the first missing line;
    // an empty one clears the list. An empty list is written as an empty
    // subsection so that it reads back empty.
    iniSerializer().loadObject(
        settings, TIniFile::fromText("[Sample\\Lines]\r\nLine0=a\r\nLine1=b\r\nLine3=d\r\n"),
        "Sample");
    QCOMPARE(settings.m_lines, (QStringList{"a", "b"}));
    iniSerializer().loadObject(settings, TIniFile::fromText("[Sample\\Lines]\r\n"), "Sample");
    QCOMPARE(settings.m_lines, QStringList());

    TSampleSettings other;
    other.m_lines = {"stale"};
    iniSerializer().loadObject(other, TIniFile::fromText(saved(settings).toStdString()), "Sample");
    QCOMPARE(other.m_lines, QStringList());
}

void SerializerTest::convertsTextsOfEachKind() {
    struct Case {
        const char* property;
        const char* text;
        bool converts;
        const char* written; // the property's text form afterwards
    };
    const QLocale oldLocale;
    QLocale::setDefault(QLocale(QLocale::German));
    const Case cases[] = {
        {"Count", "12", true, "12"},
        {"Count", " 0x10 ", true, "16"},
        {"Count", "$10", true, "16"},
        {"Count", "-2147483648", true, "-2147483648"},
        {"Count", "2147483648", true, "0"},
        {"Count", "twelve", true, "0"},
        {"Count", "", true, "0"},
        {"Mask", "4294967295", true, "4294967295"},
        {"Mask", "-1", true, "0"},
        {"Small", "40000", true, "0"},
        {"Letter", "66", true, "66"},
        {"Enabled", " fALSE ", true, "False"},
        {"Enabled", "no", false, "True"},
        {"Enabled", "0", false, "True"},
        {"Enabled", "", false, "True"},
        {"Colour", "clGreen", true, "clGreen"},
        {"Colour", "0", true, "clRed"},
        {"Colour", " CLGREEN", true, "clGreen"},
        {"Colour", "1", true, "clGreen"},
        {"Colour", "7", false, "clBlue"},
        {"Colour", "purple", false, "clBlue"},
        {"Parts", "[ptBass, ptSnare]", true, "[ptBass,ptSnare]"},
        {"Parts", "ptCymbals", true, "[ptCymbals]"},
        {"Parts", "[]", true, "[]"},
        {"Parts", "[ptBass,ptAll]", false, "[ptBass,ptCymbals]"},
        {"Parts", "[ptBass,ptDrum]", false, "[ptBass,ptCymbals]"},
        {"Ratio", "2.5e3", true, "2500"},
        {"Ratio", "-inf", true, "-inf"},
        {"Ratio", "1,5", true, "1.5"},
        {"Ratio", "one", false, "0.1"},
        {"Ratio", "", false, "0.1"},
        {"Gain", "0.3", true, "0.3"},
        {"Title", "  kept as it is  ", true, "  kept as it is  "},
        {"Path", "", true, ""},
    };
    for (const Case& c : cases) {
        TSampleSettings settings;
        fill(settings);
        const TrtWrapper wrapper(settings);
        const auto found =
            std::find_if(wrapper.properties().begin(), wrapper.properties().end(),
                         [&](const TrtProperty& p) { return p.name() == c.property; });
        QVERIFY(found != wrapper.properties().end());
        const std::string label = std::string(c.property) + "=" + c.text;
        QVERIFY2(propertyFromText(*found, c.text) == c.converts, label.c_str());
        QCOMPARE(QByteArray::fromStdString(propertyToText(*found)), QByteArray(c.written));
    }
    QLocale::setDefault(oldLocale);
}

void SerializerTest::oneBadValueDoesNotStopTheRest() {
    TSampleSettings settings;
    const TIniFile file = TIniFile::fromText("[Sample]\r\nalpha=5\r\nColour=purple\r\nCount=3\r\n"
                                             "Enabled=maybe\r\nTitle=read\r\n"
                                             "[Sample\\Inner]\r\nDepth=8\r\n");
    try {
        iniSerializer().loadObject(settings, file, "Sample");
        QFAIL("no error for the two bad values");
    } catch (const TSerializerError& error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.contains("\"purple\"") && message.contains("\"Colour\""), error.what());
        QVERIFY2(message.contains("\"maybe\"") && message.contains("\"Enabled\""), error.what());
        QVERIFY2(message.contains("\"Sample\""), error.what());
    }
    QCOMPARE(settings.m_alpha, 5);
    QCOMPARE(settings.m_count, 3);
    QCOMPARE(settings.m_title, QString("read"));
    QCOMPARE(settings.m_inner->m_depth, 8);
    QCOMPARE(settings.m_colour, TSampleSettings::clRed);
    QCOMPARE(settings.m_enabled, false);
}

int runSerializerTests(int argc, char** argv) {
    SerializerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SerializerTest.moc"
